#include <gtest/gtest.h>

#include <filesystem>

#include "compose/Pipeline.h"
#include "raster/Farbe.h"
#include "raster/Filter.h"
#include "raster/Justieren.h"
#include "support/ImageCompare.h"
#include "support/ImageFixture.h"

TEST(Farbtabellen, BrightnessRunsToBlackAndWhite)
{
    EXPECT_EQ(HelligkeitTabelle(-100), Farbtabelle{});
    Farbtabelle weiss;
    weiss.fill(255);
    EXPECT_EQ(HelligkeitTabelle(100), weiss);
    // −50 halves: 5 × 0.5 = 2.5 rounds to 2, 7 × 0.5 = 3.5 to 4.
    const Farbtabelle halb = HelligkeitTabelle(-50);
    EXPECT_EQ(halb[5], 2);
    EXPECT_EQ(halb[7], 4);
    // +50 halves the distance to white: 255 − 250 × 0.5 = 130.
    EXPECT_EQ(HelligkeitTabelle(50)[5], 130);
}

TEST(Farbtabellen, GammaEnds)
{
    EXPECT_EQ(GammaTabelle(-100), Farbtabelle{});
    const Farbtabelle g5 = GammaTabelle(100);
    EXPECT_EQ(g5[0], 0);
    EXPECT_EQ(g5[128], 222);
    EXPECT_EQ(g5[255], 255);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(GammaTabelle(0)[static_cast<size_t>(i)], i);
    // g = 0.5 squares: (128 / 255)² × 255 = 64.25.
    EXPECT_EQ(GammaTabelle(-50)[128], 64);
}

TEST(Farbtabellen, ContrastAboutTheMiddleWithASinglePrecisionFactor)
{
    const Farbtabelle weich = KontrastTabelle(-100);
    EXPECT_EQ(weich[0], 64);
    EXPECT_EQ(weich[255], 192);
    const Farbtabelle hart = KontrastTabelle(100);
    EXPECT_EQ(hart[0], 0);
    EXPECT_EQ(hart[200], 236);
    EXPECT_EQ(hart[255], 255);
    // 0.9 in single precision lies below 0.9: 15 × 0.9f = 13.4999996 rounds to 13,
    // where a double factor would give 13.5 and round to 14.
    EXPECT_EQ(KontrastTabelle(-20)[143], 141);
}

TEST(Farbtabellen, GreyValue)
{
    EXPECT_EQ(Grauwert(200, 100, 50), 124);
    EXPECT_EQ(Grauwert(255, 255, 255), 255);
    EXPECT_EQ(Grauwert(0, 0, 1), 0);
}

namespace {

struct ColourTest : ImageFixture {
    ImageEntry& result() { return p.bilder.ergebnis(); }
    // The composed result: w × h pixels drawn by pixel.
    void composed(int w, int h, const PixelFn& pixel) { fillSlot(result().slot[SlotErgebnis], w, h, pixel); }
    Bytes adjusted(int x, int y) { return bmpPixel(readFile(result().slot[SlotFarbErgebnis].pfad), x, y); }
};

}

TEST_F(ColourTest, NeutralPositionsOnlyCopy)
{
    composed(7, 3, distinct);
    ASSERT_TRUE(FARBE(p));
    EXPECT_TRUE(sameImage(result().slot[SlotFarbErgebnis].pfad, result().slot[SlotErgebnis].pfad));
}

// With every track bar at 0 the colour result is the composed result's file;
// a colour change after it writes a file of its own and leaves the composed
// result as it was, and taking the change back gives the first bytes again.
TEST_F(ColourTest, AnUnadjustedResultSharesTheComposedOne)
{
    composed(8, 5, distinct);
    const Bytes original = readFile(result().slot[SlotErgebnis].pfad);
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(std::filesystem::hard_link_count(result().slot[SlotErgebnis].pfad), 2u);
    p.farbe.gamma = 40;
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(std::filesystem::hard_link_count(result().slot[SlotErgebnis].pfad), 1u);
    EXPECT_EQ(readFile(result().slot[SlotErgebnis].pfad), original);
    EXPECT_NE(readFile(result().slot[SlotFarbErgebnis].pfad), original);
    p.farbe.gamma = 0;
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(readFile(result().slot[SlotFarbErgebnis].pfad), original);
}

