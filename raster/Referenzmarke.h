#pragma once
#include <cstdint>

#include "core/Context.h"
#include "model/RasterSlot.h"

// Draws the reference marker of size `groesse` centred on column `spalte`, row
// `zeile`: a black cross with white edges, (10 × size) div 2 pixels each way
// from the centre, whose 3 × 3 centre keeps the picture. Throws Abbruch on failure.
void Referenzmarke_Zeichnen(Context& ctx, RasterSlot& slot, int32_t spalte, int32_t zeile, int32_t groesse);
