#include <algorithm>
#include <cstring>
#include <vector>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "raster/RasterImage.h"

// The 3D variant lays strips of columns side by side under vertical lenses; Flip is
// the same with rows under horizontal lenses. Everything measured across the
// lenses ("across": x for 3D, y for Flip) is shared; only the row assembly differs.

namespace {

constexpr uint8_t Schwarz[3] = {0, 0, 0};
constexpr uint8_t Weiss[3] = {255, 255, 255};
constexpr uint8_t Rot[3] = {0, 0, 255};
constexpr uint8_t Cyan[3] = {255, 255, 0};

struct Layout {
    int n = 0;        // images
    int64_t N = 0;    // whole lenses
    int64_t p = 0;    // pixels per image per lens
    int64_t L = 0;    // pixels per lens
    int32_t across = 0;  // result length across the lenses, n × p × N
    int32_t along = 0;   // result length along the lenses
};

Layout layout(Programm& prog, bool flip)
{
    Context& ctx = prog.ctx;
    Layout l;
    l.n = prog.bilder.anzahl;
    if (l.n < 1)
        throw Abbruch{};
    const Groesse max = prog.bilder.Ermittle_MaxDim();
    const int32_t maxAcross = flip ? max.hoehe : max.breite;
    l.along = flip ? max.breite : max.hoehe;
    const double f = prog.druck.f();
    const double lpi = prog.compose.lpi;
    l.N = roundEven((flip ? prog.druck.hoeheGesetzt : prog.druck.breiteGesetzt) / 2.54 * f * lpi);
    if (l.N < 1)
        throw Abbruch{};
    // The print is shortened or lengthened to a whole number of lenses.
    (flip ? prog.druck.hoehe : prog.druck.breite) = 2.54 * static_cast<double>(l.N) / f / lpi;
    const int64_t unpressed = roundEven(maxAcross / static_cast<double>(l.N));
    switch (prog.compose.Komprimierung) {
    case 0: {
        // Keeps n × p × lpi, the pixels per inch across the lenses, at or below 400.
        const int64_t pmax = std::max<int64_t>(static_cast<int64_t>(400.0 / (l.n * lpi)), 1);
        l.p = std::min(unpressed, pmax);
        break;
    }
    case 1:
        l.p = prog.compose.PixelProBildProLinse;
        break;
    default:
        l.p = unpressed;
    }
    l.p = std::max<int64_t>(l.p, 1);
    prog.compose.PixelProBildProLinse = static_cast<int32_t>(std::min<int64_t>(l.p, INT32_MAX));
    l.L = l.n * l.p;
    l.across = rasterLength(ctx, l.L * l.N);
    return l;
}

// For every position across the result, after the per-lens reversal: the image
// (1..n) and the position in its resized copy.
struct Pick {
    int32_t bild;
    int64_t pos;
};

std::vector<Pick> lensTable(const Layout& l, bool barrier)
{
    std::vector<Pick> table(static_cast<size_t>(l.across));
    for (int64_t t = 0; t < l.across; ++t) {
        const int64_t lens = t / l.L;
        // A lens shows the strip under it mirrored, a barrier does not.
        const int64_t built = barrier ? t : lens * l.L + (l.L - 1 - (t - lens * l.L));
        const int64_t group = (built / l.p) % l.n;
        table[static_cast<size_t>(t)] = {static_cast<int32_t>(barrier ? l.n - group : group + 1),
                                         lens * l.p + built % l.p};
    }
    return table;
}

// The justification stripes across the lenses: per position its colour (red half,
// cyan half, white middle of an odd lens, or white for the lens that separates a
// side stripe from the picture) and whether a side stripe paints it.
struct Stripes {
    std::vector<uint8_t> colour;  // 3 bytes per position
    std::vector<bool> side;
};

Stripes stripes(const Layout& l, const ComposeSettings& c)
{
    Stripes s;
    s.colour.resize(3 * static_cast<size_t>(l.across));
    s.side.resize(static_cast<size_t>(l.across));
    const int64_t half = l.L / 2;
    for (int64_t t = 0; t < l.across; ++t) {
        const int64_t m = t % l.L;
        const uint8_t* colour = (l.L % 2 == 1 && m == half) ? Weiss : (m < half ? Rot : Cyan);
        bool side = false;
        if (c.JustStreifenRU && t >= l.across - 2 * l.L) {
            side = true;
            if (t < l.across - l.L)
                colour = Weiss;
        } else if (c.JustStreifenLO && t < 2 * l.L) {
            side = true;
            if (t >= l.L)
                colour = Weiss;
        }
        std::memcpy(&s.colour[3 * static_cast<size_t>(t)], colour, 3);
        s.side[static_cast<size_t>(t)] = side;
    }
    return s;
}

// The crosswise band: the first and last pixel and 0.2 cm (or inch) at either end.
bool inBand(int32_t i, int32_t length, double set)
{
    return i == 0 || static_cast<double>(i) / length <= 0.2 / set || i == length - 1
        || (set - 0.2) / set <= static_cast<double>(i + 1) / length;
}

// The resized copies (slot 3) of all images, open for reading, with a small band each.
struct Copies {
    std::vector<RasterSlot> slot;
    std::vector<Leseband> band;

