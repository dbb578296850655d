#pragma once
#include <cstdint>
#include <functional>

#include "core/Context.h"
#include "model/RasterSlot.h"

// The working copy a reader writes: slot path set by the caller, size given here.
// 0 ready, -2 the file system lacks the space, -1 any other failure (reported).
int ArbeitskopieAnlegen(Context& ctx, RasterSlot& ziel, int32_t breite, int32_t hoehe);

// Fills every row of a prepared working copy: step k (0 = first row of the
// source) gets row y = k, or y = height − 1 − k when the source stores its rows
// bottom-up. fill writes 3 × width bytes and returns false on a fault it has
// reported. 0 on success; -2 when the file system filled up, -1 after another
// fault or abort; the file is then removed.
using ZeilenQuelle = std::function<bool(int32_t k, uint8_t* zeile)>;
int ArbeitskopieFuellen(Context& ctx, RasterSlot& ziel, bool vonUnten, const ZeilenQuelle& fill);
