#pragma once
#include <array>
#include <cstdint>

#include "core/Context.h"
#include "model/ImageSet.h"

// Resizers from one slot of an entry into another. Each returns 0, or 1 on
// failure; with the abort flag set or von = nach it does nothing and returns 1.
// The target slot gets the new size and a prepared raster; failures are reported once.

// Area average. Both ways stream the source through a band of rows and differ
// only in one rounding rule (see Flaechenweg); the in-memory rule applies when
// the source would fit into half the physical memory, the other one otherwise.
int Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe);

enum class Flaechenweg {
    Speicher,  // source fits in memory; an end position within 0.000001 of a pixel boundary moves back
    Datei,     // source too large for memory; only an end exactly on a boundary moves back
};
int Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe, Flaechenweg weg);

// Nearest neighbour in steps of 1/32768 pixel. Target pixels whose source lies
// beyond the source's last row or column keep what the target raster holds.
int NaechsterNachbar(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe);

// Bicubic over 4 × 4 neighbours: method 1 cubic B-spline, 2 cubic convolution
// with a = −0.75, 3 with a = −1.
int Bikubisch(Context& ctx, ImageEntry& e, int von, int nach, int methode, int32_t breite, int32_t hoehe);

// The kernel table of a bicubic method: 1,001 values for distances 0 to 2 in steps of 0.002.
std::array<double, 1001> BikubischTabelle(int methode);
