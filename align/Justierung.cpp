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

bool Jedes_Bild_Justieren(Programm& p, const std::function<bool(ImageEntry&, int)>& aendern)
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
    Jedes_Bild_Justieren(p, [&](ImageEntry& bild, int n) {
        const int d = n - r;
        double x = bild.dx, y = bild.dy;
        if (bild.refModus) {
            x = static_cast<double>(int64_t{ref.x} - bild.refX);
            y = static_cast<double>(int64_t{bild.refY} - ref.y);
        }
        bild.istReferenzbild = bild.refModus = false;
        bild.refX = bild.refY = 0;
        const bool null = sx == 0 && sy == 0;
        bild.dx = null ? 0.0 : x + d * sx;
        bild.dy = null ? 0.0 : y + d * sy;
        if (alles) {
            bild.rot = bild.vx = bild.vy = 0.0;
            bild.skal = 1.0;
        }
        AutoJustierung_Vergessen(bild);
        return true;
    });
    ref.referenzbild = -1;
    ref.x = ref.y = 0;
    ref.setzModus = false;
    Nach_Justierung(p, 2);
}
