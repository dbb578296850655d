#include <algorithm>
#include <cerrno>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "raster/RasterImage.h"

int64_t Optimale_Aufloesung(Context& ctx, int64_t drucker, double gewuenscht)
{
    int64_t r = drucker;
    if (r < gewuenscht) {
        ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::DruckaufloesungZuGering);
        // A printer reporting no resolution would otherwise never reach the wanted one.
        r = std::max<int64_t>(r, 1);
        while (r < gewuenscht)
            r *= 2;
        return r;
    }
    // Halving keeps the printer's scale factor a whole number.
    while (r % 2 == 0 && static_cast<double>(r / 2) >= gewuenscht)
        r /= 2;
    return r;
}

Druckplan Druckanpassung_Planen(Programm& p)
{
    Context& ctx = p.ctx;
    const ImageEntry& e = p.bilder.ergebnis();
    const bool flip = p.compose.Linsenrichtung == 1;
    const double f = p.druck.f();
    const int32_t w = e.slot[SlotErgebnis].breite;
    const int32_t h = e.slot[SlotErgebnis].hoehe;
    double wc = p.druck.breite * f;
    double hc = p.druck.hoehe * f;
    if (p.druck.proportional) {
        // The proportions of the first photo; its aligned size stands in when no working copy is known.
        const ImageEntry& erstes = p.bilder.bild[1];
        const RasterSlot& s = erstes.slot[SlotArbeitskopie].breite > 0 && erstes.slot[SlotArbeitskopie].hoehe > 0
            ? erstes.slot[SlotArbeitskopie]
            : erstes.slot[SlotJustiert];
        if (flip)
            wc = s.breite * hc / s.hoehe;
        else
            hc = s.hoehe * wc / s.breite;
    }
    const double dpiX = 2.54 * w / wc;
    const double dpiY = 2.54 * h / hc;
    Druckplan plan;
    if (!p.compose.DruckOptimierung) {
        // The lens direction keeps its exact pitch; the other is stretched to square pixels.
        plan.breite = w;
        plan.hoehe = h;
        if (flip) {
            plan.breite = rasterLength(ctx, roundEven(wc / hc * h));
            p.druck.breite = 2.54 * plan.breite / dpiY / f;
        } else {
            plan.hoehe = rasterLength(ctx, roundEven(hc / wc * w));
            p.druck.hoehe = 2.54 * plan.hoehe / dpiX / f;
        }
        return plan;
    }
    double d;
    if (!p.compose.dpiAuto) {
        d = DpiListe.at(static_cast<size_t>(p.compose.dpiIndex));
    } else {
        Printers& drucker = ctx.printers();
        drucker.setCurrent(p.compose.druckerIndex);
        d = static_cast<double>(Optimale_Aufloesung(ctx, flip ? drucker.dpiY() : drucker.dpiX(), flip ? dpiY : dpiX));
        p.compose.dpiAutoWert = static_cast<int64_t>(d);
    }
    plan.breite = rasterLength(ctx, roundEven(d * wc / 2.54));
    plan.hoehe = rasterLength(ctx, roundEven(d * hc / 2.54));
    p.druck.breite = 2.54 * plan.breite / d / f;
    p.druck.hoehe = 2.54 * plan.hoehe / d / f;
    plan.bikubisch = true;
    plan.methode = p.compose.biKubMethode;
    return plan;
}

void Druckanpassung_Ausfuehren(Programm& p, const Druckplan& plan)
{
    Context& ctx = p.ctx;
    ImageEntry& e = p.bilder.ergebnis();
    const bool ok = plan.bikubisch
        ? Bikubisch(ctx, e, SlotErgebnis, SlotFarbErgebnis, plan.methode, plan.breite, plan.hoehe)
        : NaechsterNachbar(ctx, e, SlotErgebnis, SlotFarbErgebnis, plan.breite, plan.hoehe);
    if (!ok || ctx.state.abort)
        throw Abbruch{};
    e.slot[SlotErgebnis].breite = e.slot[SlotFarbErgebnis].breite;
    e.slot[SlotErgebnis].hoehe = e.slot[SlotFarbErgebnis].hoehe;
    TeileRaster(ctx, e.slot[SlotFarbErgebnis], e.slot[SlotErgebnis]);
}

bool Druckanpassung(Programm& p)
{
    if (p.ctx.state.abort)
        return false;
    return guarded(p.ctx, [&] { Druckanpassung_Ausfuehren(p, Druckanpassung_Planen(p)); });
}
