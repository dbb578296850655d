#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "raster/RasterImage.h"
#include "raster/Stapel.h"

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

// The size of image i's resized copy: 3D its share of the columns at its own
// height, Flip its own width and its share of the rows.
Groesse kopieGroesse(Programm& prog, const Layout& l, bool flip, int i)
{
    const Groesse max = prog.bilder.Ermittle_MaxDim();
    const RasterSlot& s = prog.bilder.bild[static_cast<size_t>(i)].slot[SlotJustiert];
    const double length = static_cast<double>(l.p * l.N);
    if (flip)
        return {s.breite, rasterLength(prog.ctx, roundEven(s.hoehe / static_cast<double>(max.hoehe) * length))};
    return {rasterLength(prog.ctx, roundEven(s.breite / static_cast<double>(max.breite) * length)), s.hoehe};
}

void resizeAll(Programm& prog, const Layout& l, bool flip)
{
    Context& ctx = prog.ctx;
    for (int i = 1; i <= l.n; ++i) {
        setPhase(ctx, flip ? "F3" : "L3", std::to_string(i) + "/" + std::to_string(l.n));
        nameSlot(prog, i, SlotKomposition);
        ImageEntry& e = prog.bilder.bild[static_cast<size_t>(i)];
        const Groesse k = kopieGroesse(prog, l, flip, i);
        const bool ok = flip ? NaechsterNachbar(ctx, e, SlotJustiert, SlotKomposition, k.breite, k.hoehe)
                             : Flaechenmittel(ctx, e, SlotJustiert, SlotKomposition, k.breite, k.hoehe);
        if (!ok || ctx.state.abort)
            throw Abbruch{};
    }
}

