#pragma once
#include <algorithm>
#include <concepts>
#include <cstdint>

// The two rules by which a computed value becomes a pixel byte. Both send
// values below 0 to 0 and values above 255 to 255.

// A whole number (an integer quotient has cut its fraction off already).
template <std::integral T>
uint8_t clampByte(T value)
{
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// Rounded half to even and clamped to 0..255, free of branches and library
// calls so that pixel loops vectorise: the clamp sends NaN to 0, and adding and
// taking away 1.5 × 2^52 rounds half to even in the default rounding mode, as
// std::nearbyint does.
inline uint8_t roundByte(double value)
{
    constexpr double shift = 6755399441055744.0;
    const double clamped = std::min(std::max(0.0, value), 255.0);
    return static_cast<uint8_t>((clamped + shift) - shift);
}
