#include <algorithm>
#include <array>
#include <cmath>

#include "raster/Farbe.h"
#include "raster/Filter.h"
#include "raster/Byte.h"
#include "raster/RasterImage.h"

namespace {

using Histogramm = std::array<int64_t, 256>;

// The stretch of one histogram as a table. Bins 0 and 255 do not count. When
// the bins never exceed the thresholds the table leaves the values as they are.
Farbtabelle stretchTable(const Histogramm& h, int64_t lowThreshold, int64_t highThreshold)
{
    int low = -1;
    int64_t sum = 0;
    for (int i = 1; i <= 254 && low < 0; ++i) {
        sum += h[static_cast<size_t>(i)];
        if (sum > lowThreshold)
            low = i;
    }
    int high = -1;
    sum = 0;
    for (int i = 254; i >= 1 && high < 0; --i) {
        sum += h[static_cast<size_t>(i)];
        if (sum > highThreshold)
            high = i;
    }
    if (low < 0 || high < 0) {
        low = 0;
        high = 255;
    }
    const int range = std::max(high - low, 1);
    Farbtabelle t{};
    for (int v = 0; v < 256; ++v)
        t[static_cast<size_t>(v)] = roundByte((v - low) * 255.0 / range);
    return t;
}

}

void HistogrammStrecken(Context& ctx, ImageEntry& entry, int slot, bool maxFarbraum)
{
    if (ctx.state.abort)
        return;
    RasterSlot& raster = entry.slot[static_cast<size_t>(slot)];
    SlotCloser schliessen(raster);
    OeffneSchreiben(raster);
    const int64_t w = raster.breite;
    // Grey, then blue, green, red as they lie in a pixel.
    std::array<Histogramm, 4> h{};
    Zeile view;
    ctx.setProgress(2 * raster.hoehe - 1, 0);
    for (int32_t y = 0; y < raster.hoehe; ++y) {
        const uint8_t* px = LeseZeile(ctx, raster, y, view);
        for (int64_t x = 0; x < w; ++x, px += 3) {
            ++h[0][static_cast<size_t>(Grauwert(px[2], px[1], px[0]))];
            for (size_t c = 0; c < 3; ++c)
                ++h[c + 1][px[c]];
        }
        GibZeileFrei(view);
        ctx.rowDone(y);
    }
    const int64_t n = w * raster.hoehe;
    std::array<Farbtabelle, 4> t{};
    for (size_t k = 0; k < 4; ++k)
        t[k] = stretchTable(h[k], n / 700, n / 250);
    // Per channel and value the mixed result is fixed, so one table per channel does it.
    std::array<Farbtabelle, 3> mix{};
    for (size_t c = 0; c < 3; ++c)
        for (size_t v = 0; v < 256; ++v)
            mix[c][v] = maxFarbraum ? t[c + 1][v] : static_cast<uint8_t>((4 * t[c + 1][v] + t[0][v]) / 5);
    for (int32_t y = 0; y < raster.hoehe; ++y) {
        uint8_t* px = SchreibeZeile(ctx, raster, y, view);
        for (int64_t x = 0; x < w; ++x, px += 3)
            for (size_t c = 0; c < 3; ++c)
                px[c] = mix[c][px[c]];
        GibZeileFrei(view);
        ctx.rowDone(raster.hoehe + y);
    }
}
