#pragma once
#include <algorithm>
#include <concepts>
#include <cstdint>

// The two rules by which a computed value becomes a pixel byte. Both send
// values below 0 to 0, values above 255 to 255 and not-a-number to 0.

// A whole number clamped to 0..255; a fraction is cut off towards zero.
template <std::integral T>
uint8_t clampByte(T value)
{
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

inline uint8_t clampByte(double value)
{
    return static_cast<uint8_t>(value >= 255.0 ? 255 : value > 0.0 ? static_cast<int>(value) : 0);
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
