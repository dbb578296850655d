#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Context.h"
#include "model/RasterSlot.h"

// A picture of an animation: a raster shown for dauer milliseconds.
struct WebPBild {
    const RasterSlot* raster;
    int32_t dauer;
};

// Writes the pictures as an animated WebP (lossy, quality 90, repeating for
// ever); every raster must have the first one's size. True when the file was
// written; false after the message of the failure or an abort.
bool WebP_Schreiben(Context& ctx, const std::string& datei, const std::vector<WebPBild>& bilder);
