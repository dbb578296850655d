#pragma once
#include <cstdint>

#include "core/Context.h"
#include "model/RasterSlot.h"

// Plain point sampling: target pixel (c, r) takes source pixel
// (x0 + schritt × c, y0 + schritt × r), no filtering. The target's size is the
// caller's; rows beyond the source's last take that last row. Throws Abbruch on
// failure or abort.
void Punktabtastung(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, int64_t x0, int64_t y0,
                    int64_t schritt);
