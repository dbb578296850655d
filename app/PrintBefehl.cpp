#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "app/Befehle.h"
#include "app/QtBefehl.h"
#include "commands/Drucken.h"
#include "commands/Projekt.h"
#include "compose/Hilfen.h"
#include "compose/Komponisten.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex print PROJEKT.lvx (--printer NAME | --pdf DATEI.pdf) [--mode N] [--ja]\n"
    "\n"
    "Öffnet das Projekt, berechnet das Bild wie \"render\" und druckt das\n"
    "farbkorrigierte Ergebnis in der Druckgröße und mit den Rändern des Projekts.\n"
    "\n"
    "  --printer NAME   druckt auf den installierten Drucker NAME\n"
    "  --pdf DATEI.pdf  schreibt den Druck als PDF-Datei, mit der Auflösung, die\n"
    "                   die Anpassung an den Druck verwendet (die optimierte bei\n"
    "                   Linsenraster mit Bildoptimierung, sonst die des Ergebnisses)\n"
    "  --mode N         Vorschau-Art: 0 keine, 1 Bild Links (L), 2 Bild Rechts (R),\n"
    "                   3 Anaglyph (L / R), 4 Stereo (L / R), 5 Linsenraster,\n"
    "                   6 Streifen (L / R)\n"
    "  --ja             beantwortet jede Frage mit Ja\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\". Rückgabewert: 0 Erfolg,\n"
    "1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

struct Auftrag {
    std::string projekt;
    std::string drucker;
    std::string pdf;
    int modus = -1;
    bool ja = false;
};

// The argument that does not fit the usage, or none when all do.
std::optional<std::string> lesen(int argc, char** argv, Auftrag& a)
{
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool wert = i + 1 < argc;
        if (arg == "--ja") {
            a.ja = true;
        } else if (arg == "--printer" && wert && a.drucker.empty()) {
            a.drucker = argv[++i];
        } else if (arg == "--pdf" && wert && a.pdf.empty()) {
            a.pdf = argv[++i];
        } else if (arg == "--mode" && wert) {
            if (!ZahlImBereich(argv[++i], 0, VorschauStreifen, a.modus))
                return argv[i];
        } else if (arg.rfind("-", 0) == 0 || !a.projekt.empty()) {
            return arg;
        } else {
            a.projekt = arg;
        }
    }
    if (a.projekt.empty())
        return "PROJEKT.lvx";
    if (a.drucker.empty() == a.pdf.empty())
        return a.drucker.empty() ? "--printer/--pdf" : "--pdf";
    return {};
}

// The resolution the fitting to the print used: the optimised one of a
// lenticular print, otherwise the result's own across its print width.
int pdfAufloesung(const Programm& p)
{
    const ComposeSettings& c = p.compose;
    if (p.auswahl.vorschau == VorschauLinsenraster && c.DruckOptimierung)
        return static_cast<int>(c.dpiAuto ? c.dpiAutoWert : DpiListe.at(static_cast<size_t>(c.dpiIndex)));
    const double zoll = p.druck.breite * p.druck.f() / 2.54;
    return static_cast<int>(std::max<int64_t>(1, roundEven(p.bilder.bild[0].slot[SlotFarbErgebnis].breite / zoll)));
}

// A PDF page as large as the print with its margins on both sides and the
// information lines, A4 at least.
void papierWaehlen(const Programm& p, PdfPrinter& pdf)
{
    const PrintSettings& d = p.druck;
    const double f = d.f();
    // Nine-point lines at 1.2 times their size: the information block, about twenty lines and one per image.
    const double infos = d.druckInfos ? (20 + p.bilder.anzahl) * 9 * 1.2 * 2.54 / 72 : 0;
    pdf.setPaper(std::max(21.0, (2 * d.randX + d.breite) * f), std::max(29.7, (2 * d.randY + d.hoehe) * f + infos));
}

}

int PrintBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("print", argc, argv, hilfe, [&] { return FalschesArgument(lesen(argc, argv, auftrag)); }))
        return *ende;
    return Programmlauf<QtDienste>(auftrag.ja, [&](Programm& p, QtDienste& dienste) {
        if (!ErgebnisBerechnen(p, auftrag.projekt, auftrag.modus))
            return false;
        if (auftrag.pdf.empty())
            return DruckerWaehlen(p.ctx, dienste.drucker, auftrag.drucker) && DruckButtonClick(p, dienste.drucker);
        PdfPrinter pdf(QString::fromLocal8Bit(auftrag.pdf.c_str()), pdfAufloesung(p));
        papierWaehlen(p, pdf);
        return DruckButtonClick(p, pdf);
    });
}
