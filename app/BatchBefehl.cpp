#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Befehle.h"
#include "commands/Batch.h"
#include "commands/Projekt.h"
#include "core/Abbruch.h"
#include "core/Format.h"
#include "platform/HeadlessServices.h"

namespace fs = std::filesystem;

namespace {

const char* const hilfe =
    "Aufruf: lumivex batch QUELLE ZIEL [OPTIONEN] [--list | --only ORDNER]\n"
    "\n"
    "Stapelverarbeitung: jede passende Datei im Ordnerbaum QUELLE wird farboptimiert,\n"
    "die Dateien jedes Ordners (jede Stereodatei) werden als eine Bildserie\n"
    "automatisch justiert und zugeschnitten, und alles entsteht im gleich\n"
    "aufgebauten Ordnerbaum unter ZIEL: NAME_orig, NAME_edit und NAME_just (je\n"
    "Ausgangsbild), ERSTES_anaglyph, ERSTES_stereo und ERSTES_stripes (je Ordner,\n"
    "nach dem Namen der ersten Datei), bei Stereodateien mit _L und _R.\n"
    "\n"
    "  --pattern MUSTER     die Ausgangsbilder: *.JPG (Vorgabe), *.BMP, *.TIF, *.TGA,\n"
    "                       oder die Stereodateien *.MPO, *.JPS\n"
    "  --no-subfolders      nur QUELLE selbst, ohne Unterordner\n"
    "  --no-single          keine Einzelbilder (Auto-Bildoptimierung aus)\n"
    "  --no-series          keine Serien (Auto-Justierung aus)\n"
    "  --colour ART         Bildoptimierung: auto (Vorgabe), strong (verstärkt),\n"
    "                       contours (Kanten / Konturen), none\n"
    "  --negative           Negativdarstellung\n"
    "  --no-crop            kein Auto-Zuschnitt nach der Justierung\n"
    "  --results LISTE      Ergebnisse, durch Kommas getrennt: anaglyph (Vorgabe),\n"
    "                       stereo, stripes, jps, mpo (das justierte Bildpaar als\n"
    "                       NAME_just.JPS / .MPO), oder none\n"
    "  --type TYP           Dateityp der Ergebnisse: JPG (Vorgabe), BMP, TIF, TGA\n"
    "  --outputs LISTE      gespeicherte Ausgangsbilder: orig, edit, just (Vorgabe:\n"
    "                       alle), oder none\n"
    "  --suffix NAME=TEXT   Namenszusatz von anaglyph, stereo, stripes, orig, edit\n"
    "                       oder just (Vorgabe: _NAME)\n"
    "  --keep               vorhandene Dateien bleiben, statt ersetzt zu werden\n"
    "  --symmetric          Auto-Justierung: bei 2 Bildern Korrektur beider Bilder\n"
    "  --fine               Auto-Justierung mit Feinjustierung in voller Auflösung\n"
    "  --settings PROJEKT   Anaglyphen-, Stereobild-, Streifen-, Farb- und\n"
    "                       Druckeinstellungen aus einer Projekt-Datei (.lvx)\n"
    "  --list               schreibt die Arbeitsliste auf stdout: die Ordner mit\n"
    "                       passenden Dateien in der Reihenfolge der Bearbeitung,\n"
    "                       einer je Zeile, relativ zu QUELLE (\".\" ist QUELLE)\n"
    "  --only ORDNER        bearbeitet nur diesen Ordner der Arbeitsliste (relativ\n"
    "                       zu QUELLE oder absolut); Läufe auf verschiedenen Ordnern\n"
    "                       schreiben nie dieselbe Datei\n"
    "\n"
    "Verteilt auf mehrere Prozesse oder Rechner, zum Beispiel mit GNU parallel:\n"
    "  lumivex batch Q Z --list | parallel lumivex batch Q Z --only {}\n"
    "\n"
    "Jede Datei entsteht unter einem verborgenen Namen neben ihrem Ziel und wird\n"
    "erst fertig umbenannt. SIGINT und SIGTERM beenden den Lauf nach dem\n"
    "laufenden Schritt. Meldungen erscheinen auf stderr als \"Titel: Text\".\n"
    "Rückgabewert: 0 Erfolg, 1 Fehler, Warnung oder Abbruch, 2 falscher Aufruf.\n";

struct Auftrag {
    BatchSettings s;
    bool symmetrisch = false;
    bool fein = false;
    std::string einstellungen;
    bool liste = false;
    std::optional<std::string> nur;
};

// Sets the switches named in a comma list (or none of them for "none"); false for an unknown name.
template <size_t N>
bool schalterLesen(const std::string& liste, const std::pair<const char*, bool BatchSettings::*> (&namen)[N],
                   BatchSettings& s)
{
    for (const auto& [name, schalter] : namen)
        s.*schalter = false;
    if (liste == "none")
        return true;
    size_t anfang = 0;
    while (anfang <= liste.size()) {
        const size_t ende = std::min(liste.find(',', anfang), liste.size());
        const std::string wort = liste.substr(anfang, ende - anfang);
        bool bekannt = false;
        for (const auto& [name, schalter] : namen)
            if (wort == name)
                bekannt = s.*schalter = true;
        if (!bekannt)
            return false;
        anfang = ende + 1;
    }
    return true;
}

bool wertLesen(const std::string& arg, const std::string& wert, Auftrag& a)
{
    BatchSettings& s = a.s;
    if (arg == "--pattern") {
        const std::string muster = upperAscii(wert);
        for (const char* m : Sprache::Tafel::BatchMuster)
            if (muster == m)
                s.muster = muster;
        return s.muster == muster;
    }
    if (arg == "--colour") {
        const std::pair<const char*, int32_t> arten[] = {
            {"none", BatchFarbeKeine}, {"auto", BatchFarbeAuto}, {"strong", BatchFarbeAuto}, {"contours", BatchFarbeKonturen}};
        for (const auto& [name, modus] : arten)
            if (wert == name) {
                s.farbModus = modus;
                s.verstaerkt = wert == "strong";
                return true;
            }
        return false;
    }
    if (arg == "--results") {
        const std::pair<const char*, bool BatchSettings::*> namen[] = {{"anaglyph", &BatchSettings::anaglyph},
                                                                       {"stereo", &BatchSettings::stereo},
                                                                       {"stripes", &BatchSettings::streifen},
                                                                       {"jps", &BatchSettings::jps},
                                                                       {"mpo", &BatchSettings::mpo}};
        return schalterLesen(wert, namen, s);
    }
    if (arg == "--outputs") {
        const std::pair<const char*, bool BatchSettings::*> namen[] = {
            {"orig", &BatchSettings::original}, {"edit", &BatchSettings::farbOptimiert}, {"just", &BatchSettings::justiert}};
        return schalterLesen(wert, namen, s);
    }
    if (arg == "--type") {
        for (const char* typ : Sprache::Tafel::BatchTypen)
            if (upperAscii(wert) == typ)
                s.ergebnisTyp = typ;
        return s.ergebnisTyp == upperAscii(wert);
    }
    if (arg == "--suffix") {
        const std::pair<const char*, std::string BatchSettings::*> namen[] = {
            {"anaglyph", &BatchSettings::suffixAnaglyph}, {"stereo", &BatchSettings::suffixStereo},
            {"stripes", &BatchSettings::suffixStreifen},  {"orig", &BatchSettings::suffixOriginal},
            {"edit", &BatchSettings::suffixFarbOptimiert}, {"just", &BatchSettings::suffixJustiert}};
        const size_t gleich = wert.find('=');
        const std::string zusatz = gleich == std::string::npos ? std::string() : wert.substr(gleich + 1);
        // The suffix is part of a file name.
        if (zusatz.find('/') != std::string::npos)
            return false;
        for (const auto& [name, feld] : namen)
            if (wert.substr(0, gleich) == name && gleich != std::string::npos) {
                s.*feld = zusatz;
                return true;
            }
        return false;
    }
    if (arg == "--settings")
        a.einstellungen = wert;
    else
        a.nur = wert;
    return !wert.empty();
}

// The argument that does not fit the usage, or nothing.
std::optional<std::string> lesen(int argc, char** argv, Auftrag& a)
{
    const std::vector<std::string> mitWert{"--pattern", "--colour", "--results", "--outputs", "--type",
                                           "--suffix",  "--settings", "--only"};
    const std::pair<const char*, bool BatchSettings::*> aus[] = {{"--no-subfolders", &BatchSettings::unterordner},
                                                                 {"--no-single", &BatchSettings::einzelbilder},
                                                                 {"--no-series", &BatchSettings::serien},
                                                                 {"--no-crop", &BatchSettings::zuschnitt},
                                                                 {"--keep", &BatchSettings::ueberschreiben}};
    std::vector<std::string> frei;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        bool erkannt = false;
        for (const auto& [name, schalter] : aus)
            if (arg == name) {
                a.s.*schalter = false;
                erkannt = true;
            }
        if (erkannt)
            continue;
        if (std::find(mitWert.begin(), mitWert.end(), arg) != mitWert.end()) {
            if (i + 1 >= argc || !wertLesen(arg, argv[i + 1], a))
                return arg + (i + 1 < argc ? " " + std::string(argv[i + 1]) : std::string());
            ++i;
        } else if (arg == "--negative") {
            a.s.negativ = true;
        } else if (arg == "--symmetric") {
            a.symmetrisch = true;
        } else if (arg == "--fine") {
            a.fein = true;
        } else if (arg == "--list") {
            a.liste = true;
        } else if (arg.rfind("-", 0) == 0) {
            return arg;
        } else {
            frei.push_back(arg);
        }
    }
    if (a.liste && a.nur)
        return std::string("--list | --only");
    if (frei.size() != 2)
        return frei.size() < 2 ? std::string(frei.empty() ? "QUELLE" : "ZIEL") : frei[2];
    a.s.quelle = frei[0];
    a.s.ziel = frei[1];
    return std::nullopt;
}

