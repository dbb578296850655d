#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/Context.h"
#include "imageio/Arbeitskopie.h"
#include "model/RasterSlot.h"

// Decodes a JPEG at full size into the working copy at ziel.pfad and sets ziel's
// size; grey and CMYK pictures become RGB. A Fehler follows "Fehler beim Laden
// der Bild-Datei!" or an abort. Unless Ok, no file is left.
Ladeergebnis JPEG_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel);

// Encodes a raster as a baseline JPEG of quality 98 into an open file, with
// the given APP2 segment (without marker and length) after the JFIF header
// when it is not empty. False after a failure or abort; nothing is reported.
bool JPEG_Kodieren(Context& ctx, const RasterSlot& quelle, FILE* ziel, const std::vector<uint8_t>& app2);
// The same for breite × hoehe pixels whose row y (top-down; blue, green, red)
// the caller hands out; zeile may throw Abbruch.
bool JPEG_Kodieren(Context& ctx, int32_t breite, int32_t hoehe, FILE* ziel, const std::vector<uint8_t>& app2,
                   const std::function<const uint8_t*(int32_t y)>& zeile);

// The same into a file of its own; failures show "Fehler beim Speichern der JPG-Datei!".
bool JPEG_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle);