TEST_F(ColourTest, EachAdjustmentActsOnTheCopyOnly)
{
    composed(3, 2, uniform(50, 100, 200));
    const Bytes original = readFile(result().slot[SlotErgebnis].pfad);
    p.farbe.saettigung = -100;
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(adjusted(2, 1), (Bytes{124, 124, 124}));
    EXPECT_EQ(readFile(result().slot[SlotErgebnis].pfad), original);

    p.farbe.saettigung = 0;
    p.farbe.gamma = 100;
    ASSERT_TRUE(FARBE(p));
    // Blue 50 → round((50/255)^0.2 × 255) = 184, green 100 → 211, red 200 → 243.
    EXPECT_EQ(adjusted(0, 0), (Bytes{184, 211, 243}));

    p.farbe.gamma = 0;
    p.farbe.hell = -100;
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(adjusted(1, 1), (Bytes{0, 0, 0}));

    p.farbe.hell = 0;
    p.farbe.kontrast = 100;
    ASSERT_TRUE(FARBE(p));
    // (v − 128) × 1.5 + 128: 50 → 11, 100 → 86, 200 → 236.
    EXPECT_EQ(adjusted(0, 1), (Bytes{11, 86, 236}));
}

TEST_F(ColourTest, AdjustmentsFollowInOrder)
{
    composed(2, 2, uniform(40, 40, 40));
    p.farbe.hell = 50;       // 255 − 215 × 0.5 = 147.5 → 148
    p.farbe.kontrast = -100; // (148 − 128) × 0.5 + 128 = 138
    ASSERT_TRUE(FARBE(p));
    EXPECT_EQ(adjusted(0, 0), (Bytes{138, 138, 138}));
}

TEST_F(ColourTest, AbortDuringAnAdjustmentClosesTheRaster)
{
    composed(20, 30, distinct);
    p.farbe.hell = 10;
    int rows = 0;
    t.events.onPump = [&](const AppState&) {
        if (++rows == 20)
            p.ctx.state.abort = true;
    };
    EXPECT_FALSE(FARBE(p));
    EXPECT_EQ(p.ctx.state.progress.phase, "R2");
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(result().slot[SlotFarbErgebnis].offen());
    EXPECT_FALSE(result().slot[SlotErgebnis].offen());
}

TEST_F(ColourTest, ManyRowsInBatchesAndAStopBetweenThem)
{
    // 100 rows: several batches, the last one partial; every byte through the tables in turn.
    const PixelFn muster = [](int x, int y, uint8_t px[3]) {
        px[0] = static_cast<uint8_t>(x * 31 + y);
        px[1] = static_cast<uint8_t>(y * 7);
        px[2] = static_cast<uint8_t>(x + 3 * y);
    };
    composed(5, 100, muster);
    p.farbe.gamma = 30;
    p.farbe.kontrast = -40;
    ASSERT_TRUE(FARBE(p));
    const auto gamma = GammaTabelle(30), kontrast = KontrastTabelle(-40);
    const Bytes datei = readFile(result().slot[SlotFarbErgebnis].pfad);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 5; ++x) {
            uint8_t px[3];
            muster(x, y, px);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(bmpPixel(datei, x, y)[static_cast<size_t>(c)], kontrast[gamma[px[c]]]) << x << " " << y;
        }
    // A stop at row 40 of the saturation: rows up to 40 are grey, the rest is not written.
    const Bytes vorher = adjusted(2, 41);
    p.farbe = {};
    p.farbe.saettigung = -100;
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.pos == 40)
            p.ctx.state.abort = true;
    };
    EXPECT_FALSE(FARBE(p));
    EXPECT_FALSE(result().slot[SlotFarbErgebnis].offen());
    EXPECT_TRUE(messages().empty());
    uint8_t px[3];
    muster(2, 40, px);
    const auto grau = static_cast<uint8_t>(Grauwert(px[2], px[1], px[0]));
    EXPECT_EQ(adjusted(2, 40), (Bytes{grau, grau, grau}));
    EXPECT_EQ(adjusted(2, 41), vorher);
}

