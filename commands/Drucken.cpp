#include "commands/Drucken.h"

#include <filesystem>

#include "compose/Pipeline.h"
#include "imageio/Datei.h"
#include "print/Druck.h"

namespace {

using Sprache::MeldungNr;
using Sprache::Titel;

// Runs a print job with the busy flag and cursor. A flag left from an earlier
// failure must not swallow the job: nothing else runs while the busy flag is clear.
template <class Job>
bool drucken(Programm& p, Job&& job)
{
    AppState& st = p.ctx.state;
    st.busy = true;
    st.abort = false;
    p.ctx.events().setBusyCursor(true);
    const bool ok = job();
    p.ctx.events().setBusyCursor(false);
    p.ctx.setProgress(1, 0);
    st.busy = false;
    return ok;
}

// The general limits for the prints at the print size; a violation resets the preview.
bool grenzenEingehalten(Programm& p)
{
    if (Test_MaxAll(p))
        return true;
    Abbruch_Behandlung(p);
    return false;
}

}

bool DruckButtonClick(Programm& p, Printers& drucker)
{
    if (p.auswahl.vorschau == VorschauKeine || p.ctx.state.busy || !grenzenEingehalten(p) || !drucker.setupDialog())
        return false;
    int art = 0;
    if (p.auswahl.vorschau >= VorschauLinsenraster)
        art = p.compose.Linsenrichtung == 1 ? 2 : 1;
    return drucken(p, [&] { return Druckroutine(p, drucker, p.bilder.ergebnis().slot[SlotFarbErgebnis], art); });
}

bool KalibrierungDruckenBitBtnClick(Programm& p, Printers& drucker, const KalibDruck& k)
{
    if (p.ctx.state.busy || !Test_MaxKalibDruck(p.ctx, k.lpi) || !drucker.setupDialog())
        return false;
    return drucken(p, [&] { return Testmuster_Drucken(p, drucker, k); });
}

bool BarrierDruckButtonClick(Programm& p, Printers& drucker)
{
    if (p.ctx.state.busy || !grenzenEingehalten(p) || !drucker.setupDialog())
        return false;
    return drucken(p, [&] { return Barrier_Drucken(p, drucker); });
}

bool AnaglyphKalibrierungDruckenBitBtnClick(Programm& p, Printers& drucker)
{
    if (p.ctx.state.busy || !drucker.setupDialog())
        return false;
    return drucken(p, [&] { return Farbtabelle_Drucken(p, drucker); });
}

bool KStartBitBtnClick(Programm& p, const KalibBild& k,
                       const std::function<std::string(const KalibErgebnis&)>& zielWaehlen)
{
    Context& ctx = p.ctx;
    AppState& st = ctx.state;
    if (st.busy)
        return false;
    st.abort = false;
    if (!Test_MaxKalibBitmap(ctx, k))
        return false;
    st.busy = true;
    st.reporting = true;
    ctx.setProgress(1, 0);
    ctx.events().setBusyCursor(true);
    KalibErgebnis e;
    const int slot = Kalibrierungsbild(p, k, e);
    ctx.events().setBusyCursor(false);
    st.reporting = false;
    ctx.setProgress(1, 0);
    bool ok = false;
    const std::string datei = slot >= 0 ? zielWaehlen(e) : std::string();
    if (!datei.empty()) {
        st.bildOeffnenOrdner = st.bildSpeichernOrdner = std::filesystem::absolute(datei).parent_path();
        if (isReadOnly(datei)) {
            ctx.message(Titel::Information, MeldungNr::Schreibgeschuetzt);
        } else {
            ok = DateiKopieren(ctx.files(), p.bilder.ergebnis().slot[static_cast<size_t>(slot)].pfad, datei);
            if (!ok)
                ctx.message(Titel::Fehler, MeldungNr::DateiSpeicherFehler);
        }
    }
    st.abort = false;
    st.busy = false;
    return ok;
}

void Drucker_Pruefen(Programm& p)
{
    if (!p.ctx.printers().names().empty())
        return;
    p.compose.dpiAuto = false;
    p.ctx.message(Titel::Warnung, MeldungNr::KeinDrucker);
}
