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
    const auto tempo = [&](const std::string& wert) {
        return ZahlImBereich(wert, 1, 5, a.tempo) ? "" : "--speed verlangt eine Zahl von 1 bis 5, nicht '" + wert + "'";
    };
    std::vector<std::string> frei;
    const std::string falsch = OptionenLesen(argc, argv, {{{"--pingpong", &a.pingPong}}, {{"--speed", tempo}}}, frei);
    if (!falsch.empty())
        return falsch;
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
