#include "raster/Uebertragung.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "raster/Byte.h"
#include "raster/RasterImage.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

void fillBackground(uint8_t* pixel, const Farbe& hintergrund, int64_t count)
{
    for (int64_t i = 0; i < count; ++i, pixel += 3) {
        pixel[0] = static_cast<uint8_t>(hintergrund.b);
        pixel[1] = static_cast<uint8_t>(hintergrund.g);
        pixel[2] = static_cast<uint8_t>(hintergrund.r);
    }
}

// Both transfers write every pixel of every row.
void prepareTarget(Context& ctx, RasterSlot& ziel)
{
    if (RasterAnlegenUeberschreiben(ctx, ziel) != Angelegt::Ok)
        throw Abbruch{};
}

// Whether the processor has the vector instructions of the bicubic fast path.
bool vectorUnitPresent()
{
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw");
#else
    return false;
#endif
}

// Everything of a resampling run that does not change per pixel.
struct Plan {
    Matrix4 g;
    double g00, g01, g03, g10, g11, g13, g20, g21, g23;
    Ebene ebene;
    bool perspektive, inversVergenz, bikubisch;
    bool vector;  // the bicubic sums run on the vector unit
    double halfW, halfH, eye, depth;
    int32_t width;                 // target
    int32_t srcWidth, srcHeight;
    uint8_t background[3];
};

Plan makePlan(const Abbildung& a, const ResampleOptionen& o, int32_t srcWidth, int32_t srcHeight, int32_t width)
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
    p.vector = o.bikubisch && o.vektor && vectorUnitPresent();
    p.halfW = a.breite / 2.0;
    p.halfH = a.hoehe / 2.0;
    p.eye = 4.0 * std::sqrt(static_cast<double>(a.breite) * a.breite + static_cast<double>(a.hoehe) * a.hoehe);
    p.depth = p.eye / 2.0;
    p.width = width;
    p.srcWidth = srcWidth;
    p.srcHeight = srcHeight;
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

