#include "commands/Batch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "align/Ausschnitt.h"
#include "align/AutoJustierung.h"
#include "commands/Bilder.h"
#include "commands/Liste.h"
#include "compose/Pipeline.h"
#include "core/Format.h"
#include "imageio/Datei.h"
#include "imageio/Jps.h"
#include "imageio/Mpo.h"
#include "raster/Justieren.h"

namespace fs = std::filesystem;
using Sprache::MeldungNr;
using Sprache::Titel;

namespace {

// A folder as the run compares it: absolute, without a trailing separator.
fs::path ordnerPfad(const std::string& ordner)
{
    if (ordner.empty())
        return {};
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(ordner), ec).lexically_normal();
    if (!p.has_filename() && p.has_relative_path())
        p = p.parent_path();
    return p;
}

// Case-insensitive name order, names differing only in case by their bytes.
bool vorher(const fs::path& a, const fs::path& b)
{
    const std::string na = a.filename().string(), nb = b.filename().string();
    const std::string ka = lowerAscii(na), kb = lowerAscii(nb);
    return ka != kb ? ka < kb : na < nb;
}

std::vector<fs::directory_entry> eintraege(const fs::path& ordner)
{
    std::vector<fs::directory_entry> liste;
    std::error_code ec;
    for (fs::directory_iterator it(ordner, ec), ende; !ec && it != ende; it.increment(ec))
        liste.push_back(*it);
    std::sort(liste.begin(), liste.end(), [](const auto& a, const auto& b) { return vorher(a.path(), b.path()); });
    return liste;
}

bool versteckt(const fs::path& p)
{
    return p.filename().string().starts_with(".");
}

// A visible file whose name ends in the pattern's extension ("*.JPG" takes "a.jpg").
bool passt(const fs::directory_entry& e, const std::string& muster)
{
    const std::string endung = upperAscii(muster.substr(std::min(muster.size(), size_t{1})));
    const std::string name = upperAscii(e.path().filename().string());
    std::error_code ec;
    return !versteckt(e.path()) && name.size() > endung.size() && name.ends_with(endung) && e.is_regular_file(ec);
}

// A folder the tree walk enters: visible, no link, and not the target tree itself.
bool unterordner(const fs::path& p, const fs::path& ziel)
{
    std::error_code ec;
    return !versteckt(p) && !fs::is_symlink(p, ec) && fs::is_directory(p, ec) && !fs::equivalent(p, ziel, ec);
}

std::vector<std::string> dateienIn(const fs::path& ordner, const std::string& muster)
{
    std::vector<std::string> dateien;
    for (const auto& e : eintraege(ordner))
        if (passt(e, muster))
            dateien.push_back(e.path().string());
    return dateien;
}

void sammeln(const BatchSettings& s, const fs::path& ziel, const fs::path& ordner, BatchLauf& l)
{
    const std::vector<std::string> dateien = dateienIn(ordner, s.muster);
    if (!dateien.empty())
        l.ordner.push_back(ordner.string());
    l.dateien.insert(l.dateien.end(), dateien.begin(), dateien.end());
    if (!s.unterordner)
        return;
    for (const auto& e : eintraege(ordner))
        if (unterordner(e.path(), ziel))
            sammeln(s, ziel, e.path(), l);
}

// The file type of the sources, the pattern's last three characters ("JPG").
std::string dateityp(const std::string& muster)
{
    return upperAscii(muster.substr(muster.size() - std::min(muster.size(), size_t{3})));
}

bool stereodatei(const std::string& typ)
{
    return typ == "MPO" || typ == "JPS";
}

// Every image out of the set: files deleted, list empty, preview mode "keine", picture cleared.
void bilderEntfernen(Programm& p)
{
    p.bilder.Leeren();
    p.auswahl = Auswahl{};
    p.ctx.display().clearPreview();
    // A failure has been reported by now: the next file starts afresh.
    p.ctx.state.abort = false;
}

std::string stamm(const std::string& datei)
{
    return fs::path(datei).stem().string();
}

// One image saved on its own: its number, and its name as base + suffix + side.
struct Einzelbild {
    int n;
    std::string basis, seite;
};

