#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/Befehle.h"
#include "platform/HeadlessServices.h"
#include "imageio/Exif.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex exif DATEI\n"
    "\n"
    "Listet die EXIF-Parameter einer JPEG- oder MPO-Datei (Kamera- und\n"
    "Bild-Parameter) auf stdout. Die Einträge aller Verzeichnisse werden\n"
    "zusätzlich in EXIF_1_Detail$$$.TXT und EXIF_2_Detail$$$.TXT im aktuellen\n"
    "Ordner geschrieben.\n"
    "\n"
    "Rückgabewert: 0 Erfolg (auch ohne gültigen EXIF-Kopf), 1 Datei fehlt,\n"
    "2 falscher Aufruf.\n";

}

int ExifBefehl(int argc, char** argv)
{
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        std::fputs(hilfe, stdout);
        return 0;
    }
    if (argc != 1 || argv[0][0] == '-') {
        std::fputs(hilfe, stderr);
        return 2;
    }
    const auto temp = TempOrdner();
    if (!temp)
        return 1;
    HeadlessServices dienste(*temp);
    Context ctx(dienste.services());
    const std::string datei = argv[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(datei, ec)) {
        ctx.message(Sprache::Titel::Fehler, std::string(Sprache::Meldung(50)) + " " + datei);
        return 1;
    }
    for (const std::string& zeile : EXIF_Liste(TExif(datei, true)))
        std::puts(zeile.c_str());
    return 0;
}
