#pragma once
#include <climits>
#include <string>
#include <vector>

#include "core/Context.h"
#include "model/RasterSlot.h"

struct MpoErgebnis {
    bool ok = false;  // at least one part written
    int anzahl = 0;
};

// Splits a multi-picture file into its JPEG streams by walking the markers:
// part k goes to basis + "_" + k + ".JPG", at most maxTeile parts. Every marker
// met is listed in liste when given, and written to the trace file spur when
// that is not empty (only where the user asked for the listing). A failure
// leaves no part behind.
MpoErgebnis MPO_Zerlegen(const Files& files, const std::string& datei, const std::string& basis, const std::string& spur = {},
                         std::vector<std::string>* liste = nullptr, int maxTeile = INT_MAX);

// The name of the splitter's trace file, in the user's temporary folder.
inline constexpr const char* MpoSpurDatei = "MPO_Detail$$$.TXT";

// Writes two rasters as a multi-picture file (CIPA DC-007): two baseline JPEGs,
// the first carrying the MP index with both images' sizes and offsets, each an
// MP attribute directory. True when written; failures show their message.
bool MPO_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& links, const RasterSlot& rechts);
