#include "raster/Referenzmarke.h"

#include <algorithm>
#include <cstdlib>

#include "raster/RasterImage.h"

namespace {

// One bar pixel at distance d across the bar from its middle line: black on
// the line, white beside it, inverted further out.
void markPixel(uint8_t* px, int64_t d)
{
    for (int c = 0; c < 3; ++c) {
        if (d == 0)
            px[c] = 0;
        else if (d == 1)
            px[c] = 255;
        else
            px[c] = static_cast<uint8_t>(255 - px[c]);
    }
}

}

void Referenzmarke_Zeichnen(Context& ctx, RasterSlot& slot, int32_t spalte, int32_t zeile, int32_t groesse)
{
    const int64_t b = groesse / 2;
    const int64_t a = (10 * int64_t{groesse}) / 2;
    const int64_t c = spalte;
    const int64_t r = zeile;
    SlotCloser schliessen(slot);
    OeffneSchreiben(slot);
    const int64_t top = std::max<int64_t>(r - a, 0);
    const int64_t bottom = std::min<int64_t>(r + a, slot.hoehe - 1);
    ctx.setProgress(static_cast<int32_t>(std::max<int64_t>(bottom - top, 0)), 0);
    Zeile view;
    for (int64_t y = top; y <= bottom; ++y) {
        uint8_t* row = SchreibeZeile(ctx, slot, static_cast<int32_t>(y), view);
        const int64_t dy = std::abs(y - r);
        // The vertical bar first, then the horizontal one over its result; each
        // pixel's change depends on that pixel alone, so one row at a time will do.
        for (int64_t x = std::max<int64_t>(c - b, 0); x <= std::min<int64_t>(c + b, slot.breite - 1); ++x)
            if (std::abs(x - c) > 1 || dy > 1)
                markPixel(row + 3 * x, std::abs(x - c));
        if (dy <= b)
            for (int64_t x = std::max<int64_t>(c - a, 0); x <= std::min<int64_t>(c + a, slot.breite - 1); ++x)
                if (std::abs(x - c) > 1 || dy > 1)
                    markPixel(row + 3 * x, dy);
        GibZeileFrei(view);
        ctx.rowDone(static_cast<int32_t>(y - top));
    }
}
