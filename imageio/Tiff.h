#pragma once
#include <cstdint>
#include <string>

#include "core/Context.h"
#include "imageio/Arbeitskopie.h"
#include "model/RasterSlot.h"

// What the first directory of an uncompressed TIFF says about its pixels.
struct TiffInfo {
    bool ok = false;
    uint32_t NewSubfileType = 0;
    uint32_t ImageWidth = 0;
    uint32_t ImageLength = 0;
    uint32_t BitsPerSampleCount = 0;
    uint32_t BitsPerSampleWert = 0;
    uint32_t Compression = 1;
    uint32_t PhotometricInterpretation = 0;
    uint32_t StripOffsetsAnzahl = 0;
    uint64_t StripOffsetsWert = 0;  // the only strip's offset, or where the table of several lies
    uint16_t StripOffsetsTyp = 4;   // 3 SHORT or 4 LONG entries
    uint32_t RowsPerStrip = 0;
    uint32_t SamplesPerPixel = 0;
    uint32_t InkSet = 0;
    uint32_t ResolutionUnit = 2;
    double XAufloesung = 0.0;  // dots per inch
    double YAufloesung = 0.0;
    std::string Software;
    std::string DateTime;
    uint32_t Eintraege = 0;
    bool RGB = true;           // true: R, G, B (and an alpha sample that is skipped); false: C, M, Y, K
    uint64_t Dateigroesse = 0;
    bool Intel = true;         // "II" little-endian, else "MM" big-endian
};

// Reads and checks the header and the first directory; every fault shows its message.
TiffInfo TIFF_Kopf_Lesen(Context& ctx, const std::string& datei);

// Reads the TIFF into the working copy at ziel.pfad and sets ziel's size.
// Unless Ok, no file is left.
Ladeergebnis TIFF_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel);

void CMYK_to_RGB(uint8_t c, uint8_t m, uint8_t y, uint8_t k, uint8_t& r, uint8_t& g, uint8_t& b);
void RGB_to_CMYK(uint8_t r, uint8_t g, uint8_t b, uint8_t& c, uint8_t& m, uint8_t& y, uint8_t& k);

// Write a raster as an uncompressed single-strip TIFF, RGB or CMYK, with the
// resolutions in dots per inch (both 0: 300). True when the file was written.
bool TIFF_RGB_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle, double vertikal,
                        double horizontal);
bool TIFF_CMYK_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle, double vertikal,
                         double horizontal);
