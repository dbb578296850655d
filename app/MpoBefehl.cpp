#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Befehle.h"
#include "platform/HeadlessServices.h"
#include "imageio/Mpo.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex mpo DATEI\n"
    "\n"
    "Listet die Marker einer MPO-Datei (Multi Picture) auf stdout und zerlegt\n"
    "sie in ihre JPEG-Bilder: Bild k wird als DATEI_k.JPG im selben Ordner\n"
    "geschrieben. Die Liste steht zusätzlich in MPO_Detail$$$.TXT im\n"
    "temporären Ordner des Benutzers (LUMIVEX-Benutzername).\n"
    "\n"
    "Rückgabewert: 0 mindestens ein Bild geschrieben, 1 Fehler, 2 falscher Aufruf.\n";

}

int MpoBefehl(int argc, char** argv)
{
    return DateiBefehl("mpo", argc, argv, hilfe, [](Context& ctx, const std::string& datei, const std::filesystem::path& spuren) {
        std::vector<std::string> liste;
        const MpoErgebnis e = MPO_Zerlegen(ctx.files(), datei, datei, (spuren / MpoSpurDatei).string(), &liste);
        for (const std::string& zeile : liste)
            std::puts(zeile.c_str());
        if (!e.ok) {
            ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::DateitypNichtUnterstuetzt);
            return 1;
        }
        return 0;
    });
}
