#pragma once
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "demo/Szene.h"
#include "model/ProjectFile.h"
#include "model/RasterSlot.h"

// Photographs and projects for the benchmarks that run the whole program.

// A textured photograph of the demo scene: rendered at a quarter of the size,
// enlarged bilinearly and given a fine grain, as a sensor would, so that no
// area is flat. Written as a 24-bit BMP unless the file is there already.
inline void photo(const std::filesystem::path& file, int width, int height, int view, int views)
{
    const int64_t stride = RasterStride(width);
    if (std::filesystem::exists(file) && std::filesystem::file_size(file) == static_cast<uintmax_t>(RasterDateigroesse(width, height)))
        return;
    std::printf("generating %s\n", file.filename().c_str());
    std::fflush(stdout);
    Szene scene;
    scene.breite = std::max(width / 4, 2);
    scene.hoehe = std::max(height / 4, 2);
    scene.ansichten = views;
    const auto sw = static_cast<size_t>(scene.breite);
    std::vector<uint8_t> small(sw * static_cast<size_t>(scene.hoehe) * 3);
    AnsichtRendern(scene, view, [&](int y, const uint8_t* bgr) {
        std::memcpy(&small[static_cast<size_t>(y) * sw * 3], bgr, sw * 3);
    });
    std::vector<uint8_t> bytes(static_cast<size_t>(RasterDateigroesse(width, height)), 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, BmpKopfLaenge);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, static_cast<uint32_t>(stride * height));
    // Where an enlarged position falls between the small picture's pixels.
    const auto between = [](int i, int size, int& i0, int& i1, double& t) {
        const double f = std::clamp((i + 0.5) / 4 - 0.5, 0.0, size - 1.0);
        i0 = static_cast<int>(f);
        i1 = std::min(i0 + 1, size - 1);
        t = f - i0;
    };
    uint32_t noise = 12345u + static_cast<uint32_t>(view);
    for (int y = 0; y < height; ++y) {
        int y0, y1;
        double ty;
        between(y, scene.hoehe, y0, y1, ty);
        uint8_t* row = &bytes[static_cast<size_t>(BmpKopfLaenge + (height - 1 - y) * stride)];
        for (int x = 0; x < width; ++x) {
            int x0, x1;
            double tx;
            between(x, scene.breite, x0, x1, tx);
            for (size_t c = 0; c < 3; ++c) {
                const auto at = [&](int xx, int yy) { return small[(static_cast<size_t>(yy) * sw + static_cast<size_t>(xx)) * 3 + c]; };
                const double v = (at(x0, y0) * (1 - tx) + at(x1, y0) * tx) * (1 - ty)
                    + (at(x0, y1) * (1 - tx) + at(x1, y1) * tx) * ty;
                noise = noise * 1664525u + 1013904223u;
                const int grain = static_cast<int>(noise >> 28) - 8;
                row[3 * static_cast<size_t>(x) + c] = static_cast<uint8_t>(std::clamp(static_cast<int>(v) + grain, 0, 255));
            }
        }
    }
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// A project over photos of one size, for a print of 60 × 40 cm behind 40 lpi
// lenses, shown in the given preview mode.
inline ProjektDaten project(const std::vector<std::filesystem::path>& photos, int width, int height, int32_t mode)
{
    ProjektDaten d;
    for (const std::filesystem::path& f : photos) {
        ProjektBild b;
        b.pfad = f.string();
        b.breite = width;
        b.hoehe = height;
        d.bilder.push_back(b);
    }
    d.vorschau = mode;
    d.comboA = 0;
    d.comboB = static_cast<int32_t>(photos.size()) - 1;
    d.listenAuswahl = d.comboB;
    d.lpi = 40;
    d.breite = 60;
    d.hoehe = 40;
    d.proportional = false;
    return d;
}

inline void writeProject(const std::filesystem::path& file, const ProjektDaten& d)
{
    const std::vector<uint8_t> bytes = ProjektKodieren(d);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}
