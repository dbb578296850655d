#include <gtest/gtest.h>

#include <cmath>

#include "model/Programm.h"
#include "raster/Matrix4Ops.h"
#include "support/Muster.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"
#include "tracking/OptischerFluss.h"

namespace {

struct TrackingTest : Programmumgebung {
    TOptischerFluss fluss{p.ctx};
    Muster muster{320, 240};
    AutoJustAnzeige anzeige;

    FlussErgebnis berechnen(const Bitmap24& a, const Bitmap24& b, FlussAuftrag auftrag = {})
    {
        return fluss.Berechnen(a, b, aus1, aus2, Matrix4::Einheit(), Matrix4::Einheit(), auftrag, anzeige);
    }
    Bitmap24 aus1, aus2;
};

Paar paar(double x1, double y1, double x2, double y2)
{
    return {x1, y1, x2, y2, true, 1.0};
}

TEST_F(TrackingTest, IdenticalPicturesConvergeAtOnce)
{
    const Bitmap24 a = muster.zeichnen(320, 240);
    fluss.Anlegen(320, 240, Pyramidenebenen);
    fluss.ErstesBildLaden(a, 0.05);
    ASSERT_GT(fluss.Punkte().size(), 50u);
    fluss.ZweitesBildVerfolgen(a);
    for (const Punkt& pt : fluss.Punkte()) {
        EXPECT_EQ(pt.dx, 0.0);
        EXPECT_EQ(pt.dy, 0.0);
    }
    const FlussErgebnis e = berechnen(a, a);
    EXPECT_EQ(e.status, "1");
    EXPECT_EQ(e.iterationen, 1);
    EXPECT_EQ(e.matrix2, Matrix4::Einheit());
    EXPECT_EQ(aus2, a);
    EXPECT_EQ(anzeige.ebenen, 6);
}

TEST_F(TrackingTest, HorizontalShiftOfTenPixelsIsMeasuredThenCorrected)
{
    const Bitmap24 a = muster.zeichnen(320, 240);
    const Bitmap24 b = muster.zeichnen(320, 240, 10.0);
    fluss.Anlegen(320, 240, Pyramidenebenen);
    fluss.ErstesBildLaden(a, 0.05);
    fluss.ZweitesBildVerfolgen(b);
    const std::vector<Paar> paare = Paare_Filtern(fluss.Paare(), 320, 240);
    ASSERT_GE(paare.size(), 5u);
    const Schaetzung s = Schaetzen(paare, 160.0);
    EXPECT_NEAR(s.tx, -10.0, 0.05);
    EXPECT_NEAR(s.ty, 0.0, 0.05);
    EXPECT_NEAR(s.rot, 0.0, 0.02);
    EXPECT_NEAR(s.skal, 1.0, 0.0005);

    const FlussErgebnis e = berechnen(a, b);
    EXPECT_EQ(e.status, "+");
    // The picture moves 10 pixels left: aligned pixel x shows source pixel x + 10.
    EXPECT_NEAR(e.matrix2.m[0][3], 10.0, 0.2);
    EXPECT_NEAR(e.matrix2.m[1][3], 0.0, 0.2);
    EXPECT_EQ(e.matrix1, Matrix4::Einheit());
}

// Thin dark outlines on white, as the edge images of the automatic alignment look.
Bitmap24 umrisse(const Muster& muster, int32_t breite, int32_t hoehe, double dx, double dy)
{
    Bitmap24 b(breite, hoehe);
    for (int32_t y = 0; y < hoehe; ++y)
        for (int32_t x = 0; x < breite; ++x) {
            const uint8_t g = muster.grau(x - dx, y - dy);
            const bool kante = g != muster.grau(x - dx + 1, y - dy) || g != muster.grau(x - dx, y - dy + 1);
            uint8_t* px = b.zeile(y) + 3 * x;
            px[0] = px[1] = px[2] = kante ? 60 : 255;
        }
    return b;
}

TEST_F(TrackingTest, ThinLinesAreFollowedOverALargeDisplacement)
{
    const Muster linien(640, 480, 120, 99);
    const Bitmap24 a = umrisse(linien, 640, 480, 0.0, 0.0);
    const Bitmap24 b = umrisse(linien, 640, 480, 47.0, -33.0);
    fluss.Anlegen(640, 480, Pyramidenebenen);
    fluss.ErstesBildLaden(a, 0.05);
    // The corners whose window lands inside the second picture.
    size_t innen = 0;
    for (const Punkt& pt : fluss.Punkte())
        innen += pt.x + 47.0 >= 8.0 && pt.x + 47.0 <= 631.0 && pt.y - 33.0 >= 8.0 && pt.y - 33.0 <= 471.0 ? 1 : 0;
    fluss.ZweitesBildVerfolgen(b);
    size_t genau = 0;
    for (const Punkt& pt : fluss.Punkte())
        genau += std::hypot(pt.dx - 47.0, pt.dy + 33.0) <= 0.25 ? 1 : 0;
    ASSERT_GT(innen, 40u);
    // Nearly all of them are kept, although at the coarse levels their windows
    // reach beyond the small pictures, and found within a quarter pixel.
    EXPECT_GE(genau, innen * 9 / 10) << genau << " of " << innen;
}

TEST_F(TrackingTest, FeaturelessPictureFails)
{
    Bitmap24 grau(200, 150);
    std::fill(grau.pixel.begin(), grau.pixel.end(), uint8_t{128});
    fluss.Anlegen(200, 150, Pyramidenebenen);
    fluss.ErstesBildLaden(grau, 0.05);
    EXPECT_TRUE(fluss.Punkte().empty());
    const Bitmap24 b = muster.zeichnen(200, 150);
    const FlussErgebnis e = berechnen(grau, b);
    EXPECT_EQ(e.status, "-");
    EXPECT_EQ(aus1, grau);
    EXPECT_EQ(aus2, b);
    EXPECT_EQ(e.matrix2, Matrix4::Einheit());
}

TEST_F(TrackingTest, NoCornerWithinEightPixelsOfTheBorder)
{
    // A checkerboard of 4-pixel squares has corners right up to the border.
    Bitmap24 brett(64, 48);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x) {
            uint8_t* px = brett.zeile(y) + 3 * x;
            px[0] = px[1] = px[2] = ((x / 4 + y / 4) % 2) ? 255 : 0;
        }
    fluss.Anlegen(64, 48, Pyramidenebenen);
    fluss.ErstesBildLaden(brett, 0.05);
    ASSERT_FALSE(fluss.Punkte().empty());
    for (const Punkt& pt : fluss.Punkte()) {
        EXPECT_GE(pt.x, 8.0);
        EXPECT_GE(pt.y, 8.0);
        EXPECT_LE(pt.x, 64 - 9.0);
        EXPECT_LE(pt.y, 48 - 9.0);
    }
    // No two corners closer than 8 pixels.
    const auto& pts = fluss.Punkte();
    for (size_t i = 0; i < pts.size(); ++i)
        for (size_t j = i + 1; j < pts.size(); ++j)
            EXPECT_GT(std::hypot(pts[i].x - pts[j].x, pts[i].y - pts[j].y), 8.0);
}

