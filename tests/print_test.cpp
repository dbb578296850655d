#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>

#include "commands/Drucken.h"
#include "commands/Einstellungen.h"
#include "print/Druck.h"
#include "print/Kalibrierung.h"
#include "raster/Drehen.h"
#include "raster/RasterImage.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace {

namespace fs = std::filesystem;

const std::string Fehler67 = "Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!";

// Pixel (x, y) of a printed tile as red, green, blue.
std::vector<int> rgb(const PrintImage& b, int x, int y)
{
    const size_t i = 3 * (static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x));
    return {b.bgr[i + 2], b.bgr[i + 1], b.bgr[i]};
}

std::vector<int> rgb(const Bytes& bmp, int x, int y)
{
    const Bytes bgr = bmpPixel(bmp, x, y);
    return {bgr[2], bgr[1], bgr[0]};
}

const std::vector<int> Rot{255, 0, 0}, Cyan{0, 255, 255}, Weiss{255, 255, 255}, Schwarz{0, 0, 0};

struct DruckTest : ComposeFixture {
    FakePrinters& drucker = t.printers;
    RasterSlot& farbErgebnis = p.bilder.ergebnis().slot[SlotFarbErgebnis];

    DruckTest()
    {
        drucker.list = {"Laser", "Tinte"};
        drucker.selected = 1;
    }
    // The colour-adjusted result: pixel (x, y) has red x mod 256, green y mod 256, blue 7.
    void ergebnis(int w, int h)
    {
        farbErgebnis.breite = w;
        farbErgebnis.hoehe = h;
        writeBmp(farbErgebnis.pfad, w, h, [](int x, int y, uint8_t px[3]) {
            px[0] = 7;
            px[1] = static_cast<uint8_t>(y);
            px[2] = static_cast<uint8_t>(x);
        });
    }
    // A print of breite × hoehe cm at margins 0.5 cm on a printer of dpi dots per inch.
    void seite(double breite, double hoehe, int dpi)
    {
        p.druck.breite = p.druck.breiteGesetzt = breite;
        p.druck.hoehe = p.druck.hoeheGesetzt = hoehe;
        drucker.resolutionX = drucker.resolutionY = dpi;
    }
};

TEST(Kachelung, TilesAndBandsFollowTheKind)
{
    const Kachelung eine = Kacheln(1500, 1500, 0);
    EXPECT_EQ(std::tuple(eine.breite, eine.hoehe, eine.nx, eine.ny), std::tuple(1500, 1500, 0, 0));
    const Kachelung zwei = Kacheln(1501, 10, 0);
    EXPECT_EQ(std::tuple(zwei.breite, zwei.hoehe, zwei.nx, zwei.ny), std::tuple(1500, 1500, 1, 0));
    const Kachelung baender = Kacheln(5000, 1000, 1);
    EXPECT_EQ(std::tuple(baender.breite, baender.hoehe, baender.nx, baender.ny), std::tuple(5000, 500, 0, 1));
    EXPECT_EQ(Kacheln(5000, 1001, 1).ny, 2);
    const Kachelung spalten = Kacheln(1000, 5000, 2);
    EXPECT_EQ(std::tuple(spalten.breite, spalten.hoehe, spalten.nx, spalten.ny), std::tuple(500, 5000, 1, 0));
    // Wider than a band holds pixels: still one row per band, never a division by zero.
    const Kachelung breit = Kacheln(3'000'000, 2, 1);
    EXPECT_EQ(std::tuple(breit.hoehe, breit.ny), std::tuple(1, 1));
}

