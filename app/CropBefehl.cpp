#include <charconv>
#include <cstdint>
#include <optional>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "align/Ausschnitt.h"
#include "app/Befehle.h"
#include "commands/Liste.h"
#include "commands/Projekt.h"
#include "platform/HeadlessServices.h"

namespace fs = std::filesystem;

namespace {

const char* const hilfe =
    "Aufruf: lumivex crop PROJEKT.lvx ORDNER (--optimal | --region LINKS,OBEN,RECHTS,UNTEN)\n"
    "                     [--ratio B:H] [--format BMP|JPG] [--mode N] [--ja]\n"
    "\n"
    "Öffnet das Projekt und schreibt jedes justierte Bild und das berechnete Bild,\n"
    "auf einen Bildausschnitt zugeschnitten, in ORDNER: NAME01.BMP, NAME02.BMP, ...\n"
    "und NAME00.BMP für das berechnete Bild, wobei NAME der Name des Projekts ohne\n"
    "Endung ist. Der verwendete Ausschnitt erscheint auf stdout als\n"
    "LINKS,OBEN,RECHTS,UNTEN.\n"
    "\n"
    "  --optimal         der größte Ausschnitt, in dem kein Bild fehlende Inhalte zeigt\n"
    "  --region L,O,R,U  die Pixel der Ecken: Spalten links und rechts, Zeilen oben\n"
    "                    und unten (einschließlich)\n"
    "  --ratio B:H       verkleinert den Ausschnitt um seine Mitte auf das\n"
    "                    Seitenverhältnis B:H\n"
    "  --format F        BMP (ohne Angabe) oder JPG\n"
    "  --mode N          Vorschau-Art des berechneten Bildes: 1 Bild Links (L),\n"
    "                    2 Bild Rechts (R), 3 Anaglyph (L / R); ohne Angabe die des\n"
    "                    Projekts\n"
    "  --ja              beantwortet jede Frage mit Ja (vorhandene Dateien werden ersetzt)\n"
    "\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\". Rückgabewert: 0 Erfolg,\n"
    "1 Fehler oder Abbruch, 2 falscher Aufruf.\n";

struct Auftrag {
    std::string projekt;
    std::string ordner;
    bool optimal = false;
    bool region = false;
    Ausschnitt ausschnitt;
    int32_t verhaeltnisB = 0, verhaeltnisH = 0;
    bool jpg = false;
    int modus = -1;
    bool ja = false;
};

// Numbers separated by trenner, each whole and in [von, bis].
bool zahlen(const std::string& text, char trenner, int32_t von, int32_t bis, std::vector<int32_t>& werte)
{
    werte.clear();
    size_t anfang = 0;
    while (true) {
        const size_t ende = std::min(text.find(trenner, anfang), text.size());
        int32_t v = 0;
        const auto [rest, fehler] = std::from_chars(text.data() + anfang, text.data() + ende, v);
        if (fehler != std::errc() || rest != text.data() + ende || ende == anfang || v < von || v > bis)
            return false;
        werte.push_back(v);
        if (ende == text.size())
            return true;
        anfang = ende + 1;
    }
}

// The argument that does not fit the usage, or nothing.
std::optional<std::string> lesen(int argc, char** argv, Auftrag& a)
{
    std::vector<std::string> frei;
    std::vector<int32_t> werte;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool mitWert = arg == "--region" || arg == "--ratio" || arg == "--format" || arg == "--mode";
        if (mitWert && i + 1 >= argc)
            return arg;
        const std::string wert = mitWert ? argv[++i] : std::string();
        if (arg == "--optimal") {
            a.optimal = true;
        } else if (arg == "--ja") {
            a.ja = true;
        } else if (arg == "--region") {
            if (!zahlen(wert, ',', INT32_MIN, INT32_MAX, werte) || werte.size() != 4)
                return wert;
            a.region = true;
            a.ausschnitt = {werte[0], werte[1], werte[2], werte[3]};
        } else if (arg == "--ratio") {
            if (!zahlen(wert, ':', 1, 99999, werte) || werte.size() != 2)
                return wert;
            a.verhaeltnisB = werte[0];
            a.verhaeltnisH = werte[1];
        } else if (arg == "--format") {
            if (wert != "BMP" && wert != "JPG")
                return wert;
            a.jpg = wert == "JPG";
        } else if (arg == "--mode") {
            if (!ZahlImBereich(wert, 1, 3, a.modus))
                return wert;
        } else if (arg.rfind("--", 0) == 0) {
            return arg;
        } else {
            frei.push_back(arg);
        }
    }
    if (a.optimal == a.region)
        return std::string(a.optimal ? "--region" : "--optimal | --region");
    if (frei.size() != 2)
        return frei.size() < 2 ? std::string("ORDNER") : frei[2];
    a.projekt = frei[0];
    a.ordner = frei[1];
    return std::nullopt;
}

bool ordnerAnlegen(Context& ctx, const std::string& ordner)
{
    std::error_code ec;
    fs::create_directories(ordner, ec);
    if (fs::is_directory(ordner, ec))
        return true;
    ctx.message(Sprache::Titel::Fehler,
                std::string(Sprache::Meldung(Sprache::MeldungNr::NeueDateiFehler)) + " " + ordner);
    return false;
}

}

int CropBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("crop", argc, argv, hilfe, [&] { return FalschesArgument(lesen(argc, argv, auftrag)); }))
        return *ende;
    return Programmlauf<HeadlessServices>(auftrag.ja, [&](Programm& p, HeadlessServices&) {
        if (!ordnerAnlegen(p.ctx, auftrag.ordner) || !OeffnenAllgemein(p, auftrag.projekt))
            return false;
        if (auftrag.modus > 0 && auftrag.modus != p.auswahl.vorschau)
            VorschauRadioGroupClick(p, auftrag.modus);
        const int32_t modus = p.auswahl.vorschau;
        if (modus < VorschauBildL || modus > VorschauAnaglyph) {
            p.ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::VorschauOhneBildpaar);
            return false;
        }
        Ausschnitt a = auftrag.optimal ? Druckbereich_PosInit_TRANS(p) : auftrag.ausschnitt;
        a = Ausschnitt_Anwenden(a, Ergebnisgroesse(p));
        if (auftrag.verhaeltnisB > 0)
            a = Verhaeltnis_Anwenden(a, auftrag.verhaeltnisB, auftrag.verhaeltnisH);
        std::printf("%d,%d,%d,%d\n", a.links, a.oben, a.rechts, a.unten);
        const fs::path basis = fs::path(auftrag.ordner) / fs::path(auftrag.projekt).stem();
        return Ausschnitt_Exportieren(p, a, basis.string(), auftrag.jpg);
    });
}
