#include <cmath>

#include "compose/Resize.h"
#include "support/ComposeFixture.h"

namespace {

struct ResizeTest : ComposeFixture {
    ImageEntry& e = p.bilder.ergebnis();

    // The source in slot 0: grey values per pixel, row by row.
    void source(int w, int h, const std::vector<int>& grey)
    {
        e.slot[0].breite = w;
        e.slot[0].hoehe = h;
        writeBmp(e.slot[0].pfad, w, h, [&](int x, int y, uint8_t px[3]) {
            px[0] = px[1] = px[2] = static_cast<uint8_t>(grey[static_cast<size_t>(y * w + x)]);
        });
    }
    std::vector<int> target()
    {
        const auto file = result(1);
        std::vector<int> grey;
        for (int y = 0; y < e.slot[1].hoehe; ++y)
            for (int x = 0; x < e.slot[1].breite; ++x)
                grey.push_back(bmpPixel(file, x, y)[0]);
        return grey;
    }
};

}

TEST_F(ResizeTest, NearestNeighbourSteps)
{
    source(4, 2, {10, 20, 30, 40, 50, 60, 70, 80});
    ASSERT_TRUE(NaechsterNachbar(p.ctx, e, 0, 1, 2, 1));
    EXPECT_EQ(target(), (std::vector<int>{10, 30}));
    // 2 → 3: step Round(21845.33) = 21845, so columns 0, 0, 1.
    source(2, 1, {10, 20});
    ASSERT_TRUE(NaechsterNachbar(p.ctx, e, 0, 1, 3, 2));
    EXPECT_EQ(target(), (std::vector<int>{10, 10, 20, 10, 10, 20}));
}

TEST_F(ResizeTest, NearestNeighbourLeavesPixelsBeyondTheSource)
{
    // 1 → 350: step Round(93.62) = 94, and 349 × 94 ≥ 32768 lies beyond the only column.
    source(1, 1, {7});
    ASSERT_TRUE(NaechsterNachbar(p.ctx, e, 0, 1, 350, 1));
    const auto got = target();
    EXPECT_EQ(got[348], 7);
    EXPECT_EQ(got[349], 255);
}

TEST_F(ResizeTest, NearestNeighbourPositionsBeyond32Bits)
{
    // x × 32768 leaves 32 bits from x = 65536 on.
    const int w = 70000;
    e.slot[0].breite = w;
    e.slot[0].hoehe = 1;
    writeBmp(e.slot[0].pfad, w, 1, [](int x, int, uint8_t px[3]) {
        px[0] = static_cast<uint8_t>(x);
        px[1] = static_cast<uint8_t>(x >> 8);
        px[2] = static_cast<uint8_t>(x >> 16);
    });
    ASSERT_TRUE(NaechsterNachbar(p.ctx, e, 0, 1, w, 1));
    EXPECT_EQ(result(1), result(0));
}

TEST_F(ResizeTest, AreaAverageWeightsAndRounding)
{
    for (Flaechenweg weg : {Flaechenweg::Speicher, Flaechenweg::Datei}) {
        SCOPED_TRACE(testing::Message() << "weg " << static_cast<int>(weg));
        // 3 → 2: (v0 + 0.5 v1) / 1.5 and (0.5 v1 + v2) / 1.5.
        source(3, 1, {0, 30, 60});
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, 0, 1, 2, 1, weg));
        EXPECT_EQ(target(), (std::vector<int>{10, 50}));
        // Halves round to even: 10.5 → 10, 11.5 → 12.
        source(4, 1, {10, 11, 11, 12});
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, 0, 1, 2, 1, weg));
        EXPECT_EQ(target(), (std::vector<int>{10, 12}));
        // Both axes: 101 / 4 = 25.25.
        source(2, 2, {10, 20, 30, 41});
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, 0, 1, 1, 1, weg));
        EXPECT_EQ(target(), (std::vector<int>{25}));
        // 2 → 3: the middle pixel covers a third of each.
        source(2, 1, {10, 20});
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, 0, 1, 3, 1, weg));
        EXPECT_EQ(target(), (std::vector<int>{10, 15, 20}));
    }
}

TEST_F(ResizeTest, BicubicKernelTables)
{
    const auto b = BikubischTabelle(1);
    EXPECT_NEAR(b[0], 4.0 / 6, 1e-12);
    EXPECT_NEAR(b[500], 1.0 / 6, 1e-12);
    EXPECT_NEAR(b[1000], 0.0, 1e-12);
    const auto c = BikubischTabelle(2);
    EXPECT_DOUBLE_EQ(c[0], 1.0);
    EXPECT_NEAR(c[250], 0.59375, 1e-12);
    EXPECT_NEAR(c[500], 0.0, 1e-12);
    EXPECT_NEAR(c[750], -0.09375, 1e-12);
    const auto d = BikubischTabelle(3);
    EXPECT_NEAR(d[250], 0.625, 1e-12);
    EXPECT_NEAR(d[750], -0.125, 1e-12);
}

