// Manual alignment, reference points and the crop region, through the handlers
// the window calls, checked on the parameters and on the pixels of the aligned
// rasters and exported files.
#include <filesystem>
#include <functional>

#include "align/Ausschnitt.h"
#include "align/Justierung.h"
#include "align/Referenzpunkt.h"
#include "compose/Pipeline.h"
#include "raster/Justieren.h"
#include "support/Bilddateien.h"
#include "support/ImageFixture.h"
#include "support/Programmumgebung.h"

namespace fs = std::filesystem;

namespace {

const Bytes weiss{255, 255, 255};
const Bytes schwarz{0, 0, 0};
const std::string neujustierung = "Information: Es erfolgt eine Neujustierung aller Bilder zum geänderten Referenzbild!";

struct AlignTest : ImageFixture {
    void bilder(int anzahl, int w, int h)
    {
        for (int n = 1; n <= anzahl; ++n)
            addImage(n, w, h, distinct);
    }
    // Image n shown as image R and selected, as a click in the list leaves it.
    void zeigeR(int n)
    {
        Auswahl& a = p.auswahl;
        a.bildL = 1;
        a.bildR = a.listenZeile = n;
        a.vorschau = VorschauBildR;
        a.justL = false;
        a.justR = true;
    }
    void punktSetzen(int n, Bildpunkt punkt, bool nurHorizontal = false)
    {
        zeigeR(n);
        RefPktSetzenSpeedButtonClick(p, true);
        ASSERT_TRUE(p.refInfo.setzModus);
        Referenzpunkt_Setzen(p, punkt, nurHorizontal);
    }
    ImageEntry& bild(int n) { return p.bilder.bild[static_cast<size_t>(n)]; }
    Bytes pixel(int n, int x, int y) { return bmpPixel(file(n, SlotJustiert), x, y); }
    static Bytes quelle(int x, int y)
    {
        uint8_t px[3];
        distinct(x, y, px);
        return {px[0], px[1], px[2]};
    }
    Bildlage lage(int n) { return Ermittle_Bildlage(bild(n), p.refInfo, p.bilder.MaxArbeitskopie()); }
};

}

TEST_F(AlignTest, TheFirstPointMakesItsImageTheReferenceWithoutMovingIt)
{
    bilder(3, 64, 48);
    punktSetzen(3, {20, 24});
    EXPECT_FALSE(p.refInfo.setzModus);
    EXPECT_TRUE(bild(3).istReferenzbild);
    EXPECT_TRUE(bild(3).refModus);
    EXPECT_EQ(p.refInfo.referenzbild, 3);
    EXPECT_EQ(p.refInfo.x, 20);
    EXPECT_EQ(p.refInfo.y, 24);
    EXPECT_EQ(Referenzbilder(p.bilder), std::vector<int>{3});
    EXPECT_EQ(pixel(3, 40, 5), quelle(40, 5));
    // The marker: a black bar with white edges whose 3 × 3 centre keeps the picture.
    EXPECT_EQ(pixel(3, 20, 24), quelle(20, 24));
    EXPECT_EQ(pixel(3, 20, 30), schwarz);
    EXPECT_EQ(pixel(3, 21, 30), weiss);
    EXPECT_EQ(pixel(3, 30, 24), schwarz);
    EXPECT_TRUE(messages().empty());
}

TEST_F(AlignTest, ASecondPointLandsOnTheReferencePosition)
{
    bilder(2, 480, 360);
    punktSetzen(1, {410, 295});
    punktSetzen(2, {400, 300});
    EXPECT_FALSE(bild(2).istReferenzbild);
    EXPECT_EQ(bild(2).refX, 400);
    EXPECT_EQ(bild(2).refY, 300);
    EXPECT_EQ(lage(2).dx, 10.0);  // 410 − 400 to the right
    EXPECT_EQ(lage(2).dy, 5.0);   // 300 − 295 upwards
    EXPECT_EQ(pixel(2, 200, 100), quelle(190, 105));
    EXPECT_EQ(pixel(2, 9, 100), weiss);
    EXPECT_EQ(pixel(2, 410, 295), quelle(400, 300));
    EXPECT_EQ(pixel(2, 410, 305), schwarz);
}

