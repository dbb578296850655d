#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Context.h"
#include "model/RasterSlot.h"
#include "model/Settings.h"

// The raster operations: preparing, opening and closing raster files, row views, copies.

// File offset of row y (top-down) of a raster of the given size.
int64_t ZeilenOffset(int32_t breite, int32_t hoehe, int32_t y);

// A row view: a buffer standing for one row of an open raster. A write view is
// written back when it is released (ZeileFreigeben) or destroyed.
class Zeile {
public:
    Zeile() = default;
    ~Zeile();
    Zeile(const Zeile&) = delete;
    Zeile& operator=(const Zeile&) = delete;

    uint8_t* daten() { return buffer_.data(); }
    bool gebunden() const { return datei_ != nullptr; }

    // Binds the view to length bytes at offset of file; readOld fills the buffer
    // from the file. A view with writeTo is written back through it.
    bool binden(std::shared_ptr<RasterDatei> datei, int64_t offset, size_t length, const Files* writeTo,
                bool readOld);
    // Writes a write view back and unbinds it; 0, or the errno of the failed write.
    int loesen();

private:
    std::vector<uint8_t> buffer_;
    std::shared_ptr<RasterDatei> datei_;
    int64_t offset_ = 0;
    const Files* files_ = nullptr;
};

// What preparing a raster file came to. Every outcome but Ok and Abgebrochen
// has been reported and has set the abort flag.
enum class Angelegt {
    Ok,
    Abgebrochen,  // the abort flag was set already
    Fehler,       // too large, or not creatable
    PlatteVoll,
};

// How a raster file is prepared.
enum class Anlage {
    Weiss,           // header and white pixels
    Leer,            // header and length, any old file replaced
    Ueberschreiben,  // header and length; an old file keeps the pages both lengths share
};

// What copying a raster file came to; nothing is reported.
enum class Dateiergebnis { Ok, Fehler, PlatteVoll };

Angelegt RasterAnlegen(Context& ctx, RasterSlot& slot);
// The same for a writer that fills every row itself: header and file length
// only, any old file replaced, no white pixels written.
Angelegt RasterAnlegenLeer(Context& ctx, RasterSlot& slot);
// The same for a routine that writes every byte of every row before anything
// reads them: a matching file is reused, otherwise only header and length are
// written (an old file of another size is resized in place), so no white
// pixels are written only to be overwritten.
Angelegt RasterAnlegenUeberschreiben(Context& ctx, RasterSlot& slot);
// False when the file cannot be opened.
bool RasterOeffnenLesen(RasterSlot& slot);
bool RasterOeffnenSchreiben(RasterSlot& slot);
void RasterSchliessen(RasterSlot& slot);

// Consecutive rows of an open raster read with one positioned read, for loops
// that read rows in ascending order. A row outside the band starts a new band
// at that row; rows written through other views after that are not seen.
class Leseband {
public:
    // A band holds as many rows as fit into about bytes, at least one.
    explicit Leseband(size_t bytes = size_t{1} << 20) : bytes_(bytes) {}

    // Row y, 3 × width bytes; throws Abbruch after "Fehler beim Laden der Bilddaten!" on failure.
    const uint8_t* zeile(Context& ctx, const RasterSlot& slot, int32_t y);

private:
    size_t bytes_;
    std::vector<uint8_t> buffer_;
    std::shared_ptr<RasterDatei> datei_;
    int64_t stride_ = 0;
    int32_t erste_ = 0;   // top row of the band
    int32_t anzahl_ = 0;  // rows in the band
};

// Consecutive rows of an open raster that the caller overwrites completely,
// written with one positioned write. Rows are handed out in ascending order;
// the band is written when it is full, when a row outside it is asked for, by
// schreiben() and, like a row view, on destruction. Only rows handed out are
// ever written. A loop calls schreiben() after its last row: only there is a
// failure of the last write reported.
class Schreibband {
public:
    explicit Schreibband(size_t bytes = size_t{1} << 20) : bytes_(bytes) {}
    ~Schreibband();
    Schreibband(const Schreibband&) = delete;
    Schreibband& operator=(const Schreibband&) = delete;

