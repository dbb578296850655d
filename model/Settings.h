#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Farbe {
    int32_t r = 255, g = 255, b = 255;
    bool operator==(const Farbe&) const = default;
};

// A colour as stored in files and settings: 0x00BBGGRR.
inline uint32_t alsBgr(const Farbe& f)
{
    return static_cast<uint32_t>(f.r & 0xFF) | static_cast<uint32_t>(f.g & 0xFF) << 8
        | static_cast<uint32_t>(f.b & 0xFF) << 16;
}

inline Farbe ausBgr(uint32_t v)
{
    return Farbe{static_cast<int32_t>(v & 0xFF), static_cast<int32_t>((v >> 8) & 0xFF),
                 static_cast<int32_t>((v >> 16) & 0xFF)};
}

// The stereo card for a viewer; lengths in millimetres.
struct StereoSettings {
    bool vorlage = true;          // a preset of the viewer list, else free entry
    int32_t viewerIndex = 0;
    int32_t xd = 50, yd = 50;     // each image frame
    int32_t xm = 55, ym = 0;      // distance of the two frames, centre to centre
    int32_t xr = 115, yr = 60;    // the whole card
    int32_t linienBreite = 5;     // tenths of a millimetre
    bool gesamtRahmen = true;
    bool rahmen = true;
    Farbe hintergrund{255, 255, 255};
    Farbe rahmenFarbe{0, 0, 0};
    bool stauchen = false;
    bool festePixel = false;
    int32_t pixelBreite = 1920, pixelHoehe = 1080;
};

// The stripe image for stereo displays.
struct StreifenSettings {
    int32_t breite = 500, hoehe = 500;  // display size in pixels
    int32_t richtung = 0;   // 0 alternate columns, 1 alternate lines
    int32_t beginn = 0;     // 0 left image first, 1 right image first
    int32_t groesse = 2;    // item of the size choice
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

    int32_t dpiIndex = 7;         // item of the dpi list ("400")
    int64_t dpiAutoWert = 0;      // the resolution last found for the printer, shown beside its list
    int32_t druckerIndex = -1;    // item of the printer list, -1 none
    std::string druckerName;      // the printer shown at that item

    // Bicubic interpolation in the alignment transform.
    bool Bikubisch = true;

    int32_t barrierIndex = 0;     // barrier ratio "1:1" … "1:9"

    StereoSettings stereo;
    StreifenSettings streifen;
};

// The colour tab: the positions the pipeline last ran with.
struct FarbSettings {
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
enum VorschauModus : int32_t {
    VorschauKeine = 0,
    VorschauBildL = 1,
    VorschauBildR = 2,
    VorschauAnaglyph = 3,
    VorschauStereo = 4,
    VorschauLinsenraster = 5,
    VorschauStreifen = 6,
};

// What part of the result the preview shows.
struct Ansicht {
    std::vector<std::string> zoomListe{"1:1", "2:1", "4:1", "8:1", "16:1", "32:1"};
    int32_t zoomIndex = 0;
    int32_t scrollX = 0, scrollY = 0;      // 0..100, per cent of the free travel
    int32_t boxBreite = 0, boxHoehe = 0;   // the preview box in screen pixels
    bool bildlaufXAktiv = false, bildlaufYAktiv = false;
};

// The choices that decide what is composed: preview mode, images L and R, the list.
struct Auswahl {
    int32_t vorschau = VorschauKeine;
    int32_t bildL = 0;       // image number, 0: no entry chosen
    int32_t bildR = 0;
    int32_t listenZeile = 0; // selected image number, 0: none
    bool justL = false;      // a list click chooses image L
    bool justR = false;      // a list click chooses image R

    friend bool operator==(const Auswahl&, const Auswahl&) = default;
};

// The choices of the automatic alignment.
struct AutoJustSettings {
    int32_t referenzbild = 0;       // image number; 0 or out of range: the middle image
    bool symmetrisch = false;       // a pair takes half of each correction on both images
    bool detail = false;            // the tracker's pictures are shown while it runs
    bool grob = true;               // coarse pass only
    bool scheinebeneVorn = false;   // the nearest points get zero disparity
};

// What a running automatic alignment shows; 0 and -1 when idle.
struct AutoJustAnzeige {
    int32_t bildNr = 0;      // the image being aligned
    int32_t schleife = 0;    // the tracker's iteration
    int32_t ebenen = 0;      // its pyramid levels
    int32_t prozent = -1;    // the share of the whole run done, -1 when no run
};

// How a batch run colour-optimises each image.
enum BatchFarbModus : int32_t {
    BatchFarbeKeine = 0,     // the image as it is
    BatchFarbeAuto = 1,      // histogram stretch
    BatchFarbeKonturen = 2,  // contour picture
};

// The batch panel: what a run does with the files of a folder tree.
struct BatchSettings {
    std::string quelle;              // source root folder
    std::string ziel;                // target root folder
    std::string muster = "*.JPG";    // the files taken; "*.MPO" and "*.JPS" are stereo files
    bool unterordner = true;         // subfolders included
    bool einzelbilder = true;        // each file colour-optimised on its own
    bool serien = true;              // each folder (each stereo file) aligned as one series
    int32_t farbModus = BatchFarbeAuto;
    bool verstaerkt = false;         // the histogram stretch to the full range
    bool negativ = false;            // unchecked, the single images get the other vergence projection
    bool zuschnitt = true;           // the series cut to the optimal region after the alignment
    bool anaglyph = true, stereo = false, streifen = false;
    std::string suffixAnaglyph = "_anaglyph", suffixStereo = "_stereo", suffixStreifen = "_stripes";
    bool jps = false, mpo = false;   // the aligned pair as a stereo file
    std::string ergebnisTyp = "JPG"; // file type of the results: "JPG", "BMP", "TIF" or "TGA"
    bool ueberschreiben = true;      // existing files are replaced, else kept
    bool original = true, farbOptimiert = true, justiert = true;
    std::string suffixOriginal = "_orig", suffixFarbOptimiert = "_edit", suffixJustiert = "_just";
};

// The work lists of the batch panel and what a running batch shows.
struct BatchLauf {
    std::vector<std::string> ordner;   // source folders holding a matching file, in the order of the run
    std::vector<std::string> dateien;  // matching files; during a run those of the current folder
    bool laeuft = false;
    bool abbruch = false;              // a stop was requested
    int32_t ordnerNr = 0;              // the folder being processed, from 1
    std::string datei;                 // the file being processed
};
