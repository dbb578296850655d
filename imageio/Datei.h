#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/ZielDatei.h"

// Byte order helpers and the two file kinds every reader and writer uses: a
// read-only file whose every read is checked against its size, and a target
// written under a temporary name that replaces the real one only when complete.

inline uint16_t le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t le32(const uint8_t* p)
{
    return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline uint16_t be16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t be32(const uint8_t* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Appends numbers in either byte order to a byte vector.
class Bytes {
public:
    explicit Bytes(bool bigEndian = false) : big_(bigEndian) {}
    std::vector<uint8_t> daten;

    void u8(uint32_t v) { daten.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) { zahl(v, 2); }
    void u32(uint32_t v) { zahl(v, 4); }
    void text(const std::string& s) { daten.insert(daten.end(), s.begin(), s.end()); }
    // Overwrites a 32-bit number written earlier.
    void u32An(size_t at, uint32_t v);
    size_t size() const { return daten.size(); }

private:
    // Where byte i of a number breite bytes wide lies in it, in bits.
    int verschiebung(int i, int breite) const;
    void zahl(uint32_t v, int breite);

    bool big_;
};

class LeseDatei {
public:
    explicit LeseDatei(const std::string& pfad);
    ~LeseDatei();
    LeseDatei(const LeseDatei&) = delete;
    LeseDatei& operator=(const LeseDatei&) = delete;

    bool offen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    uint64_t groesse() const { return groesse_; }
    // Exactly length bytes at offset; false when they do not all lie in the file.
    bool lesen(uint64_t offset, void* ziel, size_t laenge) const;

private:
    int fd_ = -1;
    uint64_t groesse_ = 0;
};

// The whole file, or nothing when it cannot be read or exceeds maxBytes.
bool DateiLesen(const std::string& pfad, std::vector<uint8_t>& daten, uint64_t maxBytes);

// A trace of text lines, each ended by CR LF, written under a fresh name and
// renamed over pfad: a link planted under that name is replaced, never followed.
bool SpurSchreiben(const Files& files, const std::string& pfad, const std::vector<std::string>& zeilen);

// Copies a file, in the kernel or as a clone where the file system can; the
// target is replaced only when the copy is complete. With verschieben the
// file, which nobody needs afterwards, is moved where it can be.
bool DateiKopieren(const Files& files, const std::string& von, const std::string& nach, bool verschieben = false);
