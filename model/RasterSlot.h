#pragma once
#include <cstdint>
#include <memory>
#include <string>

// A raster is an uncompressed 24-bit BMP file: 54-byte header, rows stored
// bottom-up, pixels blue, green, red, each row padded to a multiple of 4 bytes.
// Rows are addressed top-down (y = 0 is the top row of the picture).

inline constexpr int64_t BmpKopfLaenge = 54;
// Files of this size or more are refused: the header's size fields are 32-bit.
inline constexpr int64_t RasterGrenze = 4294967295LL;
// Kept free on a file system beyond the raster itself.
inline constexpr uint64_t PlattenReserve = 10'000'000;

int64_t RasterStride(int64_t breite);
int64_t RasterDateigroesse(int64_t breite, int64_t hoehe);

// An open raster file, shared between a slot and the row views taken from it,
// so a view never writes into a descriptor that was closed and reused.
class RasterDatei {
public:
    RasterDatei(int fd, bool writable) : fd_(fd), writable_(writable) {}
    ~RasterDatei();
    RasterDatei(const RasterDatei&) = delete;
    RasterDatei& operator=(const RasterDatei&) = delete;
    int fd() const { return fd_; }
    bool writable() const { return writable_; }

private:
    int fd_;
    bool writable_;
};

// One slot record of an image entry: the raster file and what is known of it.
struct RasterSlot {
    std::string pfad;   // full path of the raster file
    std::string pfad2;  // slot 0 of an image taken from an MPO file: that MPO file
    std::string name;   // file name without folder; slot 0: the display name
    std::shared_ptr<RasterDatei> datei;  // open file, empty when closed
    int32_t breite = 0;
    int32_t hoehe = 0;
    // Slot 0 of a source image: -1 the user's own file (never deleted), 0 a temporary file.
    int32_t eigentum = 0;

    int64_t stride() const { return RasterStride(breite); }
    bool offen() const { return datei != nullptr; }
};