TEST_F(AlignTest, OnlyHorizontallyTakesTheReferenceRow)
{
    bilder(2, 480, 360);
    punktSetzen(1, {410, 295});
    punktSetzen(2, {400, 300}, true);
    EXPECT_EQ(bild(2).refY, 295);
    EXPECT_EQ(lage(2).dx, 10.0);
    EXPECT_EQ(lage(2).dy, 0.0);
    EXPECT_EQ(pixel(2, 200, 100), quelle(190, 100));
}

TEST_F(AlignTest, SettingAPointNeedsTheImageInThePreviewAndResetsItsAlignment)
{
    bilder(2, 32, 24);
    zeigeR(2);
    p.auswahl.vorschau = VorschauBildL;
    RefPktSetzenSpeedButtonClick(p, true);
    EXPECT_FALSE(p.refInfo.setzModus);
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "Fehler: Justierbild (Referenzpunkt) befindet sich nicht in der Vorschau (Bild L oder "
                              "Bild R)!"});

    t.messages.lines.clear();
    zeigeR(2);
    bild(2).dx = 3;
    bild(2).spiegelX = true;
    bild(2).AJRef1 = 1;
    RefPktSetzenSpeedButtonClick(p, true);
    EXPECT_TRUE(p.refInfo.setzModus);
    EXPECT_EQ(bild(2).dx, 0.0);
    EXPECT_FALSE(bild(2).spiegelX);
    EXPECT_EQ(bild(2).AJRef1, -1);
    EXPECT_EQ(pixel(2, 5, 5), quelle(5, 5));
    EXPECT_EQ(messages(), std::vector<std::string>{"Warnung: Alle Justierungen für aktuelles Bild werden zurückgesetzt!"});

    // Pressed again the button is released and the mode ends.
    RefPktSetzenSpeedButtonClick(p, false);
    EXPECT_FALSE(p.refInfo.setzModus);
}

TEST_F(AlignTest, SettingTheReferenceImagesPointAgainKeepsTheOthersAligned)
{
    bilder(2, 32, 24);
    punktSetzen(1, {10, 10});
    punktSetzen(2, {12, 14});
    t.messages.lines.clear();
    zeigeR(1);
    RefPktSetzenSpeedButtonClick(p, true);
    // Image 2 takes over as reference; image 1 gets its new point relative to it.
    EXPECT_EQ(messages(), (std::vector<std::string>{"Warnung: Der Referenzpunkt für aktuelles Bild wird hiermit neu gesetzt!",
                                                    neujustierung}));
    EXPECT_EQ(p.refInfo.referenzbild, 2);
    Referenzpunkt_Setzen(p, {8, 10}, false);
    EXPECT_EQ(lage(1).dx, 4.0);
    EXPECT_EQ(lage(1).dy, -4.0);
    EXPECT_EQ(pixel(1, 20, 5), quelle(16, 1));
}

TEST_F(AlignTest, DeletingTheReferencePointPromotesTheNextImageWithAPoint)
{
    bilder(3, 32, 24);
    punktSetzen(1, {5, 5});
    punktSetzen(3, {8, 9});
    EXPECT_EQ(lage(3).dx, -3.0);
    EXPECT_EQ(pixel(1, 5, 10), schwarz);
    t.messages.lines.clear();
    zeigeR(1);
    RefPktLoeschenSpeedButtonClick(p);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Warnung: Der Referenzpunkt und Justierungen werden für aktuelles Bild gelöscht!",
                              neujustierung}));
    EXPECT_FALSE(bild(1).refModus);
    EXPECT_FALSE(bild(1).istReferenzbild);
    EXPECT_TRUE(bild(3).istReferenzbild);
    EXPECT_EQ(p.refInfo.referenzbild, 3);
    EXPECT_EQ(p.refInfo.x, 8);
    EXPECT_EQ(p.refInfo.y, 9);
    // The new reference does not move; the image without its point loses its marker.
    EXPECT_EQ(lage(3).dx, 0.0);
    EXPECT_EQ(pixel(3, 20, 20), quelle(20, 20));
    EXPECT_EQ(pixel(1, 5, 10), quelle(5, 10));

    // The last point deleted: no reference image is left.
    zeigeR(3);
    RefPktLoeschenSpeedButtonClick(p);
    EXPECT_EQ(p.refInfo.referenzbild, 0);
    EXPECT_TRUE(Referenzbilder(p.bilder).empty());
}

