#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Services.h"

// The names of the two trace files of the EXIF listing, in the user's temporary folder.
inline constexpr const char* ExifSpurDateien[2] = {"EXIF_1_Detail$$$.TXT", "EXIF_2_Detail$$$.TXT"};

// The EXIF parameters of a JPEG or MPO file: IFD0, the EXIF and
// interoperability directories, the maker note, IFD1 with its thumbnail and,
// in a multi-picture file, the MP index. Offsets count from the TIFF header.
class TExif {
public:
    // Parses datei, or bytes already in memory.
    explicit TExif(const std::string& datei);
    explicit TExif(const std::vector<uint8_t>& daten);

    bool gueltig = false;

    std::string Hersteller, Modell, Software, DatumZeit, Copyright, Kuenstler, Bildbeschreibung, Benutzerkommentar;
    std::string ExifVersion, DatumOriginal, DatumDigitalisiert, Komponenten, FlashpixVersion;
    int64_t Ausrichtung = 0, Einheit = 0, YCbCrPositionierung = 0, ExifZeiger = 0, PrintIMLaenge = 0;
    int64_t Belichtungsprogramm = 0, ISO = 0, Messmethode = 0, Lichtquelle = 0, Blitz = 0;
    int64_t HerstellerInfoLaenge = 0, Farbraum = 0, PixelX = 0, PixelY = 0;
    double XAufloesung = 0, YAufloesung = 0, Belichtungszeit = 0, Blende = 0, KomprimierteBits = 0;
    double Verschlusswert = 0, Blendenwert = 0, Helligkeit = 0, Belichtungskorrektur = 0, MaxBlendenwert = 0;
    double Brennweite = 0;

    // Trace lines of the directories (first trace) and of the multi-picture
    // structure (second trace).
    std::vector<std::string> spur1, spur2;

private:
    void parse(const std::vector<uint8_t>& d);
    void exif(const std::vector<uint8_t>& d, size_t ab, size_t ende);
    void multiPicture(const std::vector<uint8_t>& d, size_t ab, size_t ende, size_t scan);
};

// Writes every directory entry to the two trace files in spurOrdner (only
// where the user asked for the listing).
void EXIF_Spuren_Schreiben(const Files& files, const TExif& exif, const std::filesystem::path& spurOrdner);

// The listing of the EXIF command: "Exif Header is not valid", or the headed
// lines of camera and picture parameters.
std::vector<std::string> EXIF_Liste(const TExif& exif);

// The name of a tag for the traces; kind 0 TIFF and EXIF directories, 1
// interoperability, 2 multi-picture, 3 maker note.
std::string TagName(uint16_t tag, int art);
