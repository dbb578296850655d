#pragma once

// The silent abort exception: thrown inside a processing loop when a raster
// operation failed or the abort flag was found set; caught by the routine's guard.
struct Abbruch {
    int fehler = 0;  // the errno of the failed write that caused it, else 0
};
