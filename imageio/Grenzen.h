#pragma once
#include <cstdint>

// Hard limits of the readers that take a whole file, or a whole picture's
// coefficients, into memory. A fuzzing build may lower them.
struct Grenzen {
    uint64_t maxMpoBytes = uint64_t{1} << 30;
    uint64_t maxExifBytes = uint64_t{1} << 30;
    // A progressive or multi-scan JPEG keeps the coefficients of the whole
    // picture until its last scan: 2 bytes per sample, so 300 MB for a
    // 100-megapixel photograph sampled 4:2:0 and 600 MB sampled 4:4:4. A
    // baseline JPEG needs only a band of rows, whatever its size.
    uint64_t maxJpegSpeicher = uint64_t{1} << 30;
};

Grenzen& LeseGrenzen();
