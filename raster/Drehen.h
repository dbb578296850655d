#pragma once
#include "core/Context.h"
#include "model/RasterSlot.h"

// Turns a raster by a quarter turn clockwise into nach (width and height
// exchanged): the top row becomes the right column. Throws Abbruch on failure
// or abort.
void Vierteldrehung(Context& ctx, const RasterSlot& von, RasterSlot& nach);
