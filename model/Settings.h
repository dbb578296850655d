#pragma once
#include <cstdint>

struct Farbe {
    int32_t r = 255, g = 255, b = 255;
    bool operator==(const Farbe&) const = default;
};

// How the result is composed from the image set.
struct ComposeSettings {
    // Lens sheet and interlacing.
    double lpi = 40.0;
    int32_t Linsenrichtung = 0;  // 0 vertical lenses (3D), 1 horizontal lenses (Flip)
    bool LinseInvers = false;    // parallax barrier instead of lenses
    bool JustStreifenLO = true;
    bool JustStreifenRU = false;
    bool JustStreifenQuer = false;
    int32_t Komprimierung = 0;   // 0 auto, 1 manual, 2 none
    int32_t PixelProBildProLinse = 1;

    // Fill for pixels without source content.
    Farbe Hintergrundfarbe{255, 255, 255};

    // Anaglyph.
    int32_t anaglyphSchema = 0;  // 0..6
    int32_t anaglyphFarbModus = 0;  // 0 colour, 1 manual, 2 grey
    int32_t C1 = 0, C2 = 0, C3 = 0;  // 0..100
    bool anaglyphVerbinden = true;

    // Fitting to the printer resolution.
    bool DruckOptimierung = false;
    bool dpiAuto = true;
    int32_t biKubMethode = 1;  // 1 soft (3D), 2 hard (Flip)

    // Bicubic interpolation in the alignment transform.
    bool Bikubisch = true;
};

// The colour tab: the positions the pipeline last ran with.
struct ColorSettings {
    int32_t gamma = 0;     // −100..100 each
    int32_t hell = 0;
    int32_t kontrast = 0;
    int32_t saettigung = 0;
    bool histoMax = false;
    bool histoAlle = false;
    Farbe vorschauHintergrund{192, 192, 192};
    Farbe vollbildHintergrund{0, 0, 0};
};

// Print size and layout; lengths in the selected unit.
struct PrintSettings {
    double randX = 0.5;
    double randY = 0.5;
    double breiteGesetzt = 15.0;
    double hoeheGesetzt = 10.0;
    double hoehe = 10.0;   // effective print height
    double breite = 15.0;  // effective print width
    bool einheitCm = true;
    bool proportional = true;
    bool druckInfos = false;
    bool seitenverkehrt = false;

    // Converts a length in the selected unit to centimetres.
    double f() const { return einheitCm ? 1.0 : 2.54; }
};

// Preview modes of the result.
enum Vorschau : int32_t {
    VorschauKeine = 0,
    VorschauBildL = 1,
    VorschauBildR = 2,
    VorschauAnaglyph = 3,
    VorschauStereo = 4,
    VorschauLinsenraster = 5,
    VorschauStreifen = 6,
};

// The choices that decide what is composed: preview mode, images L and R, the list.
struct Auswahl {
    int32_t vorschau = VorschauKeine;
    int32_t bildL = 0;       // image number, 0: no entry chosen
    int32_t bildR = 0;
    int32_t listenZeile = 0; // selected image number, 0: none
    bool justL = false;      // a list click chooses image L
    bool justR = false;      // a list click chooses image R
};