// The outputs of one source folder.
class Ordnerlauf {
public:
    Ordnerlauf(Programm& p, fs::path ziel) : p_(p), s_(p.batch), ziel_(std::move(ziel)), typ_(dateityp(s_.muster)) {}
    void einzelbilder();
    void serie();
    void stereodateien();

private:
    bool gestoppt() const { return p_.batchLauf.abbruch; }
    ImageEntry& bild(int n) { return p_.bilder.bild[static_cast<size_t>(n)]; }
    // The type the images are saved in: the sources' own, JPEG for the halves of stereo files.
    std::string bildTyp() const { return stereodatei(typ_) ? "JPG" : typ_; }
    // Loads files as the add-images command does; true with an image loaded
    // and no computation failed on the way.
    bool laden(const std::vector<std::string>& dateien);
    // The colour options of the panel for every image, and the images aligned
    // anew with them; false when one of them failed (after its message), as
    // then the aligned images are incomplete and nothing must be made of them.
    bool farbeAnwenden();
    // Loads files as one series, aligns and cuts them, saves the aligned images and the results.
    void ausrichten(const std::vector<std::string>& dateien);
    bool justieren();
    // Every image under its source's name, or images L and R of stereo file datei with "_L" and "_R".
    std::vector<Einzelbild> einzeln(const std::string& datei) const;
    void ergebnisse(const std::string& basis);
    using Paarschreiber = bool (*)(Context&, const std::string&, const RasterSlot&, const RasterSlot&);
    void paarSpeichern(Paarschreiber schreiben, const fs::path& datei);
    fs::path pfad(const std::string& basis, const std::string& zusatz, const std::string& endung) const
    {
        return ziel_ / (basis + zusatz + "." + endung);
    }
    bool schreibbar(const fs::path& datei) const;
    void speichern(int n, int slot, const fs::path& datei, const std::string& format);
    void kopieren(int n, const fs::path& datei);

    Programm& p_;
    const BatchSettings& s_;
    fs::path ziel_;
    std::string typ_;
};

bool Ordnerlauf::laden(const std::vector<std::string>& dateien)
{
    p_.batchLauf.datei = dateien.front();
    const int abgebrochen = p_.ctx.state.abgebrocheneLaeufe;
    BatchNeuButtonClick(p_, dateien);
    // Images whose computation failed on the way are not what the files hold.
    return p_.bilder.anzahl > 0 && !gestoppt() && p_.ctx.state.abgebrocheneLaeufe == abgebrochen;
}

bool Ordnerlauf::farbeAnwenden()
{
    bool ok = true;
    for (int n = 1; n <= p_.bilder.anzahl && !gestoppt(); ++n) {
        ImageEntry& e = bild(n);
        e.konturen = s_.farbModus == BatchFarbeKonturen;
        e.histo = s_.farbModus == BatchFarbeAuto || e.konturen;
        e.histoMax = s_.verstaerkt || e.konturen;
        e.inversVergenz = !s_.negativ;
        ok = Justiere_Bild(p_, n) && ok;
    }
    return ok && !gestoppt();
}

bool Ordnerlauf::justieren()
{
    // The middle image, whichever reference an earlier folder left.
    p_.autoJust.referenzbild = 0;
    if (!StartOFButtonClick(p_) || gestoppt())
        return false;
    // The images are cut for good: a region alone would change no output.
    const int abgebrochen = p_.ctx.state.abgebrocheneLaeufe;
    if (s_.zuschnitt
        && !AusschnittVerwendenButtonClick(p_, Ausschnitt_Anwenden(Druckbereich_PosInit_TRANS(p_), Ergebnisgroesse(p_))))
        return false;
    return !gestoppt() && p_.ctx.state.abgebrocheneLaeufe == abgebrochen;
}

std::vector<Einzelbild> Ordnerlauf::einzeln(const std::string& datei) const
{
    std::vector<Einzelbild> bilder;
    const Auswahl& a = p_.auswahl;
    if (stereodatei(typ_)) {
        bilder.push_back({a.bildL, stamm(datei), "_L"});
        if (a.bildR != a.bildL)
            bilder.push_back({a.bildR, stamm(datei), "_R"});
        return bilder;
    }
    for (int n = 1; n <= p_.bilder.anzahl; ++n)
        bilder.push_back({n, stamm(p_.bilder.bild[static_cast<size_t>(n)].slot[SlotQuelle].pfad), ""});
    return bilder;
}

bool Ordnerlauf::schreibbar(const fs::path& datei) const
{
    std::error_code ec;
    return !gestoppt() && (s_.ueberschreiben || !fs::exists(datei, ec));
}

void Ordnerlauf::speichern(int n, int slot, const fs::path& datei, const std::string& format)
{
    if (schreibbar(datei))
        BildspeichernUnter(p_, n, slot, datei.string(), format);
}

