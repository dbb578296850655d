// The resizers and the lenticular print with its fitting, byte for byte against
// plain references that hold whole pictures in memory and follow the formulas
// pixel by pixel, on sizes that cross the row bands and batches of the engine.
#include <algorithm>
#include <cmath>

#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace {

// A picture in memory: rows top-down, blue, green, red, no padding.
struct Bild {
    int w = 0, h = 0;
    Bytes px;

    uint8_t* at(int x, int y) { return &px[static_cast<size_t>(3 * (y * w + x))]; }
    const uint8_t* at(int x, int y) const { return &px[static_cast<size_t>(3 * (y * w + x))]; }
};

Bild leer(int w, int h, uint8_t wert)
{
    return {w, h, Bytes(static_cast<size_t>(3 * w * h), wert)};
}

Bild lesen(const std::string& pfad)
{
    const auto file = readFile(pfad);
    const auto get32 = [&](size_t i) { return file[i] | file[i + 1] << 8 | file[i + 2] << 16 | file[i + 3] << 24; };
    Bild b = leer(get32(18), get32(22), 0);
    const int stride = (3 * b.w + 3) / 4 * 4;
    for (int y = 0; y < b.h; ++y)
        std::copy_n(&file[static_cast<size_t>(54 + (b.h - 1 - y) * stride)], 3 * b.w, b.at(0, y));
    return b;
}

uint8_t runden(double v)
{
    return static_cast<uint8_t>(std::clamp(std::nearbyint(v), 0.0, 255.0));
}

Bild naechster(const Bild& s, int w, int h)
{
    Bild t = leer(w, h, 255);
    const auto step = [](int source, int target) {
        return static_cast<int64_t>(std::nearbyint(static_cast<double>(source) / target * 32768.0));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int64_t sx = x * step(s.w, w) >> 15, sy = y * step(s.h, h) >> 15;
            if (sx < s.w && sy < s.h)
                std::copy_n(s.at(static_cast<int>(sx), static_cast<int>(sy)), 3, t.at(x, y));
        }
    return t;
}

// Target pixel t of one axis of the area average: first and last source pixel, their weights, the weight sum.
struct Spanne {
    int i0, i1;
    double w0, w1, summe;
};

Spanne spanne(int source, int target, int t, bool speicher)
{
    const double scale = static_cast<double>(source) / target;
    Spanne s{};
    const double start = t * scale, end = (t + 1) * scale;
    s.i0 = static_cast<int>(std::floor(start));
    s.w0 = 1.0 - (start - s.i0);
    s.i1 = static_cast<int>(std::floor(end));
    s.w1 = end - s.i1;
    if (speicher ? s.w1 < 0.000001 : s.w1 == 0.0) {
        --s.i1;
        s.w1 = 1.0;
    }
    if (s.i1 >= source) {
        s.i1 = source - 1;
        s.w1 = 1.0;
    }
    if (s.i1 <= s.i0) {
        s.i1 = s.i0;
        s.w0 = s.w1 = 1.0;
    }
    s.summe = s.i1 == s.i0 ? 1.0 : s.w0 + (s.i1 - s.i0 - 1) + s.w1;
    return s;
}

Bild flaeche(const Bild& s, int w, int h, bool speicher)
{
    Bild t = leer(w, h, 0);
    for (int y = 0; y < h; ++y) {
        const Spanne sy = spanne(s.h, h, y, speicher);
        // The weighted rows summed first, then the columns.
        std::vector<double> zeile(static_cast<size_t>(3 * s.w), 0.0);
        for (int r = sy.i0; r <= sy.i1; ++r) {
            const double g = r == sy.i0 ? sy.w0 : (r == sy.i1 ? sy.w1 : 1.0);
            for (int c = 0; c < 3 * s.w; ++c)
                zeile[static_cast<size_t>(c)] += g * s.at(0, r)[c];
        }
        for (int x = 0; x < w; ++x) {
            const Spanne sx = spanne(s.w, w, x, speicher);
            for (int k = 0; k < 3; ++k) {
                const auto a = [&](int i) { return zeile[static_cast<size_t>(3 * i + k)]; };
                double summe = a(sx.i0);
                if (sx.i1 != sx.i0) {
                    summe *= sx.w0;
                    for (int i = sx.i0 + 1; i < sx.i1; ++i)
                        summe += a(i);
                    summe += sx.w1 * a(sx.i1);
                }
                t.at(x, y)[k] = runden(summe / (sx.summe * sy.summe));
            }
        }
    }
    return t;
}

Bild bikubisch(const Bild& s, int w, int h, int methode)
{
    const auto table = BikubischTabelle(methode);
    // Neighbour k (offsets −1..2) of target pixel t along one axis: its index and weight.
    const auto nachbar = [&](int source, int target, int t, int k, int& index) {
        const double pos = t * (static_cast<double>(source) / target);
        const int j = static_cast<int>(std::floor(pos)) + k - 1;
        index = std::clamp(j, 0, source - 1);
        const auto i = static_cast<size_t>(std::nearbyint(std::fabs(j - pos) / 2.0 * 1000.0));
        return i <= 1000 ? table[i] : 0.0;
    };
    Bild t = leer(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                // Each of the four rows across first, then the four sums down.
                double summe = 0;
                for (int ky = 0; ky < 4; ++ky) {
                    int sy = 0;
                    const double wy = nachbar(s.h, h, y, ky, sy);
                    double quer = 0;
                    for (int kx = 0; kx < 4; ++kx) {
                        int sx = 0;
                        const double wx = nachbar(s.w, w, x, kx, sx);
                        quer += wx * s.at(sx, sy)[c];
                    }
                    summe += wy * quer;
                }
                t.at(x, y)[c] = runden(summe);
            }
    return t;
}

