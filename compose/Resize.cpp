#include "compose/Resize.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "compose/Hilfen.h"
#include "raster/RasterImage.h"
#include "raster/Stapel.h"

namespace {

// Target rows computed between two writes; the workers share them.
constexpr int32_t Stapel = 64;

// The frame shared by the resizers: checks, a private handle on the source, the
// target prepared, then body(source, target) unless one of them is empty. A
// target that covers(source, target) says the body fills completely gets no
// white pixels first.
template <class Covers, class Body>
bool resize(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe, const Covers& covers,
            const Body& body)
{
    if (ctx.state.abort || von == nach || von < 0 || nach < 0 || von >= SlotAnzahl || nach >= SlotAnzahl)
        return false;
    return guarded(ctx, [&] {
        RasterSlot quelle = e.slot[static_cast<size_t>(von)];
        RasterSlot& ziel = e.slot[static_cast<size_t>(nach)];
        ziel.breite = breite;
        ziel.hoehe = hoehe;
        const bool leer = breite <= 0 || hoehe <= 0 || quelle.breite <= 0 || quelle.hoehe <= 0;
        const Angelegt angelegt = !leer && covers(quelle, ziel) ? RasterAnlegenUeberschreiben(ctx, ziel)
                                                                : RasterAnlegen(ctx, ziel);
        if (angelegt != Angelegt::Ok)
            throw Abbruch{};
        if (leer)
            return;
        SlotCloser schliesseQuelle(quelle);
        SlotCloser schliesseZiel(ziel);
        OeffneLesen(quelle);
        OeffneSchreiben(ziel);
        ctx.setProgress(hoehe - 1, 0);
        body(quelle, ziel);
    });
}

const auto fillsAll = [](const RasterSlot&, const RasterSlot&) { return true; };

// Writes rows y0 .. y0 + count − 1 of the target from a buffer of whole pixel rows.
void writeRows(Context& ctx, const RasterSlot& ziel, int32_t y0, int32_t count, const uint8_t* rows,
               Schreibband& band)
{
    const auto bytes = static_cast<size_t>(3 * int64_t{ziel.breite});
    for (int32_t i = 0; i < count; ++i) {
        std::memcpy(band.zeile(ctx, ziel, y0 + i), rows + bytes * static_cast<size_t>(i), bytes);
        ctx.rowDone(y0 + i);
    }
}

// The nearest-neighbour step of one axis in 1/32768 pixel; positions are
// computed in 64 bits, as x × step overflows 32 bits on large rasters.
int64_t nearestStep(int32_t source, int32_t target)
{
    return roundEven(static_cast<double>(source) / target * 32768.0);
}

bool nearestCovers(const RasterSlot& quelle, const RasterSlot& ziel)
{
    return NaechsterNachbar_Deckend(quelle.breite, quelle.hoehe, ziel.breite, ziel.hoehe);
}

// The rows of a source raster, read in order through a band.
Zeilenquelle dateiZeilen(Context& ctx, const RasterSlot& quelle, Leseband& lesen)
{
    const auto bytes = static_cast<size_t>(3 * int64_t{quelle.breite});
    return {quelle.breite, quelle.hoehe, [&ctx, &quelle, &lesen, bytes](const std::vector<int32_t>& ys, uint8_t* band) {
                for (size_t k = 0; k < ys.size(); ++k)
                    std::memcpy(band + k * bytes, lesen.zeile(ctx, quelle, ys[k]), bytes);
            }};
}

// Source rows taken at once: as many as fill a few megabytes, at most a batch.
int32_t batchRows(int32_t width)
{
    constexpr int64_t bytes = int64_t{4} << 20;
    return static_cast<int32_t>(std::clamp<int64_t>(bytes / std::max<int64_t>(3 * int64_t{width}, 1), 1, Stapel));
}

// A stretch of target bytes taken from consecutive source bytes.
struct Run {
    size_t to, from, bytes;
};

void nearest(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel)
{
    const int32_t sw = quelle.breite, sh = quelle.hoehe, w = ziel.breite, h = ziel.hoehe;
    const int64_t stepX = nearestStep(sw, w);
    const int64_t stepY = nearestStep(sh, h);
    // Target pixels whose sources follow each other are copied as one piece.
    std::vector<Run> runs;
    for (int64_t x = 0; x < w; ++x) {
        const int64_t sx = (x * stepX) >> 15;
        if (sx >= sw)
            break;
        const auto to = static_cast<size_t>(3 * x), from = static_cast<size_t>(3 * sx);
        if (!runs.empty() && runs.back().to + runs.back().bytes == to && runs.back().from + runs.back().bytes == from)
            runs.back().bytes += 3;
        else
            runs.push_back({to, from, 3});
    }
    const bool whole = !runs.empty() && runs.back().to + runs.back().bytes == static_cast<size_t>(3 * int64_t{w});
    const auto srcBytes = static_cast<size_t>(3 * int64_t{sw});
    const auto sourceRow = [&](int32_t y) { return (y * stepY) >> 15; };
    const int32_t stapel = batchRows(sw);
    std::vector<int32_t> ys;
    std::vector<uint8_t> band;
    Schreibband schreiben;
    Zeile zeile;
    for (int32_t y0 = 0; y0 < h; y0 += stapel) {
        const int32_t y1 = std::min(h, y0 + stapel);
        ys.clear();
        for (int32_t y = y0; y < y1; ++y)
            if (sourceRow(y) < sh && (ys.empty() || ys.back() != sourceRow(y)))
                ys.push_back(static_cast<int32_t>(sourceRow(y)));
        band.resize(ys.size() * srcBytes);
        if (!ys.empty())
            quelle.lesen(ys, band.data());
        size_t k = 0;
        for (int32_t y = y0; y < y1; ++y) {
            if (sourceRow(y) < sh) {
                while (ys[k] != sourceRow(y))
                    ++k;
                const uint8_t* src = band.data() + k * srcBytes;
                uint8_t* dst = whole ? schreiben.zeile(ctx, ziel, y) : SchreibeZeile(ctx, ziel, y, zeile);
                for (const Run& run : runs)
                    std::memcpy(dst + run.to, src + run.from, run.bytes);
                if (!whole)
                    GibZeileFrei(zeile);
            }
            ctx.rowDone(y);
        }
    }
    schreiben.schreiben();
}

// Per target pixel of one axis: the first and last source pixel it covers,
// their weights (the pixels between weigh 1) and the sum of all weights.
struct AreaAxis {
    std::vector<int32_t> first, last;
    std::vector<double> firstWeight, lastWeight, sum;
};

AreaAxis areaAxis(int32_t source, int32_t target, Flaechenweg weg)
{
    AreaAxis a;
    const double scale = static_cast<double>(source) / target;
    for (int32_t t = 0; t < target; ++t) {
        const double start = t * scale;
        const auto i0 = static_cast<int32_t>(std::floor(start));
        double w0 = 1.0 - (start - i0);
        const double end = (t + 1) * scale;
        auto i1 = static_cast<int32_t>(std::floor(end));
        double w1 = end - i1;
        if (weg == Flaechenweg::Speicher ? w1 < 0.000001 : w1 == 0.0) {
            --i1;
            w1 = 1.0;
        }
        // The last end may land a hair beyond the source through rounding of the scale.
        if (i1 >= source) {
            i1 = source - 1;
            w1 = 1.0;
        }
        if (i1 <= i0) {
            i1 = i0;
            w0 = w1 = 1.0;
        }
        a.first.push_back(i0);
        a.last.push_back(i1);
        a.firstWeight.push_back(w0);
        a.lastWeight.push_back(w1);
        a.sum.push_back(i1 == i0 ? 1.0 : w0 + (i1 - i0 - 1) + w1);
    }
    return a;
}

// Each target byte: its sum divided by its weights (the column's times the row's),
// rounded. A loop of its own, so the divisions run as vectors, four at a time
// where the processor can: each value is the same either way.
[[gnu::target_clones("avx2", "default")]] void divideAndRound(const double* sums, const double* columnWeights, double rowWeights, uint8_t* out, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
        out[i] = roundByte(sums[i] / (columnWeights[i] * rowWeights));
}

// The columns of one target row from the summed source row (doubles, or the
// bytes of a single source row, which are what its sum would hold); sums holds
// three doubles per target pixel, columnWeights the column's weight sum per byte.
template <class Value>
void areaColumns(const AreaAxis& ax, const Value* acc, double ySum, const double* columnWeights, double* sums,
                 uint8_t* out)
{
    const size_t n = ax.first.size();
    const int32_t* first = ax.first.data();
    const int32_t* last = ax.last.data();
    const double* firstWeight = ax.firstWeight.data();
    const double* lastWeight = ax.lastWeight.data();
    for (size_t x = 0; x < n; ++x) {
        const Value* a0 = acc + 3 * int64_t{first[x]};
        const Value* a1 = acc + 3 * int64_t{last[x]};
        double s0 = a0[0], s1 = a0[1], s2 = a0[2];
        if (a1 != a0) {
            const double w0 = firstWeight[x], w1 = lastWeight[x];
            s0 *= w0;
            s1 *= w0;
            s2 *= w0;
            for (const Value* a = a0 + 3; a < a1; a += 3) {
                s0 += a[0];
                s1 += a[1];
                s2 += a[2];
            }
            s0 += w1 * a1[0];
            s1 += w1 * a1[1];
            s2 += w1 * a1[2];
        }
        sums[3 * x] = s0;
        sums[3 * x + 1] = s1;
        sums[3 * x + 2] = s2;
    }
    divideAndRound(sums, columnWeights, ySum, out, 3 * n);
}

// Per thread: the summed source row, and the column sums of a target row.
struct AreaScratch {
    std::vector<double> acc, sums;
};

// One target row: the weighted source rows summed first, then the columns.
template <class RowAt>
void areaRow(const AreaAxis& ax, const AreaAxis& ay, int32_t y, int32_t sw, const RowAt& rowAt,
             const double* columnWeights, AreaScratch& scratch, uint8_t* out)
{
    const int32_t r0 = ay.first[static_cast<size_t>(y)], r1 = ay.last[static_cast<size_t>(y)];
    const double ySum = ay.sum[static_cast<size_t>(y)];
    // A single source row has weight 1, so its sum is its bytes.
    if (r0 == r1) {
        areaColumns(ax, rowAt(r0), ySum, columnWeights, scratch.sums.data(), out);
        return;
    }
    double* acc = scratch.acc.data();
    const int64_t n = 3 * int64_t{sw};
    std::fill(acc, acc + n, 0.0);
    for (int32_t r = r0; r <= r1; ++r) {
        const double w = r == r0 ? ay.firstWeight[static_cast<size_t>(y)]
                                 : (r == r1 ? ay.lastWeight[static_cast<size_t>(y)] : 1.0);
        const uint8_t* src = rowAt(r);
        for (int64_t c = 0; c < n; ++c)
            acc[c] += w * src[c];
    }
    areaColumns(ax, static_cast<const double*>(acc), ySum, columnWeights, scratch.sums.data(), out);
}

// Whether the source may be held in memory, which decides the rounding rule.
bool fitsInMemory(size_t bytes)
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    return pages <= 0 || pageSize <= 0 || bytes <= static_cast<size_t>(pages) / 2 * static_cast<size_t>(pageSize);
}

