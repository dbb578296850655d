#pragma once
#include <cstdint>

// The reference point alignment: which image is the reference, where its point
// lies in the aligned raster, and how markers are shown.
struct RefInfo {
    int32_t referenzbild = -1;  // image number; -1 after a reset, 0 when none was found
    int32_t x = 0, y = 0;       // the reference position
    bool setzModus = false;     // the next click into the preview sets a point
    bool zeigen = true;         // markers are drawn into the aligned rasters
    int32_t groesse = 3;        // marker size 0 … 10
};
