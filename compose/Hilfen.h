#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/Programm.h"

// Round half to even, as every size and colour computation of the composers rounds.
inline int64_t roundEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));
}

inline uint8_t clampByte(int64_t value)
{
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// roundEven clamped to 0..255, free of branches and library calls so pixel
// loops vectorise: the clamp sends NaN to 0, and adding and taking away
// 1.5 × 2^52 rounds half to even in the default rounding mode, as nearbyint does.
inline uint8_t roundByte(double value)
{
    constexpr double shift = 6755399441055744.0;
    const double clamped = std::min(std::max(0.0, value), 255.0);
    return static_cast<uint8_t>((clamped + shift) - shift);
}

// Gives slot `slot` of image n a temporary file name when it has none yet.
void nameSlot(Programm& p, int n, int slot);

// The phase and step texts of the progress display.
void setPhase(Context& ctx, const std::string& phase, const std::string& step = "1/1");

// A raster length computed in 64 bits; beyond 32 bits the raster could never be
// written, so it gets the 4-GiB message and the run stops.
int32_t rasterLength(Context& ctx, int64_t length);