TEST_F(DruckTest, TilesLandOnTheirExactRectangles)
{
    ergebnis(1501, 10);
    seite(15, 0.1, 600);
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    ASSERT_EQ(drucker.images.size(), 2u);
    EXPECT_EQ(drucker.begun, 1);
    EXPECT_EQ(drucker.ended, 1);
    // 600 dpi = 236.22 dots per cm: 0.5 cm is 118.11, 15.49 cm 3659.1, 15.5 cm 3661.4, 0.6 cm 141.7.
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{118, 118, 3659, 142}));
    EXPECT_EQ(drucker.images[1].rect, (DeviceRect{3659, 118, 3661, 142}));
    const PrintImage& rechts = drucker.images[1].image;
    EXPECT_EQ(std::pair(rechts.width, rechts.height), std::pair(1, 10));
    EXPECT_EQ(rgb(rechts, 0, 9), (std::vector<int>{1500 % 256, 9, 7}));
    EXPECT_EQ(rgb(drucker.images[0].image, 1499, 3), (std::vector<int>{1499 % 256, 3, 7}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(DruckTest, MarginsCountFromThePaperEdgeAndRoundHalfToEven)
{
    ergebnis(10, 10);
    seite(2, 2, 254);  // 100 dots per cm
    p.druck.randX = 0.125;
    p.druck.randY = 0.375;
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{12, 38, 212, 238}));
    drucker.images.clear();
    // The printable area starts 20 dots into the paper.
    drucker.offX = 20;
    drucker.offY = 20;
    p.druck.randX = p.druck.randY = 0.1;
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{-10, -10, 190, 190}));
}

TEST_F(DruckTest, InchSizesAreConvertedToCentimetres)
{
    ergebnis(10, 10);
    DruckEinheit_Wechseln(p.druck, false);
    p.druck.breite = p.druck.hoehe = 1;
    p.druck.randX = p.druck.randY = 0.5;
    drucker.resolutionX = drucker.resolutionY = 254;
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{127, 127, 381, 381}));
}

TEST(Druckeinheit, CentimetresToInchAndBackChangeOnlyTheLastDigits)
{
    PrintSettings d;
    DruckEinheit_Wechseln(d, false);
    EXPECT_DOUBLE_EQ(d.breite, 15 * 0.3937007874015748);
    DruckEinheit_Wechseln(d, true);
    EXPECT_EQ(d.breite, 15 * (1 / 2.54) * 2.54);
    EXPECT_EQ(d.randX, 0.5 * (1 / 2.54) * 2.54);
    EXPECT_TRUE(d.einheitCm);
}

TEST_F(DruckTest, InformationLinesFollowTheImage)
{
    addPlain(1, 64, 48, 0, 0, 0);
    p.bilder.bild[1].dx = 2.5;
    p.bilder.bild[1].rot = -1;
    p.auswahl.bildL = p.auswahl.bildR = 1;
    p.auswahl.vorschau = VorschauBildL;
    ergebnis(300, 200);
    seite(3, 2, 254);
    p.druck.druckInfos = true;
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    std::vector<std::string> texte;
    for (const auto& zeile : drucker.texts) {
        EXPECT_EQ(std::pair(zeile.face, zeile.points), std::pair(std::string("Courier New"), 9));
        EXPECT_EQ(zeile.x, 50);
        texte.push_back(zeile.text);
    }
    EXPECT_EQ(texte, (std::vector<std::string>{
                         " 1. Projekt: (keine Projektdatei gespeichert)",
                         " 2. Linsentyp (lpi): 40",
                         " 3. Vorschau / Ergebnisbild: Bild Links (L)",
                         " 4. 3D/Flip: 3D",
                         " 5. Bild-Nr. L/R :   1 /   1",
                         " 6. Anzahl Einzelbilder: 1",
                         " 7. Pixelgroesse Ergebnisbild (x*y): 300 * 200",
                         " 8. Bilder (Bild-Nr., Groesse, xy-Justierung, Drehung, Skalierung, Dateiname)",
                         "  1. Bild 64*48 x:2,5 y:0 rot:-1 scale:1, bild1.bmp",
                         " 9. Drucker: Tinte",
                         "10. Druckauflösung (dpi) notwendig (x*y): 254 * 254",
                         "11. Druckauflösung (dpi) möglich lt. Treiberinfo (x*y): 254 * 254",
                         "12. Druckrand (x*y): 0,5 * 0,5",
                         "13. Druckgroesse (x*y): 3 * 2"}));
    // Lines 13.33 dots apart (9 points at 1.2), from the image's bottom edge at 2.5 cm; blank lines keep their place.
    const int64_t lh = 38;
    EXPECT_EQ(drucker.texts[0].y, 250 + lh);
    EXPECT_EQ(drucker.texts[5].y, 250 + 7 * lh);
    EXPECT_EQ(drucker.texts[9].y, 250 + 12 * lh);
}

