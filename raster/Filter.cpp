#include "raster/Filter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "raster/Farbe.h"
#include "raster/Byte.h"
#include "raster/RasterImage.h"

namespace {

struct Kernel {
    std::array<std::array<int, 3>, 3> k;
    int d;
};

const Kernel& kernel(int nummer)
{
    static const std::array<Kernel, 12> kernels{{
        {{{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}}, 1},  // Laplace
        {{{{-1, -1, -1}, {-1, 9, -1}, {-1, -1, -1}}}, 1},  // Hipass
        {{{{1, 1, 1}, {1, -2, 1}, {-1, -1, -1}}}, 1},      // Find Edges
        {{{{-1, -1, -1}, {-1, 16, -1}, {-1, -1, -1}}}, 8}, // Sharpen
        {{{{0, -1, 0}, {-1, 5, -1}, {0, -1, 0}}}, 1},      // Edge Enhance
        {{{{1, 0, 1}, {0, 0, 0}, {1, 0, -2}}}, 1},         // Color Emboss
        {{{{2, 2, 2}, {2, 0, 2}, {2, 2, 2}}}, 16},         // Soften
        {{{{3, 3, 3}, {3, 8, 3}, {3, 3, 3}}}, 32},         // Blur
        {{{{0, 1, 0}, {1, 2, 1}, {0, 1, 0}}}, 6},          // Soften less
        {{{{1, 1, 1}, {1, -8, 1}, {1, 1, 1}}}, 1},         // Test
        {{{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}}, 1},       // gradient across
        {{{{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}}}, 1},       // gradient down
    }};
    static const Kernel identity{{{{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}}, 1};
    return nummer >= 0 && nummer < static_cast<int>(kernels.size()) ? kernels[static_cast<size_t>(nummer)] : identity;
}

// Sum of the kernel over the neighbourhood of value `centre`; within a row,
// horizontal neighbours lie `step` values apart.
inline int convolve(const Kernel& k, const int* const rows[3], int64_t centre, int step)
{
    int s = 0;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            s += k.k[static_cast<size_t>(j)][static_cast<size_t>(i)] * rows[j][centre + (i - 1) * step];
    return s;
}

inline uint8_t filtered(int kernelNummer, const int* const rows[3], int64_t centre, int step)
{
    if (kernelNummer == KernelGradient) {
        const double sx = convolve(kernel(10), rows, centre, step);
        const double sy = convolve(kernel(11), rows, centre, step);
        return roundByte(std::sqrt(sx * sx + sy * sy));
    }
    const Kernel& k = kernel(kernelNummer);
    return clampByte(convolve(k, rows, centre, step) / k.d);
}

// The convolution into slot 3 and back. Each source row is read once and kept
// as integers: the three channels, or with `grau` its grey values.
void convolution(Context& ctx, ImageEntry& entry, int slot, int kernelNummer, bool grau)
{
    RasterSlot& quelle = entry.slot[static_cast<size_t>(slot)];
    if (ctx.state.abort || quelle.breite <= 0 || quelle.hoehe <= 0)
        return;
    RasterSlot& ziel = entry.slot[SlotKomposition];
    LegeRasterAn(ctx, ziel, quelle.breite, quelle.hoehe, Anlage::Weiss);
    {
        SlotCloser schliesseQuelle(quelle);
        SlotCloser schliesseZiel(ziel);
        OeffneLesen(quelle);
        OeffneSchreiben(ziel);
        const int64_t w = quelle.breite;
        const int32_t h = quelle.hoehe;
        const int step = grau ? 1 : 3;
        Zeile lesen;
        std::array<std::vector<int>, 3> ring;
        auto load = [&](int32_t y) {
            std::vector<int>& into = ring[static_cast<size_t>(y % 3)];
            into.resize(static_cast<size_t>(w * step));
            const uint8_t* px = LeseZeile(ctx, quelle, y, lesen);
            for (int64_t x = 0; x < w; ++x, px += 3) {
                if (grau)
                    into[static_cast<size_t>(x)] = Grauwert(px[2], px[1], px[0]);
                else
                    for (int c = 0; c < 3; ++c)
                        into[static_cast<size_t>(3 * x + c)] = px[c];
            }
            GibZeileFrei(lesen);
        };
        // The border is not covered by the kernel: a colour filter keeps the
        // source there, a grey one has no response.
        auto border = [&](uint8_t* out, int64_t x, const int* source) {
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = static_cast<uint8_t>(grau ? 0 : source[3 * x + c]);
        };
        ctx.setProgress(h - 1, 0);
        Zeile schreiben;
        load(0);
        for (int32_t y = 0; y < h; ++y) {
            if (y + 1 < h)
                load(y + 1);
            const int* const middle = ring[static_cast<size_t>(y % 3)].data();
            uint8_t* out = NeueZeile(ctx, ziel, y, schreiben);
            if (y == 0 || y == h - 1) {
                for (int64_t x = 0; x < w; ++x)
                    border(out, x, middle);
            } else {
                const int* const rows[3] = {ring[static_cast<size_t>((y - 1) % 3)].data(), middle,
                                            ring[static_cast<size_t>((y + 1) % 3)].data()};
                border(out, 0, middle);
                border(out, w - 1, middle);
                for (int64_t x = 1; x < w - 1; ++x) {
                    if (grau) {
                        const uint8_t v = filtered(kernelNummer, rows, x, 1);
                        out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = v;
                    } else {
                        for (int c = 0; c < 3; ++c)
                            out[3 * x + c] = filtered(kernelNummer, rows, 3 * x + c, 3);
                    }
                }
            }
            GibZeileFrei(schreiben);
            ctx.rowDone(y);
        }
    }
    RasterKopieren(ctx, ziel, quelle);
}

}

void Filter3x3(Context& ctx, ImageEntry& entry, int slot, int kernelNummer)
{
    convolution(ctx, entry, slot, kernelNummer, false);
}

void Konturen3x3(Context& ctx, ImageEntry& entry, int slot, int kernelNummer)
{
    convolution(ctx, entry, slot, kernelNummer, true);
}

void Konturfilter(Context& ctx, ImageEntry& entry, int slot)
{
    Konturen3x3(ctx, entry, slot, KernelGradient);
    Invertieren(ctx, entry, slot);
}
