#include "commands/Liste.h"

#include "align/Referenzpunkt.h"
#include "compose/Pipeline.h"

void ListenBoxClick(Programm& p, int n)
{
    AppState& st = p.ctx.state;
    Auswahl& a = p.auswahl;
    if (st.busy || p.bilder.anzahl < 1 || !p.bilder.gueltig(n))
        return;
    st.modified = true;
    if (a.justL) {
        a.bildL = n;
    } else if (a.justR) {
        a.bildR = n;
    } else {
        a.vorschau = VorschauBildR;
        a.justR = true;
        a.bildR = n;
    }
    if (a.vorschau == VorschauKeine) {
        a.vorschau = VorschauBildR;
        a.justR = true;
        a.bildR = n;
    }
    a.listenZeile = n;
    if (a.vorschau != VorschauLinsenraster)
        Schleife(p, 3);
}

void BildEntfernenClick(Programm& p)
{
    Auswahl& a = p.auswahl;
    const int n = a.listenZeile;
    if (!p.bilder.gueltig(n))
        return;
    const Groesse vorher = p.bilder.MaxArbeitskopie();
    if (!p.bilder.Entfernen(n)) {
        a.vorschau = VorschauKeine;
        Schleife(p, 2);
        return;
    }
    a.justL = false;
    a.justR = true;
    p.ctx.state.modified = true;
    --p.bilder.anzahl;
    if (a.listenZeile > p.bilder.anzahl)
        a.listenZeile = p.bilder.anzahl;
    if (Aktualisiere_Referenzbildnr(p) < 0)
        AlleReferenzPunkteAuswerten(p, true);
    a.bildL = a.bildR = a.listenZeile;
    if (p.bilder.anzahl > 0 && p.bilder.MaxArbeitskopie() != vorher)
        JUST(p);
    a.vorschau = p.bilder.anzahl > 0 ? VorschauBildR : VorschauKeine;
    Schleife(p, 3);
}

namespace {

void verschieben(Programm& p, int neu)
{
    if (neu < 1)
        return;
    p.ctx.state.modified = true;
    p.auswahl.listenZeile = neu;
    ListenBoxClick(p, neu);
    Aktualisiere_Referenzbildnr(p);
}

}

void HochBitBtnClick(Programm& p)
{
    if (p.bilder.gueltig(p.auswahl.listenZeile))
        verschieben(p, p.bilder.Hoch(p.auswahl.listenZeile));
}

void RunterBitBtnClick(Programm& p)
{
    if (p.bilder.gueltig(p.auswahl.listenZeile))
        verschieben(p, p.bilder.Runter(p.auswahl.listenZeile));
}

void VorschauRadioGroupClick(Programm& p, int32_t modus)
{
    AppState& st = p.ctx.state;
    Auswahl& a = p.auswahl;
    st.modified = true;
    if (modus == VorschauKeine)
        st.busy = false;
    if (st.busy)
        return;
    a.vorschau = modus;
    const bool vorherL = a.justL;
    const bool vorherR = a.justR;
    a.justL = a.justR = false;
    if (p.bilder.anzahl > 0) {
        if (modus == VorschauBildL) {
            a.justL = true;
        } else if (modus == VorschauBildR) {
            a.justR = true;
        } else if (modus >= VorschauAnaglyph) {
            a.justL = vorherL;
            a.justR = vorherR || !vorherL;
        }
    }
    Schleife(p, 3);
}
