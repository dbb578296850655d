#pragma once
#include <string>

#include "core/Context.h"
#include "imageio/Arbeitskopie.h"
#include "model/RasterSlot.h"

// Side-by-side stereo JPEGs (.JPS) as stereo cameras and viewers write them:
// the left half is the right-eye view, the right half the left-eye view. Each
// view is width div 2 pixels wide; of an odd width the middle column belongs
// to neither.

// Decodes datei into the scratch raster ganz (removed afterwards) and cuts the
// views into the working copies links and rechts (their paths set by the
// caller; a null one is not wanted). Unless Ok, no file is left.
Ladeergebnis JPS_Lesen(Context& ctx, const std::string& datei, RasterSlot& ganz, RasterSlot* links, RasterSlot* rechts);

// Writes two rasters of one height as a stereo JPEG: rechts on the left half,
// links on the right half. True when written; failures show their message.
bool JPS_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& links, const RasterSlot& rechts);
