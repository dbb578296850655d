#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Sprache.h"

struct AppState;

enum class Antwort { Ja, Nein, Abbrechen };

// Modal messages and questions.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(Sprache::Titel titel, const std::string& text) = 0;
    virtual Antwort ask(Sprache::Titel titel, const std::string& text, bool withCancel) = 0;
};

// The event pump of long loops, the progress display and the busy cursor.
class Events {
public:
    virtual ~Events() = default;
    // Called after every row, block or image; an implementation throttles the real work.
    virtual void processEvents(const AppState& state) = 0;
    virtual void setBusyCursor(bool busy) = 0;
};

// File-system services of the engine.
class Files {
public:
    virtual ~Files() = default;
    // The private temporary folder holding every raster of this process.
    virtual std::filesystem::path tempFolder() const = 0;
    // Free bytes on the file system holding path (or its nearest existing parent).
    virtual std::optional<uint64_t> freeSpace(const std::filesystem::path& path) const = 0;
    // The name of that file system as shown to the user (its mount point).
    virtual std::string volumeName(const std::filesystem::path& path) const = 0;
    // Joins the running instances of the program for this object's whole life.
    // When no other instance runs, alone() is called first, while none can
    // join; an implementation without a lock of its own is always alone.
    virtual void joinInstances(const std::function<void()>& alone) { alone(); }
    // Writes length bytes at offset of an open file, all of them; 0, or the
    // errno of the failure. Every write of a raster, a result or a project goes
    // through here or through copyData.
    virtual int writeAt(int fd, const void* data, size_t length, int64_t offset) const;
    // copyWholeFile through the service.
    virtual int copyData(int from, int to, uint64_t length) const;
};

// ENOSPC or EDQUOT: the file system (or the user's share of it) is full.
bool diskFull(int error);

// The positioned write of Files::writeAt without the service.
int writeFully(int fd, const void* data, size_t length, int64_t offset);
// Exactly length bytes at offset; false when the file ends before them or a read fails.
bool readFully(int fd, void* data, size_t length, int64_t offset);

// Copies the first length bytes of one open file over the start of another: in
// the kernel where it can, by reading and writing where it cannot (another
// file system, or one that does not offer the copy). 0, or the errno of the failure.
int copyFileData(int from, int to, uint64_t length);
// Makes another open file a copy of one of length bytes. Where the file system
// can, the copy shares the source's blocks until either file is written (a
// clone); else copyFileData copies them. 0, or the errno of the failure.
int copyWholeFile(int from, int to, uint64_t length);

// An existing file the user may not write, or one marked read-only (no write
// permission bit at all, which holds even for root).
bool isReadOnly(const std::filesystem::path& path);

// The line that follows the message of a failed load or save: the path and,
// where the system refuses the file, its reason as of now (for reading: opening
// the file; for writing: opening it for writing, or creating a file beside it).
std::string Dateiangabe(const std::filesystem::path& path, bool schreiben);
// A message followed by that line.
std::string MitDatei(const std::string& meldung, const std::filesystem::path& path, bool schreiben);

// Writes a whole file as a ZielDatei: an interrupted write never damages the
// file that was there before.
bool writeFileSafely(const Files& files, const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// The preview picture of the window; headless it shows nothing.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;
    virtual void clearPreview() = 0;
    virtual void showPreview() = 0;
};

// A picture handed to the printer: rows top-down, three bytes per pixel in
// the order blue, green, red, no padding.
struct PrintImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgr;
};

// A rectangle in device pixels; right and bottom lie just outside it.
struct DeviceRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// The system's printers: the list, the current one, its device values, and
// one page printed on it. Device pixels count from the top-left corner of the
// printable area.
class Printers {
public:
    virtual ~Printers() = default;
    // Installed printers in the system's order.
    virtual std::vector<std::string> names() const = 0;
    // Index into names(), -1 when none is selected.
    virtual int current() const = 0;
    // Selects the device for every later query and the next document.
    virtual void setCurrent(int index) = 0;
    // The set-up dialog: true when confirmed; the printer chosen there becomes current.
    virtual bool setupDialog() = 0;
    // The current printer's own resolution in dots per inch, 0 without a printer.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // Offset of the printable area from the paper's top-left corner, and the
    // printable width, in device pixels.
    virtual int offsetX() const = 0;
    virtual int offsetY() const = 0;
    virtual int pageWidth() const = 0;
    // Starts the document (one page); false when it could not be started.
    virtual bool beginDocument() = 0;
    // Ends a started document; false when it could not be completed.
    virtual bool endDocument() = 0;
    // Ends a started document without printing anything of it.
    virtual void abortDocument() = 0;
    // Draws image stretched into r, its pixels copied unchanged.
    virtual bool drawImage(const PrintImage& image, const DeviceRect& r) = 0;
    // Font face and size in points, normal style, for the text calls below.
    virtual void setFont(const std::string& face, int points) = 0;
    virtual int64_t textWidth(const std::string& text) const = 0;
    // One line of text with its top-left corner at (x, y).
    virtual bool drawText(int64_t x, int64_t y, const std::string& text) = 0;
};

// A grey picture: rows top-down, one byte per pixel, 0 black to 255 white.
struct GreyImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// Text for the pictures the engine composes itself.
class TextRaster {
public:
    virtual ~TextRaster() = default;
    // One line of text in font face, black on white, the font's size being
    // height pixels; the picture is as wide as the text and as high as the
    // font's line. Empty when no text can be rendered.
    virtual GreyImage render(const std::string& text, const std::string& face, int height) const = 0;
};

// No printer installed: nothing can be chosen or printed.
class NoPrinters : public Printers {
public:
    std::vector<std::string> names() const override { return {}; }
    int current() const override { return -1; }
    void setCurrent(int) override {}
    bool setupDialog() override { return false; }
    int dpiX() const override { return 0; }
    int dpiY() const override { return 0; }
    int offsetX() const override { return 0; }
    int offsetY() const override { return 0; }
    int pageWidth() const override { return 0; }
    bool beginDocument() override { return false; }
    bool endDocument() override { return false; }
    void abortDocument() override {}
    bool drawImage(const PrintImage&, const DeviceRect&) override { return false; }
    void setFont(const std::string&, int) override {}
    int64_t textWidth(const std::string&) const override { return 0; }
    bool drawText(int64_t, int64_t, const std::string&) override { return false; }
};

// For commands that never render text.
class NoTextRaster : public TextRaster {
public:
    GreyImage render(const std::string&, const std::string&, int) const override { return {}; }
};

// The per-user settings store: named integer and string values under one key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // True when the key exists.
    virtual bool exists() const = 0;
    // The value, or nothing when it is missing or not of that type.
    virtual std::optional<int32_t> readInt(const std::string& name) const = 0;
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    // Writing creates the key when needed.
    virtual void writeInt(const std::string& name, int32_t value) = 0;
    virtual void writeString(const std::string& name, const std::string& value) = 0;
    // Removes the key with every value in it.
    virtual void remove() = 0;
    // Makes the changes permanent; false when the store could not be written.
    virtual bool flush() = 0;
};

struct Services {
    Messages& messages;
    Events& events;
    Files& files;
    PreviewDisplay& display;
    Printers& printers;
    TextRaster& textRaster;
};
