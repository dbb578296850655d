#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Matrix4.h"
#include "model/RasterSlot.h"

// Slots of a source image.
enum Slot : int {
    SlotQuelle = 0,        // the source as chosen by the user
    SlotArbeitskopie = 1,  // 24-bit working copy at the source's size
    SlotJustiert = 2,      // aligned image at the common size
    SlotKomposition = 3,   // input of the composition, scratch
    SlotVorschau = 4,      // aligned image at preview size
    SlotAutoJust = 5,      // reduced edge image for the automatic alignment
};
inline constexpr int SlotAnzahl = 6;

// Slots of the result entry (entry 0).
enum ErgebnisSlot : int {
    SlotErgebnis = 0,       // the composed result
    SlotFarbErgebnis = 1,   // the colour-adjusted result: printed, saved, copied
    SlotAnzeige = 2,        // the preview display raster
    SlotVollbild = 3,       // the full-screen raster
    SlotKalibrierung = 4,   // the calibration image
    SlotKalibGedreht = 5,   // the calibration image turned for horizontal lenses
};

// One image of the set with its rasters and alignment parameters.
struct ImageEntry {
    std::array<RasterSlot, SlotAnzahl> slot;
    double dx = 0.0, dy = 0.0;
    double rot = 0.0;
    double vx = 0.0, vy = 0.0;
    bool inversVergenz = false;
    double skal = 1.0;
    bool istReferenzbild = false;
    bool refModus = false;
    int32_t refX = 0, refY = 0;
    bool histo = false, histoMax = false;
    bool spiegelX = false, spiegelY = false, konturen = false;
    Matrix4 RaumMatrix1 = Matrix4::Einheit();
    Matrix4 RaumMatrix2 = Matrix4::Einheit();
    int32_t AJRef1 = -1, AJRef2 = -1;
    std::array<std::string, 3> AJStatus{" ", " ", " "};
    int32_t filterNr = 0;

    // Back to the empty state; files are left alone.
    void reset() { *this = ImageEntry{}; }
    // Deletes the entry's temporary files: slots 1 to 5, and slot 0 when it is ours.
    void dateienLoeschen();
};

inline constexpr int MaxBilder = 250;

struct Groesse {
    int32_t breite = 0;
    int32_t hoehe = 0;
    bool operator==(const Groesse&) const = default;
};

// The source images of the project (entries 1..anzahl) and the result entry 0.
class ImageSet {
public:
    int32_t anzahl = 0;
    std::array<ImageEntry, MaxBilder + 1> bild;

    ImageEntry& ergebnis() { return bild[0]; }
    const ImageEntry& ergebnis() const { return bild[0]; }
    bool gueltig(int n) const { return n >= 1 && n <= anzahl; }

    // Remove image n: its files are deleted, the images behind it move up one
    // place; false for an invalid n. The caller lowers the count.
    bool Entfernen(int n);
    // Deletes the files of every source image and empties the set.
    void Leeren();
    // Move image n one place up (down). -1 for an invalid n, else its new number.
    int Hoch(int n);
    int Runter(int n);

    // Largest slot-1 width and height over all images (of image 1 with fewer than two).
    Groesse MaxArbeitskopie() const;
    // Largest slot-2 width and height, the same way.
    Groesse Ermittle_MaxDim() const;

private:
    Groesse groessteSlotGroesse(int slotNr) const;
};

// Temporary raster path for slot `slot` of image `index`:
// "~$<day number>_<ms since midnight>_<index>_<slot>.bmp" in the temporary folder.
std::string TempDateiname(const std::filesystem::path& tempFolder, int index, int slot);

// The text rows of the image list. fontSize 8 shows 5 characters of the name, any other size 22.
std::string Listenzeile(const ImageEntry& bild, int nummer, bool istL, bool istR, int fontSize);
std::vector<std::string> Listenzeilen(const ImageSet& bilder, int bildL, int bildR, int fontSize);
// The column headings above the list.
std::string Listenkopf(int fontSize);
