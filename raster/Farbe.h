#pragma once
#include <array>
#include <cstdint>

#include "core/Context.h"
#include "model/ImageSet.h"

// Colour adjustments of rasters. A set abort flag makes each of them do
// nothing; a failed raster operation or an abort between rows throws Abbruch.

inline int Grauwert(int r, int g, int b)
{
    return (30 * r + 59 * g + 11 * b) / 100;
}

using Farbtabelle = std::array<uint8_t, 256>;

// Position −100 … 100 of the track bar to the table every byte goes through.
Farbtabelle GammaTabelle(int32_t position);
Farbtabelle HelligkeitTabelle(int32_t position);
Farbtabelle KontrastTabelle(int32_t position);

// The table of one adjustment followed by another.
Farbtabelle Farbtabelle_Folge(const Farbtabelle& erst, const Farbtabelle& dann);

// The adjustments of the colour step in one pass from quelle into ziel (given
// quelle's size): every byte through the table, then the saturation of each
// pixel at its track-bar position (0 leaves the pixel). The same bytes as one
// pass per adjustment, since each works on every byte or pixel alone.
void Farben_Anpassen(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, const Farbtabelle& tabelle,
                     int32_t saettigung);

// Every byte v becomes 255 − v.
void Invertieren(Context& ctx, ImageEntry& entry, int slot);
