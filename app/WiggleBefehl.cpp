#include <cstdio>
#include <string>
#include <vector>

#include "app/Befehle.h"
#include "commands/Animation.h"
#include "commands/Projekt.h"
#include "platform/HeadlessServices.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex wiggle PROJEKT.lvx AUSGABE.webp [--speed N] [--pingpong]\n"
    "\n"
    "Öffnet das Projekt und speichert seine Bildsequenz als animiertes WebP: die\n"
    "Vorschau-Kopien aller Bilder in der Reihenfolge der Liste, wie \"Bildsequenz\"\n"
    "sie im Fenster zeigt, endlos wiederholt.\n"
    "\n"
    "  --speed N    Schnelligkeit 1 (500 ms je Bild) bis 5 (100 ms je Bild), sonst 3\n"
    "  --pingpong   vorwärts und rückwärts statt zyklisch\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\". Rückgabewert: 0 Erfolg,\n"
    "1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

struct Auftrag {
    std::string projekt;
    std::string ausgabe;
    int32_t tempo = 3;
    bool pingPong = false;
};

// The reason a call does not fit the usage, or nothing.
std::string lesen(int argc, char** argv, Auftrag& a)
{
    std::vector<std::string> frei;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pingpong") {
            a.pingPong = true;
        } else if (arg == "--speed") {
            const std::string wert = i + 1 < argc ? argv[++i] : "";
            if (wert.size() != 1 || wert[0] < '1' || wert[0] > '5')
                return "--speed verlangt eine Zahl von 1 bis 5, nicht '" + wert + "'";
            a.tempo = wert[0] - '0';
        } else if (arg.rfind("--", 0) == 0) {
            return "unbekannte Option '" + arg + "'";
        } else {
            frei.push_back(arg);
        }
    }
    if (frei.size() != 2)
        return "PROJEKT.lvx und AUSGABE.webp verlangt, " + std::to_string(frei.size()) + " Dateinamen angegeben";
    a.projekt = frei[0];
    a.ausgabe = frei[1];
    return {};
}

}

int WiggleBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("wiggle", argc, argv, hilfe, [&] { return lesen(argc, argv, auftrag); }))
        return *ende;
    return Programmlauf<HeadlessServices>(false, [&](Programm& p, HeadlessServices&) {
        return OeffnenAllgemein(p, auftrag.projekt)
            && Animation_Speichern(p, auftrag.ausgabe, auftrag.tempo, auftrag.pingPong);
    });
}
