#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Programm.h"

// How a raster is cut for printing: tiles of breite × hoehe pixels; nx and ny
// are the indices of the last tile column and row.
struct Kachelung {
    int32_t breite = 0, hoehe = 0;
    int32_t nx = 0, ny = 0;
};
// Kind 0: tiles of 1500 × 1500; 1: bands across the whole width; 2: bands over
// the whole height; a raster of at most 1500 × 1500 is always one tile.
Kachelung Kacheln(int32_t breite, int32_t hoehe, int art);

// The current printer's geometry, queried once per print job.
struct Geraet {
    double dpcmX = 0, dpcmY = 0;          // dots per centimetre
    double versatzX = 0, versatzY = 0;    // the printable area's offset from the paper edge in cm
    int64_t seitenbreite = 0;             // width of the printable area in device pixels

    // Device coordinates of a position in cm from the paper's top-left corner.
    int64_t x(double cm) const;
    int64_t y(double cm) const;
    // Line pitch of a font size in device pixels.
    int64_t zeilenhoehe(int punkte) const;
};
// Throws Abbruch for a printer that reports no resolution.
Geraet Geraet_Abfragen(const Printers& drucker);
// The current printer's name; empty when none is selected.
std::string Druckername(const Printers& drucker);

// Where the image lies, in cm: left and top edge measured from the printable
// area (the margins are measured from the paper edge), width and height.
struct Bildlage {
    double links = 0, oben = 0, breite = 0, hoehe = 0;
};
Bildlage Bildlage_Berechnen(const PrintSettings& d, const Geraet& g);

// The device rectangle of the pixels x0..x1, y0..y1 of a breite × hoehe raster.
DeviceRect Kachelrechteck(const Geraet& g, const Bildlage& b, int32_t breite, int32_t hoehe, int32_t x0,
                          int32_t y0, int32_t x1, int32_t y1);

// The information lines of a print of a breite × hoehe raster, "" for a blank
// line; line i (counted from 1) is printed at y0 + i × line pitch.
std::vector<std::string> Druckinfos(const Programm& p, int32_t breite, int32_t hoehe, const Geraet& g,
                                    const std::string& drucker);

// A document on a printer, thrown away on every way out unless ended.
class Dokument {
public:
    explicit Dokument(Printers& drucker) : drucker_(drucker), offen_(drucker.beginDocument()) {}
    ~Dokument()
    {
        if (offen_)
            drucker_.abortDocument();
    }
    Dokument(const Dokument&) = delete;
    Dokument& operator=(const Dokument&) = delete;

    bool offen() const { return offen_; }
    // Ends the document; false when the printer could not complete it.
    bool beenden()
    {
        offen_ = false;
        return drucker_.endDocument();
    }

private:
    Printers& drucker_;
    bool offen_;
};

// Prints raster at the print settings' size and position, cut by kind art, with
// the information lines when asked for. Nothing happens with the abort flag
// set; a failure ends the document, shows the general error and sets the
// abort flag; a stop by the user ends it silently. True when printed.
bool Druckroutine(Programm& p, Printers& drucker, const RasterSlot& raster, int art);