TEST_F(DruckTest, InformationLinesNeverStartAboveOrLeftOfThePage)
{
    ergebnis(10, 10);
    seite(2, 2, 254);
    p.druck.druckInfos = true;
    p.druck.randX = 0.1;
    p.druck.randY = -3;
    drucker.offX = 50;
    ASSERT_TRUE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.texts[0].x, 0);
    EXPECT_EQ(drucker.texts[0].y, 38);
}

TEST_F(DruckTest, AFailedDrawingEndsTheJobWithOneMessage)
{
    ergebnis(1600, 10);
    seite(15, 1, 600);
    drucker.drawsBeforeFailure = 1;
    EXPECT_FALSE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.images.size(), 1u);
    EXPECT_EQ(drucker.aborted, 1);
    EXPECT_EQ(drucker.ended, 0);
    EXPECT_EQ(messages(), std::vector<std::string>{Fehler67});
    EXPECT_TRUE(p.ctx.state.abort);
    // With the flag still set a further print does nothing.
    EXPECT_FALSE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.begun, 1);
}

TEST_F(DruckTest, AStopByTheUserEndsTheJobSilently)
{
    ergebnis(1600, 1600);
    seite(15, 15, 600);
    drucker.onDraw = [this] { p.ctx.state.abort = true; };
    EXPECT_FALSE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(drucker.images.size(), 1u);
    EXPECT_EQ(drucker.aborted, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(DruckTest, ADocumentThatCannotStartIsReported)
{
    ergebnis(10, 10);
    drucker.canBegin = false;
    EXPECT_FALSE(Druckroutine(p, drucker, farbErgebnis, 0));
    EXPECT_EQ(std::tuple(drucker.ended, drucker.aborted), std::tuple(0, 0));
    EXPECT_EQ(messages(), std::vector<std::string>{Fehler67});
}

TEST_F(DruckTest, ThePrintCommandCutsByPreviewModeAndLensDirection)
{
    addPlain(1, 64, 48, 0, 0, 0);
    ergebnis(2000, 1600);
    seite(15, 12, 600);
    const auto kacheln = [&](int modus, int richtung) {
        drucker.images.clear();
        p.auswahl.vorschau = modus;
        p.compose.Linsenrichtung = richtung;
        EXPECT_TRUE(DruckButtonClick(p, drucker));
        std::vector<std::pair<int, int>> groessen;
        for (const auto& b : drucker.images)
            groessen.emplace_back(b.image.width, b.image.height);
        return groessen;
    };
    EXPECT_EQ(kacheln(VorschauAnaglyph, 1), (std::vector<std::pair<int, int>>{{1500, 1500}, {500, 1500}, {1500, 100}, {500, 100}}));
    EXPECT_EQ(kacheln(VorschauLinsenraster, 0), (std::vector<std::pair<int, int>>{{2000, 1250}, {2000, 350}}));
    EXPECT_EQ(kacheln(VorschauStreifen, 1), (std::vector<std::pair<int, int>>{{1562, 1600}, {438, 1600}}));
    EXPECT_EQ(drucker.dialogs, 3);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(DruckTest, ThePrintCommandStopsAtLimitsAndACancelledDialog)
{
    addPlain(1, 64, 48, 0, 0, 0);
    ergebnis(100, 100);
    p.auswahl.vorschau = VorschauKeine;
    EXPECT_FALSE(DruckButtonClick(p, drucker));
    EXPECT_EQ(drucker.dialogs, 0);
    p.auswahl.vorschau = VorschauBildL;
    drucker.confirm = false;
    EXPECT_FALSE(DruckButtonClick(p, drucker));
    EXPECT_EQ(std::pair(drucker.dialogs, drucker.begun), std::pair(1, 0));
    seite(1, 1, 600);
    EXPECT_FALSE(DruckButtonClick(p, drucker));
    EXPECT_EQ(drucker.dialogs, 1);
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_EQ(messages().front(), "Fehler: Druckbreite des Bildes (cm) zu klein!");
    EXPECT_EQ(messages().back(), "Warnung: Die Berechnung des Bildes wird abgebrochen!");
}

TEST_F(DruckTest, AnEarlierFailureDoesNotSwallowTheNextPrint)
{
    addPlain(1, 64, 48, 0, 0, 0);
    ergebnis(100, 100);
    p.auswahl.vorschau = VorschauBildL;
    p.ctx.state.abort = true;
    EXPECT_TRUE(DruckButtonClick(p, drucker));
    EXPECT_EQ(drucker.ended, 1);
}

TEST_F(DruckTest, WithoutPrintersOnlyTheManualResolutionRemains)
{
    Drucker_Pruefen(p);
    EXPECT_TRUE(p.compose.dpiAuto);
    EXPECT_TRUE(messages().empty());
    drucker.list.clear();
    Drucker_Pruefen(p);
    EXPECT_FALSE(p.compose.dpiAuto);
    EXPECT_EQ(messages(), std::vector<std::string>{"Warnung: Es ist kein Drucker installiert. Die Option AUTO der "
                                                   "Linsenrsater-Druckoptimierung wird deaktiviert!"});
}

TEST_F(DruckTest, TheLensTestShowsTwentyOneStripesAroundTheNominalPitch)
{
    drucker.resolutionX = drucker.resolutionY = 254;
    ASSERT_TRUE(KalibrierungDruckenBitBtnClick(p, drucker, KalibDruck{}));
    ASSERT_EQ(drucker.images.size(), 21u);
    // 40 lpi over 15 cm: C = round(40 × 15 ÷ 2.54) × 2 = 472 columns, E = 14.986 cm.
    const PrintImage& muster = drucker.images[0].image;
    EXPECT_EQ(std::pair(muster.width, muster.height), std::pair(472, 1));
    EXPECT_EQ(rgb(muster, 0, 0), Rot);
    EXPECT_EQ(rgb(muster, 1, 0), Cyan);
    EXPECT_EQ(rgb(muster, 3, 0), Weiss);
    EXPECT_EQ(rgb(muster, 4, 0), Schwarz);
    EXPECT_EQ(rgb(muster, 5, 0), Weiss);
    EXPECT_EQ(rgb(muster, 471, 0), Weiss);
    // The middle stripe is E long; the first, at 39 lpi, 40/39 of it; 0.5 cm apart from 5 cm down.
    EXPECT_EQ(drucker.images[10].rect, (DeviceRect{300, 1000, 300 + 1499, 1045}));
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{300, 500, 300 + 1537, 545}));
    std::vector<std::string> texte;
    for (const auto& zeile : drucker.texts)
        texte.push_back(zeile.text);
    EXPECT_EQ(texte[0], "Lumivex 5  - Kalibrierung (Version 2)");
    EXPECT_EQ(texte[1], "Linsenrastertyp (lpi): 40");
    EXPECT_EQ(texte[2], "Schrittweite in lpi: 0,10");
    EXPECT_EQ(texte[3], "Richtung des Testmusters: horizontal (3D)");
    EXPECT_EQ(texte[4], "Drucker: Tinte");
    EXPECT_EQ(texte[5], "gewählte Druckerauflösung in dpi (Treiberinfo): 254 * 254");
    EXPECT_EQ(texte[6], "39");
    EXPECT_EQ(texte[7], "39,1");
    EXPECT_EQ(texte[16], "40");
    EXPECT_EQ(texte[26], "41");
    // Labels stand left of their stripe by the width of "160.000 " in 8 points.
    EXPECT_EQ(drucker.texts[6].x, 300 - 8 * 8);
    EXPECT_EQ(drucker.texts[6].y, 500);
    // Title centred on the page in Arial 16.
    EXPECT_EQ(drucker.texts[0].x, 4800 / 2 - 37 * 16 / 2);
    EXPECT_EQ(drucker.texts[0].y, 68);  // round(16 × 100 × 2.54 ÷ 72 × 1.2)
}

TEST_F(DruckTest, AtTheSmallestPitchTheFirstStripeIsTwiceAsLong)
{
    drucker.resolutionX = drucker.resolutionY = 254;
    KalibDruck k;
    k.lpi = 5;
    k.schritt = 4;
    ASSERT_TRUE(KalibrierungDruckenBitBtnClick(p, drucker, k));
    const auto laenge = [&](size_t i) { return drucker.images[i].rect.right - drucker.images[i].rect.left; };
    EXPECT_NEAR(laenge(0), 2 * laenge(10), 1);
    EXPECT_EQ(drucker.texts[6].text, "2,5");
}

TEST_F(DruckTest, VerticalLensTestStaggersItsLabels)
{
    drucker.resolutionX = drucker.resolutionY = 254;
    KalibDruck k;
    k.richtung = 1;
    ASSERT_TRUE(KalibrierungDruckenBitBtnClick(p, drucker, k));
    const PrintImage& muster = drucker.images[0].image;
    EXPECT_EQ(std::pair(muster.width, muster.height), std::pair(1, 472));
    EXPECT_EQ(rgb(muster, 0, 1), Cyan);
    const int64_t h8 = 34;  // round(8 × 100 × 2.54 ÷ 72 × 1.2)
    for (int i : {0, 1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "i " << i);
        EXPECT_EQ(drucker.images[static_cast<size_t>(i)].rect.left, 300 + 50 * i);
        EXPECT_EQ(drucker.images[static_cast<size_t>(i)].rect.top, 600);
        EXPECT_EQ(drucker.texts[static_cast<size_t>(6 + i)].y, 600 - (i % 3 + 1) * h8);
    }
}

TEST_F(DruckTest, CalibrationLimitsAreCheckedBeforeTheDialog)
{
    KalibDruck k;
    k.lpi = 4;
    EXPECT_FALSE(KalibrierungDruckenBitBtnClick(p, drucker, k));
    EXPECT_EQ(drucker.dialogs, 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Kalibrierung-Linsenrastertyp (lpi-Wert) zu klein!",
                                                    "Information: Das Minimum dieser Programmversion ist: 5",
                                                    "Warnung: Die Berechnung des Bildes wird abgebrochen!"}));
    t.messages.lines.clear();
    KalibBild b;
    b.lpi = 1000;
    b.bilder = 101;
    b.breite = 400;
    b.einheit = 1;
    EXPECT_FALSE(Test_MaxKalibBitmap(p.ctx, b));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Kalibrierung-Linsenrastertyp (lpi-Wert) zu gross!",
                                                    "Information: Das Maximum dieser Programmversion ist: 999",
                                                    "Fehler: Festgelgte \"Anzahl der Bilder\" zu gross!",
                                                    "Information: Das Maximum dieser Programmversion ist: 100",
                                                    "Fehler: Druckbreite des Bildes (cm) zu gross!",
                                                    "Information: Das Maximum dieser Programmversion ist: 999",
                                                    "Warnung: Die Berechnung des Bildes wird abgebrochen!"}));
}