// Source positions of the target pixels from, from + 1, … of a row; the
// affine part is a loop the compiler vectorises without changing a result.
void sourcePositions(const Plan& p, int32_t row, int32_t from, int32_t count, double* xs, double* ys)
{
    const double y = row;
    const double rowX = p.g01 * y;
    const double rowY = p.g11 * y;
    for (int32_t k = 0; k < count; ++k) {
        const double x = from + k;
        xs[k] = p.g00 * x + rowX + p.g03;
        ys[k] = p.g10 * x + rowY + p.g13;
    }
    if (p.perspektive)
        for (int32_t k = 0; k < count; ++k)
            perspectivePosition(p, from + k, y, xs[k], ys[k]);
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
constexpr double roundingShift = 0x1.8p52;
constexpr double wholeAlready = 0x1p51;

inline double roundHalfEven(double v)
{
    return std::fabs(v) < wholeAlready ? (v + roundingShift) - roundingShift : v;
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

// One target pixel whose source position is (xs, ys). Source gives the packed
// pixel bytes of a source row. Inlined into the loops over pixels, which keep
// the plan in registers.
template <class Source>
[[gnu::always_inline]] inline void resamplePixel(const Plan& p, Source& src, double xs, double ys, uint8_t* out)
{
    const double xr = roundHalfEven(xs);
    const double yr = roundHalfEven(ys);
    if (!(xr >= 0.0 && xr < p.srcWidth && yr >= 0.0 && yr < p.srcHeight)) {
        copyPixel(out, p.background);
        return;
    }
    // The nearest whole number lies at most half a pixel away, so this is the floor.
    const double x0 = xr > xs ? xr - 1.0 : xr;
    const double y0 = yr > ys ? yr - 1.0 : yr;
    const double fx = xs - x0;
    const double fy = ys - y0;
    if (!p.bikubisch || (fx == 0.0 && fy == 0.0)) {
        copyPixel(out, src.row(static_cast<int32_t>(yr)) + 3 * static_cast<int64_t>(xr));
        return;
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
    // that its additions do not wait for one another. The vector path below
    // keeps this order of operations for every channel.
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
    out[0] = roundByte(sum[0]);
    out[1] = roundByte(sum[1]);
    out[2] = roundByte(sum[2]);
}

template <class Source>
void resamplePixels(const Plan& p, Source& src, const double* xs, const double* ys, int32_t count, uint8_t* out)
{
    for (int32_t k = 0; k < count; ++k)
        resamplePixel(p, src, xs[k], ys[k], out + 3 * k);
}

#if defined(__x86_64__)
#define VECTOR_TARGET __attribute__((target("avx512f,avx512vl,avx512bw")))

// The cubic kernel on each lane, for arguments known to lie below 1 (near)
// or from 1 on (far): the operations of Matrix_4_Kubisch in the same order.
VECTOR_TARGET inline __m512d kernelNear(__m512d t)
{
    return _mm512_add_pd(_mm512_mul_pd(_mm512_mul_pd(_mm512_sub_pd(t, _mm512_set1_pd(2.0)), t), t), _mm512_set1_pd(1.0));
}

VECTOR_TARGET inline __m512d kernelFar(__m512d t)
{
    const __m512d a = _mm512_mul_pd(_mm512_sub_pd(_mm512_set1_pd(5.0), t), t);
    return _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(a, _mm512_set1_pd(8.0)), t), _mm512_set1_pd(4.0));
}

// The four weights of fractions f in [0, 1) of eight pixels. 1 + f and 2 − f
// are at least 1 and f below 1; 1 − f is below 1 or exactly 1, where both
// forms give 0.
VECTOR_TARGET inline void kernelWeights(__m512d f, double (&w)[4][8])
{
    const __m512d one = _mm512_set1_pd(1.0);
    _mm512_store_pd(w[0], kernelFar(_mm512_add_pd(one, f)));
    _mm512_store_pd(w[1], kernelNear(f));
    _mm512_store_pd(w[2], kernelNear(_mm512_sub_pd(one, f)));
    _mm512_store_pd(w[3], kernelFar(_mm512_sub_pd(_mm512_set1_pd(2.0), f)));
}

// roundHalfEven on each lane.
VECTOR_TARGET inline __m512d roundHalfEven(__m512d v)
{
    const __m512d shift = _mm512_set1_pd(roundingShift);
    const __mmask8 small = _mm512_cmp_pd_mask(v, _mm512_set1_pd(wholeAlready), _CMP_LT_OQ)
        & _mm512_cmp_pd_mask(v, _mm512_set1_pd(-wholeAlready), _CMP_GT_OQ);
    return _mm512_mask_sub_pd(v, small, _mm512_add_pd(v, shift), shift);
}

// Two rows of a 4 × 4 neighbourhood, 16 bytes of each from its first neighbour on.
VECTOR_TARGET inline __m256i twoRows(const uint8_t* a, const uint8_t* b)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

// Neighbour i in both rows as eight doubles: its three channels and a zero, of
// the first row, then of the second.
VECTOR_TARGET inline __m512d neighbour(__m256i rows, int i)
{
    const char z = -1;
    const auto b = static_cast<char>(3 * i);
    const __m256i pick = _mm256_setr_epi8(b, z, z, z, static_cast<char>(b + 1), z, z, z, static_cast<char>(b + 2), z, z, z,
                                          z, z, z, z, b, z, z, z, static_cast<char>(b + 1), z, z, z,
                                          static_cast<char>(b + 2), z, z, z, z, z, z, z);
    return _mm512_maskz_cvtepi32_pd(0xFF, _mm256_shuffle_epi8(rows, pick));
}

// The sums along both rows for pixel m of the group, grouped as the scalar sum.
VECTOR_TARGET inline __m512d acrossTwoRows(__m256i rows, const double (&wx)[4][8], int m)
{
    return _mm512_add_pd(
        _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(wx[0][m]), neighbour(rows, 0)),
                      _mm512_mul_pd(_mm512_set1_pd(wx[1][m]), neighbour(rows, 1))),
        _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(wx[2][m]), neighbour(rows, 2)),
                      _mm512_mul_pd(_mm512_set1_pd(wx[3][m]), neighbour(rows, 3))));
}

