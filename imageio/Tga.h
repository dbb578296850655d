#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/Context.h"
#include "imageio/Arbeitskopie.h"
#include "model/RasterSlot.h"

inline constexpr size_t TgaKopfLaenge = 18;

// True for an uncompressed 24-bit true-colour TGA without ID, colour map or
// origin, rows in either order, long enough for its pixels. No message.
bool TGA_Kopf_Pruefen(const std::string& datei, std::array<uint8_t, TgaKopfLaenge>& kopf);

// Reads the TGA into the working copy at ziel.pfad and sets ziel's size.
// Unless Ok (a file not accepted is a Fehler), no file is left.
Ladeergebnis TGA_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel);

// Writes a raster as an uncompressed 24-bit TGA with the TGA 2.0 footer.
// True when the file was written.
bool TGA_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle);
