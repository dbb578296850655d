#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/Programm.h"
#include "raster/Byte.h"

// Round half to even, as every size and colour computation of the composers rounds.
inline int64_t roundEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));
}

// Gives slot `slot` of image n a temporary file name when it has none yet.
void nameSlot(Programm& p, int n, int slot);

// The phase and step texts of the progress display.
void setPhase(Context& ctx, const std::string& phase, const std::string& step = "1/1");

// A raster length computed in 64 bits; beyond 32 bits the raster could never be
// written, so it gets the 4-GiB message and the run stops.
int32_t rasterLength(Context& ctx, int64_t length);