void Ordnerlauf::kopieren(int n, const fs::path& datei)
{
    const RasterSlot& quelle = bild(n).slot[SlotQuelle];
    if (schreibbar(datei) && Speichern_Pruefen(p_.ctx, datei.string(), quelle.breite, quelle.hoehe)
        && !DateiKopieren(p_.ctx.files(), quelle.pfad, datei.string()))
        p_.ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(MeldungNr::DateiSpeicherFehler), datei, true));
}

void Ordnerlauf::einzelbilder()
{
    for (const std::string& datei : std::vector<std::string>(p_.batchLauf.dateien)) {
        if (gestoppt())
            return;
        if (laden({datei})) {
            const bool optimiert = farbeAnwenden();
            for (const Einzelbild& b : einzeln(datei)) {
                if (optimiert)
                    speichern(b.n, SlotJustiert, pfad(b.basis, s_.suffixFarbOptimiert + b.seite, bildTyp()), bildTyp());
                if (s_.original)
                    kopieren(b.n, pfad(b.basis, s_.suffixOriginal + b.seite, bildTyp()));
            }
        }
        bilderEntfernen(p_);
    }
}

void Ordnerlauf::serie()
{
    const std::vector<std::string> dateien = p_.batchLauf.dateien;
    // The warnings name the folder passed over.
    const auto ausgelassen = [&](const char* text) {
        p_.ctx.message(Titel::Warnung, std::string(text) + "\n" + fs::path(dateien.front()).parent_path().string());
    };
    if (dateien.size() > static_cast<size_t>(MaxBilder))
        ausgelassen(Sprache::BatchZuVieleDateien);
    else if (dateien.size() == 1)
        ausgelassen(Sprache::BatchEineDatei);
    else if (!dateien.empty())
        ausrichten(dateien);
}

void Ordnerlauf::stereodateien()
{
    for (const std::string& datei : std::vector<std::string>(p_.batchLauf.dateien))
        if (!gestoppt())
            ausrichten({datei});
}

void Ordnerlauf::ausrichten(const std::vector<std::string>& dateien)
{
    if (laden(dateien) && justieren() && farbeAnwenden()) {
        for (const Einzelbild& b : einzeln(dateien.front()))
            if (s_.justiert)
                speichern(b.n, SlotJustiert, pfad(b.basis, s_.suffixJustiert + b.seite, bildTyp()), bildTyp());
        ergebnisse(stamm(dateien.front()));
    }
    bilderEntfernen(p_);
}

void Ordnerlauf::ergebnisse(const std::string& basis)
{
    const struct {
        bool an;
        int32_t modus;
        const std::string& zusatz;
    } arten[] = {{s_.anaglyph, VorschauAnaglyph, s_.suffixAnaglyph},
                 {s_.stereo, VorschauStereo, s_.suffixStereo},
                 {s_.streifen, VorschauStreifen, s_.suffixStreifen}};
    for (const auto& art : arten) {
        if (!art.an || gestoppt())
            continue;
        const int abgebrochen = p_.ctx.state.abgebrocheneLaeufe;
        VorschauRadioGroupClick(p_, art.modus);
        // A composition that failed has left the preview mode "keine", or a
        // later step of it failed: either way there is no whole result.
        if (p_.auswahl.vorschau == art.modus && p_.ctx.state.abgebrocheneLaeufe == abgebrochen)
            speichern(0, SlotFarbErgebnis, pfad(basis, art.zusatz, s_.ergebnisTyp), s_.ergebnisTyp);
    }
    if (s_.jps)
        paarSpeichern(JPS_Schreiben, pfad(basis, s_.suffixJustiert, "JPS"));
    if (s_.mpo)
        paarSpeichern(MPO_Schreiben, pfad(basis, s_.suffixJustiert, "MPO"));
}

// Images L and R as aligned (and cut) in one stereo file.
void Ordnerlauf::paarSpeichern(Paarschreiber schreiben, const fs::path& datei)
{
    const Auswahl& a = p_.auswahl;
    if (!p_.bilder.gueltig(a.bildL) || !p_.bilder.gueltig(a.bildR) || a.bildL == a.bildR || !schreibbar(datei))
        return;
    const RasterSlot& l = bild(a.bildL).slot[SlotJustiert];
    const RasterSlot& r = bild(a.bildR).slot[SlotJustiert];
    if (Speichern_Pruefen(p_.ctx, datei.string(), l.breite + r.breite, std::max(l.hoehe, r.hoehe)))
        schreiben(p_.ctx, datei.string(), l, r);
}