// The source rows a batch of target rows needs are held in a band. A helper
// computes each batch while the calling thread writes the previous one and
// gathers the band of the next, taking the rows both need from the current band.
void area(Context& ctx, const RasterSlot& quelle, const RasterSlot& ziel, const AreaAxis& ax, const AreaAxis& ay)
{
    constexpr int32_t BandZeilen = 128;
    const int32_t h = ziel.hoehe;
    const auto rowBytes = static_cast<size_t>(3 * int64_t{quelle.breite});
    const auto outBytes = static_cast<size_t>(3 * int64_t{ziel.breite});
    struct Batch {
        int32_t y0 = 0, y1 = 0, r0 = 0, r1 = -1;  // target rows y0 .. y1 − 1 from source rows r0 .. r1
        std::vector<uint8_t> band, out;
    };
    Batch batch[2];
    AreaScratch scratch[2];
    for (AreaScratch& sc : scratch) {
        sc.acc.resize(rowBytes);
        sc.sums.resize(outBytes);
    }
    Helfer helfer;
    std::vector<double> columnWeights(outBytes);
    for (size_t i = 0; i < outBytes; ++i)
        columnWeights[i] = ax.sum[i / 3];
    Leseband lesen;
    Schreibband schreiben;
    const auto gather = [&](Batch& b, int32_t y0, const Batch& previous) {
        b.y0 = y0;
        b.r0 = ay.first[static_cast<size_t>(y0)];
        b.y1 = y0 + 1;
        while (b.y1 < h && b.y1 - y0 < Stapel && ay.last[static_cast<size_t>(b.y1)] - b.r0 < BandZeilen)
            ++b.y1;
        b.r1 = ay.last[static_cast<size_t>(b.y1 - 1)];
        b.band.resize(rowBytes * static_cast<size_t>(b.r1 - b.r0 + 1));
        b.out.resize(outBytes * static_cast<size_t>(b.y1 - y0));
        for (int32_t r = b.r0; r <= b.r1; ++r) {
            const uint8_t* row = r >= previous.r0 && r <= previous.r1
                ? previous.band.data() + rowBytes * static_cast<size_t>(r - previous.r0)
                : lesen.zeile(ctx, quelle, r);
            std::memcpy(b.band.data() + rowBytes * static_cast<size_t>(r - b.r0), row, rowBytes);
        }
        ctx.pump();
        ctx.throwIfAborted();
    };
    gather(batch[0], 0, batch[1]);
    for (int k = 0;; k ^= 1) {
        Batch& b = batch[k];
        Batch& other = batch[k ^ 1];
        const auto rowAt = [&](int32_t r) { return b.band.data() + rowBytes * static_cast<size_t>(r - b.r0); };
        helfer.teilen(
            b.y1 - b.y0,
            [&](int64_t i, int thread) {
                areaRow(ax, ay, b.y0 + static_cast<int32_t>(i), quelle.breite, rowAt, columnWeights.data(),
                        scratch[thread], b.out.data() + outBytes * static_cast<size_t>(i));
            },
            [&] {
                if (b.y0 > 0)
                    writeRows(ctx, ziel, other.y0, other.y1 - other.y0, other.out.data(), schreiben);
                if (b.y1 < h)
                    gather(other, b.y1, b);
            });
        if (b.y1 == h) {
            writeRows(ctx, ziel, b.y0, b.y1 - b.y0, b.out.data(), schreiben);
            schreiben.schreiben();
            return;
        }
    }
}

}

