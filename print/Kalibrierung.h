#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "model/Programm.h"

// The direct-print lens test; defaults as the panel starts.
struct KalibDruck {
    double lpi = 40.0;
    int32_t laenge = 15;   // pattern length in cm, 1 to 999
    int32_t richtung = 0;  // 0 "horizontal (3D)", 1 "vertikal (Flip)"
    int32_t schritt = 3;   // item of KalibSchrittweiten
};
inline constexpr std::array<double, 5> KalibSchrittweiten{0.01, 0.03, 0.05, 0.10, 0.25};

// The calibration image; defaults as the panel starts.
struct KalibBild {
    double lpi = 40.0;
    double schritt = 0.1;   // lpi from one stripe to the next
    int32_t streifen = 11;
    int32_t einheit = 0;    // 0 cm, 1 inch
    double breite = 15.0;   // across the lenses, in the unit
    double hoehe = 10.0;
    int32_t richtung = 0;   // 0 3D, 1 Flip (the image is turned a quarter)
    int32_t bilder = 2;
    int32_t pixel = 0;      // pixels per image per lens, 0 automatic
    int32_t methode = 0;    // 0 "diskret", 1 "kontin."
    bool beschriftung = true;
    bool bemassung10 = false;
    bool bemassung5 = false;
    bool weiss = false;     // white instead of coloured stripes

    double f() const { return einheit == 1 ? 2.54 : 1.0; }
};

// What the calibration image came out as.
struct KalibErgebnis {
    int64_t linsen = 0;         // N
    int32_t pixelProBild = 0;   // p
    int32_t pixelProLinse = 0;  // P
    int64_t breite = 0;         // W, pixels across the lenses
    int64_t hoehe = 0;          // H
    double exakteBreite = 0;    // in the record's unit
    double exakteHoehe = 0;
    double streifenhoehe = 0;
    double dpiX = 0, dpiY = 0;
};

// Limit checks with their messages; false after any violation.
bool Test_MaxKalibDruck(Context& ctx, double lpi);
bool Test_MaxKalibBitmap(Context& ctx, const KalibBild& k);

// The sizes of the calibration image: lens count, pixels, exact lengths, dpi.
KalibErgebnis Kalib_Geometrie(const KalibBild& k);
// One colour per image: black, white, then red, green, blue, yellow, cyan,
// magenta over and over; with weiss every colour but black becomes white.
std::vector<Farbe> Kalib_Farben(int32_t bilder, bool weiss);
// Two copies of the lens sequence, 2 × W pixels (blue, green, red): within a
// lens every image has p pixels of its colour, in image order.
std::vector<uint8_t> Referenzzeile(const KalibErgebnis& e, const std::vector<Farbe>& farben);
// Row of a stripe at pitch lpiStreifen: pixel x samples the reference row at
// x × lpiStreifen ÷ lpi, nearest ("diskret") or mixed from its two neighbours
// ("kontin."); positions beyond the reference row give white.
void Streifenzeile(const std::vector<uint8_t>& referenz, int64_t breite, double lpiStreifen, double lpi,
                   bool kontinuierlich, uint8_t* zeile);

// Computes the calibration image into the result entry (turned for Flip) with
// the phases "K1" to "KB". The slot holding it, or -1 after a failure (reported,
// abort flag set) or a stop.
int Kalibrierungsbild(Programm& p, const KalibBild& k, KalibErgebnis& e);

// The one-row pattern of the lens test, c pixels along the lenses: black and
// white pixel pairs, the first two red and cyan, the next two white.
PrintImage Testmuster(int64_t c, bool flip);
// The barrier mask row: n columns, white every q-th from q div 2, the first q red.
PrintImage Barriermuster(int64_t n, int32_t q);
// Colour of hue h (degrees), saturation s and value v, each 0..1.
Farbe HSV_RGB(double h, double s, double v);

// The sheets printed on an open printer (the caller checked the limits and
// showed the set-up dialog). False after a failure, which is reported.
bool Testmuster_Drucken(Programm& p, Printers& drucker, const KalibDruck& k);
bool Barrier_Drucken(Programm& p, Printers& drucker);
bool Farbtabelle_Drucken(Programm& p, Printers& drucker);
