#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Programm.h"

// The composers of the preview modes 3 to 6. Each writes the result entry's slot 0
// and returns true, or false on failure or abort (the failure is reported once
// and the abort flag is set); with the abort flag already set they return false
// at once.

// Lenticular print of all images: vertical lenses (3D) or horizontal lenses (Flip).
// Slot 3 of every image receives its resized copy.
bool Linsenraster3D(Programm& p);
bool LinsenrasterFlip(Programm& p);

// Fits the lenticular result to the print: resampled into slot 1 (to square pixels,
// or to the printer's resolution with the print optimisation), then copied over slot 0.
bool Druckanpassung(Programm& p);

// The fitting of the result in slot 0 to the print: its size and resizer. Sets
// the effective print size and, with the printer's resolution, the one found
// (after the message that the printer's is too low).
struct Druckplan {
    int32_t breite = 0, hoehe = 0;
    bool bikubisch = false;  // else nearest neighbour
    int methode = 0;         // of the bicubic resize
};
Druckplan Druckanpassung_Planen(Programm& p);
// Resizes slot 0 into slot 1 as planned and gives slot 0 the result; throws Abbruch on failure.
void Druckanpassung_Ausfuehren(Programm& p, const Druckplan& plan);

// The preview mode "Linsenraster" as the composition step runs it: the variant
// of the lens direction followed by Druckanpassung, in one pass over the rows
// wherever every pixel of the fitting has a source, so that neither the
// resized copies nor the print before its fitting are written.
bool Linsenraster_Angepasst(Programm& p);

// The items of the dpi list of the print optimisation.
inline constexpr std::array<int32_t, 27> DpiListe{75,   90,   150,  180,  200,  300,  360,  400,  600,
                                                  720,  800,  1000, 1200, 1400, 1440, 1600, 1800, 2000,
                                                  2200, 2400, 2600, 2800, 2880, 3000, 4000, 4800, 5660};

// The printer resolution to resample to: the printer's own, doubled until it reaches
// the wanted one (after the message that it is too low), or halved while it stays
// even and at least the wanted one.
int64_t Optimale_Aufloesung(Context& ctx, int64_t drucker, double gewuenscht);

// Anaglyph of images links and rechts (possibly the same) in scheme 0..6, with the
// channel factors c1, c2, c3 (1 full colour, 0 grey).
bool Anaglyph(Programm& p, int links, int rechts, int schema, double c1, double c2, double c3);

// Checks a stereo card (millimetres) and shows every fault; false after any.
bool Viewer_Pruefen(Context& ctx, int32_t xd, int32_t yd, int32_t xm, int32_t ym, int32_t xr, int32_t yr);
// The stereo card of the stored viewer settings with images links and rechts.
bool Stereobild(Programm& p, int links, int rechts);

struct ViewerVorlage {
    const char* text;
    int32_t xr, yr, xd, yd, xm, ym;
};
extern const std::array<ViewerVorlage, 13> ViewerVorlagen;
// The items of the viewer list: number, ": " and the preset's text.
std::vector<std::string> ALL_Viewer();
// Takes preset index (0-based) into the card settings with its frames, colours and sizes.
void Viewer_Uebernehmen(StereoSettings& s, int index);

struct Rechteck {
    int32_t x = 0, y = 0, breite = 0, hoehe = 0;
    bool operator==(const Rechteck&) const = default;
};
// The largest rectangle of the source's aspect ratio inside box, centred in it.
Rechteck Einpassen(const Rechteck& quelle, const Rechteck& box);

// Stripe image for stereo displays of breite × hoehe pixels: richtung 0 alternate
// columns, 1 alternate lines; beginn 0 left image first, 1 right image first.
bool Streifenbild(Programm& p, int links, int rechts, int32_t breite, int32_t hoehe, int richtung, int beginn);

// The display size of a stripe size choice (items 0 to 6; other items keep the
// stored size), with the preview area's size for item 2.
Groesse Streifengroesse(const Programm& p, int auswahl, Groesse vorschau);
// Makes a size choice the stripe settings' choice and its size their display
// size; the preview area is the one the window last reported. Without one
// (no window) the stored size stands for "Vorschaufenster".
void Streifengroesse_Anwenden(Programm& p, int auswahl);