struct Flaechenzeile::Achse : AreaAxis {
    std::vector<double> columnWeights;
};

Flaechenzeile::Flaechenzeile(int32_t quellBreite, int32_t zielBreite, Flaechenweg weg)
    : achse_(std::make_unique<Achse>())
{
    static_cast<AreaAxis&>(*achse_) = areaAxis(quellBreite, zielBreite, weg);
    // As the area average of a raster keeping its height: every row has weight 1.
    for (size_t i = 0; i < 3 * static_cast<size_t>(zielBreite); ++i)
        achse_->columnWeights.push_back(achse_->sum[i / 3]);
}

Flaechenzeile::~Flaechenzeile() = default;

void Flaechenzeile::rechnen(const uint8_t* quelle, uint8_t* ziel, std::vector<double>& summen) const
{
    summen.resize(achse_->columnWeights.size());
    areaColumns(*achse_, quelle, 1.0, achse_->columnWeights.data(), summen.data(), ziel);
}

Flaechenweg Flaechenweg_Fuer(int32_t breite, int32_t hoehe)
{
    return fitsInMemory(static_cast<size_t>(3 * int64_t{breite}) * static_cast<size_t>(hoehe)) ? Flaechenweg::Speicher
                                                                                               : Flaechenweg::Datei;
}