TEST_F(DruckTest, BarrierOneToOneAlternatesFromColumnOne)
{
    addPlain(1, 64, 48, 0, 0, 0);
    seite(15, 10, 254);
    ASSERT_TRUE(BarrierDruckButtonClick(p, drucker));
    ASSERT_EQ(drucker.images.size(), 1u);
    const PrintImage& maske = drucker.images[0].image;
    // round(15 ÷ 2.54 × 40 × 2) = 472 columns over the print rectangle.
    EXPECT_EQ(std::pair(maske.width, maske.height), std::pair(472, 1));
    EXPECT_EQ(drucker.images[0].rect, (DeviceRect{50, 50, 1550, 1050}));
    for (int x : {0, 1})
        EXPECT_EQ(rgb(maske, x, 0), Rot);
    for (int x : {2, 4, 470})
        EXPECT_EQ(rgb(maske, x, 0), Schwarz);
    for (int x : {3, 5, 471})
        EXPECT_EQ(rgb(maske, x, 0), Weiss);
    const PrintImage eins = Barriermuster(12, 4);  // 1:3
    for (int x : {6, 10})
        EXPECT_EQ(rgb(eins, x, 0), Weiss);
    for (int x : {4, 5, 7, 8, 9, 11})
        EXPECT_EQ(rgb(eins, x, 0), Schwarz);
}

