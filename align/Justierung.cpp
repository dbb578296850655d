#include "align/Justierung.h"

#include <cmath>

#include "align/Referenzpunkt.h"
#include "compose/Pipeline.h"
#include "raster/Justieren.h"

ImageEntry* Aktuelles_Bild(Programm& p)
{
    const int n = p.auswahl.listenZeile;
    return p.bilder.gueltig(n) ? &p.bilder.bild[static_cast<size_t>(n)] : nullptr;
}

void AutoJustierung_Vergessen(ImageEntry& bild)
{
    bild.AJRef1 = -1;
    bild.AJRef2 = -1;
    bild.AJStatus = {" ", " ", " "};
}

bool Ist_Justiert(const ImageEntry& b)
{
    return b.dx != 0.0 || b.dy != 0.0 || b.rot != 0.0 || b.vx != 0.0 || b.vy != 0.0 || b.skal != 1.0 || b.refModus
        || b.spiegelX || b.spiegelY || b.konturen;
}

void Justierung_Zuruecksetzen(ImageEntry& b)
{
    b.dx = b.dy = b.rot = b.vx = b.vy = 0.0;
    b.skal = 1.0;
    b.istReferenzbild = b.refModus = false;
    b.refX = b.refY = 0;
    b.spiegelX = b.spiegelY = b.konturen = false;
}

void Punkt_Zur_Verschiebung(ImageEntry& b, const RefInfo& ref)
{
    if (b.refModus) {
        b.dx = static_cast<double>(int64_t{ref.x} - b.refX);
        b.dy = static_cast<double>(int64_t{b.refY} - ref.y);
    }
    b.istReferenzbild = b.refModus = false;
    b.refX = b.refY = 0;
}

void Referenz_Aufheben(RefInfo& ref)
{
    ref.referenzbild = -1;
    ref.x = ref.y = 0;
    ref.setzModus = false;
}

bool Alle_Bilder_Bearbeiten(Programm& p, const std::function<bool(ImageEntry&, int)>& aendern)
{
    Context& ctx = p.ctx;
    AppState& st = ctx.state;
    const bool warBeschaeftigt = st.busy;
    st.busy = true;
    ctx.events().setBusyCursor(true);
    ctx.setProgress(100, 0);
    const int anzahl = p.bilder.anzahl;
    for (int n = 1; n <= anzahl && !st.abort; ++n) {
        if (aendern(p.bilder.bild[static_cast<size_t>(n)], n))
            Justiere_Bild(p, n);
        ctx.setProgress(100, static_cast<int32_t>(std::nearbyint(n * 100.0 / anzahl)));
        ctx.pump();
    }
    ctx.events().setBusyCursor(false);
    st.busy = warBeschaeftigt;
    return !st.abort;
}

bool Mit_Punkt(ImageEntry& bild, int)
{
    return bild.refModus;
}

void Nach_Justierung(Programm& p, int level)
{
    if (p.ctx.state.abort)
        Abbruch_Behandlung(p);
    else
        Schleife(p, level);
}

void Einzelbild_Justieren(Programm& p, const std::function<void(ImageEntry&)>& aenderung)
{
    ImageEntry* bild = Aktuelles_Bild(p);
    if (p.ctx.state.busy || !bild)
        return;
    AutoJustierung_Vergessen(*bild);
    aenderung(*bild);
    Nach_Justierung(p, 2);
}

void JustVerschiebungClick(Programm& p, double sx, double sy)
{
    Einzelbild_Justieren(p, [&](ImageEntry& bild) {
        if (!bild.refModus) {
            bild.dx += sx;
            bild.dy += sy;
            return;
        }
        bild.refX -= static_cast<int32_t>(std::nearbyint(sx));
        bild.refY += static_cast<int32_t>(std::nearbyint(sy));
        if (bild.istReferenzbild) {
            p.refInfo.x = bild.refX;
            p.refInfo.y = bild.refY;
            AlleReferenzPunkteAuswerten(p, true);
        }
    });
}

void JustVerschiebungAlleClick(Programm& p, int r, int sx, int sy, bool alles)
{
    if (p.ctx.state.busy || p.bilder.anzahl < 1)
        return;
    RefInfo& ref = p.refInfo;
    Alle_Bilder_Bearbeiten(p, [&](ImageEntry& bild, int n) {
        const int d = n - r;
        Punkt_Zur_Verschiebung(bild, ref);
        const bool null = sx == 0 && sy == 0;
        bild.dx = null ? 0.0 : bild.dx + d * sx;
        bild.dy = null ? 0.0 : bild.dy + d * sy;
        if (alles) {
            bild.rot = bild.vx = bild.vy = 0.0;
            bild.skal = 1.0;
        }
        AutoJustierung_Vergessen(bild);
        return true;
    });
    Referenz_Aufheben(ref);
    Nach_Justierung(p, 2);
}
