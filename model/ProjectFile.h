#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The project file (.LVX): fields written one after another, little-endian,
// between a leading and a trailing format version. Only version 600 is written;
// older versions are read with defaults for the fields they lack.

inline constexpr int32_t ProjektVersion = 600;
inline constexpr size_t ProjektTextLaenge = 256;
inline constexpr size_t ProjektBildLaenge = 580;

struct ProjektBild {
    std::string pfad;
    std::string mpoPfad;
    int32_t breite = 0, hoehe = 0;
    double dx = 0.0, dy = 0.0;  // versions before 500 store whole pixels
    double rot = 0.0;
    double skal = 1.0;
    int32_t refX = 0, refY = 0;
    bool istReferenzbild = false, refModus = false;
    bool spiegelX = false, spiegelY = false, konturen = false;
};

// Every field of a project file as stored, before any conversion of old values.
struct ProjektDaten {
    int32_t version = ProjektVersion;
    int32_t linsenrichtung = 0;
    double lpi = 40.0;
    int32_t listenAuswahl = 0;
    int32_t vorschau = 0;
    double randX = 0.5, randY = 0.5;
    double breite = 15.0, hoehe = 10.0;
    bool proportional = true, druckInfos = false, seitenverkehrt = false;
    int32_t comboA = -1, comboB = -1;
    uint32_t hintergrund = 0x00FFFFFF;  // 0x00BBGGRR
    int32_t gamma = 0, hell = 0, kontrast = 0, saettigung = 0;
    int32_t anaglyphArt = 1;     // the anaglyph scheme list
    int32_t anaglyphSchema = 2;  // colour, manual, grey
    std::array<int32_t, 3> c{0, 0, 0};
    bool verbinden = true;
    int32_t einheit = 0;         // 0 cm, 1 inch
    bool viewerVorlage = true, viewerFrei = false;
    bool gesamtRahmen = true, rahmen = true;
    int32_t viewerIndex = 0;
    std::array<double, 7> viewer{50, 50, 55, 0, 115, 60, 5};  // xd, yd, xm, ym, xr, yr, line width
    int32_t barrierIndex = 0;
    bool linseInvers = false;
    bool streifenLO = true, streifenRU = false, streifenQuer = false;
    int32_t komprimierung = 0;
    int32_t pixelProLinse = 1;
    bool druckOptimierung = false;
    bool dpiAuto = false, dpiManuell = true;
    int32_t dpiIndex = 7;
    int32_t biKubIndex = 0;
    int32_t druckerIndex = -1;
    std::string druckerName;
    int32_t lcdGroesse = 2, lcdRichtung = 0, lcdBeginn = 0;
    int32_t lcdX = 500, lcdY = 500;
    std::vector<ProjektBild> bilder;
};

enum class ProjektFehler {
    Keiner,
    FalscheDatei,  // unknown version
    Lesefehler,    // truncated, wrong end marker, impossible image count
};

std::vector<uint8_t> ProjektKodieren(const ProjektDaten& daten);
// Reads the fields of any accepted version; `daten` starts from `vorgaben` for the fields a version lacks.
ProjektFehler ProjektDekodieren(const std::vector<uint8_t>& bytes, const ProjektDaten& vorgaben, ProjektDaten& daten);
bool ProjektVersionBekannt(int32_t version);

// Texts are stored as a length byte, up to 255 bytes and blanks. Paths are
// written in UTF-8; files whose texts are not UTF-8 are read as Windows-1252.
std::string ProjektTextLesen(const uint8_t* feld);
std::array<uint8_t, ProjektTextLaenge> ProjektTextSchreiben(const std::string& text);
// A text that a field holds whole; a longer one would be cut.
inline bool ProjektTextPasst(const std::string& text)
{
    return text.size() < ProjektTextLaenge;
}

// Keeps only digits and commas and reads the comma as the decimal point; empty is 0.
double ZiffernUndKomma(const std::string& text);