TEST_F(DruckTest, TheColourTableRunsThroughTheHues)
{
    drucker.resolutionX = drucker.resolutionY = 254;
    ASSERT_TRUE(AnaglyphKalibrierungDruckenBitBtnClick(p, drucker));
    ASSERT_EQ(drucker.images.size(), 180u);
    EXPECT_EQ(drucker.images[1].rect, (DeviceRect{350, 600, 450, 650}));
    EXPECT_EQ(drucker.images[12].rect, (DeviceRect{200, 750, 300, 800}));
    EXPECT_EQ(rgb(drucker.images[0].image, 9, 9), Rot);
    EXPECT_EQ(rgb(drucker.images[60].image, 0, 0), (std::vector<int>{0, 255, 0}));
    // Hue 358: blue is 255 × 2 ÷ 60 = 8.5, rounded to the even 8.
    EXPECT_EQ(rgb(drucker.images[179].image, 0, 0), (std::vector<int>{255, 0, 8}));
    EXPECT_EQ(drucker.texts[2].text, "2");
    EXPECT_EQ(drucker.texts[2].y, 600 - 34);
}

TEST(Farbraum, HueSaturationValue)
{
    EXPECT_EQ(HSV_RGB(0, 1, 1), (Farbe{255, 0, 0}));
    EXPECT_EQ(HSV_RGB(30, 1, 1), (Farbe{255, 128, 0}));
    EXPECT_EQ(HSV_RGB(120, 1, 1), (Farbe{0, 255, 0}));
    EXPECT_EQ(HSV_RGB(240, 1, 1), (Farbe{0, 0, 255}));
    EXPECT_EQ(HSV_RGB(300, 1, 1), (Farbe{255, 0, 255}));
    EXPECT_EQ(HSV_RGB(77, 0, 0.5), (Farbe{128, 128, 128}));
}