namespace {

// Per target pixel of one axis: four source indices (clamped to the edge) and their weights.
struct BikubischAchse {
    std::vector<int32_t> index;
    std::vector<double> weight;
};

BikubischAchse bikubischAchse(int32_t source, int32_t target, const std::array<double, 1001>& table)
{
    BikubischAchse a;
    const double scale = static_cast<double>(source) / target;
    for (int32_t t = 0; t < target; ++t) {
        const double pos = t * scale;
        const auto base = static_cast<int64_t>(std::floor(pos));
        for (int64_t k = -1; k <= 2; ++k) {
            const int64_t j = base + k;
            const int64_t i = roundEven(std::fabs(static_cast<double>(j) - pos) / 2.0 * 1000.0);
            a.weight.push_back(i <= 1000 ? table[static_cast<size_t>(i)] : 0.0);
            a.index.push_back(static_cast<int32_t>(std::clamp<int64_t>(j, 0, source - 1)));
        }
    }
    return a;
}

// The vertical pass of one target row, from the horizontal passes of its four
// source rows; four bytes at a time where the processor can, as divideAndRound.
[[gnu::target_clones("avx2", "default")]] void bikubischSenkrecht(const double* r0, const double* r1, const double* r2, const double* r3, double w0, double w1,
                   double w2, double w3, uint8_t* out, size_t bytes)
{
    for (size_t c = 0; c < bytes; ++c)
        out[c] = roundByte(w0 * r0[c] + w1 * r1[c] + w2 * r2[c] + w3 * r3[c]);
}

// What the bicubic resize needs before its first row: the taps of both axes and
// how many rows it holds and computes at once.
struct BikubischPlan {
    BikubischAchse ax, ay;
    size_t srcBytes = 0, outBytes = 0;
    // Source rows held at once, each with its horizontal pass, and target rows
    // computed at once: as many as fit into a few megabytes, at least the four
    // source rows of one target row.
    size_t bandZeilen = 0;
    int32_t stapel = 0;
};

BikubischPlan bikubischPlanen(const Zeilenquelle& quelle, const RasterSlot& ziel, int methode)
{
    BikubischPlan p;
    const auto table = BikubischTabelle(methode);
    p.ax = bikubischAchse(quelle.breite, ziel.breite, table);
    p.ay = bikubischAchse(quelle.hoehe, ziel.hoehe, table);
    p.srcBytes = static_cast<size_t>(3 * int64_t{quelle.breite});
    p.outBytes = static_cast<size_t>(3 * int64_t{ziel.breite});
    p.bandZeilen = std::clamp<size_t>((size_t{3} << 20) / (8 * p.outBytes), 4, 16);
    p.stapel = static_cast<int32_t>(std::clamp<size_t>((size_t{1} << 20) / p.outBytes, 1, Stapel));
    return p;
}

// The target rows from y0 on whose source rows (need, ascending) fit into the
// band; returns the row after the last. The rows only grow.
int32_t bikubischStapel(const BikubischPlan& p, int32_t y0, int32_t hoehe, std::vector<int32_t>& need)
{
    need.clear();
    int32_t y1 = y0;
    while (y1 < hoehe && y1 - y0 < p.stapel) {
        const size_t before = need.size();
        for (size_t k = 0; k < 4; ++k) {
            const int32_t r = p.ay.index[4 * static_cast<size_t>(y1) + k];
            if (need.empty() || r > need.back())
                need.push_back(r);
        }
        if (y1 > y0 && need.size() > p.bandZeilen) {
            need.resize(before);
            break;
        }
        ++y1;
    }
    return y1;
}

// The rows of the band: which source row each holds the horizontal pass of.
// A row needed again stays where it is. Source rows are needed in ascending
// order, so a row once left behind is never needed again.
struct Bikubischband {
    explicit Bikubischband(size_t zeilen) : held(zeilen, -1) {}
    std::vector<int32_t> held;           // per band row, its source row (−1: none)
    std::vector<size_t> place;           // per needed row, its band row
    std::vector<int32_t> fresh;          // needed rows not held yet
    std::vector<size_t> freshPlace;      // and the band rows they go to
    std::vector<bool> taken;

