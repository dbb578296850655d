#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "app/Befehle.h"
#include "app/QtBefehl.h"
#include "commands/Drucken.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex calib AUSGABE.bmp [--lpi X] [--step S] [--stripes N] [--width B]\n"
    "                      [--height H] [--inch] [--flip] [--images N] [--pixels P]\n"
    "                      [--continuous] [--no-labels] [--lines10] [--lines5] [--white]\n"
    "        lumivex calib (--print NAME | --pdf DATEI.pdf [--dpi N]) [--lpi X]\n"
    "                      [--length L] [--step S] [--flip]\n"
    "\n"
    "Berechnet das Kalibrierungsbild für Linsenraster und speichert es als BMP-Datei,\n"
    "oder druckt das Testmuster (21 Streifen um den Linsenrastertyp) auf den\n"
    "Drucker NAME oder in eine PDF-Datei. Jede fehlende Angabe hat den Wert, mit dem\n"
    "das Programmfenster beginnt.\n"
    "\n"
    "  --lpi X          Linsenrastertyp in lpi (40)\n"
    "  --step S         Schrittweite in lpi von Streifen zu Streifen (Bild 0,1;\n"
    "                   Testmuster 0,01, 0,03, 0,05, 0,10 oder 0,25, ohne Angabe 0,10)\n"
    "  --stripes N      Anzahl Streifen, 1 bis 10000 (11)\n"
    "  --width B        Bildbreite quer zu den Linsen (15)\n"
    "  --height H       Bildhöhe (10)\n"
    "  --inch           Breite und Höhe in inch statt cm\n"
    "  --flip           Linsen waagerecht (Flip): das Bild wird um 90 Grad gedreht,\n"
    "                   das Testmuster senkrecht gedruckt\n"
    "  --images N       Anzahl Bilder, 2 bis 99 (2)\n"
    "  --pixels P       Pixel pro Bild pro Linse, 1 bis 1000 (ohne Angabe: auto)\n"
    "  --continuous     Abtastung \"kontin.\" statt \"diskret\"\n"
    "  --no-labels      ohne Beschriftung\n"
    "  --lines10        Bemaßung 10 lpi (1 cm)\n"
    "  --lines5         Bemaßung 5 lpi (0,5 cm)\n"
    "  --white          weiße statt farbige Streifen\n"
    "  --print NAME     druckt das Testmuster auf den installierten Drucker NAME\n"
    "  --pdf DATEI.pdf  schreibt das Testmuster als PDF-Datei mit N dpi (600)\n"
    "  --length L       Länge des Testmusters in cm, 1 bis 999 (15)\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\". Rückgabewert: 0 Erfolg,\n"
    "1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

struct Auftrag {
    KalibBild bild;
    KalibDruck druck;
    std::string ausgabe;
    std::string drucker;
    std::string pdf;
    int dpi = 600;
    bool schrittGesetzt = false;
    double schritt = 0;
};

// The argument that does not fit the usage, or none when all do.
std::optional<std::string> lesen(int argc, char** argv, Auftrag& a)
{
    KalibBild& b = a.bild;
    const std::pair<const char*, bool KalibBild::*> schalter[] = {
        {"--no-labels", &KalibBild::beschriftung}, {"--lines10", &KalibBild::bemassung10},
        {"--lines5", &KalibBild::bemassung5},      {"--white", &KalibBild::weiss}};
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto gesetzt = std::find_if(std::begin(schalter), std::end(schalter),
                                          [&](const auto& s) { return arg == s.first; });
        if (gesetzt != std::end(schalter)) {
            b.*(gesetzt->second) = arg != "--no-labels";
            continue;
        }
        if (arg == "--inch" || arg == "--flip" || arg == "--continuous") {
            (arg == "--inch" ? b.einheit : arg == "--flip" ? b.richtung : b.methode) = 1;
            continue;
        }
        if (arg.rfind("-", 0) != 0) {
            if (!a.ausgabe.empty())
                return arg;
            a.ausgabe = arg;
            continue;
        }
        if (i + 1 >= argc)
            return arg;
        const std::string wert = argv[++i];
        bool ok = true;
        if (arg == "--lpi")
            ok = ZahlArgument(wert, b.lpi);
        else if (arg == "--step")
            ok = ZahlArgument(wert, a.schritt) && (a.schrittGesetzt = true);
        else if (arg == "--stripes")
            ok = ZahlImBereich(wert, 1, 10000, b.streifen);
        else if (arg == "--width")
            ok = ZahlArgument(wert, b.breite);
        else if (arg == "--height")
            ok = ZahlArgument(wert, b.hoehe);
        else if (arg == "--images")
            ok = ZahlImBereich(wert, 2, 99, b.bilder);
        else if (arg == "--pixels")
            ok = ZahlImBereich(wert, 1, 1000, b.pixel);
        else if (arg == "--length")
            ok = ZahlImBereich(wert, 1, 999, a.druck.laenge);
        else if (arg == "--dpi")
            ok = ZahlImBereich(wert, 1, 100000, a.dpi);
        else if (arg == "--print")
            a.drucker = wert;
        else if (arg == "--pdf")
            a.pdf = wert;
        else
            return arg;
        if (!ok)
            return wert;
    }
    const bool drucken = !a.drucker.empty() || !a.pdf.empty();
    if (drucken == !a.ausgabe.empty() || (!a.drucker.empty() && !a.pdf.empty()))
        return drucken ? a.ausgabe : "AUSGABE.bmp";
    a.druck.lpi = b.lpi;
    a.druck.richtung = b.richtung;
    if (a.schrittGesetzt) {
        b.schritt = a.schritt;
        const auto* gefunden = std::find_if(KalibSchrittweiten.begin(), KalibSchrittweiten.end(),
                                            [&](double s) { return std::fabs(s - a.schritt) < 1e-9; });
        if (drucken && gefunden == KalibSchrittweiten.end())
            return "--step";
        a.druck.schritt = static_cast<int32_t>(gefunden - KalibSchrittweiten.begin());
    }
    return {};
}

}

int KalibBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("calib", argc, argv, hilfe, [&] { return FalschesArgument(lesen(argc, argv, auftrag)); }))
        return *ende;
    return Programmlauf<QtDienste>(false, [&](Programm& p, QtDienste& dienste) {
        if (!auftrag.ausgabe.empty())
            return KStartBitBtnClick(p, auftrag.bild, [&](const KalibErgebnis&) { return auftrag.ausgabe; });
        if (!auftrag.pdf.empty()) {
            PdfPrinter pdf(QString::fromLocal8Bit(auftrag.pdf.c_str()), auftrag.dpi);
            return KalibrierungDruckenBitBtnClick(p, pdf, auftrag.druck);
        }
        return DruckerWaehlen(p.ctx, dienste.drucker, auftrag.drucker)
            && KalibrierungDruckenBitBtnClick(p, dienste.drucker, auftrag.druck);
    });
}
