#include "raster/Uebertragung.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

#include "raster/RasterImage.h"

namespace {

void fillBackground(uint8_t* pixel, const Farbe& hintergrund, int64_t count)
{
    for (int64_t i = 0; i < count; ++i, pixel += 3) {
        pixel[0] = static_cast<uint8_t>(hintergrund.b);
        pixel[1] = static_cast<uint8_t>(hintergrund.g);
        pixel[2] = static_cast<uint8_t>(hintergrund.r);
    }
}

void prepareTarget(Context& ctx, RasterSlot& ziel)
{
    if (RasterAnlegen(ctx, ziel) != 0)
        throw Abbruch{};
}

// Everything of a resampling run that does not change per pixel.
struct Plan {
    Matrix4 g;
    double g00, g01, g03, g10, g11, g13, g20, g21, g23;
    Ebene ebene;
    bool perspektive, inversVergenz, bikubisch;
    double halfW, halfH, eye, depth;
    int32_t width;                 // target
    int32_t srcWidth, srcHeight;
    uint8_t background[3];
};

Plan makePlan(const Abbildung& a, const ResampleOptionen& o, const RasterSlot& quelle, const RasterSlot& ziel)
{
    Plan p{};
    p.g = a.g;
    const auto& g = a.g.m;
    p.g00 = g[0][0], p.g01 = g[0][1], p.g03 = g[0][3];
    p.g10 = g[1][0], p.g11 = g[1][1], p.g13 = g[1][3];
    p.g20 = g[2][0], p.g21 = g[2][1], p.g23 = g[2][3];
    p.ebene = a.ebene;
    p.perspektive = a.perspektive;
    p.inversVergenz = a.inversVergenz;
    p.bikubisch = o.bikubisch;
    p.halfW = a.breite / 2.0;
    p.halfH = a.hoehe / 2.0;
    p.eye = 4.0 * std::sqrt(static_cast<double>(a.breite) * a.breite + static_cast<double>(a.hoehe) * a.hoehe);
    p.depth = p.eye / 2.0;
    p.width = ziel.breite;
    p.srcWidth = quelle.breite;
    p.srcHeight = quelle.hoehe;
    p.background[0] = static_cast<uint8_t>(o.hintergrund.b);
    p.background[1] = static_cast<uint8_t>(o.hintergrund.g);
    p.background[2] = static_cast<uint8_t>(o.hintergrund.r);
    return p;
}

// The vergence tilt: where the pixel's line of sight meets the tilted image.
void perspectivePosition(const Plan& p, double x, double y, double& xs, double& ys)
{
    if (!p.inversVergenz) {
        const double z = p.g20 * x + p.g21 * y + p.g23;
        if (z != 0.0) {
            const double t = p.eye / (p.eye - z);
            xs = p.halfW + (xs - p.halfW) * t;
            ys = p.halfH + (ys - p.halfH) * t;
        }
        return;
    }
    const auto hit = Matrix_4_Schnittpunkt({p.halfW, p.halfH, p.eye}, {(x - p.halfW) / 2.0, (y - p.halfH) / 2.0, -p.depth},
                                           p.ebene);
    const Vektor4 s = Matrix_4_MalVektor(p.g, {hit[0], hit[1], hit[2], 1.0});
    xs = s[0];
    ys = s[1];
}

inline void copyPixel(uint8_t* to, const uint8_t* from)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

// Round half to even without a library call: adding and taking away 1.5 · 2^52
// leaves no fraction bits, so the default rounding mode rounds the value
// exactly as std::nearbyint does. Larger values are whole already.
inline double roundHalfEven(double v)
{
    constexpr double shift = 0x1.8p52;
    return std::fabs(v) < 0x1p51 ? (v + shift) - shift : v;
}

inline uint8_t channel(double sum)
{
    return static_cast<uint8_t>(Matrix_4_Byte(roundHalfEven(sum)));
}

// Neighbour index i of a bicubic tap; one outside the source takes the clamped centre.
inline int32_t tap(int32_t i, int32_t centre, int32_t size)
{
    return i >= 0 && i < size ? i : std::clamp(centre, 0, size - 1);
}

// Bytes as doubles, read rather than converted in the innermost loop.
const std::array<double, 256> byteValue = [] {
    std::array<double, 256> v{};
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<double>(i);
    return v;
}();

// One target row. Source gives the packed pixel bytes of a source row.
template <class Source>
void resampleRow(const Plan& p, Source& src, int32_t row, uint8_t* out)
{
    const double y = row;
    const double rowX = p.g01 * y;
    const double rowY = p.g11 * y;
    for (int32_t col = 0; col < p.width; ++col, out += 3) {
        const double x = col;
        double xs = p.g00 * x + rowX + p.g03;
        double ys = p.g10 * x + rowY + p.g13;
        if (p.perspektive)
            perspectivePosition(p, x, y, xs, ys);
        const double xr = roundHalfEven(xs);
        const double yr = roundHalfEven(ys);
        if (!(xr >= 0.0 && xr < p.srcWidth && yr >= 0.0 && yr < p.srcHeight)) {
            copyPixel(out, p.background);
            continue;
        }
        // The nearest whole number lies at most half a pixel away, so this is the floor.
        const double x0 = xr > xs ? xr - 1.0 : xr;
        const double y0 = yr > ys ? yr - 1.0 : yr;
        const double fx = xs - x0;
        const double fy = ys - y0;
        if (!p.bikubisch || (fx == 0.0 && fy == 0.0)) {
            copyPixel(out, src.row(static_cast<int32_t>(yr)) + 3 * static_cast<int64_t>(xr));
            continue;
        }
        const double wx[4] = {Matrix_4_Kubisch(1.0 + fx), Matrix_4_Kubisch(fx), Matrix_4_Kubisch(1.0 - fx),
                              Matrix_4_Kubisch(2.0 - fx)};
        const double wy[4] = {Matrix_4_Kubisch(1.0 + fy), Matrix_4_Kubisch(fy), Matrix_4_Kubisch(1.0 - fy),
                              Matrix_4_Kubisch(2.0 - fy)};
        const auto cx = static_cast<int32_t>(x0);
        const auto cy = static_cast<int32_t>(y0);
        const uint8_t* lines[4];
        int64_t column[4];
        for (int32_t i = 0; i < 4; ++i) {
            lines[i] = src.row(tap(cy - 1 + i, cy, p.srcHeight));
            column[i] = 3 * int64_t{tap(cx - 1 + i, cx, p.srcWidth)};
        }
        // The sum over the 16 neighbours is formed row by row, as a tree, so
        // that its additions do not wait for one another.
        double across[4][3];
        for (int32_t j = 0; j < 4; ++j) {
            const uint8_t* p0 = lines[j] + column[0];
            const uint8_t* p1 = lines[j] + column[1];
            const uint8_t* p2 = lines[j] + column[2];
            const uint8_t* p3 = lines[j] + column[3];
            for (int c = 0; c < 3; ++c)
                across[j][c] = (wx[0] * byteValue[p0[c]] + wx[1] * byteValue[p1[c]])
                    + (wx[2] * byteValue[p2[c]] + wx[3] * byteValue[p3[c]]);
        }
        double sum[3];
        for (int c = 0; c < 3; ++c)
            sum[c] = (wy[0] * across[0][c] + wy[1] * across[1][c]) + (wy[2] * across[2][c] + wy[3] * across[3][c]);
        out[0] = channel(sum[0]);
        out[1] = channel(sum[1]);
        out[2] = channel(sum[2]);
    }
}

// The whole source in memory, packed rows of 3 × width bytes.
class MemorySource {
public:
    // False when the source is larger than the limit or the memory cannot be had.
    bool load(Context& ctx, const RasterSlot& quelle, uint64_t limit)
    {
        rowBytes_ = 3 * static_cast<size_t>(quelle.breite);
        const uint64_t bytes = uint64_t{rowBytes_} * static_cast<uint64_t>(quelle.hoehe);
        if (bytes > limit)
            return false;
        try {
            pixels_.resize(bytes);
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const std::length_error&) {
            return false;
        }
        Zeile view;
        for (int32_t y = 0; y < quelle.hoehe; ++y) {
            std::memcpy(pixels_.data() + static_cast<size_t>(y) * rowBytes_, LeseZeile(ctx, quelle, y, view), rowBytes_);
            ctx.pump();
            ctx.throwIfAborted();
        }
        GibZeileFrei(view);
        return true;
    }
    const uint8_t* row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * rowBytes_; }

private:
    std::vector<uint8_t> pixels_;
    size_t rowBytes_ = 0;
};