// resamplePixels for the bicubic case: eight pixels at a time whose 4 × 4
// neighbourhoods lie inside the source, with 16 bytes readable from the first
// neighbour of each row, are summed with all three channels in one vector.
template <class Source>
VECTOR_TARGET void resamplePixelsVector(const Plan& p, Source& src, const double* xs, const double* ys, int32_t count,
                                        uint8_t* out)
{
    const __m512d one = _mm512_set1_pd(1.0);
    const __m512d lastX = _mm512_set1_pd(p.srcWidth - 5.0);
    const __m512d lastY = _mm512_set1_pd(p.srcHeight - 3.0);
    constexpr int32_t lookahead = 32;
    int32_t k = 0;
    for (; k + 8 <= count; k += 8) {
        const __m512d x = _mm512_loadu_pd(xs + k);
        const __m512d y = _mm512_loadu_pd(ys + k);
        const __m512d xr = roundHalfEven(x);
        const __m512d yr = roundHalfEven(y);
        const __m512d x0 = _mm512_mask_sub_pd(xr, _mm512_cmp_pd_mask(xr, x, _CMP_GT_OQ), xr, one);
        const __m512d y0 = _mm512_mask_sub_pd(yr, _mm512_cmp_pd_mask(yr, y, _CMP_GT_OQ), yr, one);
        const __mmask8 inside = _mm512_cmp_pd_mask(x0, one, _CMP_GE_OQ) & _mm512_cmp_pd_mask(x0, lastX, _CMP_LE_OQ)
            & _mm512_cmp_pd_mask(y0, one, _CMP_GE_OQ) & _mm512_cmp_pd_mask(y0, lastY, _CMP_LE_OQ);
        if (inside != 0xFF) {
            resamplePixels(p, src, xs + k, ys + k, 8, out + 3 * k);
            continue;
        }
        // Asks for the four source rows of a pixel further on ahead of their use: a
        // turned picture walks across the rows, which the processor does not foresee.
        // Written out here, as the compiler drops a function that only prefetches.
        const double aheadX = xs[std::min(k + lookahead, count - 1)];
        const double aheadY = ys[std::min(k + lookahead, count - 1)];
        if (aheadX >= 1.0 && aheadX < p.srcWidth - 1.0 && aheadY >= 1.0 && aheadY < p.srcHeight - 2.0)
            for (int32_t j = -1; j < 3; ++j)
                if (const uint8_t* line = src.rowAhead(static_cast<int32_t>(aheadY) + j))
                    _mm_prefetch(reinterpret_cast<const char*>(line + 3 * static_cast<int64_t>(aheadX)), _MM_HINT_T0);
        alignas(64) double wx[4][8];
        alignas(64) double wy[4][8];
        kernelWeights(_mm512_sub_pd(x, x0), wx);
        kernelWeights(_mm512_sub_pd(y, y0), wy);
        alignas(32) int32_t cx[8];
        alignas(32) int32_t cy[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(cx), _mm512_maskz_cvttpd_epi32(0xFF, x0));
        _mm256_store_si256(reinterpret_cast<__m256i*>(cy), _mm512_maskz_cvttpd_epi32(0xFF, y0));
        // Each pixel is stored as four bytes, the fourth overwritten by the next pixel.
        uint8_t pixels[3 * 8 + 1];
        for (int m = 0; m < 8; ++m) {
            const int64_t column = 3 * int64_t{cx[m] - 1};
            const __m512d top = acrossTwoRows(twoRows(src.row(cy[m] - 1) + column, src.row(cy[m]) + column), wx, m);
            const __m512d bottom =
                acrossTwoRows(twoRows(src.row(cy[m] + 1) + column, src.row(cy[m] + 2) + column), wx, m);
            const __m256d sum = _mm256_add_pd(
                _mm256_add_pd(_mm256_mul_pd(_mm256_set1_pd(wy[0][m]), _mm512_maskz_extractf64x4_pd(0xF, top, 0)),
                              _mm256_mul_pd(_mm256_set1_pd(wy[1][m]), _mm512_maskz_extractf64x4_pd(0xF, top, 1))),
                _mm256_add_pd(_mm256_mul_pd(_mm256_set1_pd(wy[2][m]), _mm512_maskz_extractf64x4_pd(0xF, bottom, 0)),
                              _mm256_mul_pd(_mm256_set1_pd(wy[3][m]), _mm512_maskz_extractf64x4_pd(0xF, bottom, 1))));
            // The sums stay far below 2^31: the conversion rounds them half to even in the
            // default rounding mode, and saturation to an unsigned byte after raising
            // negatives to 0 clamps them, as roundByte does.
            const __m128i rounded = _mm_max_epi32(_mm256_cvtpd_epi32(sum), _mm_setzero_si128());
            const int32_t bgr = _mm_cvtsi128_si32(_mm_maskz_cvtusepi32_epi8(0xF, rounded));
            std::memcpy(pixels + 3 * m, &bgr, 4);
        }
        std::memcpy(out + 3 * k, pixels, 3 * 8);
    }
    resamplePixels(p, src, xs + k, ys + k, count - k, out + 3 * k);
}
#undef VECTOR_TARGET
#endif