TEST_F(TrackingTest, FittedLinesGiveShiftRotationAndScale)
{
    // Pairs displaced by a rotation of 1° about the centre (100, 50) and a vertical shift of 2.
    const double a = 1.0 * 3.14159265358979323846 / 180.0;
    std::vector<Paar> gedreht;
    std::vector<Paar> gestreckt;
    for (int i = 0; i < 40; ++i) {
        const double x = 20.0 + 4.0 * i, y = 10.0 + (i * 7) % 80;
        const double u = x - 100.0, v = y - 50.0;
        gedreht.push_back(paar(x, y, 100.0 + std::cos(a) * u - std::sin(a) * v + 3.0,
                               50.0 + std::sin(a) * u + std::cos(a) * v + 2.0));
        gestreckt.push_back(paar(x, y, x, 50.0 + 1.02 * v));
    }
    const Schaetzung s = Schaetzen(gedreht, 100.0);
    EXPECT_NEAR(s.rot, -1.0, 0.02);
    EXPECT_NEAR(s.ty, -2.0, 0.05);
    EXPECT_NEAR(Schaetzen(gestreckt, 100.0).skal, 1.0 / 1.02, 1e-9);
    std::vector<Paar> verschoben{paar(10, 10, 13, 12), paar(20, 30, 24, 32), paar(50, 20, 52, 22)};
    EXPECT_DOUBLE_EQ(Schaetzen(verschoben, 100.0).tx, -3.0);
}

