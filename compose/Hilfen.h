#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "model/Programm.h"
#include "raster/Byte.h"

// Round half to even, as every size and colour computation of the composers rounds.
inline int64_t roundEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));
}

// The row loop of a composer that puts two sources into the result: ziel is
// prepared at breite × hoehe, the sources (copies of their slots) are opened
// for reading, every row is filled with the background and then given to
// zeile(y, row); progress, event pump and abort test follow each row. Throws
// Abbruch on any failure; closes all three on every way out.
void composeRows(Context& ctx, RasterSlot& ziel, int32_t breite, int32_t hoehe, const Farbe& hintergrund,
                 RasterSlot& quelle1, RasterSlot& quelle2, const std::function<void(int32_t y, uint8_t* row)>& zeile);

// Gives slot `slot` of image n a temporary file name when it has none yet.
void nameSlot(Programm& p, int n, int slot);

// The phase and step texts of the progress display.
void setPhase(Context& ctx, const std::string& phase, const std::string& step = "1/1");

// A raster length computed in 64 bits; beyond 32 bits the raster could never be
// written, so it gets the 4-GiB message and the run stops.
int32_t rasterLength(Context& ctx, int64_t length);