TEST(Kalibrierungsbild, GeometryOfTheSpecifiedExamples)
{
    KalibBild k;
    k.bilder = 3;
    const KalibErgebnis e = Kalib_Geometrie(k);
    EXPECT_EQ(e.pixelProBild, 3);    // Int(400 ÷ 120)
    EXPECT_EQ(e.pixelProLinse, 9);
    EXPECT_EQ(e.linsen, 236);        // round(15 ÷ 2.54 × 40)
    EXPECT_EQ(e.breite, 2124);
    EXPECT_DOUBLE_EQ(e.exakteBreite, 14.986);
    EXPECT_EQ(e.hoehe, 1417);        // round(10 ÷ 14.986 × 2124)
    EXPECT_NEAR(e.dpiX, 2124 / (14.986 / 2.54), 1e-9);
    EXPECT_NEAR(e.dpiY, e.dpiX, 1e-9);
    EXPECT_NEAR(e.streifenhoehe, e.exakteHoehe / 11, 1e-12);
    k.pixel = 5;
    k.einheit = 1;
    k.breite = 2;
    EXPECT_EQ(Kalib_Geometrie(k).linsen, 80);
    EXPECT_EQ(Kalib_Geometrie(k).breite, 80 * 15);
}

TEST(Kalibrierungsbild, ColoursStartBlackAndWhiteThenCycle)
{
    const std::vector<Farbe> f = Kalib_Farben(10, false);
    const std::vector<Farbe> erwartet{{0, 0, 0},     {255, 255, 255}, {255, 0, 0},   {0, 255, 0}, {0, 0, 255},
                                      {255, 255, 0}, {0, 255, 255},   {255, 0, 255}, {255, 0, 0}, {0, 255, 0}};
    EXPECT_EQ(f, erwartet);
    const std::vector<Farbe> w = Kalib_Farben(3, true);
    EXPECT_EQ(w, (std::vector<Farbe>{{0, 0, 0}, {255, 255, 255}, {255, 255, 255}}));
}

