#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "compose/Pipeline.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace fs = std::filesystem;

namespace {

struct ComposeTest : ComposeFixture {
    ComposeTest()
    {
        p.ansicht.boxBreite = 400;
        p.ansicht.boxHoehe = 300;
    }
    // Image n with an aligned raster of w × h whose pixel (x, y) is (x, y, n).
    void addImage(int n, int w, int h)
    {
        ComposeFixture::addImage(n, w, h, [n](int x, int y, uint8_t px[3]) {
            px[0] = static_cast<uint8_t>(x);
            px[1] = static_cast<uint8_t>(y);
            px[2] = static_cast<uint8_t>(n);
        });
    }
};

}

TEST_F(ComposeTest, ImageRIsCopiedThroughComposeAndColour)
{
    addImage(1, 20, 10);
    addImage(2, 40, 30);
    p.auswahl = {VorschauBildR, 1, 2, 0, false, true};
    Schleife(p, 3);
    EXPECT_TRUE(messages().empty());
    const auto r = result();
    EXPECT_EQ(r, readFile(p.bilder.bild[2].slot[SlotJustiert].pfad));
    EXPECT_EQ(result(SlotFarbErgebnis), r);
    EXPECT_EQ(p.auswahl.listenZeile, 2);
    // Proportional: the print height follows the result's aspect ratio.
    EXPECT_DOUBLE_EQ(p.druck.breite, 15.0);
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 15.0 * 30 / 40);
    EXPECT_EQ(t.display.shown, 1);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
}

TEST_F(ComposeTest, TheListChoiceSwitchesBetweenLAndR)
{
    addImage(1, 20, 10);
    addImage(2, 20, 10);
    p.auswahl = {VorschauBildR, 1, 2, 0, true, false};
    Schleife(p, 3);
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildL);
    EXPECT_EQ(p.auswahl.listenZeile, 1);
    EXPECT_EQ(bmpPixel(result(), 0, 0)[2], 1);
    p.auswahl.justL = false;
    Schleife(p, 3);
    EXPECT_EQ(p.auswahl.listenZeile, 0);
}

TEST_F(ComposeTest, NoImageChosenComposesNothing)
{
    addImage(1, 20, 10);
    p.auswahl = {VorschauBildL, 0, 0, 0, false, false};
    EXPECT_FALSE(BERECHNE(p));
    Schleife(p, 3);
    EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotErgebnis].pfad));
    EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
    EXPECT_EQ(t.display.shown, 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ComposeTest, NotProportionalKeepsTheSetHeight)
{
    addImage(1, 40, 30);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    p.druck.proportional = false;
    p.druck.hoeheGesetzt = 7.5;
    p.druck.hoehe = 1.0;
    EXPECT_TRUE(BERECHNE(p));
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 7.5);
}

TEST_F(ComposeTest, NarrowImageIsReportedButStillCopied)
{
    addImage(1, 15, 20);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    EXPECT_TRUE(BERECHNE(p));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: bild1.bmp: Breite des Bildes (Pixel) zu klein!",
                                                    "Information: Das Minimum dieser Programmversion ist: 16"}));
    EXPECT_EQ(result(), readFile(p.bilder.bild[1].slot[SlotJustiert].pfad));
}

