#include <filesystem>
#include <tuple>

#include "compose/Komponisten.h"
#include "compose/Linsenansicht.h"
#include "compose/Pipeline.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace {

const Bytes Rot{0, 0, 255}, Cyan{255, 255, 0}, Weiss{255, 255, 255}, Schwarz{0, 0, 0};

// Pixel (x, y) of image n holds blue x, green y, red n.
Bytes bildPixel(int n, int x, int y)
{
    return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(n)};
}

struct LenticularTest : ComposeFixture {
    LenticularTest()
    {
        // 2.54 cm at 10 lpi: 10 lenses; no compression, no stripes.
        p.druck.breiteGesetzt = p.druck.hoeheGesetzt = 2.54;
        p.compose.lpi = 10;
        p.compose.Komprimierung = 2;
        p.compose.JustStreifenLO = false;
    }
    void addImages(int n, int w, int h)
    {
        for (int i = 1; i <= n; ++i)
            addImage(i, w, h, [i](int x, int y, uint8_t px[3]) {
                const Bytes v = bildPixel(i, x, y);
                std::copy(v.begin(), v.end(), px);
            });
    }
    // The lens sheet over the composed result, taken as the one to print.
    Linsenteilung teilung()
    {
        p.auswahl.vorschau = VorschauLinsenraster;
        p.bilder.ergebnis().slot[SlotFarbErgebnis] = p.bilder.ergebnis().slot[SlotErgebnis];
        return Linsenteilung_Berechnen(p);
    }
    Linsenbild ansicht(const Linsenteilung& linsen, int position, int max = 1000)
    {
        Linsenbild b;
        EXPECT_TRUE(Linsenansicht(p.ctx, p.bilder.ergebnis().slot[SlotFarbErgebnis], linsen, position, max, max, b));
        return b;
    }
    int width() { return p.bilder.ergebnis().slot[SlotErgebnis].breite; }
    int height() { return p.bilder.ergebnis().slot[SlotErgebnis].hoehe; }
};

}

