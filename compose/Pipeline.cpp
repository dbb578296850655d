#include "compose/Pipeline.h"

namespace {

void stepStart(Context& ctx, const char* level)
{
    ctx.events().setBusyCursor(true);
    ctx.state.progress.level = level;
    ctx.pump();
}

void clearProgress(AppState& st)
{
    st.progress.level.clear();
    st.progress.phase.clear();
    st.progress.step.clear();
    st.progress.max = 1;
    st.progress.pos = 0;
}

}

void JUST_LR_Anwenden(Programm& p)
{
    Auswahl& a = p.auswahl;
    if (a.justL) {
        a.listenZeile = a.bildL;
        if (a.vorschau == VorschauBildR)
            a.vorschau = VorschauBildL;
    } else if (a.justR) {
        a.listenZeile = a.bildR;
        if (a.vorschau == VorschauBildL)
            a.vorschau = VorschauBildR;
    } else {
        a.listenZeile = 0;
    }
}

void Schleife(Programm& p, int level)
{
    AppState& st = p.ctx.state;
    st.reporting = false;
    // A nested call while busy must not clear the abort flag of the running loop.
    if (st.busy)
        return;
    st.abort = false;
    if (p.bilder.anzahl == 0) {
        p.ctx.display().clearPreview();
        p.auswahl.listenZeile = 0;
        return;
    }
    st.busy = true;
    st.reporting = true;
    JUST_LR_Anwenden(p);
    if (level == 2)
        st.modified = true;
    stepStart(p.ctx, "2");
    st.progress.phase.clear();
    st.progress.step.clear();
    bool ok = true;
    if (level < 3 && !st.abort)
        ok = JUST(p);
    stepStart(p.ctx, "3");
    if (level < 4 && ok && !st.abort)
        ok = BERECHNE(p);
    stepStart(p.ctx, "4");
    if (level < 5 && ok && !st.abort)
        ok = FARBE(p);
    st.reporting = false;
    stepStart(p.ctx, "5");
    if (level < 6 && ok && !st.abort)
        ok = ABBILDUNG(p);
    stepStart(p.ctx, "6");
    if (level < 7 && ok && !st.abort)
        ZEIGEN(p);
    if (st.abort)
        ++st.abgebrocheneLaeufe;
    p.ctx.events().setBusyCursor(false);
    clearProgress(st);
    p.ctx.pump();
    st.busy = false;
    st.abort = false;
}

void Abbruch_Behandlung(Programm& p)
{
    AppState& st = p.ctx.state;
    ++st.abgebrocheneLaeufe;
    st.busy = true;
    st.reporting = false;
    p.auswahl.vorschau = VorschauKeine;
    p.ctx.events().setBusyCursor(false);
    clearProgress(st);
    p.ctx.pump();
    st.busy = false;
    st.abort = false;
    p.ctx.display().clearPreview();
}

void Berechnung_Stoppen(Programm& p)
{
    const bool laeuft = p.ctx.state.busy;
    Abbruch_Behandlung(p);
    if (laeuft) {
        p.ctx.state.busy = true;
        p.ctx.state.abort = true;
    }
}

void ZEIGEN(Programm& p)
{
    p.ctx.display().showPreview();
}