TEST_F(ColourTest, HistogramStretchMapsTheUsedRangeOntoTheFullOne)
{
    // 100 × 100 pixels: 50 columns of 50, one of 125, 49 of 200 in every channel.
    auto& bild = addImage(1, 100, 100, [](int x, int, uint8_t px[3]) {
        px[0] = px[1] = px[2] = static_cast<uint8_t>(x < 50 ? 50 : x == 50 ? 125 : 200);
    });
    HistogrammStrecken(p.ctx, bild, SlotArbeitskopie, true);
    const Bytes f = file(1, SlotArbeitskopie);
    EXPECT_EQ(bmpPixel(f, 0, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(f, 50, 7), (Bytes{128, 128, 128}));  // 75 × 255 / 150 = 127.5
    EXPECT_EQ(bmpPixel(f, 99, 99), (Bytes{255, 255, 255}));
}

TEST_F(ColourTest, HistogramStretchMixesInTheGreyStretch)
{
    // Left half blue 50, green 100, red 150 (grey 109); right half 100, 150, 200 (grey 159).
    auto& bild = addImage(1, 100, 100, [](int x, int, uint8_t px[3]) {
        const uint8_t d = x < 50 ? 0 : 50;
        px[0] = static_cast<uint8_t>(50 + d);
        px[1] = static_cast<uint8_t>(100 + d);
        px[2] = static_cast<uint8_t>(150 + d);
    });
    HistogrammStrecken(p.ctx, bild, SlotArbeitskopie, false);
    const Bytes f = file(1, SlotArbeitskopie);
    // Each channel stretches to 0 / 255; the grey stretch (v − 109) × 5.1 gives
    // blue 0 / 0, green 0 / 209, red 209 / 255; then (4 s + t) div 5.
    EXPECT_EQ(bmpPixel(f, 10, 10), (Bytes{0, 0, 41}));
    EXPECT_EQ(bmpPixel(f, 90, 10), (Bytes{204, 245, 255}));
}

TEST_F(ColourTest, HistogramStretchOfAPictureWithoutMiddleTonesStops)
{
    auto& bild = addImage(1, 30, 20, [](int x, int, uint8_t px[3]) {
        px[0] = px[1] = px[2] = static_cast<uint8_t>(x % 2 ? 255 : 0);
    });
    const Bytes before = file(1, SlotArbeitskopie);
    HistogrammStrecken(p.ctx, bild, SlotArbeitskopie, false);
    EXPECT_EQ(file(1, SlotArbeitskopie), before);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ColourTest, FilterOnARasterTwoPixelsHighChangesNothing)
{
    auto& bild = addImage(1, 9, 2, distinct);
    const Bytes before = file(1, SlotArbeitskopie);
    Filter3x3(p.ctx, bild, SlotArbeitskopie, 0);
    EXPECT_EQ(file(1, SlotArbeitskopie), before);
    EXPECT_EQ(bild.slot[SlotKomposition].hoehe, 2);
}

TEST_F(ColourTest, BlurOnUniformGreyStaysGrey)
{
    auto& bild = addImage(1, 6, 5, uniform(100, 100, 100));
    const Bytes before = file(1, SlotArbeitskopie);
    Filter3x3(p.ctx, bild, SlotArbeitskopie, 7);
    EXPECT_EQ(file(1, SlotArbeitskopie), before);
}

TEST_F(ColourTest, KernelsKeepTheirOrientationAndTruncate)
{
    // "Find Edges" (1 1 1; 1 −2 1; −1 −1 −1) answers a bright area above a dark one only.
    auto& bild = addImage(1, 5, 6, [](int, int y, uint8_t px[3]) { px[0] = px[1] = px[2] = y < 3 ? 50 : 10; });
    Filter3x3(p.ctx, bild, SlotArbeitskopie, 2);
    Bytes f = file(1, SlotArbeitskopie);
    EXPECT_EQ(bmpPixel(f, 2, 1), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(f, 2, 2), (Bytes{120, 120, 120}));  // 150 + 0 − 30
    EXPECT_EQ(bmpPixel(f, 2, 3), (Bytes{120, 120, 120}));
    EXPECT_EQ(bmpPixel(f, 2, 0), (Bytes{50, 50, 50}));      // the border keeps its pixels
    EXPECT_EQ(bmpPixel(f, 0, 3), (Bytes{10, 10, 10}));

    // "Soften less" (0 1 0; 1 2 1; 0 1 0, div 6) on one pixel of 11: 22 div 6 = 3, 11 div 6 = 1.
    addImage(2, 5, 5, [](int x, int y, uint8_t px[3]) { px[0] = px[1] = px[2] = x == 2 && y == 2 ? 11 : 0; });
    Filter3x3(p.ctx, p.bilder.bild[2], SlotArbeitskopie, 8);
    f = file(2, SlotArbeitskopie);
    EXPECT_EQ(bmpPixel(f, 2, 2)[0], 3);
    EXPECT_EQ(bmpPixel(f, 1, 2)[0], 1);
    EXPECT_EQ(bmpPixel(f, 1, 1)[0], 0);
}

TEST_F(ColourTest, ContoursAreDarkEdgesOnWhite)
{
    // Grey 0 left of column 4, 20 from there; a horizontal gradient of 4 × 20 = 80 at the edge.
    auto& bild = addImage(1, 8, 5, [](int x, int, uint8_t px[3]) { px[0] = px[1] = px[2] = x < 4 ? 0 : 20; });
    bild.konturen = true;
    ASSERT_TRUE(Justiere_Bild(p, 1));
    const Bytes f = file(1, SlotJustiert);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool edge = y > 0 && y < 4 && (x == 3 || x == 4);
            EXPECT_EQ(bmpPixel(f, x, y), (edge ? Bytes{175, 175, 175} : Bytes{255, 255, 255})) << x << "," << y;
        }
}