TEST_F(LenticularTest, TwoImagesOnePixelLensesAndBarrier)
{
    addImages(2, 10, 4);
    for (bool barrier : {false, true}) {
        SCOPED_TRACE(testing::Message() << "barrier " << barrier);
        p.compose.LinseInvers = barrier;
        ASSERT_TRUE(Linsenraster3D(p));
        ASSERT_EQ(width(), 20);
        ASSERT_EQ(height(), 4);
        const auto r = result();
        for (int lens = 1; lens < 9; ++lens) {
            EXPECT_EQ(bmpPixel(r, 2 * lens, 2), bildPixel(2, lens, 2));
            EXPECT_EQ(bmpPixel(r, 2 * lens + 1, 2), bildPixel(1, lens, 2));
        }
        // The black frame.
        EXPECT_EQ(bmpPixel(r, 5, 0), Schwarz);
        EXPECT_EQ(bmpPixel(r, 5, 3), Schwarz);
        EXPECT_EQ(bmpPixel(r, 0, 1), Schwarz);
        EXPECT_EQ(bmpPixel(r, 19, 1), Schwarz);
    }
    EXPECT_EQ(p.compose.PixelProBildProLinse, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(LenticularTest, ThreeImagesTwoPixelsPerLens)
{
    addImages(3, 20, 3);
    ASSERT_TRUE(Linsenraster3D(p));
    ASSERT_EQ(width(), 60);
    auto r = result();
    for (int lens = 1; lens < 9; ++lens) {
        const int x = 6 * lens;
        EXPECT_EQ(bmpPixel(r, x, 1), bildPixel(3, 2 * lens + 1, 1));
        EXPECT_EQ(bmpPixel(r, x + 1, 1), bildPixel(3, 2 * lens, 1));
        EXPECT_EQ(bmpPixel(r, x + 2, 1), bildPixel(2, 2 * lens + 1, 1));
        EXPECT_EQ(bmpPixel(r, x + 3, 1), bildPixel(2, 2 * lens, 1));
        EXPECT_EQ(bmpPixel(r, x + 4, 1), bildPixel(1, 2 * lens + 1, 1));
        EXPECT_EQ(bmpPixel(r, x + 5, 1), bildPixel(1, 2 * lens, 1));
    }
    // The barrier keeps each image's columns in order.
    p.compose.LinseInvers = true;
    ASSERT_TRUE(Linsenraster3D(p));
    r = result();
    EXPECT_EQ(bmpPixel(r, 6, 1), bildPixel(3, 2, 1));
    EXPECT_EQ(bmpPixel(r, 7, 1), bildPixel(3, 3, 1));
    EXPECT_EQ(bmpPixel(r, 10, 1), bildPixel(1, 2, 1));
    EXPECT_EQ(bmpPixel(r, 11, 1), bildPixel(1, 3, 1));
}

TEST_F(LenticularTest, OneImageMirrorsEachLens)
{
    addImages(1, 20, 3);
    ASSERT_TRUE(Linsenraster3D(p));
    ASSERT_EQ(width(), 20);
    const auto r = result();
    for (int lens = 1; lens < 9; ++lens) {
        EXPECT_EQ(bmpPixel(r, 2 * lens, 1), bildPixel(1, 2 * lens + 1, 1));
        EXPECT_EQ(bmpPixel(r, 2 * lens + 1, 1), bildPixel(1, 2 * lens, 1));
    }
}

TEST_F(LenticularTest, LensCountAndCompression)
{
    // 10 cm at 60 lpi: Round(236.22) = 236 lenses over 9.9907 cm.
    addImages(1, 472, 16);
    p.druck.breiteGesetzt = 10;
    p.compose.lpi = 60;
    ASSERT_TRUE(Linsenraster3D(p));
    EXPECT_EQ(p.compose.PixelProBildProLinse, 2);
    EXPECT_EQ(width(), 472);
    EXPECT_NEAR(p.druck.breite, 9.9907, 0.00005);
    // Auto with ten images at 60 lpi: Trunc(400 / 600) = 0, raised to 1.
    for (int i = 2; i <= 10; ++i)
        addImages(i, 472, 16);
    p.compose.Komprimierung = 0;
    ASSERT_TRUE(Linsenraster3D(p));
    EXPECT_EQ(p.compose.PixelProBildProLinse, 1);
    EXPECT_EQ(width(), 2360);
    // Manual takes the stored value.
    p.compose.Komprimierung = 1;
    p.compose.PixelProBildProLinse = 3;
    p.druck.breiteGesetzt = 2.54;
    p.compose.lpi = 10;
    ASSERT_TRUE(Linsenraster3D(p));
    EXPECT_EQ(width(), 300);
    EXPECT_EQ(p.bilder.bild[4].slot[SlotKomposition].breite, 30);
}

TEST_F(LenticularTest, JustificationStripesOfAnOddLens)
{
    addImages(3, 10, 100);
    p.druck.hoeheGesetzt = 10;  // the crosswise bands are 0.2 cm deep, about two rows
    p.compose.JustStreifenLO = true;
    p.compose.JustStreifenQuer = true;
    ASSERT_TRUE(Linsenraster3D(p));
    auto r = result();
    const std::vector<Bytes> lens{Rot, Weiss, Cyan};
    for (int y : {1, 50, 98}) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(bmpPixel(r, x, y), lens[static_cast<size_t>(x)]) << x << " " << y;
        for (int x = 3; x < 6; ++x)
            EXPECT_EQ(bmpPixel(r, x, y), Weiss) << x << " " << y;
    }
    for (int y : {0, 1, 98, 99})
        for (int x = 6; x < 30; ++x)
            EXPECT_EQ(bmpPixel(r, x, y), lens[static_cast<size_t>(x % 3)]) << x << " " << y;
    EXPECT_EQ(bmpPixel(r, 6, 3), bildPixel(3, 2, 3));
    EXPECT_EQ(bmpPixel(r, 29, 50), Schwarz);
    // The right stripe: a white lens, then the coloured one at the edge.
    p.compose.JustStreifenQuer = false;
    p.compose.JustStreifenRU = true;
    ASSERT_TRUE(Linsenraster3D(p));
    r = result();
    for (int x = 24; x < 27; ++x)
        EXPECT_EQ(bmpPixel(r, x, 50), Weiss);
    for (int x = 27; x < 30; ++x)
        EXPECT_EQ(bmpPixel(r, x, 50), lens[static_cast<size_t>(x % 3)]);
}

TEST_F(LenticularTest, FlipIsTheTransposedTwin)
{
    // Where no resize changes the images, Flip of the transposed images is the transposed 3D result.
    p.compose.JustStreifenLO = true;
    p.compose.JustStreifenRU = true;
    p.compose.JustStreifenQuer = true;
    p.druck.hoeheGesetzt = 5;
    addImages(3, 20, 13);
    ASSERT_TRUE(Linsenraster3D(p));
    const auto drei = result();
    const int w = width(), h = height();
    for (int i = 1; i <= 3; ++i)
        addImage(i, 13, 20, [i](int x, int y, uint8_t px[3]) {
            const Bytes v = bildPixel(i, y, x);
            std::copy(v.begin(), v.end(), px);
        });
    std::swap(p.druck.breiteGesetzt, p.druck.hoeheGesetzt);
    p.compose.Linsenrichtung = 1;
    ASSERT_TRUE(LinsenrasterFlip(p));
    ASSERT_EQ(width(), h);
    ASSERT_EQ(height(), w);
    const auto flip = result();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(bmpPixel(flip, y, x), bmpPixel(drei, x, y)) << x << " " << y;
    EXPECT_NEAR(p.druck.hoehe, 2.54, 1e-12);
}

TEST_F(LenticularTest, LensViewShowsOneImageFromEachPosition)
{
    addImages(2, 10, 4);
    ASSERT_TRUE(Linsenraster3D(p));
    const Linsenteilung linsen = teilung();
    EXPECT_DOUBLE_EQ(linsen.pixelProLinse, 2.0);
    ASSERT_EQ(linsen.positionen, 2);
    // The first column under every lens holds image 2, the second image 1; the black
    // frame covers rows 0 and 3 and the outer columns.
    for (int position : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        const Linsenbild b = ansicht(linsen, position);
        ASSERT_EQ(b.breite, 10);
        ASSERT_EQ(b.hoehe, 4);
        const int bildNr = position == 0 ? 2 : 1;
        for (int y = 1; y <= 2; ++y)
            for (int linse = 1; linse <= 8; ++linse) {
                const size_t i = (static_cast<size_t>(y) * 10 + static_cast<size_t>(linse)) * 3;
                ASSERT_EQ(Bytes(b.bgr.begin() + static_cast<long>(i), b.bgr.begin() + static_cast<long>(i) + 3),
                          bildPixel(bildNr, linse, y))
                    << position << " " << linse << " " << y;
            }
    }
    // At most 3 × 3 pixels: lenses 0, 4 and 8 of rows 0 (the frame) and 2.
    const Linsenbild klein = ansicht(linsen, 1, 3);
    ASSERT_EQ(klein.breite, 3);
    ASSERT_EQ(klein.hoehe, 2);
    EXPECT_EQ(Bytes(klein.bgr.begin(), klein.bgr.begin() + 9), Bytes(9, 0));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Bytes(klein.bgr.begin() + 9 + 3 * c, klein.bgr.begin() + 12 + 3 * c), bildPixel(1, 4 * c, 2)) << c;
    // Outside the positions there is no view.
    Linsenbild b;
    EXPECT_FALSE(Linsenansicht(p.ctx, p.bilder.ergebnis().slot[SlotFarbErgebnis], linsen, 2, 100, 100, b));
    EXPECT_TRUE(messages().empty());
}

