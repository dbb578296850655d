#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Services.h"

// A file written beside its target and renamed over it only when complete, so
// no reader ever sees it half-written and an interrupted write leaves the old
// target intact. Where the file system allows it the file has no name until
// then, so not even a killed process leaves it behind; otherwise it has a short
// name of fixed length, which fits wherever the target's name fits. Every
// write goes through the Files service.
class ZielDatei {
public:
    ZielDatei(const Files& files, std::string ziel);
    ~ZielDatei();
    ZielDatei(const ZielDatei&) = delete;
    ZielDatei& operator=(const ZielDatei&) = delete;

    bool offen() const { return datei_ != nullptr; }
    // The file as a stream, for writers that write through stdio.
    FILE* datei() { return datei_; }
    bool schreiben(const void* daten, size_t laenge);
    bool schreiben(const std::vector<uint8_t>& daten) { return schreiben(daten.data(), daten.size()); }
    // Reads back bytes written earlier and returns to the end.
    bool lesenAn(uint64_t offset, void* daten, size_t laenge);
    // Overwrites bytes written earlier and returns to the end.
    bool schreibenAn(uint64_t offset, const void* daten, size_t laenge);
    uint64_t position();
    // Fills the new file, before anything else was written, with the first
    // length bytes of an open file, through the Files service.
    bool kopieren(int von, uint64_t laenge);
    // Makes a file of the same file system the new file, moved here instead of
    // written; false when it cannot be moved (another file system).
    bool uebernehmen(const std::string& datei);
    // Flushes the file to the disk and puts it in the target's place; false
    // when any write failed, and then nothing of it is left.
    bool fertig();

private:
    friend struct ZielDateiStrom;
    bool benennen();

    const Files& files_;
    std::string ziel_;
    std::string temp_;  // the short name, empty while the file has none
    int fd_ = -1;
    FILE* datei_ = nullptr;
    uint64_t stelle_ = 0;  // where the stream reads and writes next
    bool fehler_ = false;
};