TEST(Kalibrierungsbild, StripesSampleTheReferenceRow)
{
    KalibBild k;
    k.bilder = 3;
    k.pixel = 2;
    k.breite = 0.3;  // 5 lenses of 6 pixels
    KalibErgebnis e = Kalib_Geometrie(k);
    ASSERT_EQ(e.breite, 30);
    const Bytes ref = Referenzzeile(e, Kalib_Farben(3, false));
    ASSERT_EQ(ref.size(), 3u * 60);
    const auto farbe = [&](const Bytes& z, int x) {
        return std::vector<int>{z[3 * x + 2], z[3 * x + 1], z[3 * x]};
    };
    EXPECT_EQ(farbe(ref, 0), Schwarz);
    EXPECT_EQ(farbe(ref, 2), Weiss);
    EXPECT_EQ(farbe(ref, 5), Rot);
    EXPECT_EQ(farbe(ref, 36), Schwarz);
    for (bool kontinuierlich : {false, true}) {
        SCOPED_TRACE(testing::Message() << "kontinuierlich " << kontinuierlich);
        Bytes zeile(3 * 30);
        Streifenzeile(ref, 30, 40, 40, kontinuierlich, zeile.data());
        EXPECT_TRUE(std::equal(zeile.begin(), zeile.end(), ref.begin())) << kontinuierlich;
        // At double the pitch pixel x shows reference pixel 2x; beyond the reference row it is white.
        Streifenzeile(ref, 30, 80, 40, kontinuierlich, zeile.data());
        EXPECT_EQ(farbe(zeile, 1), farbe(ref, 2));
        EXPECT_EQ(farbe(zeile, 29), farbe(ref, 58));
        Streifenzeile(ref, 30, 120, 40, kontinuierlich, zeile.data());
        EXPECT_EQ(farbe(zeile, 20), Weiss);
    }
    // Half-way between a black and a white pixel "kontin." mixes them, "diskret" rounds to the even one.
    Bytes zeile(3 * 30);
    Streifenzeile(ref, 30, 30, 40, true, zeile.data());
    EXPECT_EQ(farbe(zeile, 2), (std::vector<int>{128, 128, 128}));  // position 1.5: black and white
    Streifenzeile(ref, 30, 30, 40, false, zeile.data());
    EXPECT_EQ(farbe(zeile, 2), Weiss);                               // position 1.5 rounds to 2
}

struct KalibBildTest : DruckTest {
    KalibBild k;
    KalibBildTest()
    {
        k.breite = 1;  // 16 lenses of 2 × 5 pixels: 160 × 157
        k.hoehe = 1;
        k.streifen = 3;
    }
    Bytes rechnen(int erwarteterSlot)
    {
        KalibErgebnis e;
        EXPECT_EQ(Kalibrierungsbild(p, k, e), erwarteterSlot);
        return result(erwarteterSlot);
    }
};

TEST_F(KalibBildTest, EndMarkingsBandsAndTheMiddleStripe)
{
    k.beschriftung = false;
    const Bytes bild = rechnen(SlotKalibrierung);
    const RasterSlot& s = p.bilder.ergebnis().slot[SlotKalibrierung];
    ASSERT_EQ(std::pair(s.breite, s.hoehe), std::pair(160, 157));
    for (int y : {0, 9, 147, 156})
        EXPECT_EQ(rgb(bild, 80, y), Schwarz) << y;
    const int y = 78;  // middle stripe: the reference row itself
    for (int x : {0, 4, 159, 155})
        EXPECT_EQ(rgb(bild, x, y), Rot) << x;
    for (int x : {5, 9, 150, 154})
        EXPECT_EQ(rgb(bild, x, y), Cyan) << x;
    for (int x : {10, 19, 140, 149})
        EXPECT_EQ(rgb(bild, x, y), Weiss) << x;
    for (int x : {20, 24, 30})
        EXPECT_EQ(rgb(bild, x, y), Schwarz) << x;
    for (int x : {25, 29, 35})
        EXPECT_EQ(rgb(bild, x, y), Weiss) << x;
    EXPECT_TRUE(messages().empty());
}

TEST_F(KalibBildTest, DimensionLinesMarkPitchesOfTen)
{
    k.beschriftung = false;
    k.bemassung10 = true;
    k.lpi = 30;
    k.schritt = 10;  // stripes at 20, 30 and 40 lpi
    k.pixel = 5;
    const Bytes bild = rechnen(SlotKalibrierung);
    // 1 cm at 2.54 × 120 ÷ 1.016 dpi = 118 pixels.
    const RasterSlot& s = p.bilder.ergebnis().slot[SlotKalibrierung];
    const int y = s.hoehe / 2;
    EXPECT_EQ(rgb(bild, 117, y), Schwarz);
    EXPECT_NE(rgb(bild, 118, y), Schwarz);
}

