#include "compose/Komponisten.h"
#include "compose/Pipeline.h"
#include "support/Bytes.h"
#include "support/ComposeFixture.h"

namespace {

const Bytes Weiss{255, 255, 255}, Schwarz{0, 0, 0};

Bytes bildPixel(int n, int x, int y)
{
    return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(n)};
}

struct StereoTest : ComposeFixture {
    void addImages(int w, int h)
    {
        for (int i = 1; i <= 2; ++i)
            addImage(i, w, h, [i](int x, int y, uint8_t px[3]) {
                const Bytes v = bildPixel(i, x % 256, y % 256);
                std::copy(v.begin(), v.end(), px);
            });
    }
    Groesse size() { return {p.bilder.ergebnis().slot[SlotErgebnis].breite, p.bilder.ergebnis().slot[SlotErgebnis].hoehe}; }
};

}

TEST_F(StereoTest, CardChecks)
{
    EXPECT_FALSE(Viewer_Pruefen(p.ctx, 60, 80, 50, 0, 135, 90));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Fehlerursache: xd > xm!", "Fehler: Fehlerursache: yd > ym!",
                                                    "Warnung: Die Berechnung des Bildes wird abgebrochen!"}));
    t.messages.lines.clear();
    EXPECT_FALSE(Viewer_Pruefen(p.ctx, 9, 50, 9, 0, 10000, 20));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Fehler: Fehlerusache: yr < ym+yd!",
                              "Fehler: Bildbreite (xr) zu gross!",
                              "Information: Das Maximum dieser Programmversion ist: 9999",
                              "Fehler: Bildbreite (xd) zu klein!",
                              "Information: Das Minimum dieser Programmversion ist: 10",
                              "Warnung: Die Berechnung des Bildes wird abgebrochen!",
                          }));
    t.messages.lines.clear();
    for (const ViewerVorlage& v : ViewerVorlagen)
        EXPECT_TRUE(Viewer_Pruefen(p.ctx, v.xd, v.yd, v.xm, v.ym, v.xr, v.yr)) << v.text;
    EXPECT_TRUE(messages().empty());
}

TEST_F(StereoTest, Presets)
{
    const auto items = ALL_Viewer();
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[0], " 1: Postcard  115x 60mm   50x 50mm -  55mm");
    EXPECT_EQ(items[12], "13: 3D-TV    3840x 1080 1920x 1080 -   0  ");
    StereoSettings& s = p.compose.stereo;
    s.linienBreite = 0;
    Viewer_Uebernehmen(s, 11);
    EXPECT_FALSE(s.rahmen || s.gesamtRahmen);
    EXPECT_EQ(s.hintergrund, (Farbe{0, 0, 0}));
    EXPECT_TRUE(s.stauchen && s.festePixel);
    EXPECT_EQ(s.pixelBreite, 800);
    EXPECT_EQ(s.pixelHoehe, 480);
    Viewer_Uebernehmen(s, 4);
    EXPECT_EQ((std::vector<int>{s.xr, s.yr, s.xd, s.yd, s.xm, s.ym}), (std::vector<int>{130, 90, 65, 90, 65, 0}));
    EXPECT_TRUE(s.rahmen && s.gesamtRahmen);
    EXPECT_FALSE(s.stauchen || s.festePixel);
    EXPECT_EQ(s.hintergrund, (Farbe{255, 255, 255}));
    EXPECT_EQ(s.linienBreite, 5);
}