TEST_F(ColourTest, FilterNumberCountsFromOne)
{
    auto& bild = addImage(1, 5, 5, [](int x, int y, uint8_t px[3]) { px[0] = px[1] = px[2] = x == 2 && y == 2 ? 11 : 0; });
    bild.filterNr = 9;  // "Soften less"
    ASSERT_TRUE(Justiere_Bild(p, 1));
    EXPECT_EQ(bmpPixel(file(1, SlotJustiert), 2, 2)[0], 3);
}

TEST_F(ColourTest, InvertingTwiceRestores)
{
    auto& bild = addImage(1, 5, 3, distinct);
    const Bytes before = file(1, SlotArbeitskopie);
    Invertieren(p.ctx, bild, SlotArbeitskopie);
    EXPECT_EQ(bmpPixel(file(1, SlotArbeitskopie), 3, 2), (Bytes{static_cast<uint8_t>(255 - 27), 252, 253}));
    Invertieren(p.ctx, bild, SlotArbeitskopie);
    EXPECT_EQ(file(1, SlotArbeitskopie), before);
}

TEST_F(ColourTest, PipelineHonoursImageParametersAndColourPositions)
{
    auto& bild = addImage(1, 16, 16, distinct);
    const Bytes src = file(1, SlotArbeitskopie);
    bild.dx = 2;
    bild.spiegelY = true;
    p.compose.Hintergrundfarbe = {0, 0, 255};
    p.farbe.saettigung = -100;
    p.auswahl = {VorschauBildL, 1, 1, 0, true, false};
    Schleife(p, 2);
    ASSERT_TRUE(messages().empty());
    const Bytes f = readFile(result().slot[SlotFarbErgebnis].pfad);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const Bytes s = x < 2 ? Bytes{255, 0, 0} : bmpPixel(src, x - 2, 15 - y);
            const auto g = static_cast<uint8_t>(Grauwert(s[2], s[1], s[0]));
            EXPECT_EQ(bmpPixel(f, x, y), (Bytes{g, g, g})) << x << "," << y;
        }

    // The selected image is aligned anew with its changed parameters.
    bild.dx = 0;
    bild.spiegelY = false;
    bild.konturen = true;
    p.farbe.saettigung = 0;
    Schleife(p, 2);
    const Bytes k = readFile(result().slot[SlotFarbErgebnis].pfad);
    EXPECT_EQ(bmpPixel(k, 0, 0), (Bytes{255, 255, 255}));
    EXPECT_EQ(k, readFile(bild.slot[SlotJustiert].pfad));
}