// Source rows read from the file on demand into a small direct-mapped cache
// of row views; a run of consecutive rows never evicts itself.
class StreamSource {
public:
    // The cache takes a quarter of the memory limit, at most 16 MiB and no more
    // rows than the source has, but at least 8; a power of two rows, so that a
    // mask finds a row's place.
    StreamSource(Context& ctx, const RasterSlot& quelle, uint64_t limit) : ctx_(ctx), quelle_(quelle)
    {
        const auto budget = static_cast<int64_t>(std::min<uint64_t>(limit / 4, 16 << 20));
        const int64_t fit = std::min<int64_t>(budget / std::max<int64_t>(1, quelle.stride()), quelle.hoehe);
        views_ = std::vector<Zeile>(std::bit_floor(static_cast<uint64_t>(std::max<int64_t>(fit, 8))));
        held_.assign(views_.size(), -1);
    }
    const uint8_t* row(int32_t y)
    {
        const auto k = static_cast<size_t>(y) & (views_.size() - 1);
        if (held_[k] != y) {
            held_[k] = -1;
            LeseZeile(ctx_, quelle_, y, views_[k]);
            held_[k] = y;
        }
        return views_[k].daten();
    }

private:
    Context& ctx_;
    const RasterSlot& quelle_;
    std::vector<Zeile> views_;
    std::vector<int32_t> held_;
};

