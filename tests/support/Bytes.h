#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A file's bytes, and the little-endian numbers in them.
using Bytes = std::vector<uint8_t>;

inline uint16_t le16At(const Bytes& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

inline uint32_t le32At(const Bytes& b, size_t at)
{
    return b[at] | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}
