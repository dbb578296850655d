#pragma once
#include <cstdint>

#include "core/Context.h"
#include "model/RasterSlot.h"

// Reverses the pixels of one row.
void ZeileSpiegeln(uint8_t* zeile, int32_t breite);

// Mirrors a raster in place: top to bottom with spiegelY, left to right with
// spiegelX. Throws Abbruch on a failed raster operation or a set abort flag.
void BildSpiegeln(Context& ctx, RasterSlot& slot, bool spiegelX, bool spiegelY);

// Left to right only, as a side-reversed print needs.
void Spiegeln(Context& ctx, RasterSlot& slot);