// One target row, in pieces whose positions stay in the first-level cache.
template <class Source>
void resampleRow(const Plan& p, Source& src, int32_t row, uint8_t* out)
{
    constexpr int32_t piece = 256;
    double xs[piece];
    double ys[piece];
    for (int32_t from = 0; from < p.width; from += piece) {
        const int32_t count = std::min(piece, p.width - from);
        sourcePositions(p, row, from, count, xs, ys);
#if defined(__x86_64__)
        if (p.vector) {
            resamplePixelsVector(p, src, xs, ys, count, out + 3 * int64_t{from});
            continue;
        }
#endif
        resamplePixels(p, src, xs, ys, count, out + 3 * int64_t{from});
    }
}

// The whole source in memory, packed rows of 3 × width bytes. It is read by
// the calling thread while worker threads may already use the rows read.
class MemorySource {
public:
    // False when the source is larger than the limit or the memory cannot be had.
    bool reserve(const RasterSlot& quelle, uint64_t limit)
    {
        rowBytes_ = 3 * static_cast<size_t>(quelle.breite);
        const uint64_t bytes = uint64_t{rowBytes_} * static_cast<uint64_t>(quelle.hoehe);
        if (bytes > limit)
            return false;
        // Whole huge pages, where the system grants them, spare the address
        // translation misses of a walk across the rows; the memory is not
        // cleared, as every byte is read from the file.
        constexpr size_t hugePage = size_t{2} << 20;
        const size_t reserved = (static_cast<size_t>(bytes) / hugePage + 1) * hugePage;
        pixels_.reset(static_cast<uint8_t*>(std::aligned_alloc(hugePage, reserved)));
        if (!pixels_)
            return false;
        ::madvise(pixels_.get(), reserved, MADV_HUGEPAGE);
        return true;
    }
    void fill(Context& ctx, const RasterSlot& quelle)
    {
        try {
            Zeile view;
            for (int32_t y = 0; y < quelle.hoehe; ++y) {
                std::memcpy(pixels_.get() + static_cast<size_t>(y) * rowBytes_, LeseZeile(ctx, quelle, y, view), rowBytes_);
                filled_.store(y + 1, std::memory_order_release);
                filled_.notify_all();
                ctx.pump();
                ctx.throwIfAborted();
            }
            GibZeileFrei(view);
        } catch (...) {
            filled_.store(abandoned, std::memory_order_release);
            filled_.notify_all();
            throw;
        }
    }
    // Waits until row y is read; false when reading stopped before it.
    bool waitFor(int32_t y) const
    {
        for (int32_t have = filled_.load(std::memory_order_acquire); have <= y;
             have = filled_.load(std::memory_order_acquire)) {
            if (have == abandoned)
                return false;
            filled_.wait(have, std::memory_order_acquire);
        }
        return true;
    }
    const uint8_t* row(int32_t y) const { return pixels_.get() + static_cast<size_t>(y) * rowBytes_; }
    // A row that may be asked for ahead of its use, without reading it.
    const uint8_t* rowAhead(int32_t y) const { return row(y); }

private:
    static constexpr int32_t abandoned = -1;
    struct Release {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, Release> pixels_;
    size_t rowBytes_ = 0;
    std::atomic<int32_t> filled_{0};
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
    // Rows are read on demand only.
    const uint8_t* rowAhead(int32_t) const { return nullptr; }
    bool waitFor(int32_t) const { return true; }

private:
    Context& ctx_;
    const RasterSlot& quelle_;
    std::vector<Zeile> views_;
    std::vector<int32_t> held_;
};

// A picture held in memory.
class BitmapSource {
public:
    explicit BitmapSource(const Bitmap24& bild) : bild_(bild) {}
    const uint8_t* row(int32_t y) const { return bild_.zeile(y); }
    const uint8_t* rowAhead(int32_t y) const { return row(y); }

private:
    const Bitmap24& bild_;
};

// The last source row that target row `row` reads. Its positions are computed
// as g10 · x + g11 · row + g13, which rounding keeps monotonic in x, so the
// row's ends bound them; a pixel reads at most two rows below the floor of its
// position. With perspective any row may be read.
int32_t lastSourceRow(const Plan& p, int32_t row)
{
    const double rowY = p.g11 * row;
    const double highest = std::max(p.g10 * 0.0 + rowY + p.g13, p.g10 * (p.width - 1.0) + rowY + p.g13);
    if (p.perspektive || !(highest < p.srcHeight - 3.0))
        return p.srcHeight - 1;
    return std::max(0, static_cast<int32_t>(std::floor(std::max(highest, -3.0))) + 2);
}

// Fills the target in batches of rows. The rows of a batch go to whichever
// worker thread is free; meanwhile this thread reads the source (first batch)
// or writes the rows of the batch before, reports progress, lets events
// through and tests the abort flag. A batch keeps the workers busy while the
// source is read.
template <class Source, class Reading>
void resampleRows(Context& ctx, const Plan& plan, Source& src, RasterSlot& ziel, int threads, const Reading& readSource)
{
    const int32_t height = ziel.hoehe;
    const int32_t batch = 128 * threads;
    // Two batches of row views: the one being filled and the one being written.
    std::vector<Zeile> views(2 * static_cast<size_t>(batch));
    std::vector<uint8_t*> rows(views.size());
    auto half = [&](int32_t first) { return static_cast<size_t>(first / batch % 2 * batch); };
    auto release = [&](int32_t first, int32_t n) {
        for (int32_t k = 0; k < n; ++k) {
            GibZeileFrei(views[half(first) + static_cast<size_t>(k)]);
            ctx.rowDone(first + k);
        }
    };
    ctx.setProgress(height - 1, 0);
    int32_t pendingFirst = 0;
    int32_t pending = 0;
    for (int32_t first = 0; first < height; first += batch) {
        const int32_t n = std::min(batch, height - first);
        uint8_t** out = rows.data() + half(first);
        for (int32_t k = 0; k < n; ++k)
            out[k] = NeueZeile(ctx, ziel, first + k, views[half(first) + static_cast<size_t>(k)]);
        std::atomic<int32_t> next{0};
        auto work = [&] {
            for (int32_t k = next++; k < n; k = next++) {
                if (!src.waitFor(lastSourceRow(plan, first + k)))
                    return;
                resampleRow(plan, src, first + k, out[k]);
            }
        };
        std::vector<std::jthread> helpers;
        for (int w = 1; w < std::min(threads, n); ++w)
            helpers.emplace_back(work);
        if (first == 0)
            readSource();
        else
            release(pendingFirst, pending);
        work();
        helpers.clear();
        pendingFirst = first;
        pending = n;
    }
    release(pendingFirst, pending);
}

}