    // The buffer of row y (3 × width bytes, the padding zeroed); throws Abbruch
    // after the loading message when the slot is not open for writing or y lies
    // outside it, and Abbruch when writing the previous band failed.
    uint8_t* zeile(Context& ctx, const RasterSlot& slot, int32_t y);
    // Writes the rows handed out so far; throws Abbruch with the errno when that failed.
    void schreiben();

private:
    int leeren();

    size_t bytes_;
    std::vector<uint8_t> buffer_;
    std::shared_ptr<RasterDatei> datei_;
    const Files* files_ = nullptr;
    int64_t stride_ = 0;
    int32_t hoehe_ = 0;
    int32_t kapazitaet_ = 0;  // rows the buffer holds
    int32_t erste_ = 0;       // top row of the band
    int32_t anzahl_ = 0;      // rows handed out
};

// False after the message "Fehler beim Laden der Bilddaten!".
bool ZeileLesen(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view);
// A row for reading and writing: the view holds the row's current bytes.
bool ZeileSchreiben(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view);
// A row the caller overwrites completely: its old bytes are not read.
bool ZeileUeberschreiben(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view);
// Releases a view; a write view is written to its file first. False when that failed.
bool ZeileFreigeben(Zeile& view);

// Copies a raster's file over another's, byte for byte; where the file system
// can, the copy shares the source's blocks until either is written.
Dateiergebnis RasterKopierenDatei(const Files& files, const RasterSlot& von, const RasterSlot& nach);
// Gives a raster of the program's own the file of another as a second name:
// the two share their bytes until one of them is written, and whatever writes
// into a raster first gives it bytes of its own. Where a file system has no
// second names, a copy. Sizes in the slot records are the caller's.
Dateiergebnis RasterTeilen(const Files& files, const RasterSlot& von, const RasterSlot& nach);
// Gives the slot its size and prepares its file as the Anlage says; throws Abbruch on failure.
void LegeRasterAn(Context& ctx, RasterSlot& slot, int32_t breite, int32_t hoehe, Anlage anlage);
// RasterTeilen through the context's files; throws Abbruch on failure.
void TeileRaster(Context& ctx, const RasterSlot& von, const RasterSlot& nach);
// Copies the pixels of one raster into another; throws Abbruch on failure or abort.
void RasterKopieren(Context& ctx, const RasterSlot& von, RasterSlot& nach);
// False when the file system holding path has less than the raster's file size free.
bool Plattenplatz_Pruefen(Context& ctx, const std::string& pfad, int32_t breite, int32_t hoehe);

// Sets pixels von .. bis − 1 of a row to one colour.
void ZeileFuellen(uint8_t* zeile, int32_t von, int32_t bis, const Farbe& farbe);

// Closes a slot on every way out of a scope.
class SlotCloser {
public:
    explicit SlotCloser(RasterSlot& slot) : slot_(slot) {}
    ~SlotCloser() { RasterSchliessen(slot_); }
    SlotCloser(const SlotCloser&) = delete;
    SlotCloser& operator=(const SlotCloser&) = delete;

private:
    RasterSlot& slot_;
};

// A source opened for reading on a handle of its own (the caller's slot keeps
// whatever it has open) and a target opened for writing, both closed on every
// way out. Throws Abbruch when either cannot be opened.
class QuelleUndZiel {
public:
    QuelleUndZiel(const RasterSlot& quelle, RasterSlot& ziel);
    RasterSlot von;

private:
    SlotCloser schliesseQuelle_;
    SlotCloser schliesseZiel_;
};

// Throwing forms for processing loops: a failure raises the abort exception.
uint8_t* LeseZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view);
uint8_t* SchreibeZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view);
uint8_t* NeueZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view);
void GibZeileFrei(Zeile& view);
void OeffneLesen(RasterSlot& slot);
void OeffneSchreiben(RasterSlot& slot);