TEST_F(AlignTest, AnotherReferenceImageRealignsEveryImage)
{
    bilder(2, 32, 24);
    punktSetzen(1, {5, 5});
    punktSetzen(2, {8, 9});
    t.messages.lines.clear();
    RefBildComboBoxChange(p, 2);
    EXPECT_EQ(messages(), std::vector<std::string>{neujustierung});
    EXPECT_TRUE(bild(2).istReferenzbild);
    EXPECT_FALSE(bild(1).istReferenzbild);
    EXPECT_EQ(lage(1).dx, 3.0);
    EXPECT_EQ(lage(1).dy, -4.0);
    EXPECT_EQ(pixel(1, 20, 5), quelle(17, 1));
    EXPECT_EQ(lage(2).dx, 0.0);
}

TEST_F(AlignTest, MarkerSizeZeroAndHiddenMarkersLeaveTheImageAsItIs)
{
    bilder(1, 32, 24);
    punktSetzen(1, {10, 10});
    EXPECT_NE(file(1, SlotJustiert), file(1, SlotArbeitskopie));
    Referenzmarken_Aendern(p, true, 0);
    EXPECT_EQ(p.refInfo.groesse, 0);
    EXPECT_EQ(file(1, SlotJustiert), file(1, SlotArbeitskopie));
    Referenzmarken_Aendern(p, true, 3);
    EXPECT_NE(file(1, SlotJustiert), file(1, SlotArbeitskopie));
    Referenzmarken_Aendern(p, false, 3);
    EXPECT_EQ(file(1, SlotJustiert), file(1, SlotArbeitskopie));
    Referenzmarken_Aendern(p, true, 99);
    EXPECT_EQ(p.refInfo.groesse, 10);
}

TEST_F(AlignTest, ShiftButtonsMoveThePointOfAnImageAlignedByIt)
{
    bilder(2, 32, 24);
    punktSetzen(1, {10, 10});
    punktSetzen(2, {12, 14});
    JustVerschiebungClick(p, 1, 0);
    JustVerschiebungClick(p, 0, 10);
    EXPECT_EQ(bild(2).refX, 11);
    EXPECT_EQ(bild(2).refY, 24);
    EXPECT_EQ(bild(2).dx, 0.0);
    EXPECT_EQ(lage(2).dx, -1.0);
    EXPECT_EQ(lage(2).dy, 14.0);
    EXPECT_EQ(pixel(2, 5, 0), quelle(6, 14));

    // The reference image's point moves the reference position; every image follows.
    t.messages.lines.clear();
    zeigeR(1);
    JustVerschiebungClick(p, -1, 0);
    EXPECT_EQ(p.refInfo.x, 11);
    EXPECT_EQ(lage(2).dx, 0.0);
    EXPECT_EQ(messages(), std::vector<std::string>{neujustierung});
}