// Fills the target in batches of rows; the rows of a batch are split among
// worker threads, while progress, events and the abort test stay on this thread.
template <class Source>
void resampleRows(Context& ctx, const Plan& plan, Source& src, RasterSlot& ziel, int threads)
{
    const int32_t height = ziel.hoehe;
    const int32_t batch = 32 * threads;
    std::vector<Zeile> views(static_cast<size_t>(batch));
    std::vector<uint8_t*> rows(static_cast<size_t>(batch));
    ctx.setProgress(height - 1, 0);
    for (int32_t first = 0; first < height; first += batch) {
        const int32_t n = std::min(batch, height - first);
        for (int32_t k = 0; k < n; ++k)
            rows[static_cast<size_t>(k)] = NeueZeile(ctx, ziel, first + k, views[static_cast<size_t>(k)]);
        const int workers = std::min(threads, n);
        auto work = [&](int w) {
            for (int32_t k = n * w / workers; k < n * (w + 1) / workers; ++k)
                resampleRow(plan, src, first + k, rows[static_cast<size_t>(k)]);
        };
        std::vector<std::jthread> helpers;
        for (int w = 1; w < workers; ++w)
            helpers.emplace_back(work, w);
        work(0);
        helpers.clear();
        for (int32_t k = 0; k < n; ++k) {
            GibZeileFrei(views[static_cast<size_t>(k)]);
            ctx.rowDone(first + k);
        }
    }
}

}

void Ganzzahlig_Uebertragen(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, int64_t ox, int64_t oy,
                            const Farbe& hintergrund)
{
    prepareTarget(ctx, ziel);
    RasterSlot von = quelle;
    SlotCloser schliesseQuelle(von);
    SlotCloser schliesseZiel(ziel);
    OeffneLesen(von);
    OeffneSchreiben(ziel);
    // The columns of the target that show source columns: x − ox within 0 … source width − 1.
    const int64_t w = ziel.breite;
    const int64_t first = std::clamp<int64_t>(ox, 0, w);
    const int64_t last = std::clamp<int64_t>(ox + von.breite, first, w);
    ctx.setProgress(ziel.hoehe - 1, 0);
    Zeile lesen;
    Zeile schreiben;
    for (int32_t y = 0; y < ziel.hoehe; ++y) {
        uint8_t* out = NeueZeile(ctx, ziel, y, schreiben);
        const int64_t sy = y + oy;
        if (sy < 0 || sy >= von.hoehe || first == last) {
            fillBackground(out, hintergrund, w);
        } else {
            const uint8_t* in = LeseZeile(ctx, von, static_cast<int32_t>(sy), lesen);
            fillBackground(out, hintergrund, first);
            std::memcpy(out + 3 * first, in + 3 * (first - ox), static_cast<size_t>(3 * (last - first)));
            fillBackground(out + 3 * last, hintergrund, w - last);
            GibZeileFrei(lesen);
        }
        GibZeileFrei(schreiben);
        ctx.rowDone(y);
    }
}

Abbildung Abbildung_Aus(const Matrix4& f, bool vergenz, bool inversVergenz, int32_t breite, int32_t hoehe)
{
    Abbildung a;
    a.g = Matrix_4_Inverse(f);
    a.ebene = Matrix_4_Ebene(f);
    a.perspektive = vergenz;
    a.inversVergenz = inversVergenz;
    a.breite = breite;
    a.hoehe = hoehe;
    return a;
}

uint64_t Standard_Speichergrenze()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) / 2 : 0;
}

void Resampeln(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, const Abbildung& abbildung,
               const ResampleOptionen& optionen)
{
    prepareTarget(ctx, ziel);
    RasterSlot von = quelle;
    SlotCloser schliesseQuelle(von);
    SlotCloser schliesseZiel(ziel);
    OeffneLesen(von);
    OeffneSchreiben(ziel);
    const Plan plan = makePlan(abbildung, optionen, von, ziel);
    {
        MemorySource memory;
        if (memory.load(ctx, von, optionen.speicherGrenze)) {
            const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
            resampleRows(ctx, plan, memory, ziel, optionen.threads > 0 ? optionen.threads : cores);
            return;
        }
    }
    StreamSource stream(ctx, von, optionen.speicherGrenze);
    resampleRows(ctx, plan, stream, ziel, 1);
}