TEST_F(ComposeTest, TooNarrowPrintStopsTheRun)
{
    addImage(1, 20, 20);
    p.auswahl = {VorschauLinsenraster, 1, 1, 0, false, false};
    p.druck.breiteGesetzt = 1.9;
    Schleife(p, 3);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Druckbreite des Bildes (cm) zu klein!",
                                                    "Information: Das Minimum dieser Programmversion ist: 2",
                                                    "Warnung: Die Berechnung des Bildes wird abgebrochen!"}));
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotErgebnis].pfad));
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(ComposeTest, TestMaxAllShowsEveryViolationInOrder)
{
    addImage(1, 20, 100000);
    addImage(2, 15, 20);
    p.druck.einheitCm = false;
    p.druck.breite = 400;  // 1016 cm
    p.druck.hoehe = 0.5;   // 1.27 cm
    p.compose.lpi = 1000;
    EXPECT_FALSE(Test_MaxAll(p));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Fehler: Druckbreite des Bildes (cm) zu gross!",
                              "Information: Das Maximum dieser Programmversion ist: 999",
                              "Fehler: Druckhöhe des Bildes (cm) zu klein!",
                              "Information: Das Minimum dieser Programmversion ist: 2",
                              "Fehler: Linsenrastertyp (lpi-Wert) zu gross!",
                              "Information: Das Maximum dieser Programmversion ist: 999",
                              "Fehler: bild1.bmp: Höhe des Bildes (Pixel) zu gross!",
                              "Information: Das Maximum dieser Programmversion ist: 99999",
                              "Fehler: bild2.bmp: Breite des Bildes (Pixel) zu klein!",
                              "Information: Das Minimum dieser Programmversion ist: 16",
                              "Warnung: Die Berechnung des Bildes wird abgebrochen!",
                          }));
}

TEST_F(ComposeTest, TestMaxAllAcceptsTheLimitsThemselves)
{
    addImage(1, 16, 99999);
    p.druck.breite = 2;
    p.druck.hoehe = 999;
    p.compose.lpi = 5;
    EXPECT_TRUE(Test_MaxAll(p));
    p.compose.lpi = 999;
    EXPECT_TRUE(Test_MaxAll(p));
    EXPECT_TRUE(messages().empty());
}

TEST_F(ComposeTest, PairModesNeedBothImages)
{
    addImage(1, 20, 20);
    for (int modus : {VorschauAnaglyph, VorschauStereo, VorschauStreifen}) {
        SCOPED_TRACE(testing::Message() << "modus " << modus);
        p.auswahl = {modus, 1, 0, 0, false, false};
        EXPECT_FALSE(BERECHNE(p));
        EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotErgebnis].pfad));
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(ComposeTest, MirroredResultReadsRightToLeft)
{
    for (int w : {6, 7}) {
        SCOPED_TRACE(testing::Message() << "w " << w);
        addImage(1, w, 3);
        p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
        p.druck.seitenverkehrt = true;
        ASSERT_TRUE(BERECHNE(p));
        const auto r = result();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(bmpPixel(r, x, y), (Bytes{static_cast<uint8_t>(w - 1 - x),
                                                                    static_cast<uint8_t>(y), 1}))
                    << w << " " << x << " " << y;
    }
}

TEST_F(ComposeTest, FailedCopyEndsInTheAbortHandling)
{
    addImage(1, 20, 20);
    fs::remove(p.bilder.bild[1].slot[SlotJustiert].pfad);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    Schleife(p, 3);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"}));
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    EXPECT_FALSE(p.bilder.ergebnis().slot[SlotErgebnis].offen());
    EXPECT_EQ(t.display.shown, 0);
    EXPECT_GE(t.display.cleared, 1);
}

TEST_F(ComposeTest, StopDuringCopyUnwindsSilently)
{
    addImage(1, 30, 200);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    int nested = 0;
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.level == "3" && st.progress.pos == 50 && nested == 0) {
            ++nested;
            Schleife(p, 2);  // a handler run by the pump finds the pipeline busy
            Berechnung_Stoppen(p);
            EXPECT_TRUE(p.ctx.state.abort);
            EXPECT_TRUE(p.ctx.state.busy);
        }
    };
    Schleife(p, 3);
    EXPECT_EQ(nested, 1);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    EXPECT_FALSE(p.bilder.ergebnis().slot[SlotErgebnis].offen());
    EXPECT_FALSE(p.bilder.bild[1].slot[SlotJustiert].offen());
    EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
    EXPECT_EQ(t.display.shown, 0);
}