    void belegen(const std::vector<int32_t>& need)
    {
        const size_t zeilen = held.size();
        place.assign(need.size(), zeilen);
        taken.assign(zeilen, false);
        for (size_t i = 0; i < need.size(); ++i)
            for (size_t b = 0; b < zeilen; ++b)
                if (held[b] == need[i]) {
                    place[i] = b;
                    taken[b] = true;
                }
        fresh.clear();
        freshPlace.clear();
        for (size_t i = 0, b = 0; i < need.size(); ++i) {
            if (place[i] < zeilen)
                continue;
            while (taken[b])
                ++b;
            taken[b] = true;
            place[i] = b;
            held[b] = need[i];
            fresh.push_back(need[i]);
            freshPlace.push_back(b);
        }
    }
};

// The horizontal pass of one source row.
void bikubischWaagrecht(const BikubischAchse& ax, const uint8_t* src, double* h)
{
    for (size_t x = 0; x < ax.index.size() / 4; ++x) {
        double s0 = 0, s1 = 0, s2 = 0;
        for (size_t k = 4 * x; k < 4 * x + 4; ++k) {
            const uint8_t* px = src + 3 * static_cast<size_t>(ax.index[k]);
            const double w = ax.weight[k];
            s0 += w * px[0];
            s1 += w * px[1];
            s2 += w * px[2];
        }
        h[3 * x] = s0;
        h[3 * x + 1] = s1;
        h[3 * x + 2] = s2;
    }
}

void bikubischSkalieren(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel, int methode)
{
    const BikubischPlan p = bikubischPlanen(quelle, ziel, methode);
    const size_t outBytes = p.outBytes;
    std::vector<uint8_t> sourceBand(p.bandZeilen * p.srcBytes);
    std::vector<double> band(p.bandZeilen * outBytes);
    Bikubischband belegung(p.bandZeilen);
    std::vector<int32_t> need;
    std::vector<size_t> slots;
    const auto stapelBytes = static_cast<size_t>(p.stapel) * outBytes;
    std::vector<uint8_t> out[2] = {std::vector<uint8_t>(stapelBytes), std::vector<uint8_t>(stapelBytes)};
    Schreibband schreiben;
    Helfer helfer;
    int32_t previousY0 = 0;
    size_t batch = 0;
    for (int32_t y0 = 0; y0 < ziel.hoehe;) {
        const int32_t y1 = bikubischStapel(p, y0, ziel.hoehe, need);
        belegung.belegen(need);
        if (!belegung.fresh.empty())
            quelle.lesen(belegung.fresh, sourceBand.data());
        ctx.pump();
        ctx.throwIfAborted();
        helfer.teilen(
            static_cast<int64_t>(belegung.fresh.size()),
            [&](int64_t item, int) {
                const auto i = static_cast<size_t>(item);
                bikubischWaagrecht(p.ax, sourceBand.data() + i * p.srcBytes,
                                   band.data() + belegung.freshPlace[i] * outBytes);
            },
            [] {});
        slots.clear();
        for (int32_t y = y0; y < y1; ++y)
            for (size_t k = 0; k < 4; ++k)
                slots.push_back(belegung.place[static_cast<size_t>(
                    std::lower_bound(need.begin(), need.end(), p.ay.index[4 * static_cast<size_t>(y) + k]) - need.begin())]);
        // The helper and the calling thread take pieces of columns through all rows
        // of the batch, so a piece of the band stays in the cache; meanwhile the
        // calling thread writes the previous batch.
        constexpr size_t Stueck = 2048;
        std::vector<uint8_t>& o = out[batch % 2];
        helfer.teilen(
            static_cast<int64_t>((outBytes + Stueck - 1) / Stueck),
            [&](int64_t piece, int) {
                const size_t c0 = static_cast<size_t>(piece) * Stueck;
                const size_t n = std::min(Stueck, outBytes - c0);
                for (size_t i = 0; i < static_cast<size_t>(y1 - y0); ++i) {
                    const double* w = &p.ay.weight[4 * (static_cast<size_t>(y0) + i)];
                    const auto row = [&](size_t k) { return band.data() + slots[4 * i + k] * outBytes + c0; };
                    bikubischSenkrecht(row(0), row(1), row(2), row(3), w[0], w[1], w[2], w[3],
                                    o.data() + i * outBytes + c0, n);
                }
            },
            [&] {
                if (y0 > 0)
                    writeRows(ctx, ziel, previousY0, y0 - previousY0, out[(batch + 1) % 2].data(), schreiben);
            });
        previousY0 = y0;
        ++batch;
        y0 = y1;
    }
    writeRows(ctx, ziel, previousY0, ziel.hoehe - previousY0, out[(batch + 1) % 2].data(), schreiben);
    schreiben.schreiben();
}

}