TEST_F(StereoTest, Loreo1SideBySide)
{
    addImages(1300, 900);
    Viewer_Uebernehmen(p.compose.stereo, 4);
    p.auswahl = {VorschauStereo, 1, 2, 0, false, false};
    ASSERT_TRUE(BERECHNE(p));
    // The image fills the frame width: 2600 × 1800, centres at x = 650 and 1950.
    ASSERT_EQ(size(), (Groesse{2600, 1800}));
    const auto r = result();
    EXPECT_EQ(bmpPixel(r, 100, 900), bildPixel(1, 100, 450));
    EXPECT_EQ(bmpPixel(r, 1400, 900), bildPixel(2, 100, 450));
    EXPECT_EQ(bmpPixel(r, 1500, 1349), bildPixel(2, 200, 899 % 256));
    EXPECT_EQ(bmpPixel(r, 1500, 1350), Weiss);
    // Lines of Round(2600 × 5 ÷ 130 ÷ 10) = 10 pixels: the card's and each frame's.
    EXPECT_EQ(bmpPixel(r, 9, 900), Schwarz);
    EXPECT_EQ(bmpPixel(r, 10, 900), bildPixel(1, 10, 450));
    EXPECT_EQ(bmpPixel(r, 1290, 900), Schwarz);
    EXPECT_EQ(bmpPixel(r, 1309, 900), Schwarz);
    EXPECT_EQ(bmpPixel(r, 1310, 900), bildPixel(2, 10, 450));
    EXPECT_EQ(bmpPixel(r, 500, 9), Schwarz);
    EXPECT_EQ(bmpPixel(r, 500, 10), Weiss);
    EXPECT_DOUBLE_EQ(p.druck.breite, 13.0);
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 9.0);
}

TEST_F(StereoTest, KMQ1OverUnder)
{
    addImages(130, 90);
    Viewer_Uebernehmen(p.compose.stereo, 6);
    ASSERT_TRUE(Stereobild(p, 1, 2));
    // 140 × 200 pixels; the left image below (centre y 150), the right above (centre y 50).
    ASSERT_EQ(size(), (Groesse{140, 200}));
    const auto r = result();
    EXPECT_EQ(bmpPixel(r, 70, 150), bildPixel(1, 65, 45));
    EXPECT_EQ(bmpPixel(r, 70, 50), bildPixel(2, 65, 45));
    // Round(0.5) = 0: no lines at all.
    EXPECT_EQ(bmpPixel(r, 0, 0), Weiss);
}

TEST_F(StereoTest, SqueezeAndFixedSize)
{
    addImages(1000, 1000);
    StereoSettings& s = p.compose.stereo;
    s.xr = 200, s.yr = 100, s.xd = 100, s.yd = 100, s.xm = 100, s.ym = 0;
    s.stauchen = true;
    ASSERT_TRUE(Stereobild(p, 1, 2));
    ASSERT_EQ(size(), (Groesse{2000, 2000}));
    const auto r = result();
    EXPECT_EQ(bmpPixel(r, 300, 1000), bildPixel(1, 300, 500 % 256));
    EXPECT_EQ(bmpPixel(r, 300, 1001), bildPixel(1, 300, 500 % 256));
    s.festePixel = true;
    s.pixelBreite = 20;
    s.pixelHoehe = 10;
    ASSERT_TRUE(Stereobild(p, 1, 2));
    EXPECT_EQ(size(), (Groesse{20, 10}));
}

