#include <cstdio>
#include <filesystem>
#include <string>

#include "app/Befehle.h"
#include "app/Fenster.h"
#include "core/Abbruch.h"
#include "platform/Signale.h"

namespace {

// The headless commands, one line each: the word, what runs it (with the
// arguments after the word), its usage and what it does.
struct Befehl {
    const char* wort;
    int (*ausfuehren)(int argc, char** argv);
    const char* aufruf;
    const char* beschreibung;
};

constexpr Befehl befehle[] = {
    {"render", RenderBefehl, "render PROJEKT.lvx AUSGABE [--format F] [--mode N] [--ja]", "berechnet das Bild eines Projekts und speichert es"},
    {"print", PrintBefehl, "print PROJEKT.lvx (--printer NAME | --pdf DATEI.pdf) [--mode N] [--ja]", "druckt das Bild eines Projekts in seiner Druckgröße"},
    {"calib", KalibBefehl, "calib AUSGABE.bmp [OPTIONEN] | calib (--print NAME | --pdf DATEI.pdf) [OPTIONEN]", "berechnet das Kalibrierungsbild für Linsenraster oder druckt das Testmuster"},
    {"align", AlignBefehl, "align PROJEKT.lvx AUSGABE.lvx [--reference N] [--symmetric] [--fine] [--ja]", "justiert alle Bilder automatisch und speichert das Projekt"},
    {"crop", CropBefehl, "crop PROJEKT.lvx ORDNER (--optimal | --region L,O,R,U) [--ratio B:H]\n       [--format BMP|JPG] [--mode N] [--ja]", "schreibt die justierten Bilder und das berechnete Bild auf einen Ausschnitt zugeschnitten"},
    {"batch", BatchBefehl, "batch QUELLE ZIEL [OPTIONEN] [--list | --only ORDNER]", "Stapelverarbeitung eines Ordnerbaums, auf Wunsch verteilt auf viele Prozesse oder Rechner"},
    {"exif", ExifBefehl, "exif DATEI", "listet die EXIF-Parameter einer JPEG- oder MPO-Datei"},
    {"mpo", MpoBefehl, "mpo DATEI", "listet die Marker einer MPO-Datei und zerlegt sie in JPEG-Bilder"},
    {"wiggle", WiggleBefehl, "wiggle PROJEKT.lvx AUSGABE.webp [--speed N] [--pingpong]", "speichert die Bildsequenz eines Projekts als animiertes WebP"},
    {"settings", EinstellungenBefehl, "settings [--reset]", "listet die gespeicherten Einstellungen oder entfernt sie"},
};

void hilfe(FILE* aus)
{
    std::fputs("Lumivex 5 - dreidimensionale Bilder aus Fotos\n"
               "\n"
               "Aufruf:\n"
               "  lumivex [PROJEKT.lvx]      startet das Programmfenster (mit einem Projekt)\n"
               "  lumivex BEFEHL [OPTIONEN]  führt einen Befehl ohne Fenster aus\n"
               "\n"
               "Befehle ohne Fenster:\n",
               aus);
    for (const Befehl& b : befehle)
        std::fprintf(aus, "  %s\n                 %s\n", b.aufruf, b.beschreibung);
    std::fputs("\n"
               "\"lumivex BEFEHL --help\" beschreibt einen Befehl.\n"
               "\n"
               "Optionen:\n"
               "  -h, --help     diese Hilfe\n"
               "  --version      Programmversion\n"
               "\n"
               "Meldungen erscheinen auf stderr als \"Titel: Text\".\n"
               "Rückgabewert: 0 Erfolg, 1 Fehler oder Abbruch, 2 falscher Aufruf.\n",
               aus);
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return FensterStarten(argc, argv);
    const std::string arg = argv[1];
    if (arg == "-h" || arg == "--help") {
        hilfe(stdout);
        return 0;
    }
    if (arg == "--version") {
        std::puts("Lumivex 5.0");
        return 0;
    }
    for (const Befehl& b : befehle) {
        if (arg == b.wort) {
            // A signal stops the command at its next row; it then ends as after a failure.
            StoppSignaleAbfangen();
            const int ergebnis = b.ausfuehren(argc - 2, argv + 2);
            return ergebnis == 0 && StoppAngefordert() ? 1 : ergebnis;
        }
    }
    // Only a file that exists is taken for a project: a mistyped command word never starts the window.
    std::error_code ec;
    if (arg[0] != '-' && std::filesystem::is_regular_file(arg, ec))
        return FensterStarten(argc, argv);
    if (arg[0] == '-')
        std::fprintf(stderr, "lumivex: unbekannte Option '%s'\n\n", arg.c_str());
    else
        std::fprintf(stderr, "lumivex: '%s' ist weder ein Befehl noch eine vorhandene Projekt-Datei\n\n", arg.c_str());
    hilfe(stderr);
    return 2;
}
