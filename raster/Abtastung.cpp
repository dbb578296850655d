#include "raster/Abtastung.h"

#include <algorithm>

#include "raster/RasterImage.h"

void Punktabtastung(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, int64_t x0, int64_t y0,
                    int64_t schritt)
{
    // Every pixel of every row is written.
    if (RasterAnlegenUeberschreiben(ctx, ziel) != Angelegt::Ok)
        throw Abbruch{};
    if (ziel.breite <= 0 || ziel.hoehe <= 0)
        return;
    const QuelleUndZiel offen(quelle, ziel);
    const RasterSlot& von = offen.von;
    ctx.setProgress(ziel.hoehe - 1, 0);
    Zeile lesen;
    Schreibband schreiben;
    for (int32_t r = 0; r < ziel.hoehe; ++r) {
        const auto zeile = static_cast<int32_t>(std::min<int64_t>(y0 + schritt * r, von.hoehe - 1));
        const uint8_t* in = LeseZeile(ctx, von, zeile, lesen);
        uint8_t* out = schreiben.zeile(ctx, ziel, r);
        for (int64_t c = 0; c < ziel.breite; ++c)
            std::copy_n(in + 3 * (x0 + schritt * c), 3, out + 3 * c);
        GibZeileFrei(lesen);
        ctx.rowDone(r);
    }
    schreiben.schreiben();
}