void Ganzzahlig_Uebertragen(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, int64_t ox, int64_t oy,
                            const Farbe& hintergrund)
{
    prepareTarget(ctx, ziel);
    const QuelleUndZiel offen(quelle, ziel);
    const RasterSlot& von = offen.von;
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
    const QuelleUndZiel offen(quelle, ziel);
    const RasterSlot& von = offen.von;
    const Plan plan = makePlan(abbildung, optionen, von.breite, von.hoehe, ziel.breite);
    {
        MemorySource memory;
        if (memory.reserve(von, optionen.speicherGrenze)) {
            const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
            resampleRows(ctx, plan, memory, ziel, optionen.threads > 0 ? optionen.threads : cores,
                         [&] { memory.fill(ctx, von); });
            return;
        }
    }
    StreamSource stream(ctx, von, optionen.speicherGrenze);
    resampleRows(ctx, plan, stream, ziel, 1, [] {});
}

void Resampeln(const Bitmap24& quelle, Bitmap24& ziel, const Abbildung& abbildung, const ResampleOptionen& optionen)
{
    const Plan plan = makePlan(abbildung, optionen, quelle.breite, quelle.hoehe, ziel.breite);
    BitmapSource src(quelle);
    for (int32_t y = 0; y < ziel.hoehe; ++y)
        resampleRow(plan, src, y, ziel.zeile(y));
}
