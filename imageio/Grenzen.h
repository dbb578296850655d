#pragma once
#include <cstdint>

// Hard limits of the readers that take a whole file into memory. A fuzzing
// build may lower them.
struct Grenzen {
    uint64_t maxMpoBytes = uint64_t{1} << 30;
    uint64_t maxExifBytes = uint64_t{1} << 30;
};

Grenzen& LeseGrenzen();
