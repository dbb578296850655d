#pragma once

// The silent abort exception: thrown inside a processing loop when a raster
// operation failed or the abort flag was found set; caught by the routine's guard.
struct Abbruch {};