TEST_F(AlignTest, ButtonsChangeTheCurrentImageOnlyAndForgetTheAutomaticAlignment)
{
    bilder(2, 32, 24);
    zeigeR(2);
    bild(2).AJRef1 = 1;
    bild(2).AJStatus = {"O", "+", "?"};
    JustVerschiebungClick(p, -10, 1);
    EXPECT_EQ(bild(2).dx, -10.0);
    EXPECT_EQ(bild(2).dy, 1.0);
    EXPECT_EQ(bild(2).AJRef1, -1);
    EXPECT_EQ(bild(2).AJStatus[1], " ");
    EXPECT_EQ(pixel(2, 5, 5), quelle(15, 6));
    EXPECT_EQ(bild(1).dx, 0.0);

    Einzelbild_Justieren(p, [](ImageEntry& b) { b.rot += 90; });
    EXPECT_EQ(bild(2).rot, 90.0);
    // While busy nothing changes; without a selection neither.
    p.ctx.state.busy = true;
    JustVerschiebungClick(p, 1, 0);
    p.ctx.state.busy = false;
    p.auswahl.listenZeile = 0;
    p.auswahl.justR = false;
    JustVerschiebungClick(p, 1, 0);
    EXPECT_EQ(bild(2).dx, -10.0);
}

TEST_F(AlignTest, TheSeriesShiftMovesEachImageByItsDistanceFromTheReference)
{
    bilder(5, 32, 24);
    punktSetzen(1, {20, 10});
    punktSetzen(3, {15, 12});
    bild(4).dx = 2;
    bild(4).rot = 1;
    JustVerschiebungAlleClick(p, 2, 1, 0, false);
    // Image 3's point was a shift of (5, 2); image 4 had 2 already.
    const double erwartet[] = {-1, 0, 6, 4, 3};
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(bild(n).dx, erwartet[n - 1]);
        EXPECT_FALSE(bild(n).refModus);
        EXPECT_FALSE(bild(n).istReferenzbild);
    }
    EXPECT_EQ(bild(3).dy, 2.0);
    EXPECT_EQ(bild(4).rot, 1.0);
    EXPECT_EQ(p.refInfo.referenzbild, -1);
    EXPECT_EQ(pixel(5, 10, 5), quelle(7, 5));
    EXPECT_EQ(pixel(1, 10, 5), quelle(11, 5));

    // A zero step resets every shift; "alle 0" also rotation and scale.
    JustVerschiebungAlleClick(p, 2, 0, 0, false);
    EXPECT_EQ(bild(3).dx, 0.0);
    EXPECT_EQ(bild(3).dy, 0.0);
    EXPECT_EQ(bild(4).rot, 1.0);
    bild(4).skal = 2;
    JustVerschiebungAlleClick(p, 2, 0, 0, true);
    EXPECT_EQ(bild(4).rot, 0.0);
    EXPECT_EQ(bild(4).skal, 1.0);
    EXPECT_EQ(file(4, SlotJustiert), file(4, SlotArbeitskopie));
}

TEST_F(AlignTest, PointsBecomePlainShifts)
{
    bilder(2, 32, 24);
    punktSetzen(1, {5, 5});
    punktSetzen(2, {8, 9});
    REFPFTLoesenButtonClick(p);
    EXPECT_EQ(bild(2).dx, -3.0);
    EXPECT_EQ(bild(2).dy, 4.0);
    EXPECT_FALSE(bild(2).refModus);
    EXPECT_FALSE(bild(1).istReferenzbild);
    EXPECT_EQ(p.refInfo.referenzbild, -1);
    EXPECT_FALSE(p.refInfo.zeigen);
    EXPECT_EQ(pixel(2, 10, 5), quelle(13, 9));
    EXPECT_EQ(file(1, SlotJustiert), file(1, SlotArbeitskopie));
}

TEST_F(AlignTest, AStopDuringAnAllImagesLoopSkipsTheRestAndResets)
{
    bilder(3, 32, 24);
    zeigeR(3);
    // The stop button, pressed once the first image is done.
    t.events.onPump = [&](const AppState& st) {
        if (st.busy && st.progress.max == 100 && st.progress.pos >= 33)
            Berechnung_Stoppen(p);
    };
    JustVerschiebungAlleClick(p, 3, 1, 0, false);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_EQ(bild(1).dx, -2.0);
    EXPECT_EQ(bild(1).slot[SlotJustiert].breite, 32);
    EXPECT_EQ(bild(3).slot[SlotJustiert].breite, 0);
    EXPECT_TRUE(messages().empty());
}

