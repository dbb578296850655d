#pragma once
#include <cstdint>
#include <vector>

#include "core/Context.h"
#include "model/RasterSlot.h"

// A 24-bit picture held in memory, for pictures small enough to keep whole:
// rows top-down without padding, pixels blue, green, red.
struct Bitmap24 {
    int32_t breite = 0;
    int32_t hoehe = 0;
    std::vector<uint8_t> pixel;

    Bitmap24() = default;
    Bitmap24(int32_t b, int32_t h) : breite(b), hoehe(h), pixel(3 * static_cast<size_t>(b) * static_cast<size_t>(h)) {}

    uint8_t* zeile(int32_t y) { return pixel.data() + 3 * static_cast<size_t>(breite) * static_cast<size_t>(y); }
    const uint8_t* zeile(int32_t y) const
    {
        return pixel.data() + 3 * static_cast<size_t>(breite) * static_cast<size_t>(y);
    }
    bool operator==(const Bitmap24&) const = default;
};

// Every row of a raster into a picture of its size, and back into a raster of
// the picture's size (created when missing). Both throw Abbruch on failure or abort.
Bitmap24 BitmapLesen(Context& ctx, const RasterSlot& quelle);
void BitmapSchreiben(Context& ctx, const Bitmap24& bild, RasterSlot& ziel);