// One folder of the list; false when its target folder cannot be made, which ends the run.
bool ordnerBearbeiten(Programm& p, const std::string& ordner)
{
    const BatchSettings& s = p.batch;
    const fs::path ziel = (ordnerPfad(s.ziel) / Batch_Ordnername(p, ordner)).lexically_normal();
    std::error_code ec;
    fs::create_directories(ziel, ec);
    if (!fs::is_directory(ziel, ec)) {
        p.ctx.message(Titel::Fehler, MitDatei(Sprache::BatchOrdnerFehler, ziel, true));
        return false;
    }
    p.batchLauf.dateien = dateienIn(ordner, s.muster);
    Ordnerlauf lauf(p, ziel);
    if (s.einzelbilder && s.farbOptimiert)
        lauf.einzelbilder();
    if (s.serien && !p.batchLauf.abbruch) {
        if (stereodatei(dateityp(s.muster)))
            lauf.stereodateien();
        else
            lauf.serie();
    }
    return true;
}

}

void Arbeitslisten_Leeren(Programm& p)
{
    p.batchLauf.ordner.clear();
    p.batchLauf.dateien.clear();
}

void Batch1ButtonClick(Programm& p)
{
    p.ctx.events().setBusyCursor(true);
    Arbeitslisten_Leeren(p);
    if (!p.batch.quelle.empty())
        sammeln(p.batch, ordnerPfad(p.batch.ziel), ordnerPfad(p.batch.quelle), p.batchLauf);
    p.ctx.events().setBusyCursor(false);
}

bool Batch_Ordner_Waehlen(Programm& p, const std::string& ordner)
{
    Arbeitslisten_Leeren(p);
    const BatchSettings& s = p.batch;
    const fs::path quelle = ordnerPfad(s.quelle), ziel = ordnerPfad(s.ziel), pfad = ordnerPfad(ordner);
    const fs::path relativ = pfad.lexically_relative(quelle);
    if (s.quelle.empty() || relativ.empty() || *relativ.begin() == ".." || (relativ != "." && !s.unterordner))
        return false;
    // Every level below the root is one the tree walk enters.
    fs::path weg = quelle;
    for (const fs::path& teil : relativ) {
        if (teil == ".")
            continue;
        weg /= teil;
        if (!unterordner(weg, ziel))
            return false;
    }
    std::vector<std::string> dateien = dateienIn(pfad, s.muster);
    if (dateien.empty())
        return false;
    p.batchLauf.ordner = {pfad.string()};
    p.batchLauf.dateien = std::move(dateien);
    return true;
}

std::string Batch_Ordnername(const Programm& p, const std::string& ordner)
{
    return ordnerPfad(ordner).lexically_relative(ordnerPfad(p.batch.quelle)).string();
}

bool BatchStartBitBtnClick(Programm& p)
{
    Context& ctx = p.ctx;
    BatchLauf& l = p.batchLauf;
    if (ctx.state.busy || l.laeuft)
        return false;
    const auto verweigern = [&](const char* text) {
        ctx.message(Titel::Warnung, text);
        return false;
    };
    if (p.bilder.anzahl > 0)
        return verweigern(Sprache::BatchBilderGeladen);
    if (p.batch.quelle.empty())
        return verweigern(Sprache::BatchQuelleFehlt);
    if (l.ordner.empty() || l.dateien.empty())
        return verweigern(Sprache::BatchKeineDateien);
    if (p.batch.ziel.empty())
        return verweigern(Sprache::BatchZielFehlt);

    p.farbe.histoAlle = false;
    p.farbe.histoMax = false;
    ctx.events().setBusyCursor(true);
    l.laeuft = true;
    l.abbruch = false;
    ctx.state.abort = false;
    const std::vector<std::string> ordner = l.ordner;
    bool vollstaendig = true;
    for (size_t i = 0; i < ordner.size() && vollstaendig; ++i) {
        l.ordnerNr = static_cast<int32_t>(i + 1);
        ctx.pump();
        vollstaendig = !l.abbruch && ordnerBearbeiten(p, ordner[i]) && !l.abbruch;
    }

    bilderEntfernen(p);
    l.laeuft = false;
    l.abbruch = false;
    l.ordnerNr = 0;
    l.datei.clear();
    ctx.state.abort = false;
    ctx.events().setBusyCursor(false);
    ctx.setProgress(100, 0);
    return vollstaendig;
}

void Batch_Stoppen(Programm& p)
{
    if (!p.batchLauf.laeuft || p.batchLauf.abbruch)
        return;
    p.batchLauf.abbruch = true;
    Berechnung_Stoppen(p);
    // Whatever runs now, a pipeline or not, unwinds at its next row.
    p.ctx.state.abort = true;
}