TEST(Ermittle_Refpunkt, MapsThePreviewPositionToTheResultPixel)
{
    TestServices t;
    Programm p(t.services());
    p.bilder.bild[0].slot[SlotFarbErgebnis].breite = 400;
    p.bilder.bild[0].slot[SlotFarbErgebnis].hoehe = 300;
    p.ansicht.boxBreite = 200;
    p.ansicht.boxHoehe = 200;
    // Zoom 1:1: the whole result, 200 × 150 pixels, 25 pixels below the box's top.
    EXPECT_EQ(Ermittle_Refpunkt(p, 100, 100), (Bildpunkt{200, 150}));
    EXPECT_EQ(Ermittle_Refpunkt(p, 0, 25), (Bildpunkt{0, 0}));
    EXPECT_EQ(Ermittle_Refpunkt(p, 200, 175), (Bildpunkt{399, 299}));
    EXPECT_EQ(Ermittle_Refpunkt(p, 100, 10), std::nullopt);
    EXPECT_EQ(Ermittle_Refpunkt(p, 100, 176), std::nullopt);
    // Zoom 2:1 in the middle: columns 100 … 300 and rows 50 … 250 fill the box.
    p.ansicht.zoomIndex = 1;
    p.ansicht.scrollX = p.ansicht.scrollY = 50;
    EXPECT_EQ(Ermittle_Refpunkt(p, 0, 0), (Bildpunkt{100, 50}));
    EXPECT_EQ(Ermittle_Refpunkt(p, 100, 100), (Bildpunkt{200, 150}));
    // Nothing to point at without a result or a box.
    p.ansicht.boxHoehe = 0;
    EXPECT_EQ(Ermittle_Refpunkt(p, 10, 10), std::nullopt);
}

TEST(Ausschnitt, EdgesAreSwappedIntoOrderAndClampedToTheResult)
{
    EXPECT_EQ(Ausschnitt_Anwenden({500, 30, 100, 20}, {4000, 3000}), (Ausschnitt{100, 20, 500, 30}));
    EXPECT_EQ(Ausschnitt_Anwenden({0, 0, 100000, 100000}, {4000, 3000}), (Ausschnitt{0, 0, 3999, 2999}));
    // Every edge stays inside the result, so no region reaches beyond it.
    EXPECT_EQ(Ausschnitt_Anwenden({5000, -7, 6000, 10}, {4000, 3000}), (Ausschnitt{3999, 0, 3999, 10}));
    EXPECT_TRUE(Ausschnitt_Anwenden({5000, -7, 6000, 10}, {4000, 3000}).leer());
}

TEST(Ausschnitt, AFixedRatioShrinksOneSideAboutTheCentre)
{
    EXPECT_EQ(Festes_Verhaeltnis({160, 160}, 16, 9), (Groesse{160, 90}));
    EXPECT_EQ(Festes_Verhaeltnis({320, 90}, 16, 9), (Groesse{160, 90}));
    EXPECT_EQ(Festes_Verhaeltnis({100, 0}, 16, 9), (Groesse{100, 0}));
    EXPECT_EQ(Verhaeltnis_Anwenden({0, 0, 159, 159}, 16, 9), (Ausschnitt{0, 35, 159, 124}));
    EXPECT_EQ(Verhaeltnis_Anwenden({10, 0, 409, 99}, 1, 1), (Ausschnitt{160, 0, 259, 99}));
}

namespace {

// Images whose working copies are only sizes: the optimal region reads no pixels.
struct OptimumTest : Programmumgebung {
    ImageEntry& bild(int n, int w = 201, int h = 101)
    {
        p.bilder.anzahl = std::max(p.bilder.anzahl, n);
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
        e.slot[SlotArbeitskopie].breite = w;
        e.slot[SlotArbeitskopie].hoehe = h;
        return e;
    }
};

}