// The event pump of a headless run: a stop requested by a signal stops the batch as its stop button does.
class StoppbareEvents : public Events {
public:
    explicit StoppbareEvents(Events& innen) : innen_(innen) {}
    Programm* programm = nullptr;

    void processEvents(const AppState& state) override
    {
        innen_.processEvents(state);
        if (StoppAngefordert() && programm && !programm->batchLauf.abbruch)
            Batch_Stoppen(*programm);
    }
    void setBusyCursor(bool busy) override { innen_.setBusyCursor(busy); }

private:
    Events& innen_;
};

}

int BatchBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("batch", argc, argv, hilfe, [&] { return FalschesArgument(lesen(argc, argv, auftrag)); }))
        return *ende;
    const auto temp = TempFolder();
    if (!temp)
        return 1;
    HeadlessServices dienste(temp->pfad());
    StoppbareEvents events(dienste.events);
    Programm p(Services{dienste.messages, events, dienste.files, dienste.display, dienste.printers, dienste.textRaster});
    events.programm = &p;
    const std::string& quelle = auftrag.s.quelle;
    std::error_code ec;
    if (!fs::is_directory(quelle, ec)) {
        p.ctx.message(Sprache::Titel::Fehler, std::string(Sprache::OrdnerNichtGefunden) + " " + quelle);
        return 1;
    }
    if (!auftrag.einstellungen.empty() && !Projekteinstellungen_Laden(p, auftrag.einstellungen))
        return 1;
    p.batch = auftrag.s;
    p.autoJust.symmetrisch = auftrag.symmetrisch;
    p.autoJust.grob = !auftrag.fein;
    if (auftrag.nur) {
        const fs::path nur = fs::path(*auftrag.nur).is_absolute() ? fs::path(*auftrag.nur) : fs::path(quelle) / *auftrag.nur;
        if (!Batch_Ordner_Waehlen(p, nur.string()))
            return FalscherAufruf("batch", "'" + *auftrag.nur + "' bei --only ist kein Ordner der Arbeitsliste", hilfe);
    } else {
        Batch1ButtonClick(p);
    }
    if (auftrag.liste) {
        for (const std::string& ordner : p.batchLauf.ordner)
            std::printf("%s\n", Batch_Ordnername(p, ordner).c_str());
        return 0;
    }
    const bool ok = BatchStartBitBtnClick(p);
    p.DateienLoeschen();
    return ok && dienste.messages.failures() == 0 ? 0 : 1;
}
