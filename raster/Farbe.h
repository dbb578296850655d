#pragma once
#include <array>
#include <cstdint>

#include "core/Context.h"
#include "model/ImageSet.h"

// Colour adjustments of a raster in place. A set abort flag makes each of them
// do nothing; a failed raster operation or an abort between rows throws Abbruch.

inline int Grauwert(int r, int g, int b)
{
    return (30 * r + 59 * g + 11 * b) / 100;
}

using Farbtabelle = std::array<uint8_t, 256>;

// Position −100 … 100 of the track bar to the table every byte goes through.
Farbtabelle GammaTabelle(int32_t position);
Farbtabelle HelligkeitTabelle(int32_t position);
Farbtabelle KontrastTabelle(int32_t position);

// The four adjustments of the colour step, on slot 1 of the entry.
void Gamma(Context& ctx, ImageEntry& entry, int32_t position);
void Helligkeit(Context& ctx, ImageEntry& entry, int32_t position);
void Kontrast(Context& ctx, ImageEntry& entry, int32_t position);
void Saettigung(Context& ctx, ImageEntry& entry, int32_t position);

// Every byte v becomes 255 − v.
void Invertieren(Context& ctx, ImageEntry& entry, int slot);