TEST_F(LenticularTest, LensViewOfAFlipTakesRows)
{
    addImages(2, 4, 10);
    p.compose.Linsenrichtung = 1;
    ASSERT_TRUE(LinsenrasterFlip(p));
    const Linsenteilung linsen = teilung();
    ASSERT_TRUE(linsen.flip);
    for (int position : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        const Linsenbild b = ansicht(linsen, position);
        ASSERT_EQ(b.breite, 4);
        ASSERT_EQ(b.hoehe, 10);
        for (int linse = 1; linse <= 8; ++linse)
            for (int x = 1; x <= 2; ++x) {
                const size_t i = (static_cast<size_t>(linse) * 4 + static_cast<size_t>(x)) * 3;
                ASSERT_EQ(Bytes(b.bgr.begin() + static_cast<long>(i), b.bgr.begin() + static_cast<long>(i) + 3),
                          bildPixel(position == 0 ? 2 : 1, x, linse))
                    << position << " " << linse << " " << x;
            }
    }
}

TEST_F(LenticularTest, SmallerImagesLeaveTheBackground)
{
    addImages(2, 10, 4);
    addImage(2, 6, 2, [](int x, int y, uint8_t px[3]) {
        const Bytes v = bildPixel(2, x, y);
        std::copy(v.begin(), v.end(), px);
    });
    p.compose.Hintergrundfarbe = Farbe{0, 0, 0};
    ASSERT_TRUE(Linsenraster3D(p));
    const auto r = result();
    // Image 2 was resized to 6 of 10 columns and keeps its 2 rows.
    EXPECT_EQ(bmpPixel(r, 2, 1), bildPixel(2, 1, 1));
    EXPECT_EQ(bmpPixel(r, 2, 2), Schwarz);
    EXPECT_EQ(bmpPixel(r, 14, 1), Schwarz);
    EXPECT_EQ(bmpPixel(r, 15, 2), bildPixel(1, 7, 2));
}

