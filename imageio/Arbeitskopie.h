#pragma once
#include <cstdint>
#include <functional>

#include "core/Context.h"
#include "model/RasterSlot.h"

// What loading an image into a working copy came to.
enum class Ladeergebnis {
    Ok,
    Fehler,      // not loaded: reported, or the abort flag was set
    PlatteVoll,  // the working copy does not fit on its file system
};

// The working copy a reader writes: slot path set by the caller, size given here.
Ladeergebnis ArbeitskopieAnlegen(Context& ctx, RasterSlot& ziel, int32_t breite, int32_t hoehe);

// Fills every row of a prepared working copy: step k (0 = first row of the
// source) gets row y = k, or y = height − 1 − k when the source stores its rows
// bottom-up. fill writes 3 × width bytes and returns false on a fault it has
// reported. Unless Ok, the file is removed.
using ZeilenQuelle = std::function<bool(int32_t k, uint8_t* zeile)>;
Ladeergebnis ArbeitskopieFuellen(Context& ctx, RasterSlot& ziel, bool vonUnten, const ZeilenQuelle& fill);