TEST_F(TrackingTest, FilterDropsBorderOutliersAndKeepsTheDominantDisplacement)
{
    std::vector<Paar> paare;
    for (int i = 0; i < 30; ++i)
        paare.push_back(paar(100.0 + i * 10, 100.0 + i * 5, 100.0 + i * 10 + 30.0, 100.0 + i * 5));
    paare.push_back(paar(5.0, 200.0, 35.0, 200.0));        // at the left border
    paare.push_back(paar(300.0, 200.0, 300.0, 300.0));     // a mismatch pointing down
    const std::vector<Paar> behalten = Paare_Filtern(paare, 1000, 600);
    EXPECT_EQ(behalten.size(), 30u);
    for (const Paar& q : behalten)
        EXPECT_DOUBLE_EQ(q.x2 - q.x1, 30.0);
    EXPECT_TRUE(Paare_Filtern({paare.begin(), paare.begin() + 4}, 1000, 600).empty());
}

TEST_F(TrackingTest, ASmallGroupMovedFurtherThanItsOwnSizeIsKept)
{
    // Eight corners on one small object, 85 pixels right and 27 up in the second picture.
    std::vector<Paar> paare;
    for (int i = 0; i < 8; ++i)
        paare.push_back(paar(830.0 + (i % 4) * 20, 380.0 + (i / 4) * 40, 915.0 + (i % 4) * 20, 353.0 + (i / 4) * 40));
    paare.push_back(paar(400.0, 550.0, 300.0, 740.0));
    const std::vector<Paar> behalten = Paare_Filtern(paare, 1200, 800);
    ASSERT_EQ(behalten.size(), 8u);
    for (const Paar& q : behalten)
        EXPECT_DOUBLE_EQ(q.x2 - q.x1, 85.0);
}

TEST_F(TrackingTest, MismatchesDoNotMoveTheVerticalField)
{
    // 60 pairs 40 pixels up with a parallax of 0 to 30 pixels, and 40 mismatches
    // scattered up to 60 pixels either way: the pairs that agree stay, and only they.
    std::vector<Paar> paare;
    for (int i = 0; i < 60; ++i) {
        const double x = 150.0 + (i % 10) * 70, y = 150.0 + (i / 10) * 90;
        paare.push_back(paar(x, y, x + (y - 150.0) / 15.0, y - 40.0));
    }
    for (int i = 0; i < 40; ++i) {
        const double x = 170.0 + (i % 8) * 80, y = 170.0 + (i / 8) * 100;
        paare.push_back(paar(x, y, x + ((i * 37) % 61) - 30.0, y + ((i * 53) % 121) - 60.0));
    }
    const std::vector<Paar> behalten = Paare_Filtern(paare, 1100, 800);
    ASSERT_GE(behalten.size(), 30u);
    for (const Paar& q : behalten)
        EXPECT_DOUBLE_EQ(q.y2 - q.y1, -40.0);
}

TEST_F(TrackingTest, PairsOffTheCommonVerticalFieldAreDroppedWhenMostAreHorizontal)
{
    // Parallax of 20 to 40 pixels and a scale error of 1 %: every vertical
    // displacement lies on one plane over the picture.
    std::vector<Paar> paare;
    for (int i = 0; i < 60; ++i) {
        const double x = 150.0 + (i % 10) * 60, y = 150.0 + (i / 10) * 80;
        paare.push_back(paar(x, y, x + 20.0 + i / 3.0, y + 0.01 * (y - 400.0)));
    }
    // Mismatches 4 pixels above or below that plane.
    for (int i = 0; i < 6; ++i) {
        const double x = 200.0 + i * 70, y = 300.0 + i * 20;
        paare.push_back(paar(x, y, x + 30.0, y + 0.01 * (y - 400.0) + (i % 2 ? 4.0 : -4.0)));
    }
    const std::vector<Paar> behalten = Paare_Filtern(paare, 1000, 800);
    ASSERT_GE(behalten.size(), 25u);
    double oben = 800.0, unten = 0.0;
    for (const Paar& q : behalten) {
        EXPECT_NEAR(q.y2 - q.y1, 0.01 * (q.y1 - 400.0), 1e-9);
        oben = std::min(oben, q.y1);
        unten = std::max(unten, q.y1);
    }
    // Rows whose vertical displacement points 5° off the horizontal are kept:
    // the scale error cannot hide.
    EXPECT_EQ(oben, 150.0);
    EXPECT_EQ(unten, 550.0);
}

