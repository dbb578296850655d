#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Context.h"
#include "model/ImageSet.h"

// Resizers from one slot of an entry into another. Each returns true when done,
// false on failure; with the abort flag set or von = nach it does nothing and
// returns false.
// The target slot gets the new size and a prepared raster; failures are reported once.

// Area average. Both ways stream the source through a band of rows and differ
// only in one rounding rule (see Flaechenweg); the in-memory rule applies when
// the source would fit into half the physical memory, the other one otherwise.
bool Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe);

enum class Flaechenweg {
    Speicher,  // source fits in memory; an end position within 0.000001 of a pixel boundary moves back
    Datei,     // source too large for memory; only an end exactly on a boundary moves back
};
bool Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe, Flaechenweg weg);

// Which weighting Flaechenmittel takes for a source of this size.
Flaechenweg Flaechenweg_Fuer(int32_t breite, int32_t hoehe);

// The area average of single rows, as Flaechenmittel computes each row of a
// raster whose height it keeps.
class Flaechenzeile {
public:
    Flaechenzeile(int32_t quellBreite, int32_t zielBreite, Flaechenweg weg);
    ~Flaechenzeile();
    Flaechenzeile(const Flaechenzeile&) = delete;
    Flaechenzeile& operator=(const Flaechenzeile&) = delete;
    // One row: quellBreite pixels in, zielBreite out; summen is scratch of the calling thread.
    void rechnen(const uint8_t* quelle, uint8_t* ziel, std::vector<double>& summen) const;

private:
    struct Achse;
    std::unique_ptr<Achse> achse_;
};

// Nearest neighbour in steps of 1/32768 pixel. Target pixels whose source lies
// beyond the source's last row or column keep what the target raster holds.
bool NaechsterNachbar(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe);
// Whether every target pixel has a source pixel; the step of one axis.
bool NaechsterNachbar_Deckend(int32_t quellBreite, int32_t quellHoehe, int32_t breite, int32_t hoehe);
int64_t NaechsterNachbar_Schritt(int32_t quelle, int32_t ziel);

// Bicubic over 4 × 4 neighbours: method 1 cubic B-spline, 2 cubic convolution
// with a = −0.75, 3 with a = −1.
bool Bikubisch(Context& ctx, ImageEntry& e, int von, int nach, int methode, int32_t breite, int32_t hoehe);

// The source of a resize computed on the way rather than read from a raster:
// lesen fills band with rows ys (ascending, each once), 3 × breite bytes each,
// one after another, on the calling thread (which may share the work).
struct Zeilenquelle {
    int32_t breite = 0, hoehe = 0;
    std::function<void(const std::vector<int32_t>& ys, uint8_t* band)> lesen;
};
// The two resizers of the print's fitting from such a source into a prepared
// target open for writing; a failure or abort throws Abbruch.
void NaechsterNachbar(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel);
void Bikubisch(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel, int methode);

// The kernel table of a bicubic method: 1,001 values for distances 0 to 2 in steps of 0.002.
std::array<double, 1001> BikubischTabelle(int methode);