TEST_F(StereoTest, InvalidCardStopsTheRun)
{
    addImages(100, 100);
    p.compose.stereo.xm = 10;
    p.auswahl = {VorschauStereo, 1, 2, 0, false, false};
    Schleife(p, 3);
    EXPECT_EQ(messages().front(), "Fehler: Fehlerursache: xd > xm!");
    EXPECT_EQ(messages().back(), "Warnung: Die Berechnung des Bildes wird abgebrochen!");
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(StereoTest, FittingRectangles)
{
    EXPECT_EQ(Einpassen({0, 0, 100, 50}, {0, 0, 1024, 768}), (Rechteck{0, 128, 1024, 512}));
    EXPECT_EQ(Einpassen({0, 0, 3, 1}, {0, 0, 4, 4}), (Rechteck{0, 1, 4, 1}));
    // MulDiv(3, 1, 2) = 1.5 rounds to 2; the centring truncates (3 − 2) ÷ 2 to 0.
    EXPECT_EQ(Einpassen({0, 0, 2, 1}, {5, 5, 3, 3}), (Rechteck{5, 5, 3, 2}));
    EXPECT_EQ(Einpassen({0, 0, 50, 100}, {10, 0, 100, 100}), (Rechteck{35, 0, 50, 100}));
}

TEST_F(StereoTest, StripesByColumns)
{
    addImages(100, 50);
    p.compose.Hintergrundfarbe = Farbe{0, 0, 0};
    p.auswahl = {VorschauStreifen, 1, 2, 0, false, false};
    p.compose.streifen = {1023, 768, 0, 0, 7};
    ASSERT_TRUE(BERECHNE(p));
    // Width 1024; each image 512 × 512 from row 128, steps 6400 across and 3200 down.
    ASSERT_EQ(size(), (Groesse{1024, 768}));
    auto r = result();
    EXPECT_EQ(bmpPixel(r, 0, 127), Schwarz);
    EXPECT_EQ(bmpPixel(r, 0, 128), bildPixel(1, 0, 0));
    EXPECT_EQ(bmpPixel(r, 1, 128), bildPixel(2, 0, 0));
    EXPECT_EQ(bmpPixel(r, 2 * 300, 128 + 300), bildPixel(1, 58, 29));
    EXPECT_EQ(bmpPixel(r, 2 * 300 + 1, 128 + 511), bildPixel(2, 58, 49));
    EXPECT_EQ(bmpPixel(r, 0, 640), Schwarz);
    // Right image first.
    p.compose.streifen.beginn = 1;
    ASSERT_TRUE(BERECHNE(p));
    r = result();
    EXPECT_EQ(bmpPixel(r, 0, 128), bildPixel(2, 0, 0));
    EXPECT_EQ(bmpPixel(r, 1, 128), bildPixel(1, 0, 0));
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 15.0 * 768 / 1024);
}

TEST_F(StereoTest, StripesByLines)
{
    addImages(20, 10);
    p.compose.Hintergrundfarbe = Farbe{1, 2, 3};
    ASSERT_TRUE(Streifenbild(p, 1, 2, 40, 21, 1, 0));
    // Height 22; each image 40 × 10 (20 × 10 fitted to 40 × 20, halved), from row 1.
    ASSERT_EQ(size(), (Groesse{40, 22}));
    const auto r = result();
    EXPECT_EQ(bmpPixel(r, 5, 0), (Bytes{3, 2, 1}));
    EXPECT_EQ(bmpPixel(r, 6, 1), bildPixel(1, 3, 0));
    EXPECT_EQ(bmpPixel(r, 6, 2), bildPixel(2, 3, 0));
    EXPECT_EQ(bmpPixel(r, 6, 19), bildPixel(1, 3, 9));
    EXPECT_EQ(bmpPixel(r, 6, 20), bildPixel(2, 3, 9));
    EXPECT_EQ(bmpPixel(r, 6, 21), (Bytes{3, 2, 1}));
}

TEST_F(StereoTest, StripeSizeChoices)
{
    addImages(300, 200);
    p.auswahl.bildL = 1;
    EXPECT_EQ(Streifengroesse(p, 0, {}), (Groesse{300, 200}));
    EXPECT_EQ(Streifengroesse(p, 1, {}), (Groesse{1280, 1024}));
    EXPECT_EQ(Streifengroesse(p, 2, {640, 333}), (Groesse{640, 333}));
    EXPECT_EQ(Streifengroesse(p, 5, {}), (Groesse{1024, 768}));
    p.compose.streifen.breite = 77;
    EXPECT_EQ(Streifengroesse(p, 7, {}), (Groesse{77, 500}));
    p.auswahl.bildL = 0;
    EXPECT_EQ(Streifengroesse(p, 0, {}), (Groesse{1280, 1024}));
}
