#include "commands/Einstellungen.h"

#include <cmath>

#include "raster/Justieren.h"

void Anaglyph_Farbmodus(ComposeSettings& c, int32_t modus)
{
    c.anaglyphFarbModus = modus;
    if (modus == 1)
        return;
    c.C1 = c.C2 = c.C3 = modus == 0 ? 0 : 100;
}

bool Anaglyph_Angleichen(ComposeSettings& c)
{
    if (c.C1 == c.C2 && c.C2 == c.C3)
        return false;
    c.C1 = c.C2 = c.C3 = (c.C1 + c.C2 + c.C3) / 3;
    return true;
}

void DruckEinheit_Wechseln(PrintSettings& d, bool cm)
{
    double faktor = 1.0;
    if (d.einheitCm && !cm)
        faktor = 1.0 / 2.54;
    else if (!d.einheitCm && cm)
        faktor = 2.54;
    d.einheitCm = cm;
    for (double* wert : {&d.randX, &d.randY, &d.breiteGesetzt, &d.hoeheGesetzt, &d.breite, &d.hoehe})
        *wert *= faktor;
}

bool DruckGroesse_Eingeben(Programm& p, bool breite, double wert, double angezeigt)
{
    PrintSettings& d = p.druck;
    if (wert != angezeigt) {
        p.ctx.state.modified = true;
        if (breite)
            d.breiteGesetzt = d.breite = wert;
        else
            d.hoeheGesetzt = d.hoehe = wert;
    }
    if (p.bilder.anzahl < 1)
        return false;
    if (d.proportional) {
        const RasterSlot& bild = p.auswahl.vorschau != VorschauKeine ? p.bilder.ergebnis().slot[SlotErgebnis]
                                                                      : p.bilder.bild[1].slot[SlotArbeitskopie];
        if (bild.breite > 0 && bild.hoehe > 0) {
            const double r = static_cast<double>(bild.hoehe) / bild.breite;
            if (breite)
                d.hoeheGesetzt = d.hoehe = d.breite * r;
            else
                d.breiteGesetzt = d.breite = d.hoehe / r;
        }
    }
    return true;
}

void Histo_Alle(Programm& p)
{
    AppState& st = p.ctx.state;
    st.busy = true;
    st.abort = false;
    p.ctx.events().setBusyCursor(true);
    p.ctx.setProgress(100, 0);
    const int anzahl = p.bilder.anzahl;
    for (int i = 1; i <= anzahl && !st.abort; ++i) {
        ImageEntry& bild = p.bilder.bild[static_cast<size_t>(i)];
        bild.histo = p.farbe.histoAlle;
        bild.histoMax = p.farbe.histoMax;
        Justiere_Bild(p, i);
        p.ctx.setPosition(static_cast<int32_t>(std::nearbyint(100.0 * i / anzahl)));
        p.ctx.pump();
    }
    p.ctx.setProgress(100, 0);
    st.busy = false;
    st.abort = false;
    p.ctx.events().setBusyCursor(false);
}