// Image 1 unaligned, image 2 changed as each case says.
TEST_F(OptimumTest, EachChangeOfTheSecondImageCutsOffWhatItLeavesUncovered)
{
    const struct Fall {
        const char* was;
        std::function<void(ImageEntry&)> aendern;
        Ausschnitt erwartet;
    } faelle[] = {
        {"unaligned", [](ImageEntry&) {}, {0, 0, 200, 100}},
        {"shifted right", [](ImageEntry& e) { e.dx = 10; }, {10, 0, 200, 100}},
        // Upwards: the bottom rows are uncovered.
        {"shifted left and up",
         [](ImageEntry& e) {
             e.dx = -4;
             e.dy = 5;
         },
         {0, 0, 196, 95}},
        // Mirroring moves the uncovered strip to the other side.
        {"shifted right and mirrored",
         [](ImageEntry& e) {
             e.dx = 10;
             e.spiegelX = true;
         },
         {0, 0, 190, 100}},
        // About the centre (100, 50): columns 50 … 150, rows 25 … 75, then one pixel inwards.
        {"half scale", [](ImageEntry& e) { e.skal = 0.5; }, {51, 26, 149, 74}},
        // The corners (±100, ±50) about the centre turned by 1 degree lie at x = ±100.857
        // and ±99.112, y = ±48.247 and ±51.738; along the diagonals the picture ends at
        // (±99.17, ±48.28), so the region is 100 − 99.17 = 0.83 → 1 and 50 − 48.28 = 1.72 → 2
        // from the edges, then one pixel more.
        {"turned by 1 degree", [](ImageEntry& e) { e.rot = 1.0; }, {2, 3, 198, 97}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        bild(1);
        bild(2) = ImageEntry{};
        f.aendern(bild(2));
        EXPECT_EQ(Druckbereich_PosInit_TRANS(p), f.erwartet);
    }
}

TEST_F(OptimumTest, ASmallerImageSitsAtTheTopLeftOfTheFrame)
{
    bild(1);
    bild(2, 150, 101);
    EXPECT_EQ(Druckbereich_PosInit_TRANS(p), (Ausschnitt{0, 0, 149, 100}));
}

TEST_F(OptimumTest, AReferencePointShiftCountsLikeAnyOther)
{
    Referenzpunkt(bild(1), 50, 40);
    p.refInfo.x = 58;
    p.refInfo.y = 40;
    bild(2);
    EXPECT_EQ(Druckbereich_PosInit_TRANS(p), (Ausschnitt{8, 0, 200, 100}));
}

TEST_F(OptimumTest, ImagesThatShareNoPixelLeaveAnEmptyRegion)
{
    bild(1).dx = 150;
    bild(2).dx = -150;
    EXPECT_TRUE(Druckbereich_PosInit_TRANS(p).leer());
}

namespace {

struct ExportTest : AlignTest {
    fs::path ordner = t.files.tempFolder() / "export";
    std::string basis = (ordner / "bild").string();

    ExportTest()
    {
        fs::create_directory(ordner);
        bilder(2, 40, 30);
        bild(2).dx = 2;
        zeigeR(2);
        Schleife(p, 2);
    }
    Bytes exportiert(int n, const char* endung = ".BMP")
    {
        char nummer[8];
        std::snprintf(nummer, sizeof nummer, "%02d", n);
        return readFile(basis + nummer + endung);
    }
    static int32_t breite(const Bytes& bmp) { return bmp[18] | bmp[19] << 8; }
    static int32_t hoehe(const Bytes& bmp) { return bmp[22] | bmp[23] << 8; }
};

}

TEST_F(ExportTest, EveryAlignedImageAndTheResultAreWrittenCropped)
{
    ASSERT_TRUE(Ausschnitt_Exportieren(p, {14, 4, 5, 10}, basis, false));
    for (int n : {0, 1, 2}) {
        SCOPED_TRACE(n);
        const Bytes f = exportiert(n);
        ASSERT_FALSE(f.empty());
        EXPECT_EQ(breite(f), 10);
        EXPECT_EQ(hoehe(f), 7);
    }
    EXPECT_EQ(bmpPixel(exportiert(1), 0, 0), quelle(5, 4));
    EXPECT_EQ(bmpPixel(exportiert(1), 9, 6), quelle(14, 10));
    EXPECT_EQ(bmpPixel(exportiert(2), 0, 0), quelle(3, 4));
    // The result is image R.
    EXPECT_EQ(exportiert(0), exportiert(2));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(p.ctx.state.busy);

    ASSERT_TRUE(Ausschnitt_Exportieren(p, {5, 4, 14, 10}, basis, true));
    const Bytes jpg = exportiert(1, ".JPG");
    ASSERT_GT(jpg.size(), 2u);
    EXPECT_EQ(jpg[0], 0xFF);
    EXPECT_EQ(jpg[1], 0xD8);
}

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::string alt = basis + "01.BMP";
    writeBytes(alt, Bytes(10, 7));
    t.messages.answers = {Antwort::Nein};
    ASSERT_TRUE(Ausschnitt_Exportieren(p, {5, 4, 14, 10}, basis, false));
    EXPECT_EQ(readFile(alt), Bytes(10, 7));
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "Bestätigung? Die Datei existiert bereits. Soll Speicherung fortgeführt werden?: " + alt});
    EXPECT_EQ(breite(exportiert(2)), 10);

    t.messages.answers = {Antwort::Ja, Antwort::Ja, Antwort::Ja};
    ASSERT_TRUE(Ausschnitt_Exportieren(p, {5, 4, 14, 10}, basis, false));
    EXPECT_EQ(breite(readFile(alt)), 10);
}

