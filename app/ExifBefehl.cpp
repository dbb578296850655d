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
    "zusätzlich in EXIF_1_Detail$$$.TXT und EXIF_2_Detail$$$.TXT im\n"
    "temporären Ordner des Benutzers (LUMIVEX-Benutzername) geschrieben.\n"
    "\n"
    "Rückgabewert: 0 Erfolg (auch ohne gültigen EXIF-Kopf), 1 Datei fehlt,\n"
    "2 falscher Aufruf.\n";

}

int ExifBefehl(int argc, char** argv)
{
    return DateiBefehl("exif", argc, argv, hilfe, [](Context& ctx, const std::string& datei, const std::filesystem::path& spuren) {
        const TExif exif(datei);
        EXIF_Spuren_Schreiben(ctx.files(), exif, spuren);
        for (const std::string& zeile : EXIF_Liste(exif))
            std::puts(zeile.c_str());
        return 0;
    });
}