TEST_F(TrackingTest, CorrectionMovesThePicture)
{
    Schaetzung k;
    k.tx = -4.0;
    k.ty = 2.0;
    const Matrix4 g = Korrektur_Anwenden(Matrix4::Einheit(), k, 50.0, 40.0);
    // Aligned pixel (10, 10) now shows what (14, 8) showed.
    const Vektor4 v = Matrix_4_MalVektor(g, {10.0, 10.0, 0.0, 1.0});
    EXPECT_DOUBLE_EQ(v[0], 14.0);
    EXPECT_DOUBLE_EQ(v[1], 8.0);
    // A turn and a scaling keep the centre in place.
    k = Schaetzung{0.0, 0.0, 3.0, 1.01};
    const Vektor4 c = Matrix_4_MalVektor(Korrektur_Anwenden(Matrix4::Einheit(), k, 50.0, 40.0), {50.0, 40.0, 0.0, 1.0});
    EXPECT_NEAR(c[0], 50.0, 1e-12);
    EXPECT_NEAR(c[1], 40.0, 1e-12);
}

TEST_F(TrackingTest, RotatedAndScaledPictureIsAligned)
{
    const Bitmap24 a = muster.zeichnen(320, 240);
    const Bitmap24 b = muster.zeichnen(320, 240, 3.0, -2.0, 1.5, 1.02);
    const FlussErgebnis e = berechnen(a, b);
    ASSERT_TRUE(e.status == "+" || e.status == "?") << e.status;
    // The corrected transform maps each aligned pixel back onto where the pattern lies in b.
    const Matrix4 f = Matrix_4_Inverse(e.matrix2);
    for (const auto& [x, y] : {std::pair{40.0, 40.0}, std::pair{280.0, 40.0}, std::pair{40.0, 200.0}, std::pair{280.0, 200.0}}) {
        SCOPED_TRACE(testing::Message() << "x " << x << ", " << "y " << y);
        // Where pattern point (x, y) lies in b.
        const double u = x - 160.0, v = y - 120.0, w = 1.5 * 3.14159265358979323846 / 180.0;
        const double bx = 160.0 + 1.02 * (std::cos(w) * u - std::sin(w) * v) + 3.0;
        const double by = 120.0 + 1.02 * (std::sin(w) * u + std::cos(w) * v) - 2.0;
        const Vektor4 q = Matrix_4_MalVektor(f, {bx, by, 0.0, 1.0});
        EXPECT_NEAR(q[0], x, 0.6);
        EXPECT_NEAR(q[1], y, 0.6);
    }
}

TEST_F(TrackingTest, SymmetricModeShares)
{
    const Bitmap24 a = muster.zeichnen(320, 240);
    const Bitmap24 b = muster.zeichnen(320, 240, 8.0, 4.0);
    FlussAuftrag auftrag;
    auftrag.symmetrisch = true;
    const FlussErgebnis e = berechnen(a, b, auftrag);
    ASSERT_EQ(e.status, "+");
    EXPECT_NEAR(e.matrix2.m[0][3], 4.0, 0.2);
    EXPECT_NEAR(e.matrix2.m[1][3], 2.0, 0.2);
    EXPECT_NEAR(e.matrix1.m[0][3], -4.0, 0.2);
    EXPECT_NEAR(e.matrix1.m[1][3], -2.0, 0.2);
}

TEST_F(TrackingTest, AbortLeavesThePicturesAsTheyWere)
{
    const Bitmap24 a = muster.zeichnen(200, 150);
    const Bitmap24 b = muster.zeichnen(200, 150, 5.0);
    t.events.onPump = [&](const AppState&) { p.ctx.state.abort = true; };
    const FlussErgebnis e = berechnen(a, b);
    EXPECT_EQ(e.status, "-");
    EXPECT_EQ(aus2, b);
    EXPECT_EQ(e.matrix2, Matrix4::Einheit());
}

}