TEST_F(ExportTest, AnEmptyRegionWritesNothing)
{
    EXPECT_FALSE(Ausschnitt_Exportieren(p, {5, 4, 5, 10}, basis, false));
    EXPECT_EQ(messages(), std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"});
    EXPECT_TRUE(fs::is_empty(ordner));
    // Only the input was wrong: the next command is not refused.
    EXPECT_FALSE(p.ctx.state.abort);
}

TEST_F(ExportTest, MarkersAreLeftOutOfTheFilesAndComeBackAfterwards)
{
    punktSetzen(1, {10, 10});
    punktSetzen(2, {12, 10});
    EXPECT_EQ(pixel(1, 10, 15), schwarz);
    ASSERT_TRUE(Ausschnitt_Exportieren(p, {0, 0, 39, 29}, basis, false));
    EXPECT_EQ(bmpPixel(exportiert(1), 10, 15), quelle(10, 15));
    EXPECT_EQ(bmpPixel(exportiert(2), 10, 15), quelle(12, 15));
    EXPECT_EQ(exportiert(0), exportiert(2));
    EXPECT_EQ(pixel(1, 10, 15), schwarz);
    EXPECT_EQ(bmpPixel(readFile(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad), 10, 15), schwarz);
    EXPECT_TRUE(p.refInfo.zeigen);
}

TEST_F(ExportTest, UsingTheRegionMakesTheCroppedImagesTheNewSources)
{
    punktSetzen(1, {10, 10});
    zeigeR(2);
    ASSERT_TRUE(AusschnittVerwendenButtonClick(p, {24, 4, 5, 20}));
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(bild(n).slot[SlotArbeitskopie].breite, 20);
        EXPECT_EQ(bild(n).slot[SlotArbeitskopie].hoehe, 17);
        EXPECT_EQ(bild(n).slot[SlotQuelle].breite, 20);
        EXPECT_EQ(bild(n).slot[SlotJustiert].breite, 20);
        EXPECT_EQ(bild(n).dx, 0.0);
        EXPECT_FALSE(bild(n).refModus);
    }
    EXPECT_EQ(p.refInfo.referenzbild, 0);
    EXPECT_TRUE(p.refInfo.zeigen);
    // The marker is not part of the new source.
    EXPECT_EQ(pixel(1, 5, 6), quelle(10, 10));
    EXPECT_EQ(pixel(1, 5, 3), quelle(10, 7));
    EXPECT_EQ(pixel(2, 0, 0), quelle(3, 4));
    EXPECT_EQ(file(2, SlotJustiert), file(2, SlotArbeitskopie));
    EXPECT_TRUE(messages().empty());
}