TEST_F(LenticularTest, FittingWithoutOptimisationMakesSquarePixels)
{
    addImages(2, 20, 16);
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    p.druck.proportional = false;
    ASSERT_TRUE(BERECHNE(p));
    // 40 columns over 2.54 cm; the height 2.54 cm becomes 40 rows as well.
    EXPECT_EQ(width(), 40);
    EXPECT_EQ(height(), 40);
    EXPECT_NEAR(p.druck.hoehe, 2.54, 1e-12);
    EXPECT_EQ(result(), result(SlotFarbErgebnis));
    // Proportional: the first photo's 20 × 16 proportions over the lens width.
    p.druck.proportional = true;
    ASSERT_TRUE(BERECHNE(p));
    EXPECT_EQ(height(), 32);
    EXPECT_NEAR(p.druck.hoehe, 2.54 * 32 / 40, 1e-12);
    EXPECT_TRUE(messages().empty());
}

TEST_F(LenticularTest, PrinterResolutionRule)
{
    EXPECT_EQ(Optimale_Aufloesung(p.ctx, 600, 150), 150);
    EXPECT_EQ(Optimale_Aufloesung(p.ctx, 720, 100), 180);
    EXPECT_EQ(Optimale_Aufloesung(p.ctx, 1441, 100), 1441);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(Optimale_Aufloesung(p.ctx, 1200, 1300), 2400);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Aktuelle Druckerauflösung ist zu gering!"}));
    EXPECT_EQ(Optimale_Aufloesung(p.ctx, 0, 3), 4);
}

TEST_F(LenticularTest, FittingToAManualResolution)
{
    // 15 cm at 50.8 lpi is exactly 300 lenses; 400 dpi gives Round(2362.2) columns.
    addImages(1, 300, 20);
    p.auswahl = {VorschauLinsenraster, 1, 1, 0, false, false};
    p.druck.breiteGesetzt = 15;
    p.compose.lpi = 50.8;
    p.compose.DruckOptimierung = true;
    p.compose.dpiAuto = false;
    p.compose.dpiIndex = 7;
    ASSERT_TRUE(BERECHNE(p));
    EXPECT_EQ(width(), 2362);
    EXPECT_EQ(height(), 157);  // 400 × 1 cm (proportional: 300 × 20 over 15 cm) ÷ 2.54
    EXPECT_NEAR(p.druck.breite, 14.9987, 0.00005);
    EXPECT_EQ(result(), result(SlotFarbErgebnis));
}

TEST_F(LenticularTest, FittingToThePrinter)
{
    // 40 columns over 2.54 cm want 40 dpi: 600 halves to 300, 150, 75, then stops (75 is odd).
    addImages(2, 20, 16);
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    p.compose.DruckOptimierung = true;
    t.printers.list = {"A", "B"};
    p.compose.druckerIndex = 1;
    ASSERT_TRUE(BERECHNE(p));
    EXPECT_EQ(t.printers.selected, 1);
    EXPECT_EQ(p.compose.dpiAutoWert, 75);
    EXPECT_EQ(width(), 75);
    EXPECT_TRUE(messages().empty());
    // Flip asks the vertical resolution: 10 dpi doubles to 40.
    t.printers.resolutionY = 10;
    p.compose.Linsenrichtung = 1;
    ASSERT_TRUE(BERECHNE(p));
    EXPECT_EQ(p.compose.dpiAutoWert, 40);
    EXPECT_EQ(height(), 40);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Aktuelle Druckerauflösung ist zu gering!"}));
}

