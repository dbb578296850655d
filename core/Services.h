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
    // errno of the failure. Every raster write goes through here.
    virtual int writeAt(int fd, const void* data, size_t length, int64_t offset) const;
    // Writes a whole file and flushes it to the disk; false when any byte could not be written.
    virtual bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) const;
    // Renames from over to in one step.
    virtual bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) const;
};

// The positioned write of Files::writeAt without the service.
int writeFully(int fd, const void* data, size_t length, int64_t offset);

// Copies the first length bytes of one open file over the start of another: in
// the kernel where it can, by reading and writing where it cannot (another
// file system, or one that does not offer the copy). False on a failure.
bool copyFileData(int from, int to, uint64_t length);
// Makes another open file a copy of one of length bytes. Where the file system
// can, the copy shares the source's blocks until either file is written (a
// clone); else copyFileData copies them.
bool copyWholeFile(int from, int to, uint64_t length);

// An existing file the user may not write, or one marked read-only (no write
// permission bit at all, which holds even for root).
bool isReadOnly(const std::filesystem::path& path);

// Writes under a temporary name beside path and renames it over path, so an
// interrupted write never damages the file that was there before.
bool writeFileSafely(const Files& files, const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// The preview picture of the window; headless it shows nothing.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;
    virtual void clearPreview() = 0;
    virtual void showPreview() = 0;
};

// The system's printers: the list, the current one and its device values.
// Printing itself comes with the print layout.
class Printers {
public:
    virtual ~Printers() = default;
    virtual std::vector<std::string> names() const = 0;
    // Index into names(), -1 when none is selected.
    virtual int current() const = 0;
    virtual void setCurrent(int index) = 0;
    // Logical resolution of the current printer in dots per inch.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
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
};
