#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "support/Bytes.h"

// Image files built byte by byte for the reader tests, the fuzz seeds and the benchmarks.

void writeBytes(const std::filesystem::path& path, const Bytes& bytes);

// The test pattern: pixel (x, y) has red x * 40 + y, green y * 50 + 7, blue (x + y) * 30.
void musterRgb(int x, int y, uint8_t rgb[3]);

struct TiffAufbau {
    bool bigEndian = false;
    uint32_t width = 3, height = 2;
    uint16_t photometric = 2;     // 2 RGB, 5 separated
    uint16_t samples = 3;
    uint16_t bits = 8;
    uint16_t compression = 1;
    uint32_t rowsPerStrip = 0;    // 0: one strip
    uint16_t stripOffsetType = 4; // 3 SHORT or 4 LONG
    bool withRowsPerStrip = true;
    bool withXResolution = true;
    uint32_t xNum = 300, xDen = 1, yNum = 150, yDen = 1;
    uint16_t resolutionUnit = 2;
    uint16_t inkSet = 0;          // 0: no InkSet tag
    std::string software = "Testprogramm";
    std::string dateTime = "2024:05:06 07:08:09";
    // The samples of every pixel, rows top to bottom; by default the test pattern
    // (red, green, blue, and 0x55 for a fourth sample).
    Bytes pixels;
};
// An uncompressed TIFF: header, pixel strips, out-of-line values, then the directory.
Bytes tiffBytes(const TiffAufbau& aufbau);

// An uncompressed 24-bit TGA of the test pattern; descriptor 0 (bottom row first) or 0x20.
Bytes tgaBytes(int width, int height, uint8_t descriptor);

// A JPEG written straight with libjpeg at quality 100, in any colour space,
// progressive or not, with or without chroma subsampling; zeile fills row y.
Bytes libjpegBytes(J_COLOR_SPACE raum, int komponenten, bool progressiv, bool unterabtastung, int w,
                                  int h, const std::function<void(int y, uint8_t* zeile)>& zeile);
// Grey, CMYK with inverted inks as Adobe writes them, or progressive RGB.
// Pixel value v(x, y) = (x * 16 + y * 8) & 255.
Bytes besondereJpeg(J_COLOR_SPACE raum, bool progressiv, int w, int h);