TEST_F(KalibBildTest, LabelsStandOnLightBoxes)
{
    k.breite = 5;  // 79 lenses: 790 × 157, room for a label and an information line side by side
    const Bytes bild = rechnen(SlotKalibrierung);
    // Stripe 1 covers rows 53 to 104; its label is 31 pixels high, starting 2 × 10 pixels in.
    const int oben = 53 + (52 - 31) / 2;
    // The first character of " 40,000 lpi" is a blank: lightened reference pixels.
    EXPECT_EQ(rgb(bild, 20, oben + 5), (std::vector<int>{150, 150, 150}));
    EXPECT_EQ(rgb(bild, 25, oben + 5), Weiss);
    // The second is text: its middle third black, the rest of its box lightened.
    EXPECT_EQ(rgb(bild, 20 + 15 + 7, oben + 15), Schwarz);
    // The information line of stripe 0 ends 20 pixels before the right edge: its last letter's middle is black.
    EXPECT_EQ(rgb(bild, 770 - 8, 11 + 15), Schwarz);
    // Above the letter's middle: stripe 0 (39,9 lpi) samples reference pixel round(762 × 39,9 ÷ 40) = 760, black, lightened.
    EXPECT_EQ(rgb(bild, 770 - 8, 11 + 5), (std::vector<int>{150, 150, 150}));
}

TEST_F(KalibBildTest, FlipTurnsTheImageAQuarter)
{
    k.beschriftung = false;
    const Bytes gerade = rechnen(SlotKalibrierung);
    k.richtung = 1;
    const Bytes gedreht = rechnen(SlotKalibGedreht);
    const RasterSlot& s = p.bilder.ergebnis().slot[SlotKalibGedreht];
    ASSERT_EQ(std::pair(s.breite, s.hoehe), std::pair(157, 160));
    for (auto [x, y] : {std::pair{0, 0}, {3, 78}, {159, 156}, {20, 100}})
        EXPECT_EQ(rgb(gedreht, 156 - y, x), rgb(gerade, x, y)) << x << "," << y;
}

TEST_F(KalibBildTest, AStopLeavesNothingToSave)
{
    t.events.onPump = [this](const AppState& s) {
        if (s.progress.phase == "K5" && s.progress.pos > 20)
            p.ctx.state.abort = true;
    };
    int gefragt = 0;
    EXPECT_FALSE(KStartBitBtnClick(p, k, [&](const KalibErgebnis&) {
        ++gefragt;
        return std::string("x.bmp");
    }));
    EXPECT_EQ(gefragt, 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
}

TEST_F(KalibBildTest, TheImageIsSavedWhereTheUserSays)
{
    const fs::path ziel = t.files.tempFolder() / "kalib.bmp";
    KalibErgebnis gezeigt;
    ASSERT_TRUE(KStartBitBtnClick(p, k, [&](const KalibErgebnis& e) {
        gezeigt = e;
        return ziel.string();
    }));
    EXPECT_EQ(gezeigt.breite, 160);
    EXPECT_EQ(readFile(ziel), result(SlotKalibrierung));
    EXPECT_EQ(p.ctx.state.bildSpeichernOrdner, t.files.tempFolder());
    ::chmod(ziel.c_str(), 0444);
    EXPECT_FALSE(KStartBitBtnClick(p, k, [&](const KalibErgebnis&) { return ziel.string(); }));
    EXPECT_EQ(messages().back(), "Information: Datei ist schreibgeschützt, keine Speicherung möglich!");
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(KalibBildTest, LimitsStopTheComputation)
{
    k.breite = 0.5;
    EXPECT_FALSE(KStartBitBtnClick(p, k, [](const KalibErgebnis&) { return std::string(); }));
    EXPECT_EQ(messages().front(), "Fehler: Druckbreite des Bildes (cm) zu klein!");
    EXPECT_FALSE(fs::exists(p.bilder.ergebnis().slot[SlotKalibrierung].pfad));
}

TEST_F(DruckTest, QuarterTurnMovesEveryPixel)
{
    RasterSlot von;
    von.pfad = (t.files.tempFolder() / "von.bmp").string();
    von.breite = 3;
    von.hoehe = 2;
    writeBmp(von.pfad, 3, 2, [](int x, int y, uint8_t px[3]) {
        px[0] = 0;
        px[1] = static_cast<uint8_t>(y);
        px[2] = static_cast<uint8_t>(x);
    });
    RasterSlot nach;
    nach.pfad = (t.files.tempFolder() / "nach.bmp").string();
    Vierteldrehung(p.ctx, von, nach);
    ASSERT_EQ(std::pair(nach.breite, nach.hoehe), std::pair(2, 3));
    const Bytes b = readFile(nach.pfad);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(rgb(b, x, y), (std::vector<int>{y, 1 - x, 0})) << x << "," << y;
}

}