TEST_F(LenticularTest, StopDuringTheInterlacingLeavesNothingOpen)
{
    addImages(3, 20, 30);
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.phase == "L4" && st.progress.pos == 10)
            Berechnung_Stoppen(p);
    };
    Schleife(p, 3);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    for (const RasterSlot& s : p.bilder.ergebnis().slot)
        EXPECT_FALSE(s.offen());
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(p.bilder.bild[static_cast<size_t>(i)].slot[SlotKomposition].offen());
    EXPECT_FALSE(std::filesystem::exists(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
}

TEST_F(LenticularTest, AFailureIsReportedOnce)
{
    addImages(2, 20, 16);
    std::filesystem::remove(p.bilder.bild[2].slot[SlotJustiert].pfad);
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    Schleife(p, 3);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"}));
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(p.ctx.state.busy);
}

// The composition step fits the print in one pass over the rows, or, where the
// fitting's nearest neighbour leaves pixels without a source, in the steps one
// after another: the bytes are those of the variant followed by the fitting.
TEST_F(LenticularTest, OnePassGivesTheBytesOfTheStepsInTurn)
{
    struct Fall {
        const char* name;
        int32_t richtung, kompression;
        bool optimierung, barrier, streifen;
        int32_t methode;
        int hoehe;  // of the photos
        double breite, hoeheGesetzt;
    };
    const Fall faelle[] = {
        {"3D nearest", 0, 2, false, false, true, 1, 30, 2.54, 2.0},
        {"3D bicubic barrier", 0, 0, true, true, false, 1, 30, 2.54, 1.5},
        {"3D bicubic hard", 0, 1, true, false, true, 2, 30, 2.54, 3.0},
        {"Flip nearest", 1, 2, false, false, true, 1, 30, 2.0, 2.54},
        {"Flip bicubic", 1, 1, true, true, true, 2, 30, 1.5, 2.54},
        // One row upwards to 350: the fitting's last row has no source row.
        {"3D nearest beyond", 0, 2, false, false, false, 1, 1, 2.54, 22.225},
        // Each photo's single row stretched to 350 rows of its copy.
        {"Flip copies beyond", 1, 1, false, false, false, 1, 1, 2.54, 88.9},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        for (int i = 1; i <= 3; ++i)
            addImage(i, 20 + 3 * i, f.hoehe, [i](int x, int y, uint8_t px[3]) {
                px[0] = static_cast<uint8_t>(x * 11 + i);
                px[1] = static_cast<uint8_t>(y * 7 + x);
                px[2] = static_cast<uint8_t>(i * 60 + y);
            });
        p.compose.Linsenrichtung = f.richtung;
        p.compose.Komprimierung = f.kompression;
        p.compose.PixelProBildProLinse = 1;
        p.compose.DruckOptimierung = f.optimierung;
        p.compose.dpiAuto = false;
        p.compose.dpiIndex = 5;  // 300
        p.compose.biKubMethode = f.methode;
        p.compose.LinseInvers = f.barrier;
        p.compose.JustStreifenRU = p.compose.JustStreifenQuer = f.streifen;
        p.druck.proportional = false;
        p.druck.breiteGesetzt = f.breite;
        p.druck.hoeheGesetzt = f.hoeheGesetzt;
        const auto lauf = [&](bool schritte) {
            p.bilder.ergebnis().dateienLoeschen();
            p.druck.breite = p.druck.breiteGesetzt;
            p.druck.hoehe = p.druck.hoeheGesetzt;
            if (schritte) {
                EXPECT_TRUE(f.richtung == 1 ? LinsenrasterFlip(p) : Linsenraster3D(p));
                EXPECT_TRUE(Druckanpassung(p));
            } else {
                EXPECT_TRUE(Linsenraster_Angepasst(p));
            }
            return std::make_tuple(result(SlotErgebnis), result(SlotFarbErgebnis), p.druck.breite, p.druck.hoehe);
        };
        const auto schritte = lauf(true);
        EXPECT_GT(std::get<0>(schritte).size(), 54u);
        const std::string kopie = p.bilder.bild[1].slot[SlotKomposition].pfad;
        std::filesystem::remove(kopie);
        EXPECT_TRUE(schritte == lauf(false));
        // In one pass the resized copies are never written.
        EXPECT_EQ(std::filesystem::exists(kopie), f.hoehe == 1);
    }
    EXPECT_TRUE(messages().empty());
}