// The disk fills up just as a composer writes its last rows: the run is
// reported as failed, never taken for a finished result. A first run counts
// the writes into the target, a second one fails the last of them.
TEST_F(ComposeTest, AFailedLastWriteOfEveryComposerIsReported)
{
    // Rows with padding bytes, so that the copies of modes 1 and 2 are written, not shared.
    addImage(1, 41, 30);
    addImage(2, 41, 30);
    p.compose.stereo.xd = p.compose.stereo.yd = 20;
    p.compose.stereo.xm = 25;
    p.compose.stereo.xr = 60;
    p.compose.stereo.yr = 30;
    p.compose.streifen.breite = 64;
    p.compose.streifen.hoehe = 48;
    struct Fall {
        const char* name;
        int32_t modus;
        int32_t linsenrichtung;
        int32_t gamma;
        int ziel;
    };
    for (const Fall& f : {Fall{"Bild L", VorschauBildL, 0, 0, SlotErgebnis},
                          Fall{"Bild R", VorschauBildR, 0, 0, SlotErgebnis},
                          Fall{"Anaglyph", VorschauAnaglyph, 0, 0, SlotErgebnis},
                          Fall{"Stereo", VorschauStereo, 0, 0, SlotErgebnis},
                          Fall{"Linsenraster 3D", VorschauLinsenraster, 0, 0, SlotErgebnis},
                          Fall{"Linsenraster Flip", VorschauLinsenraster, 1, 0, SlotErgebnis},
                          Fall{"Streifen", VorschauStreifen, 0, 0, SlotErgebnis},
                          Fall{"Farbe", VorschauBildR, 0, 30, SlotFarbErgebnis}}) {
        SCOPED_TRACE(f.name);
        const fs::path ziel = p.bilder.ergebnis().slot[static_cast<size_t>(f.ziel)].pfad;
        p.compose.Linsenrichtung = f.linsenrichtung;
        p.farbe.gamma = f.gamma;
        const auto lauf = [&](int scheitert, int fehler) {
            p.bilder.ergebnis().dateienLoeschen();
            t.messages.lines.clear();
            p.auswahl = {f.modus, 1, 2, 0, false, false};
            int schreibvorgaenge = 0;
            t.files.writeHook = [&](const fs::path& datei, int64_t, size_t) {
                return datei == ziel && ++schreibvorgaenge == scheitert ? fehler : 0;
            };
            Schleife(p, 3);
            t.files.writeHook = nullptr;
            return schreibvorgaenge;
        };
        const int anzahl = lauf(0, 0);
        ASSERT_TRUE(messages().empty());
        ASSERT_GT(anzahl, 0);
        EXPECT_EQ(lauf(anzahl, EIO), anzahl);
        EXPECT_EQ(messages(),
                  (std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"}));
        // A full file system is named, as when it was found full before the run.
        EXPECT_EQ(lauf(anzahl, ENOSPC), anzahl);
        EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Zu wenig Speicher auf Laufwerk /daten: !"}));
    }
}

TEST_F(ComposeTest, EmptySetClearsThePreview)
{
    p.auswahl.listenZeile = 3;
    Schleife(p, 2);
    EXPECT_EQ(p.auswahl.listenZeile, 0);
    EXPECT_EQ(t.display.cleared, 1);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(ComposeTest, LevelTwoMarksTheProjectModified)
{
    addImage(1, 20, 20);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    Schleife(p, 4);
    EXPECT_FALSE(p.ctx.state.modified);
    Schleife(p, 2);
    EXPECT_TRUE(p.ctx.state.modified);
}

namespace {

// The window's columns x0 … x1 and rows y0 … y1.
std::array<int32_t, 4> spannen(const Quellfenster& f)
{
    return {f.x0, f.x1, f.y0, f.y1};
}

}

TEST(Quellfenster, WideResultInASquareBox)
{
    const Quellfenster ganz = Quellfenster_Berechnen(4000, 1000, 1.0, 400, 400, 50, 50);
    EXPECT_EQ(spannen(ganz), (std::array<int32_t, 4>{0, 4000, 0, 1000}));
    EXPECT_FALSE(ganz.scrollX || ganz.scrollY);

    for (int px : {0, 25, 100}) {
        SCOPED_TRACE(testing::Message() << "px " << px);
        const Quellfenster zwei = Quellfenster_Berechnen(4000, 1000, 2.0, 400, 400, px, 0);
        EXPECT_EQ(zwei.x0, 2000 * px / 100);
        EXPECT_EQ(zwei.x1, zwei.x0 + 2000);
        EXPECT_TRUE(zwei.scrollX);
        EXPECT_FALSE(zwei.scrollY);  // 4 >= 2
    }
}

TEST(Quellfenster, TallResultScrollsVertically)
{
    const Quellfenster f = Quellfenster_Berechnen(1000, 4000, 4.0, 400, 400, 0, 100);
    EXPECT_EQ(spannen(f), (std::array<int32_t, 4>{0, 1000, 3000, 4000}));
    EXPECT_TRUE(f.scrollY);
    EXPECT_FALSE(f.scrollX);
}

TEST(Quellfenster, ZoomingKeepsThePointedPixelInPlace)
{
    // 4000 × 1000 in a 400 × 400 box at 4:1: a window 1000 wide with 3000 pixels of travel.
    EXPECT_EQ(Scroll_Zu(4000, 1000, 4.0, 400, 400, 2000, 500, 0.5, 0.5), std::make_pair(50, 0));
    EXPECT_EQ(Scroll_Zu(4000, 1000, 4.0, 400, 400, 1000, 500, 0.25, 0.5), std::make_pair(25, 0));
    const Quellfenster f = Quellfenster_Berechnen(4000, 1000, 4.0, 400, 400, 25, 0);
    EXPECT_EQ(f.x0 + 100 * (f.x1 - f.x0) / 400, 1000);
    // Near the edges the window stops at the result's ends.
    EXPECT_EQ(Scroll_Zu(4000, 1000, 4.0, 400, 400, 100, 500, 0.5, 0.5), std::make_pair(0, 0));
    EXPECT_EQ(Scroll_Zu(4000, 1000, 4.0, 400, 400, 3990, 500, 0.5, 0.5), std::make_pair(100, 0));
    // Whole per cent of the travel: 1000 × 4000 at 8:1 leaves 3500 rows, 35 per per cent.
    EXPECT_EQ(Scroll_Zu(1000, 4000, 8.0, 400, 400, 500, 2017, 0.5, 0.5), std::make_pair(50, 50));
    // At 1:1 nothing scrolls.
    EXPECT_EQ(Scroll_Zu(4000, 1000, 1.0, 400, 400, 3000, 800, 0.9, 0.9), std::make_pair(0, 0));
}

TEST_F(ComposeTest, ZoomListFollowsTheResult)
{
    addImage(1, 100, 120);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    p.ansicht.zoomIndex = 5;
    Schleife(p, 3);
    EXPECT_EQ(p.ansicht.zoomListe, (std::vector<std::string>{"1:1", "2:1", "4:1", "8:1"}));
    EXPECT_EQ(p.ansicht.zoomIndex, 3);
    EXPECT_EQ(Zoomfaktor("8:1"), 8.0);
    EXPECT_EQ(Zoomfaktor("1:4"), 0.25);
}

TEST_F(ComposeTest, DisplayRasterSubsamplesLargeResults)
{
    addImage(1, 250, 40);
    p.auswahl = {VorschauBildL, 1, 1, 0, false, false};
    p.ctx.state.screenWidth = 100;
    p.ctx.state.screenHeight = 100;
    Schleife(p, 3);
    const RasterSlot& anzeige = p.bilder.ergebnis().slot[SlotAnzeige];
    // The window is the whole result; step max(251 div 100, 41 div 100, 1) = 2.
    EXPECT_EQ(anzeige.breite, 125);
    EXPECT_EQ(anzeige.hoehe, 20);
    const auto b = readFile(anzeige.pfad);
    EXPECT_EQ(bmpPixel(b, 7, 3), (Bytes{14, 6, 1}));
    EXPECT_EQ(t.display.shown, 1);
}

TEST_F(ComposeTest, PreviewModeNoneClearsThePicture)
{
    addImage(1, 20, 20);
    p.auswahl.vorschau = VorschauKeine;
    EXPECT_FALSE(ABBILDUNG(p));
    EXPECT_EQ(t.display.cleared, 1);
}