std::array<double, 1001> BikubischTabelle(int methode)
{
    const auto cube = [](double u) { return u > 0.0 ? u * u * u : 0.0; };
    std::array<double, 1001> k{};
    for (size_t i = 0; i < k.size(); ++i) {
        const double t = 2.0 * static_cast<double>(i) / 1000.0;
        switch (methode) {
        case 2:
            k[i] = t < 1.0 ? 1.25 * t * t * t - 2.25 * t * t + 1.0
                           : (t < 2.0 ? -0.75 * t * t * t + 3.75 * t * t - 6.0 * t + 3.0 : 0.0);
            break;
        case 3:
            k[i] = t < 1.0 ? t * t * t - 2.0 * t * t + 1.0 : (t < 2.0 ? -t * t * t + 5.0 * t * t - 8.0 * t + 4.0 : 0.0);
            break;
        default:
            k[i] = (cube(t + 2.0) - 4.0 * cube(t + 1.0) + 6.0 * cube(t) - 4.0 * cube(t - 1.0)) / 6.0;
        }
    }
    return k;
}

bool NaechsterNachbar_Deckend(int32_t quellBreite, int32_t quellHoehe, int32_t breite, int32_t hoehe)
{
    return ((breite - int64_t{1}) * nearestStep(quellBreite, breite) >> 15) < quellBreite
        && ((hoehe - int64_t{1}) * nearestStep(quellHoehe, hoehe) >> 15) < quellHoehe;
}