// Flip with the copies resized on the way: the rows of the aligned image the
// nearest neighbour would take, all of them within it.
bool flipDeckend(Programm& prog, const Layout& l)
{
    for (int i = 1; i <= l.n; ++i) {
        const RasterSlot& s = prog.bilder.bild[static_cast<size_t>(i)].slot[SlotJustiert];
        const Groesse k = kopieGroesse(prog, l, true, i);
        if (!NaechsterNachbar_Deckend(s.breite, s.hoehe, k.breite, k.hoehe))
            return false;
    }
    return true;
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

// The rows of the print before its fitting: the rows of each image's resized
// copy laid out lens by lens, framed and striped. The copies are read from
// slot 3, or, on the way, made row by row from the aligned images (slot 2) as
// the resizers would make them: an area average of each row for 3D (the
// height stays), for Flip the nearest neighbour's row (the width stays).
class Linsenzeilen {
public:
    Linsenzeilen(Programm& prog, const Layout& l, bool flip, bool unterwegs)
        : prog_(prog), l_(l), flip_(flip), table_(lensTable(l, prog.compose.LinseInvers)),
          stripes_(stripes(l, prog.compose)), bilder_(static_cast<size_t>(l.n) + 1)
    {
        for (int i = 1; i <= l.n; ++i) {
            Bild& b = bilder_[static_cast<size_t>(i)];
            const ImageEntry& e = prog.bilder.bild[static_cast<size_t>(i)];
            b.slot = e.slot[unterwegs ? SlotJustiert : SlotKomposition];
            b.kopie = kopieGroesse(prog, l, flip, i);
            if (!unterwegs) {
                b.kopie = {b.slot.breite, b.slot.hoehe};
            } else if (flip) {
                b.schritt = NaechsterNachbar_Schritt(b.slot.hoehe, b.kopie.hoehe);
            } else {
                b.flaeche = std::make_unique<Flaechenzeile>(b.slot.breite, b.kopie.breite,
                                                            Flaechenweg_Fuer(b.slot.breite, b.slot.hoehe));
            }
            OeffneLesen(b.slot);
        }
        if (!flip) {
            // Per image the result columns it fills and where each comes from, as byte offsets.
            for (int32_t x = 0; x < l.across; ++x) {
                const Pick& pick = table_[static_cast<size_t>(x)];
                Bild& b = bilder_[static_cast<size_t>(pick.bild)];
                if (pick.pos < b.kopie.breite)
                    b.spalten.emplace_back(3 * int64_t{x}, 3 * pick.pos);
            }
        } else if (prog.compose.JustStreifenQuer) {
            for (int32_t x = 0; x < l.along; ++x)
                if (inBand(x, l.along, prog.druck.breiteGesetzt))
                    bandColumns_.push_back(x);
        }
    }

    Zeilenquelle quelle()
    {
        return {flip_ ? l_.along : l_.across, flip_ ? l_.across : l_.along,
                [this](const std::vector<int32_t>& ys, uint8_t* band) { lesen(ys, band); }};
    }

private:
    struct Bild {
        RasterSlot slot;  // opened on a handle of its own
        SlotCloser schliessen{slot};
        Leseband band{size_t{1} << 16};
        Groesse kopie;
        std::unique_ptr<Flaechenzeile> flaeche;  // 3D on the way
        int64_t schritt = 0;                      // Flip on the way: the copy's row step
        std::vector<std::pair<int64_t, int64_t>> spalten;  // 3D
    };
    // Per thread: each image's copy row, and the area average's sums.
    struct Scratch {
        std::vector<std::vector<uint8_t>> kopie;
        std::vector<double> summen;
    };
    // One row of an image taken by a result row.
    struct Eingabe {
        int bild;
        size_t offset;  // in the batch's input bytes
    };

    // The rows are read on the calling thread into one buffer, about a
    // megabyte at a time, and built on two.
    void lesen(const std::vector<int32_t>& ys, uint8_t* band)
    {
        const int32_t w = flip_ ? l_.along : l_.across;
        const auto rowBytes = static_cast<size_t>(3 * int64_t{w});
        constexpr size_t Grenze = size_t{1} << 20;
        for (size_t k0 = 0; k0 < ys.size();) {
            eingaben_.clear();
            bytes_.clear();
            erste_.clear();
            size_t k1 = k0;
            while (k1 < ys.size() && (k1 == k0 || bytes_.size() < Grenze)) {
                erste_.push_back(eingaben_.size());
                sammeln(ys[k1]);
                ++k1;
            }
            erste_.push_back(eingaben_.size());
            helfer_.teilen(
                static_cast<int64_t>(k1 - k0),
                [&](int64_t k, int thread) {
                    bauen(ys[k0 + static_cast<size_t>(k)], static_cast<size_t>(k), scratch_[thread],
                          band + (k0 + static_cast<size_t>(k)) * rowBytes);
                },
                [] {});
            prog_.ctx.pump();
            prog_.ctx.throwIfAborted();
            k0 = k1;
        }
    }

    // The image rows result row y takes, appended to the batch's input.
    void sammeln(int32_t y)
    {
        const auto nimm = [&](int i, int32_t r) {
            Bild& b = bilder_[static_cast<size_t>(i)];
            const uint8_t* row = b.band.zeile(prog_.ctx, b.slot, r);
            eingaben_.push_back({i, bytes_.size()});
            bytes_.insert(bytes_.end(), row, row + 3 * int64_t{b.slot.breite});
        };
        if (!flip_) {
            for (int i = 1; i <= l_.n; ++i)
                if (y < bilder_[static_cast<size_t>(i)].kopie.hoehe)
                    nimm(i, y);
            return;
        }
        const Pick& pick = table_[static_cast<size_t>(y)];
        const Bild& b = bilder_[static_cast<size_t>(pick.bild)];
        if (pick.pos < b.kopie.hoehe)
            nimm(pick.bild, static_cast<int32_t>(b.schritt > 0 ? (pick.pos * b.schritt) >> 15 : pick.pos));
    }

    // Result row y from the k-th result row's input.
    void bauen(int32_t y, size_t k, Scratch& scratch, uint8_t* row) const
    {
        const int32_t w = flip_ ? l_.along : l_.across;
        const int32_t h = flip_ ? l_.across : l_.along;
        ZeileFuellen(row, 0, w, prog_.compose.Hintergrundfarbe);
        scratch.kopie.resize(bilder_.size());
        for (size_t e = erste_[k]; e < erste_[k + 1]; ++e) {
            const Bild& b = bilder_[static_cast<size_t>(eingaben_[e].bild)];
            const uint8_t* kopie = bytes_.data() + eingaben_[e].offset;
            if (b.flaeche) {
                std::vector<uint8_t>& zeile = scratch.kopie[static_cast<size_t>(eingaben_[e].bild)];
                zeile.resize(3 * static_cast<size_t>(b.kopie.breite));
                b.flaeche->rechnen(kopie, zeile.data(), scratch.summen);
                kopie = zeile.data();
            }
            if (flip_)
                std::memcpy(row, kopie, 3 * static_cast<size_t>(std::min(b.kopie.breite, w)));
            else
                for (const auto& [to, from] : b.spalten)
                    std::memcpy(row + to, kopie + from, 3);
        }
        frame(row, y, w, h);
        if (flip_) {
            const uint8_t* colour = &stripes_.colour[3 * static_cast<size_t>(y)];
            if (stripes_.side[static_cast<size_t>(y)])
                ZeileFuellen(row, 0, w, Farbe{colour[2], colour[1], colour[0]});
            else
                for (int32_t x : bandColumns_)
                    std::memcpy(row + 3 * int64_t{x}, colour, 3);
            return;
        }
        const bool band = prog_.compose.JustStreifenQuer && inBand(y, h, prog_.druck.hoeheGesetzt);
        for (int32_t x = 0; x < w; ++x)
            if (band || stripes_.side[static_cast<size_t>(x)])
                std::memcpy(row + 3 * int64_t{x}, &stripes_.colour[3 * static_cast<size_t>(x)], 3);
    }

    Programm& prog_;
    const Layout& l_;
    const bool flip_;
    const std::vector<Pick> table_;
    const Stripes stripes_;
    std::vector<int32_t> bandColumns_;  // Flip: the crosswise band's columns
    std::vector<Bild> bilder_;
    std::vector<Eingabe> eingaben_;
    std::vector<uint8_t> bytes_;
    std::vector<size_t> erste_;  // per result row of the batch: its first input
    Scratch scratch_[2];
    Helfer helfer_;
};

// The result's size before the fitting.
void ergebnisGroesse(RasterSlot& ziel, const Layout& l, bool flip)
{
    ziel.breite = flip ? l.along : l.across;
    ziel.hoehe = flip ? l.across : l.along;
}

// The steps of both variants; the rows are built, reversed per lens, framed and
// striped in one pass, so the result is written once.
void linsenraster(Programm& prog, const Layout& l, bool flip)
{
    Context& ctx = prog.ctx;
    RasterSlot& ziel = prog.bilder.ergebnis().slot[SlotErgebnis];
    ergebnisGroesse(ziel, l, flip);
    // Every pixel is written, the background first.
    if (RasterAnlegenUeberschreiben(ctx, ziel) != Angelegt::Ok)
        throw Abbruch{};
    resizeAll(prog, l, flip);
    setPhase(ctx, flip ? "F4" : "L4");
    SlotCloser schliessen(ziel);
    OeffneSchreiben(ziel);
    Linsenzeilen zeilen(prog, l, flip, false);
    NaechsterNachbar(ctx, zeilen.quelle(), ziel);
}

Layout planen(Programm& prog, bool flip)
{
    setPhase(prog.ctx, flip ? "F0" : "L0");
    const Layout l = layout(prog, flip);
    setPhase(prog.ctx, flip ? "F1" : "L1");
    return l;
}

bool variante(Programm& prog, bool flip)
{
    if (prog.ctx.state.abort)
        return false;
    return guarded(prog.ctx, [&] { linsenraster(prog, planen(prog, flip), flip); });
}

// The fitting reads the print's rows as they are made, where each of its
// pixels has a source (always for the bicubic one); else the steps run one
// after another, as the fitting would otherwise keep the white of its target.
void angepasst(Programm& prog, bool flip)
{
    Context& ctx = prog.ctx;
    const Layout l = planen(prog, flip);
    ImageEntry& e = prog.bilder.ergebnis();
    ergebnisGroesse(e.slot[SlotErgebnis], l, flip);
    const Groesse vorher{e.slot[SlotErgebnis].breite, e.slot[SlotErgebnis].hoehe};
    const Druckplan plan = Druckanpassung_Planen(prog);
    const bool unterwegs = (plan.bikubisch || NaechsterNachbar_Deckend(vorher.breite, vorher.hoehe, plan.breite, plan.hoehe))
        && (!flip || flipDeckend(prog, l));
    if (!unterwegs) {
        linsenraster(prog, l, flip);
        Druckanpassung_Ausfuehren(prog, plan);
        return;
    }
    // The fitted print is written where the print would be; slot 1 then shares it, as after the fitting.
    setPhase(ctx, flip ? "F4" : "L4");
    RasterSlot& ziel = e.slot[SlotErgebnis];
    LegeRasterAn(ctx, ziel, plan.breite, plan.hoehe, Anlage::Ueberschreiben);
    {
        SlotCloser schliessen(ziel);
        OeffneSchreiben(ziel);
        Linsenzeilen zeilen(prog, l, flip, true);
        if (plan.bikubisch)
            Bikubisch(ctx, zeilen.quelle(), ziel, plan.methode);
        else
            NaechsterNachbar(ctx, zeilen.quelle(), ziel);
    }
    e.slot[SlotFarbErgebnis].breite = ziel.breite;
    e.slot[SlotFarbErgebnis].hoehe = ziel.hoehe;
    TeileRaster(ctx, ziel, e.slot[SlotFarbErgebnis]);
}

}

bool Linsenraster3D(Programm& p)
{
    return variante(p, false);
}

bool LinsenrasterFlip(Programm& p)
{
    return variante(p, true);
}

bool Linsenraster_Angepasst(Programm& p)
{
    if (p.ctx.state.abort)
        return false;
    return guarded(p.ctx, [&] { angepasst(p, p.compose.Linsenrichtung == 1); });
}