    explicit Copies(Programm& prog) : slot(static_cast<size_t>(prog.bilder.anzahl) + 1),
                                      band(static_cast<size_t>(prog.bilder.anzahl) + 1, Leseband(size_t{1} << 18))
    {
        for (int i = 1; i <= prog.bilder.anzahl; ++i) {
            slot[static_cast<size_t>(i)] = prog.bilder.bild[static_cast<size_t>(i)].slot[SlotKomposition];
            OeffneLesen(slot[static_cast<size_t>(i)]);
        }
    }
};

void resizeAll(Programm& prog, const Layout& l, bool flip)
{
    Context& ctx = prog.ctx;
    const Groesse max = prog.bilder.Ermittle_MaxDim();
    const double length = static_cast<double>(l.p * l.N);
    for (int i = 1; i <= l.n; ++i) {
        setPhase(ctx, flip ? "F3" : "L3", std::to_string(i) + "/" + std::to_string(l.n));
        nameSlot(prog, i, SlotKomposition);
        ImageEntry& e = prog.bilder.bild[static_cast<size_t>(i)];
        const RasterSlot& s = e.slot[SlotJustiert];
        const int ergebnis = flip
            ? NaechsterNachbar(ctx, e, SlotJustiert, SlotKomposition, s.breite,
                               rasterLength(ctx, roundEven(s.hoehe / static_cast<double>(max.hoehe) * length)))
            : Flaechenmittel(ctx, e, SlotJustiert, SlotKomposition,
                             rasterLength(ctx, roundEven(s.breite / static_cast<double>(max.breite) * length)),
                             s.hoehe);
        if (ergebnis != 0 || ctx.state.abort)
            throw Abbruch{};
    }
}

// The one-pixel black frame in row y of a w × h result.
void frame(uint8_t* row, int32_t y, int32_t w, int32_t h)
{
    if (y == 0 || y == h - 1) {
        ZeileFuellen(row, 0, w, Farbe{0, 0, 0});
        return;
    }
    std::memcpy(row, Schwarz, 3);
    std::memcpy(row + 3 * int64_t{w - 1}, Schwarz, 3);
}

void interlace3D(Programm& prog, const Layout& l, RasterSlot& ziel)
{
    Context& ctx = prog.ctx;
    const std::vector<Pick> table = lensTable(l, prog.compose.LinseInvers);
    const Stripes s = stripes(l, prog.compose);
    const bool quer = prog.compose.JustStreifenQuer;
    Copies copies(prog);
    // Per image the result columns it fills and where each comes from, as byte offsets.
    std::vector<std::vector<std::pair<int64_t, int64_t>>> columns(static_cast<size_t>(l.n) + 1);
    for (int32_t x = 0; x < l.across; ++x) {
        const Pick& pick = table[static_cast<size_t>(x)];
        if (pick.pos < copies.slot[static_cast<size_t>(pick.bild)].breite)
            columns[static_cast<size_t>(pick.bild)].emplace_back(3 * int64_t{x}, 3 * pick.pos);
    }
    Schreibband rows;
    ctx.setProgress(l.along - 1, 0);
    for (int32_t y = 0; y < l.along; ++y) {
        uint8_t* row = rows.zeile(ctx, ziel, y);
        ZeileFuellen(row, 0, l.across, prog.compose.Hintergrundfarbe);
        for (int i = 1; i <= l.n; ++i) {
            const RasterSlot& copy = copies.slot[static_cast<size_t>(i)];
            if (y >= copy.hoehe)
                continue;
            const uint8_t* src = copies.band[static_cast<size_t>(i)].zeile(ctx, copy, y);
            for (const auto& [to, from] : columns[static_cast<size_t>(i)])
                std::memcpy(row + to, src + from, 3);
        }
        frame(row, y, l.across, l.along);
        const bool band = quer && inBand(y, l.along, prog.druck.hoeheGesetzt);
        for (int32_t x = 0; x < l.across; ++x)
            if (band || s.side[static_cast<size_t>(x)])
                std::memcpy(row + 3 * int64_t{x}, &s.colour[3 * static_cast<size_t>(x)], 3);
        ctx.rowDone(y);
    }
    rows.schreiben();
}

void interlaceFlip(Programm& prog, const Layout& l, RasterSlot& ziel)
{
    Context& ctx = prog.ctx;
    const std::vector<Pick> table = lensTable(l, prog.compose.LinseInvers);
    const Stripes s = stripes(l, prog.compose);
    const int32_t w = l.along;
    std::vector<int32_t> bandColumns;
    if (prog.compose.JustStreifenQuer)
        for (int32_t x = 0; x < w; ++x)
            if (inBand(x, w, prog.druck.breiteGesetzt))
                bandColumns.push_back(x);
    Copies copies(prog);
    Schreibband rows;
    ctx.setProgress(l.across - 1, 0);
    for (int32_t y = 0; y < l.across; ++y) {
        uint8_t* row = rows.zeile(ctx, ziel, y);
        ZeileFuellen(row, 0, w, prog.compose.Hintergrundfarbe);
        const Pick& pick = table[static_cast<size_t>(y)];
        const RasterSlot& copy = copies.slot[static_cast<size_t>(pick.bild)];
        if (pick.pos < copy.hoehe) {
            const uint8_t* src =
                copies.band[static_cast<size_t>(pick.bild)].zeile(ctx, copy, static_cast<int32_t>(pick.pos));
            std::memcpy(row, src, 3 * static_cast<size_t>(std::min(copy.breite, w)));
        }
        frame(row, y, w, l.across);
        const uint8_t* colour = &s.colour[3 * static_cast<size_t>(y)];
        if (s.side[static_cast<size_t>(y)])
            ZeileFuellen(row, 0, w, Farbe{colour[2], colour[1], colour[0]});
        else
            for (int32_t x : bandColumns)
                std::memcpy(row + 3 * int64_t{x}, colour, 3);
        ctx.rowDone(y);
    }
    rows.schreiben();
}

// The steps of both variants; the rows are built, reversed per lens, framed and
// striped in one pass, so the result is written once.
void linsenraster(Programm& prog, bool flip)
{
    Context& ctx = prog.ctx;
    setPhase(ctx, flip ? "F0" : "L0");
    const Layout l = layout(prog, flip);
    setPhase(ctx, flip ? "F1" : "L1");
    RasterSlot& ziel = prog.bilder.ergebnis().slot[SlotErgebnis];
    ziel.breite = flip ? l.along : l.across;
    ziel.hoehe = flip ? l.across : l.along;
    // Both row assemblies fill every pixel, the background first.
    if (RasterAnlegenUeberschreiben(ctx, ziel) != 0)
        throw Abbruch{};
    resizeAll(prog, l, flip);
    setPhase(ctx, flip ? "F4" : "L4");
    SlotCloser schliessen(ziel);
    OeffneSchreiben(ziel);
    if (flip)
        interlaceFlip(prog, l, ziel);
    else
        interlace3D(prog, l, ziel);
}

int variante(Programm& prog, bool flip)
{
    if (prog.ctx.state.abort)
        return 1;
    return guarded(prog.ctx, [&] { linsenraster(prog, flip); }) ? 0 : 1;
}

}

int Linsenraster3D(Programm& p)
{
    return variante(p, false);
}

int LinsenrasterFlip(Programm& p)
{
    return variante(p, true);
}