int64_t NaechsterNachbar_Schritt(int32_t quelle, int32_t ziel)
{
    return nearestStep(quelle, ziel);
}

void NaechsterNachbar(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel)
{
    ctx.setProgress(ziel.hoehe - 1, 0);
    nearest(ctx, quelle, ziel);
}

void Bikubisch(Context& ctx, const Zeilenquelle& quelle, const RasterSlot& ziel, int methode)
{
    ctx.setProgress(ziel.hoehe - 1, 0);
    bikubischSkalieren(ctx, quelle, ziel, methode);
}

bool NaechsterNachbar(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe)
{
    return resize(ctx, e, von, nach, breite, hoehe, nearestCovers, [&](const RasterSlot& quelle, const RasterSlot& ziel) {
        Leseband lesen;
        nearest(ctx, dateiZeilen(ctx, quelle, lesen), ziel);
    });
}

bool Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe, Flaechenweg weg)
{
    return resize(ctx, e, von, nach, breite, hoehe, fillsAll, [&](const RasterSlot& quelle, const RasterSlot& ziel) {
        const Flaechenweg way = weg == Flaechenweg::Speicher ? Flaechenweg_Fuer(quelle.breite, quelle.hoehe) : weg;
        area(ctx, quelle, ziel, areaAxis(quelle.breite, ziel.breite, way), areaAxis(quelle.hoehe, ziel.hoehe, way));
    });
}

bool Flaechenmittel(Context& ctx, ImageEntry& e, int von, int nach, int32_t breite, int32_t hoehe)
{
    return Flaechenmittel(ctx, e, von, nach, breite, hoehe, Flaechenweg::Speicher);
}

bool Bikubisch(Context& ctx, ImageEntry& e, int von, int nach, int methode, int32_t breite, int32_t hoehe)
{
    return resize(ctx, e, von, nach, breite, hoehe, fillsAll, [&](const RasterSlot& quelle, const RasterSlot& ziel) {
        Leseband lesen;
        bikubischSkalieren(ctx, dateiZeilen(ctx, quelle, lesen), ziel, methode);
    });
}
