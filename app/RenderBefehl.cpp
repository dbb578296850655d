#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/Befehle.h"
#include "commands/Bilder.h"
#include "commands/Projekt.h"
#include "core/Format.h"
#include "platform/HeadlessServices.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex render PROJEKT.lvx AUSGABE [--format FORMAT] [--mode N] [--ja]\n"
    "\n"
    "Öffnet das Projekt, berechnet das Bild in der Vorschau-Art des Projekts\n"
    "(oder N) und speichert das farbkorrigierte Ergebnis.\n"
    "\n"
    "  --format FORMAT  BMP, JPG, TGA, TIF, TIF_CMYK oder MPO; ohne Angabe aus der\n"
    "                   Endung von AUSGABE (.bmp .jpg .jpeg .tga .tif .tiff .mpo)\n"
    "  --mode N         Vorschau-Art: 0 keine, 1 Bild Links (L), 2 Bild Rechts (R),\n"
    "                   3 Anaglyph (L / R), 4 Stereo (L / R), 5 Linsenraster,\n"
    "                   6 Streifen (L / R)\n"
    "  --ja             beantwortet jede Frage mit Ja\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\", der Fortschritt auf einem\n"
    "Terminal ebenda. Rückgabewert: 0 Erfolg, 1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

std::string formatAusEndung(const std::string& datei)
{
    const std::string endung = lowerAscii(std::filesystem::path(datei).extension().string());
    if (endung == ".bmp")
        return "BMP";
    if (endung == ".jpg" || endung == ".jpeg")
        return "JPG";
    if (endung == ".tga")
        return "TGA";
    if (endung == ".tif" || endung == ".tiff")
        return "TIF";
    if (endung == ".mpo")
        return "MPO";
    return {};
}

bool formatBekannt(const std::string& format)
{
    for (const char* f : {"BMP", "JPG", "TGA", "TIF", "TIF_CMYK", "MPO"})
        if (format == f)
            return true;
    return false;
}

struct Auftrag {
    std::string projekt;
    std::string ausgabe;
    std::string format;
    int modus = -1;
    bool ja = false;
};

// For a call that does not fit the usage, what is wrong with it; empty otherwise.
std::string lesen(int argc, char** argv, Auftrag& a)
{
    const auto format = [&](const std::string& wert) {
        a.format = wert;
        return std::string();
    };
    const auto modus = [&](const std::string& wert) {
        return ZahlImBereich(wert, 0, 6, a.modus) ? "" : "ungültige Vorschau-Art '" + wert + "' bei --mode";
    };
    std::vector<std::string> frei;
    const std::string falsch =
        OptionenLesen(argc, argv, {{{"--ja", &a.ja}}, {{"--format", format}, {"--mode", modus}}}, frei);
    if (!falsch.empty())
        return falsch;
    if (frei.size() < 2)
        return frei.empty() ? "PROJEKT.lvx und AUSGABE fehlen" : "AUSGABE fehlt";
    if (frei.size() > 2)
        return "überzähliges Argument '" + frei[2] + "'";
    a.projekt = frei[0];
    a.ausgabe = frei[1];
    if (!a.format.empty())
        return formatBekannt(a.format) ? "" : "unbekanntes Format '" + a.format + "' bei --format";
    a.format = formatAusEndung(a.ausgabe);
    return a.format.empty() ? "unbekannte Endung von AUSGABE '" + a.ausgabe + "' (ohne --format)" : "";
}

}

int RenderBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("render", argc, argv, hilfe, [&] { return lesen(argc, argv, auftrag); }))
        return *ende;
    return Programmlauf<HeadlessServices>(auftrag.ja, [&](Programm& p, HeadlessServices&) {
        // The run's files are deleted next: the result's raster may become the saved file.
        return ErgebnisBerechnen(p, auftrag.projekt, auftrag.modus)
            && BildspeichernUnter(p, 0, SlotFarbErgebnis, auftrag.ausgabe, auftrag.format, true);
    });
}
