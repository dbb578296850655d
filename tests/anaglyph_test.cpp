#include "compose/Komponisten.h"
#include "compose/Pipeline.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace {

struct AnaglyphTest : ComposeFixture {
    // Left pixel and right pixel as red, green, blue; the result pixel as red, green, blue.
    Bytes mix(int schema, Bytes links, Bytes rechts, double c1 = 1, double c2 = 1, double c3 = 1)
    {
        addPlain(1, 2, 2, links[2], links[1], links[0]);
        addPlain(2, 2, 2, rechts[2], rechts[1], rechts[0]);
        EXPECT_TRUE(Anaglyph(p, 1, 2, schema, c1, c2, c3));
        const Bytes bgr = bmpPixel(result(), 1, 1);
        return {bgr[2], bgr[1], bgr[0]};
    }
};

}

TEST_F(AnaglyphTest, Schemes)
{
    EXPECT_EQ(mix(1, {200, 100, 50}, {10, 20, 30}), (Bytes{200, 20, 30}));
    EXPECT_EQ(mix(2, {255, 255, 255}, {255, 255, 255}), (Bytes{255, 254, 255}));
    // ColorCode: 15 + 15 + 70 of the right image's blue.
    EXPECT_EQ(mix(0, {1, 2, 3}, {100, 100, 100}), (Bytes{1, 2, 100}));
    EXPECT_EQ(mix(3, {200, 100, 50}, {10, 20, 30}), (Bytes{200, 0, 30}));
    EXPECT_EQ(mix(4, {200, 100, 50}, {10, 20, 30}), (Bytes{200, 20, 0}));
    EXPECT_EQ(mix(5, {200, 100, 50}, {10, 20, 30}), (Bytes{10, 100, 30}));
    EXPECT_EQ(mix(6, {200, 100, 50}, {10, 20, 30}), (Bytes{0, 100, 30}));
    // Dubois clamps: a red left and a black right give no green or blue.
    EXPECT_EQ(mix(2, {255, 0, 0}, {0, 0, 0}), (Bytes{111, 0, 0}));
}

TEST_F(AnaglyphTest, ColourReduction)
{
    // Grey: g = (30 × 200 + 59 × 100 + 11 × 50) div 100 = 124; right (10, 20, 30) gives 18.
    EXPECT_EQ(mix(1, {200, 100, 50}, {10, 20, 30}, 0, 0, 0), (Bytes{124, 18, 18}));
    // Half the red distance from grey in both images: Round((200 − 124) × 0.5 + 124) = 162.
    EXPECT_EQ(mix(5, {200, 100, 50}, {10, 20, 30}, 0.5, 1, 1), (Bytes{14, 100, 30}));
    EXPECT_EQ(mix(1, {200, 100, 50}, {10, 20, 30}, 0.5, 1, 1), (Bytes{162, 20, 30}));
    // ColorCode ignores the factors.
    EXPECT_EQ(mix(0, {200, 100, 50}, {100, 100, 100}, 0, 0, 0), (Bytes{200, 100, 100}));
}

TEST_F(AnaglyphTest, SizesAndTheSameImage)
{
    addPlain(1, 4, 3, 30, 20, 10);
    addPlain(2, 2, 5, 60, 50, 40);
    p.compose.Hintergrundfarbe = Farbe{7, 8, 9};
    ASSERT_TRUE(Anaglyph(p, 1, 2, 1, 1, 1, 1));
    auto r = result();
    EXPECT_EQ(p.bilder.ergebnis().slot[SlotErgebnis].breite, 4);
    EXPECT_EQ(p.bilder.ergebnis().slot[SlotErgebnis].hoehe, 5);
    EXPECT_EQ(bmpPixel(r, 1, 1), (Bytes{60, 50, 10}));
    EXPECT_EQ(bmpPixel(r, 3, 1), (Bytes{9, 8, 10}));   // right image ends at column 2
    EXPECT_EQ(bmpPixel(r, 1, 4), (Bytes{60, 50, 7}));  // left image ends at row 3
    // One image as left and right: a flat anaglyph.
    ASSERT_TRUE(Anaglyph(p, 1, 1, 1, 1, 1, 1));
    EXPECT_EQ(bmpPixel(result(), 0, 0), (Bytes{30, 20, 10}));
}

TEST_F(AnaglyphTest, ThroughTheDriver)
{
    addPlain(1, 40, 20, 50, 100, 200);
    addPlain(2, 40, 20, 30, 20, 10);
    p.auswahl = {VorschauAnaglyph, 1, 2, 0, false, false};
    p.compose.anaglyphSchema = 1;
    p.compose.C1 = p.compose.C2 = p.compose.C3 = 100;
    Schleife(p, 3);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(bmpPixel(result(SlotFarbErgebnis), 5, 5), (Bytes{18, 18, 124}));
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 7.5);
}

TEST_F(AnaglyphTest, ManyBatchesAbortAndReadFailure)
{
    // 100 rows: several batches, the last one partial; a smaller right image has background below it.
    addImage(1, 5, 100, [](int x, int y, uint8_t px[3]) {
        px[0] = static_cast<uint8_t>(x);
        px[1] = static_cast<uint8_t>(y);
        px[2] = static_cast<uint8_t>(x + y);
    });
    addPlain(2, 5, 70, 30, 20, 10);
    ASSERT_TRUE(Anaglyph(p, 1, 2, 1, 1, 1, 1));
    auto r = result();
    for (int y : {0, 31, 32, 69, 70, 99})
        EXPECT_EQ(bmpPixel(r, 3, y), (Bytes{y < 70 ? uint8_t{30} : uint8_t{255}, y < 70 ? uint8_t{20} : uint8_t{255},
                                        static_cast<uint8_t>(3 + y)}))
            << y;
    // A requested stop ends the run at its row: the rows before it are written, the raster is closed.
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.pos == 40)
            p.ctx.state.abort = true;
    };
    std::filesystem::remove(p.bilder.ergebnis().slot[SlotErgebnis].pfad);
    EXPECT_FALSE(Anaglyph(p, 2, 1, 1, 1, 1, 1));
    EXPECT_FALSE(p.bilder.ergebnis().slot[SlotErgebnis].offen());
    EXPECT_TRUE(messages().empty());
    r = result();
    EXPECT_EQ(bmpPixel(r, 3, 40), (Bytes{3, 40, 10}));
    EXPECT_EQ(bmpPixel(r, 3, 41), (Bytes{0, 0, 0}));
    // A source shorter than its header: the loading error, then the general one.
    t.events.onPump = nullptr;
    p.ctx.state.abort = false;
    std::filesystem::resize_file(p.bilder.bild[1].slot[SlotJustiert].pfad, 54 + 16 * 30);
    EXPECT_FALSE(Anaglyph(p, 1, 2, 1, 1, 1, 1));
    EXPECT_FALSE(p.bilder.ergebnis().slot[SlotErgebnis].offen());
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Fehler beim Laden der Bilddaten!",
                                                   "Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"}));
}