TEST_F(ResizeTest, BicubicValues)
{
    // Same size with the B-spline smooths 1/6, 4/6, 1/6, edges repeated.
    source(3, 1, {0, 60, 120});
    ASSERT_TRUE(Bikubisch(p.ctx, e, 0, 1, 1, 3, 1));
    EXPECT_EQ(target(), (std::vector<int>{10, 60, 110}));
    // Cubic convolution at the same size is the identity.
    source(3, 2, {5, 80, 200, 13, 0, 255});
    for (int methode : {2, 3}) {
        SCOPED_TRACE(testing::Message() << "methode " << methode);
        ASSERT_TRUE(Bikubisch(p.ctx, e, 0, 1, methode, 3, 2));
        EXPECT_EQ(target(), (std::vector<int>{5, 80, 200, 13, 0, 255}));
    }
    // 2 → 4 with a = −0.75: positions 0, 0.5, 1, 1.5.
    source(2, 1, {0, 100});
    ASSERT_TRUE(Bikubisch(p.ctx, e, 0, 1, 2, 4, 1));
    EXPECT_EQ(target(), (std::vector<int>{0, 50, 100, 109}));
}

TEST_F(ResizeTest, LargerRastersMatchTheFormulaPixelForPixel)
{
    // More rows than one batch, so the row bands and the two halves are exercised.
    const int sw = 41, sh = 150;
    std::vector<int> grey;
    for (int i = 0; i < sw * sh; ++i)
        grey.push_back((i * 37 + i / sw * 11) % 256);
    source(sw, sh, grey);
    const auto at = [&](int x, int y) {
        return grey[static_cast<size_t>(std::clamp(y, 0, sh - 1) * sw + std::clamp(x, 0, sw - 1))];
    };
    const int tw = 29, th = 331;
    const auto table = BikubischTabelle(1);
    const auto weight = [&](double d) {
        const auto i = static_cast<size_t>(std::nearbyint(std::fabs(d) / 2 * 1000));
        return i <= 1000 ? table[i] : 0.0;
    };
    ASSERT_TRUE(Bikubisch(p.ctx, e, 0, 1, 1, tw, th));
    auto got = target();
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
            const double px = x * (static_cast<double>(sw) / tw), py = y * (static_cast<double>(sh) / th);
            double sum = 0;
            for (int j = -1; j <= 2; ++j)
                for (int i = -1; i <= 2; ++i) {
                    const int sx = static_cast<int>(std::floor(px)) + i, sy = static_cast<int>(std::floor(py)) + j;
                    sum += weight(sx - px) * weight(sy - py) * at(sx, sy);
                }
            ASSERT_NEAR(got[static_cast<size_t>(y * tw + x)], std::clamp(std::nearbyint(sum), 0.0, 255.0), 1)
                << x << " " << y;
        }
    // Area average, in memory and row by row, against the weighted sum per pixel.
    for (Flaechenweg weg : {Flaechenweg::Speicher, Flaechenweg::Datei}) {
        SCOPED_TRACE(testing::Message() << "weg " << static_cast<int>(weg));
        ASSERT_TRUE(Flaechenmittel(p.ctx, e, 0, 1, 17, 97, weg));
        got = target();
        const double sx = sw / 17.0, sy = sh / 97.0;
        for (int y = 0; y < 97; ++y)
            for (int x = 0; x < 17; ++x) {
                double sum = 0, weights = 0;
                for (int r = static_cast<int>(std::floor(y * sy)); r < sh && r < (y + 1) * sy; ++r)
                    for (int c = static_cast<int>(std::floor(x * sx)); c < sw && c < (x + 1) * sx; ++c) {
                        const double wr = std::min<double>(r + 1, (y + 1) * sy) - std::max<double>(r, y * sy);
                        const double wc = std::min<double>(c + 1, (x + 1) * sx) - std::max<double>(c, x * sx);
                        sum += wr * wc * at(c, r);
                        weights += wr * wc;
                    }
                ASSERT_NEAR(got[static_cast<size_t>(y * 17 + x)], std::nearbyint(sum / weights), 1) << x << " " << y;
            }
    }
}

TEST_F(ResizeTest, RefusalsAndFailures)
{
    source(2, 1, {10, 20});
    EXPECT_FALSE(NaechsterNachbar(p.ctx, e, 0, 0, 4, 1));
    p.ctx.state.abort = true;
    EXPECT_FALSE(Flaechenmittel(p.ctx, e, 0, 1, 1, 1));
    EXPECT_FALSE(Bikubisch(p.ctx, e, 0, 1, 1, 1, 1));
    EXPECT_FALSE(std::filesystem::exists(e.slot[1].pfad));
    EXPECT_TRUE(messages().empty());
    // A missing source is reported once and sets the abort flag.
    p.ctx.state.abort = false;
    std::filesystem::remove(e.slot[0].pfad);
    EXPECT_FALSE(Bikubisch(p.ctx, e, 0, 1, 1, 4, 4));
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"}));
    EXPECT_TRUE(p.ctx.state.abort);
    EXPECT_FALSE(e.slot[1].offen());
}