bool gleich(const Bild& a, const Bild& b)
{
    return a.w == b.w && a.h == b.h && a.px == b.px;
}

struct ReferenceTest : ComposeFixture {
    Bild muster(int n, int w, int h)
    {
        addImage(n, w, h, [n](int x, int y, uint8_t px[3]) {
            px[0] = static_cast<uint8_t>(x * 7 + y * 3 + n * 40);
            px[1] = static_cast<uint8_t>((x * x + y * 5) ^ (n * 17));
            px[2] = static_cast<uint8_t>(y * y / 3 + x);
        });
        return lesen(p.bilder.bild[static_cast<size_t>(n)].slot[SlotJustiert].pfad);
    }
    Bild slot(int n, int s) { return lesen(p.bilder.bild[static_cast<size_t>(n)].slot[static_cast<size_t>(s)].pfad); }
};

}

TEST_F(ReferenceTest, ResizersMatchThePlainFormulas)
{
    // Image 1's aligned raster is the source; slot 3 the target.
    const Bild quelle = muster(1, 41, 300);
    ImageEntry& e = p.bilder.bild[1];
    e.slot[SlotKomposition].pfad = TempDateiname(t.files.tempFolder(), 1, SlotKomposition);
    const auto ziel = [&] { return slot(1, SlotKomposition); };
    for (auto [w, h] : {std::pair{17, 97}, {40, 299}, {13, 2}, {41, 300}}) {
        SCOPED_TRACE(testing::Message() << "w " << w << ", " << "h " << h);
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, SlotJustiert, SlotKomposition, w, h));
        EXPECT_TRUE(gleich(ziel(), flaeche(quelle, w, h, true))) << w << " x " << h;
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, SlotJustiert, SlotKomposition, w, h, Flaechenweg::Datei));
        EXPECT_TRUE(gleich(ziel(), flaeche(quelle, w, h, false))) << w << " x " << h;
    }
    for (int methode : {1, 2, 3})
        for (auto [w, h] : {std::pair{29, 331}, {100, 70}, {41, 300}}) {
            SCOPED_TRACE(testing::Message() << "w " << w << ", " << "h " << h);
            ASSERT_TRUE(Bikubisch(p.ctx, e, SlotJustiert, SlotKomposition, methode, w, h));
            EXPECT_TRUE(gleich(ziel(), bikubisch(quelle, w, h, methode))) << methode << ": " << w << " x " << h;
        }
    // Every pixel covered, a column beyond the source, a downscale skipping rows.
    for (auto [w, h] : {std::pair{60, 700}, {1706, 3}, {20, 77}}) {
        SCOPED_TRACE(testing::Message() << "w " << w << ", " << "h " << h);
        std::filesystem::remove(e.slot[SlotKomposition].pfad);
        ASSERT_TRUE(NaechsterNachbar(p.ctx, e, SlotJustiert, SlotKomposition, w, h));
        EXPECT_TRUE(gleich(ziel(), naechster(quelle, w, h))) << w << " x " << h;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(ReferenceTest, LenticularPrintAndItsFittingMatchThePlainFormulas)
{
    // 2.54 cm at 10 lpi: 10 lenses of 3 × 7 columns; each image is averaged from 73 to 70 columns.
    p.druck.breiteGesetzt = p.druck.hoeheGesetzt = 2.54;
    p.druck.proportional = false;
    p.compose.lpi = 10;
    p.compose.Komprimierung = 2;
    std::vector<Bild> bilder;
    for (int n = 1; n <= 3; ++n)
        bilder.push_back(muster(n, 73, 150));
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    for (bool optimiert : {false, true}) {
        SCOPED_TRACE(testing::Message() << "optimiert " << optimiert);
        p.compose.DruckOptimierung = optimiert;
        p.compose.dpiAuto = false;
        p.compose.dpiIndex = 9;  // 720 dpi
        p.druck.breite = p.druck.breiteGesetzt;
        p.druck.hoehe = p.druck.hoeheGesetzt;
        ASSERT_TRUE(Linsenraster3D(p));
        for (int n = 1; n <= 3; ++n)
            EXPECT_TRUE(gleich(slot(n, SlotKomposition), flaeche(bilder[static_cast<size_t>(n - 1)], 70, 150, true)))
                << n;
        const Bild komponiert = slot(0, SlotErgebnis);
        ASSERT_EQ(komponiert.w, 210);
        ASSERT_TRUE(Druckanpassung(p));
        const Bild erwartet = optimiert ? bikubisch(komponiert, 720, 720, 1) : naechster(komponiert, 210, 210);
        EXPECT_TRUE(gleich(slot(0, SlotFarbErgebnis), erwartet)) << optimiert;
        EXPECT_EQ(result(SlotErgebnis), result(SlotFarbErgebnis));
    }
    EXPECT_TRUE(messages().empty());
}
