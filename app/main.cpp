#include <cstdio>
#include <cstring>
#include <string>

#include "app/Befehle.h"
#include "app/Fenster.h"

namespace {

const char* const usage =
    "Lumivex 5 - dreidimensionale Bilder aus Fotos\n"
    "\n"
    "Aufruf:\n"
    "  lumivex [PROJEKT.lvx]      startet das Programmfenster (mit einem Projekt)\n"
    "  lumivex BEFEHL [OPTIONEN]  führt einen Befehl ohne Fenster aus\n"
    "\n"
    "Befehle ohne Fenster:\n"
    "  render PROJEKT.lvx AUSGABE [--format F] [--mode N] [--ja]\n"
    "                 berechnet das Bild eines Projekts und speichert es\n"
    "  print PROJEKT.lvx (--printer NAME | --pdf DATEI.pdf) [--mode N] [--ja]\n"
    "                 druckt das Bild eines Projekts in seiner Druckgröße\n"
    "  calib AUSGABE.bmp [OPTIONEN] | calib (--print NAME | --pdf DATEI.pdf) [OPTIONEN]\n"
    "                 Kalibrierungsbild für Linsenraster, oder Druck des Testmusters\n"
    "  crop PROJEKT.lvx ORDNER (--optimal | --region L,O,R,U) [--ratio B:H]\n"
    "       [--format BMP|JPG] [--mode N] [--ja]\n"
    "                 schreibt die justierten Bilder und das berechnete Bild\n"
    "                 auf einen Bildausschnitt zugeschnitten\n"
    "  exif DATEI     listet die EXIF-Parameter einer JPEG- oder MPO-Datei\n"
    "  mpo DATEI      listet die Marker einer MPO-Datei und zerlegt sie in JPEG-Bilder\n"
    "  wiggle PROJEKT.lvx AUSGABE.webp [--speed N] [--pingpong]\n"
    "                 speichert die Bildsequenz eines Projekts als animiertes WebP\n"
    "  settings [--reset]\n"
    "                 listet die gespeicherten Einstellungen oder entfernt sie\n"
    "\n"
    "\"lumivex BEFEHL --help\" beschreibt einen Befehl.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help     diese Hilfe\n"
    "  --version      Programmversion\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\".\n"
    "Rückgabewert: 0 Erfolg, 1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return FensterStarten(argc, argv);
    const std::string arg = argv[1];
    if (arg == "-h" || arg == "--help") {
        std::fputs(usage, stdout);
        return 0;
    }
    if (arg == "render")
        return RenderBefehl(argc - 2, argv + 2);
    if (arg == "print")
        return PrintBefehl(argc - 2, argv + 2);
    if (arg == "calib")
        return KalibBefehl(argc - 2, argv + 2);
    if (arg == "crop")
        return CropBefehl(argc - 2, argv + 2);
    if (arg == "exif")
        return ExifBefehl(argc - 2, argv + 2);
    if (arg == "mpo")
        return MpoBefehl(argc - 2, argv + 2);
    if (arg == "wiggle")
        return WiggleBefehl(argc - 2, argv + 2);
    if (arg == "settings")
        return EinstellungenBefehl(argc - 2, argv + 2);
    if (arg == "--version") {
        std::puts("Lumivex 5.0");
        return 0;
    }
    if (arg[0] != '-')
        return FensterStarten(argc, argv);
    std::fprintf(stderr, "lumivex: unbekannter Befehl oder Option '%s'\n\n%s", arg.c_str(), usage);
    return 2;
}
