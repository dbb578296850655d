#pragma once
#include <cstdint>
#include <vector>

#include "model/Programm.h"

// What one eye sees through the lens sheet from one viewing angle: from every
// lens the one column (3D) or row (Flip) at that position within the lens. The
// result is read row by row; the picture is reduced by whole steps so that it
// is no larger than a screen.

struct Linsenbild {
    int32_t breite = 0, hoehe = 0;
    std::vector<uint8_t> bgr;  // rows top-down, blue, green, red, no padding
};

// The lens sheet over a result: result pixels per lens and the viewing
// positions within a lens (the images times their pixels per lens).
struct Linsenteilung {
    double pixelProLinse = 0;
    int32_t positionen = 0;
    bool flip = false;
};

// The division of the current lenticular result by the lens pitch; no
// positions without a lenticular result.
Linsenteilung Linsenteilung_Berechnen(const Programm& p);

// The view of ergebnis from position 0 .. positionen − 1 (position 0 is the
// first sub-column of every lens), at most maxBreite × maxHoehe pixels. False
// after the reading fault's message, or on abort.
bool Linsenansicht(Context& ctx, const RasterSlot& ergebnis, const Linsenteilung& teilung, int32_t position,
                   int32_t maxBreite, int32_t maxHoehe, Linsenbild& bild);
