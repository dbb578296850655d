#include "raster/Spiegeln.h"

#include <algorithm>
#include <utility>

#include "raster/RasterImage.h"

void ZeileSpiegeln(uint8_t* zeile, int32_t breite)
{
    for (int32_t x = 0; x <= (breite - 1) / 2; ++x) {
        uint8_t* a = zeile + 3 * x;
        uint8_t* b = zeile + 3 * (breite - 1 - x);
        std::swap(a[0], b[0]);
        std::swap(a[1], b[1]);
        std::swap(a[2], b[2]);
    }
}

void BildSpiegeln(Context& ctx, RasterSlot& slot, bool spiegelX, bool spiegelY)
{
    if (!spiegelX && !spiegelY)
        return;
    SlotCloser schliessen(slot);
    OeffneSchreiben(slot);
    const int32_t h = slot.hoehe;
    const auto rowBytes = static_cast<size_t>(3 * int64_t{slot.breite});
    // With spiegelY rows r and h − 1 − r are handled as a pair; the middle row of an odd height pairs with itself.
    const int32_t last = spiegelY ? (h - 1) / 2 : h - 1;
    ctx.setProgress(last, 0);
    Zeile oben;
    Zeile unten;
    for (int32_t r = 0; r <= last; ++r) {
        uint8_t* a = SchreibeZeile(ctx, slot, r, oben);
        const int32_t partner = spiegelY ? h - 1 - r : r;
        if (partner != r) {
            uint8_t* b = SchreibeZeile(ctx, slot, partner, unten);
            std::swap_ranges(a, a + rowBytes, b);
            if (spiegelX)
                ZeileSpiegeln(b, slot.breite);
            GibZeileFrei(unten);
        }
        if (spiegelX)
            ZeileSpiegeln(a, slot.breite);
        GibZeileFrei(oben);
        ctx.rowDone(r);
    }
}

void Spiegeln(Context& ctx, RasterSlot& slot)
{
    BildSpiegeln(ctx, slot, true, false);
}
