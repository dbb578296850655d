#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <tuple>

#include "compose/Pipeline.h"
#include "raster/Byte.h"
#include "raster/Justieren.h"
#include "raster/Referenzmarke.h"
#include "raster/Spiegeln.h"
#include "raster/Uebertragung.h"
#include "support/Bytes.h"
#include "support/ImageFixture.h"
#include "support/Programmumgebung.h"

namespace {

constexpr double eps = 1e-12;

void expectNear(const Matrix4& a, const Matrix4& b, double tolerance = eps)
{
    for (size_t r = 0; r < 4; ++r)
        for (size_t c = 0; c < 4; ++c)
            EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << "element " << r << "," << c;
}

Vektor4 apply(const Matrix4& m, double x, double y)
{
    return Matrix_4_MalVektor(m, {x, y, 0.0, 1.0});
}

}

TEST(Matrix4, ElementaryMatricesPlaceTheirElementsAsTabled)
{
    const Matrix4 t = Matrix_4_Verschiebung(3, -4);
    EXPECT_EQ(t.m[0][3], 3);
    EXPECT_EQ(t.m[1][3], -4);
    const Matrix4 z = Matrix_4_DrehungZ(30);
    EXPECT_NEAR(z.m[0][1], -0.5, eps);
    EXPECT_NEAR(z.m[1][0], 0.5, eps);
    const Matrix4 y = Matrix_4_DrehungY(30);
    EXPECT_NEAR(y.m[0][2], 0.5, eps);
    EXPECT_NEAR(y.m[2][0], -0.5, eps);
    const Matrix4 x = Matrix_4_DrehungX(30);
    EXPECT_NEAR(x.m[1][2], -0.5, eps);
    EXPECT_NEAR(x.m[2][1], 0.5, eps);
    EXPECT_EQ(Matrix_4_Skalierung(2, 3).m[1][1], 3);
}

TEST(Matrix4, InverseUndoesEveryComposition)
{
    Matrix4 f = Matrix_4_UmZentrum(Matrix4::Einheit(), Matrix_4_DrehungX(2.5), 40, 30);
    f = Matrix_4_UmZentrum(f, Matrix_4_DrehungY(-1.5), 40, 30);
    f = Matrix_4_Produkt(f, Matrix_4_Verschiebung(7.25, -3));
    f = Matrix_4_UmZentrum(f, Matrix_4_Skalierung(1.2, 1.2), 40, 30);
    f = Matrix_4_UmZentrum(f, Matrix_4_DrehungZ(-33), 40, 30);
    expectNear(Matrix_4_Produkt(f, Matrix_4_Inverse(f)), Matrix4::Einheit());
    expectNear(Matrix_4_Produkt(Matrix_4_Inverse(f), f), Matrix4::Einheit());
    EXPECT_EQ(Matrix_4_Inverse(Matrix4::Einheit()), Matrix4::Einheit());
}

TEST(Matrix4, DeterminantMinorAndSingularInverse)
{
    Matrix4 m;
    m.m = {{{2, 0, 1, 5}, {1, 3, 2, 6}, {1, 1, 1, 7}, {0, 0, 0, 1}}};
    // 2·(3 − 2) − 0 + 1·(1 − 3) = 0: singular in its upper 3 × 3 part.
    EXPECT_EQ(Matrix_4_Determinante3(m), 0);
    // Without row 3 and column 0: |0 1 5; 3 2 6; 1 1 7| = 0 − 1·(21 − 6) + 5·(3 − 2) = −10.
    EXPECT_EQ(Matrix_4_Minor3(m, 3, 0), -10);
    // A singular matrix gives its adjugate: diag(0, 1, 1, 1) has adjugate diag(1, 0, 0, 0).
    Matrix4 adj;
    adj.m[0][0] = 1;
    EXPECT_EQ(Matrix_4_Inverse(Matrix_4_Skalierung(0, 1)), adj);
}

TEST(Matrix4, ForwardMatrixRotatesThenScalesThenShifts)
{
    ImageEntry bild;
    bild.rot = 90;
    bild.skal = 2;
    bild.dx = 5;
    bild.dy = 1;
    const Bildlage lage{10, 20, bild.dx, bild.dy};
    const Matrix4 f = Vorwaertsmatrix(bild, lage);
    // (11, 20) lies 1 right of the centre: a quarter turn counter-clockwise on
    // screen puts it 1 above, the scale 2 above, the shift 5 right and 1 up.
    const Vektor4 q = apply(f, 11, 20);
    EXPECT_NEAR(q[0], 15, eps);
    EXPECT_NEAR(q[1], 17, eps);
    EXPECT_NEAR(q[2], 0, eps);
    // The centre only moves by the shift.
    const Vektor4 c = apply(f, 10, 20);
    EXPECT_NEAR(c[0], 15, eps);
    EXPECT_NEAR(c[1], 19, eps);
}

TEST(Matrix4, AboutCentreKeepsTheCentre)
{
    const Matrix4 m = Matrix_4_UmZentrum(Matrix4::Einheit(), Matrix_4_DrehungZ(90), 3, 4);
    const Vektor4 c = apply(m, 3, 4);
    EXPECT_NEAR(c[0], 3, eps);
    EXPECT_NEAR(c[1], 4, eps);
    const Vektor4 q = apply(m, 4, 4);
    EXPECT_NEAR(q[0], 3, eps);
    EXPECT_NEAR(q[1], 5, eps);
    // A translation about a centre is the plain translation.
    expectNear(Matrix_4_UmZentrum(Matrix4::Einheit(), Matrix_4_Verschiebung(2, 3), 50, 60), Matrix_4_Verschiebung(2, 3));
}

TEST(Matrix4, PlaneAndLineIntersection)
{
    const Ebene flach = Matrix_4_Ebene(Matrix_4_Verschiebung(4, 5));
    EXPECT_EQ(flach.n, (std::array<double, 3>{0, 0, 1}));
    EXPECT_EQ(flach.d, 0);
    const auto p = Matrix_4_Schnittpunkt({1, 2, 10}, {1, 1, -2}, flach);
    EXPECT_EQ(p, (std::array<double, 3>{6, 7, 0}));
    // A line parallel to the plane gives its own starting point.
    EXPECT_EQ(Matrix_4_Schnittpunkt({1, 2, 10}, {1, 0, 0}, flach), (std::array<double, 3>{1, 2, 10}));
    // Tilted by 90 degrees about Y the image stands in the plane x = 0.
    const Ebene steil = Matrix_4_Ebene(Matrix_4_DrehungY(90));
    EXPECT_NEAR(steil.n[0], 1, eps);
    EXPECT_NEAR(steil.n[2], 0, eps);
    const auto q = Matrix_4_Schnittpunkt({-3, 0, 0}, {1, 0, 0}, steil);
    EXPECT_NEAR(q[0], 0, eps);
}

TEST(Matrix4, CubicKernel)
{
    EXPECT_EQ(Matrix_4_Kubisch(0), 1);
    EXPECT_EQ(Matrix_4_Kubisch(0.5), 0.625);
    EXPECT_EQ(Matrix_4_Kubisch(1), 0);
    EXPECT_EQ(Matrix_4_Kubisch(1.5), -0.125);
    EXPECT_EQ(Matrix_4_Kubisch(2), 0);
}

// A change to either byte rule would change output bytes of every mode.
TEST(Bytes, ClampClampsAndRoundRoundsHalfToEven)
{
    EXPECT_EQ(clampByte(300), 255);
    EXPECT_EQ(clampByte(17), 17);
    EXPECT_EQ(clampByte(int64_t{-1}), 0);
    EXPECT_EQ(clampByte(int64_t{256}), 255);
    EXPECT_EQ(roundByte(2.5), 2);
    EXPECT_EQ(roundByte(3.5), 4);
    EXPECT_EQ(roundByte(17.5000001), 18);
    EXPECT_EQ(roundByte(254.5), 254);
    EXPECT_EQ(roundByte(255.5), 255);
    EXPECT_EQ(roundByte(-0.5), 0);
    EXPECT_EQ(roundByte(1e300), 255);
    EXPECT_EQ(roundByte(std::nan("")), 0);
}

namespace {

struct GeometryTest : ImageFixture {
    Bytes aligned(int n) { return file(n, SlotJustiert); }
    Bytes px(const Bytes& f, int x, int y) { return bmpPixel(f, x, y); }
    Bytes background() { return {30, 20, 10}; }
    void SetUp() override { p.compose.Hintergrundfarbe = {10, 20, 30}; }
    // Aligns image 1, groesse × groesse distinct pixels changed by aendern, once
    // bilinear and once bicubic; pruefen gets the aligned pixels and the source's.
    void inBeidenInterpolationen(int groesse, const std::function<void(ImageEntry&)>& aendern,
                                 const std::function<void(const Bytes&, const Bytes&)>& pruefen)
    {
        for (bool bikubisch : {false, true}) {
            SCOPED_TRACE(testing::Message() << "bikubisch " << bikubisch);
            p.compose.Bikubisch = bikubisch;
            aendern(addImage(1, groesse, groesse, distinct));
            ASSERT_TRUE(Justiere_Bild(p, 1));
            pruefen(aligned(1), file(1, SlotArbeitskopie));
        }
    }
};

}

TEST_F(GeometryTest, NeutralImageOfTheCommonSizeIsAByteExactCopy)
{
    addImage(1, 9, 5, distinct);
    ASSERT_TRUE(Justiere_Bild(p, 1));
    EXPECT_EQ(aligned(1), file(1, SlotArbeitskopie));
    EXPECT_TRUE(messages().empty());
}

TEST_F(GeometryTest, WholePixelShiftsMoveRightAndUp)
{
    const Bytes src = [&] {
        addImage(1, 6, 5, distinct);
        return file(1, SlotArbeitskopie);
    }();
    ImageEntry& bild = p.bilder.bild[1];
    bild.dx = 2;
    ASSERT_TRUE(Justiere_Bild(p, 1));
    Bytes a = aligned(1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(px(a, x, y), x < 2 ? background() : px(src, x - 2, y)) << x << "," << y;

    bild.dx = 0;
    bild.dy = 3;
    ASSERT_TRUE(Justiere_Bild(p, 1));
    a = aligned(1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(px(a, x, y), y >= 2 ? background() : px(src, x, y + 3)) << x << "," << y;
}

TEST_F(GeometryTest, NarrowerSourceSitsTopLeftOnBackground)
{
    addImage(1, 4, 3, distinct);
    addImage(2, 7, 5, distinct);
    ASSERT_TRUE(Justiere_Bild(p, 1));
    const Bytes a = aligned(1);
    const Bytes src = file(1, SlotArbeitskopie);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(px(a, x, y), x < 4 && y < 3 ? px(src, x, y) : background()) << x << "," << y;
}

TEST_F(GeometryTest, HalfPixelShiftInterpolatesBicubicallyWithHalfEvenRounding)
{
    // Blue 4 and green 8 in column 3, blue 8 and green 16 in the last column.
    addImage(1, 8, 2, [](int x, int, uint8_t px[3]) {
        const int v = x == 3 ? 4 : x == 7 ? 8 : 0;
        px[0] = static_cast<uint8_t>(v);
        px[1] = static_cast<uint8_t>(2 * v);
        px[2] = 0;
    });
    p.bilder.bild[1].dx = 0.5;
    ASSERT_TRUE(Justiere_Bild(p, 1));
    const Bytes a = aligned(1);
    // Weights −0.125, 0.625, 0.625, −0.125 on columns x − 2 … x + 1: 0.625 × 4 = 2.5
    // rounds to 2; negative sums clamp to 0; beyond the last column the tap takes
    // column x0 = 6, so the last column is 0.625 × 8 = 5.
    const int blue[8] = {0, 0, 0, 2, 2, 0, 0, 5};
    const int green[8] = {0, 0, 0, 5, 5, 0, 0, 10};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(px(a, x, y), (Bytes{static_cast<uint8_t>(blue[x]), static_cast<uint8_t>(green[x]), 0}))
                << x << "," << y;
}

TEST_F(GeometryTest, HalfPixelShiftWithoutInterpolationRoundsHalfToEven)
{
    addImage(1, 8, 2, [](int x, int, uint8_t px[3]) {
        px[0] = px[1] = px[2] = static_cast<uint8_t>(10 * x + 1);
    });
    p.compose.Bikubisch = false;
    p.bilder.bild[1].dx = 0.5;
    ASSERT_TRUE(Justiere_Bild(p, 1));
    const Bytes a = aligned(1);
    // Column x shows source column round(x − 0.5): −0.5 → 0, 0.5 → 0, 1.5 → 2, 2.5 → 2 …
    const int source[8] = {0, 0, 2, 2, 4, 4, 6, 6};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(px(a, x, 1)[0], 10 * source[x] + 1) << x;
}

TEST_F(GeometryTest, QuarterTurnOfASquareIsCounterClockwise)
{
    inBeidenInterpolationen(5, [](ImageEntry& bild) { bild.rot = 90; }, [&](const Bytes& a, const Bytes& src) {
        // About the centre (2.5, 2.5): pixel (x, y) shows source (5 − y, x); the
        // source's right column becomes the top row, which falls one row short.
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(px(a, x, y), y == 0 ? background() : px(src, 5 - y, x)) << x << "," << y;
    });
}

TEST_F(GeometryTest, HalfScaleShrinksAboutTheCentre)
{
    inBeidenInterpolationen(8, [](ImageEntry& bild) { bild.skal = 0.5; }, [&](const Bytes& a, const Bytes& src) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 2 && x <= 5 && y >= 2 && y <= 5;
                EXPECT_EQ(px(a, x, y), inside ? px(src, 2 * x - 4, 2 * y - 4) : background()) << x << "," << y;
            }
    });
}

namespace {

// Black pixels in column x of an aligned raster.
int blackInColumn(const Bytes& a, int x, int h)
{
    int n = 0;
    for (int y = 0; y < h; ++y)
        n += bmpPixel(a, x, y) == Bytes{0, 0, 0};
    return n;
}

}

TEST_F(GeometryTest, VergenceTiltMakesATrapezoidInBothVariants)
{
    constexpr int w = 200, h = 100;
    addImage(1, w, h, uniform(0, 0, 0));
    ImageEntry& bild = p.bilder.bild[1];
    for (bool invers : {false, true}) {
        SCOPED_TRACE(testing::Message() << "invers " << invers);
        bild.inversVergenz = invers;
        bild.vx = 30;
        ASSERT_TRUE(Justiere_Bild(p, 1));
        const Bytes a = aligned(1);
        // The right half turns away from the viewer and shrinks.
        const int left = blackInColumn(a, 20, h);
        const int right = blackInColumn(a, w - 20, h);
        EXPECT_GT(left, right + 2) << invers;
        EXPECT_GT(right, h / 2) << invers;
        // The opposite angle gives the mirrored trapezoid.
        bild.vx = -30;
        ASSERT_TRUE(Justiere_Bild(p, 1));
        const Bytes b = aligned(1);
        EXPECT_EQ(blackInColumn(b, w - 20, h), left) << invers;
        EXPECT_EQ(blackInColumn(b, 20, h), right) << invers;
    }
}

TEST_F(GeometryTest, TheTwoVergenceProjectionsDifferSlightlyAtOneDegree)
{
    constexpr int w = 200, h = 100;
    // Stripes of 8 pixels, so that a shift of a tenth of a pixel shows at their edges.
    addImage(1, w, h, [](int x, int y, uint8_t px[3]) {
        px[0] = static_cast<uint8_t>(x / 8 % 2 ? 200 : 0);
        px[1] = static_cast<uint8_t>(y / 8 % 2 ? 200 : 0);
        px[2] = 100;
    });
    ImageEntry& bild = p.bilder.bild[1];
    bild.vx = 1;
    Bytes result[2];
    for (bool invers : {false, true}) {
        SCOPED_TRACE(testing::Message() << "invers " << invers);
        bild.inversVergenz = invers;
        ASSERT_TRUE(Justiere_Bild(p, 1));
        result[invers] = aligned(1);
    }
    int differing = 0;
    int largest = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Bytes a = bmpPixel(result[0], x, y);
            const Bytes b = bmpPixel(result[1], x, y);
            differing += a != b;
            for (size_t c = 0; c < 3; ++c)
                largest = std::max(largest, std::abs(a[c] - b[c]));
        }
    EXPECT_GT(differing, 0);
    EXPECT_LE(largest, 20);
}

TEST_F(GeometryTest, MirroringOddSizesKeepsTheMiddleAndTwiceIsIdentity)
{
    addImage(1, 5, 3, distinct);
    const Bytes src = file(1, SlotArbeitskopie);
    ImageEntry& bild = p.bilder.bild[1];
    for (int mode = 1; mode <= 3; ++mode) {
        bild.spiegelX = mode & 1;
        bild.spiegelY = mode & 2;
        ASSERT_TRUE(Justiere_Bild(p, 1));
        const Bytes a = aligned(1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(px(a, x, y), px(src, bild.spiegelX ? 4 - x : x, bild.spiegelY ? 2 - y : y))
                    << mode << ": " << x << "," << y;
        EXPECT_EQ(px(a, 2, 1), px(src, 2, 1));
        BildSpiegeln(p.ctx, bild.slot[SlotJustiert], bild.spiegelX, bild.spiegelY);
        EXPECT_EQ(aligned(1), src) << mode;
    }
}

TEST_F(GeometryTest, PreviewOfA4000PixelImageOnA1280PixelScreen)
{
    EXPECT_EQ(Vorschaufaktor({4000, 3}, 1280, 1024), 3);
    EXPECT_EQ(Vorschaufaktor({1279, 1023}, 1280, 1024), 1);
    EXPECT_EQ(Vorschaufaktor({1000, 4095}, 1280, 1024), 4);
    addImage(1, 4000, 4, distinct);
    p.ctx.state.screenWidth = 1280;
    p.auswahl.listenZeile = 1;
    ASSERT_TRUE(JUST(p));
    const RasterSlot& preview = p.bilder.bild[1].slot[SlotVorschau];
    EXPECT_EQ(preview.breite, 1333);
    EXPECT_EQ(preview.hoehe, 1);
    const Bytes v = file(1, SlotVorschau);
    const Bytes a = aligned(1);
    for (int i : {0, 1, 2, 700, 1332})
        EXPECT_EQ(px(v, i, 0), px(a, 3 * i, 0)) << i;
}

TEST_F(GeometryTest, JustAlignsMissingRastersAndTheSelectedImage)
{
    addImage(1, 6, 4, distinct);
    addImage(2, 6, 4, distinct);
    p.auswahl.listenZeile = 2;
    ASSERT_TRUE(JUST(p));
    EXPECT_EQ(aligned(1), file(1, SlotArbeitskopie));
    EXPECT_EQ(aligned(2), file(2, SlotArbeitskopie));
    // A changed parameter takes effect for the selected image; the other keeps its raster.
    p.bilder.bild[1].spiegelX = true;
    p.bilder.bild[2].spiegelX = true;
    ASSERT_TRUE(JUST(p));
    EXPECT_EQ(aligned(1), file(1, SlotArbeitskopie));
    EXPECT_EQ(px(aligned(2), 0, 0), px(file(2, SlotArbeitskopie), 5, 0));
    // A new common size brings every image up to date.
    addImage(3, 8, 4, distinct);
    ASSERT_TRUE(JUST(p));
    EXPECT_EQ(px(aligned(1), 0, 0), background());
    EXPECT_EQ(px(aligned(1), 2, 0), px(file(1, SlotArbeitskopie), 5, 0));
    EXPECT_EQ(p.bilder.bild[1].slot[SlotJustiert].breite, 8);
}

TEST_F(GeometryTest, StreamingAndThreadedResamplingGiveIdenticalPixels)
{
    ImageEntry& bild = addImage(1, 61, 47, [](int x, int y, uint8_t px[3]) {
        px[0] = static_cast<uint8_t>((x * 37 + y * 11) % 251);
        px[1] = static_cast<uint8_t>((x * x + 3 * y) % 256);
        px[2] = static_cast<uint8_t>(y * 5);
    });
    bild.rot = 1.5;
    bild.skal = 1.1;
    bild.dx = 0.3;
    bild.vy = 2;
    for (bool invers : {false, true}) {
        SCOPED_TRACE(testing::Message() << "invers " << invers);
        bild.inversVergenz = invers;
        const Bildlage lage = Ermittle_Bildlage(bild, p.refInfo, {61, 47});
        const Abbildung a = Abbildung_Aus(Vorwaertsmatrix(bild, lage), true, invers, 61, 47);
        Bytes first;
        for (auto [threads, grenze] : {std::pair{1, ~0ull}, std::pair{3, ~0ull}, std::pair{1, 0ull}}) {
            SCOPED_TRACE(testing::Message() << "threads " << threads << ", " << "grenze " << grenze);
            ResampleOptionen o;
            o.threads = threads;
            o.speicherGrenze = grenze;
            RasterSlot ziel;
            ziel.pfad = (t.files.tempFolder() / ("ziel" + std::to_string(threads) + std::to_string(grenze) + ".bmp"))
                            .string();
            ziel.breite = 61;
            ziel.hoehe = 47;
            Resampeln(p.ctx, bild.slot[SlotArbeitskopie], ziel, a, o);
            EXPECT_FALSE(ziel.offen());
            const Bytes got = readFile(ziel.pfad);
            if (first.empty())
                first = got;
            else
                EXPECT_EQ(got, first) << threads << " threads, limit " << grenze;
        }
    }
}

namespace {

// The resampling rule written out plainly, one pixel at a time in double
// precision, as the reference for the resampler's faster ways. The bicubic
// sum is grouped as the resampler groups it: along each row in pairs, then
// over the rows in pairs; the grouping decides how a sum lying on a half rounds.
struct ReferenceResampler {
    int w, h;                   // source
    Bytes bgr;   // source pixels, rows top to bottom
    const Abbildung& a;
    bool bikubisch;
    Farbe hintergrund;

    static double halfEven(double v) { return std::nearbyint(v); }
    const uint8_t* at(double x, double y) const { return &bgr[(static_cast<size_t>(y) * w + static_cast<size_t>(x)) * 3]; }

    Bytes pixel(int x, int y) const
    {
        const Vektor4 q = Matrix_4_MalVektor(a.g, {double(x), double(y), 0.0, 1.0});
        double xs = q[0], ys = q[1];
        if (a.perspektive) {
            const double halfW = a.breite / 2.0, halfH = a.hoehe / 2.0;
            const double eye = 4.0 * std::sqrt(double(a.breite) * a.breite + double(a.hoehe) * a.hoehe);
            if (!a.inversVergenz) {
                if (q[2] != 0.0) {
                    const double t = eye / (eye - q[2]);
                    xs = halfW + (q[0] - halfW) * t;
                    ys = halfH + (q[1] - halfH) * t;
                }
            } else {
                const auto p = Matrix_4_Schnittpunkt({halfW, halfH, eye}, {(x - halfW) / 2.0, (y - halfH) / 2.0, -eye / 2.0},
                                                     a.ebene);
                const Vektor4 s = Matrix_4_MalVektor(a.g, {p[0], p[1], p[2], 1.0});
                xs = s[0];
                ys = s[1];
            }
        }
        const double xr = halfEven(xs), yr = halfEven(ys);
        if (!(xr >= 0 && xr < w && yr >= 0 && yr < h))
            return {uint8_t(hintergrund.b), uint8_t(hintergrund.g), uint8_t(hintergrund.r)};
        const double x0 = std::floor(xs), y0 = std::floor(ys);
        const double fx = xs - x0, fy = ys - y0;
        if (!bikubisch || (fx == 0 && fy == 0)) {
            const uint8_t* s = at(xr, yr);
            return {s[0], s[1], s[2]};
        }
        double wx[4], wy[4];
        for (int i = -1; i <= 2; ++i) {
            wx[i + 1] = Matrix_4_Kubisch(std::fabs(i - fx));
            wy[i + 1] = Matrix_4_Kubisch(std::fabs(i - fy));
        }
        Bytes out(3);
        for (int c = 0; c < 3; ++c) {
            double across[4];
            for (int j = -1; j <= 2; ++j) {
                const double row = y0 + j >= 0 && y0 + j < h ? y0 + j : std::clamp(y0, 0.0, h - 1.0);
                double v[4];
                for (int i = -1; i <= 2; ++i) {
                    const double col = x0 + i >= 0 && x0 + i < w ? x0 + i : std::clamp(x0, 0.0, w - 1.0);
                    v[i + 1] = at(col, row)[c];
                }
                across[j + 1] = (wx[0] * v[0] + wx[1] * v[1]) + (wx[2] * v[2] + wx[3] * v[3]);
            }
            const double sum = (wy[0] * across[0] + wy[1] * across[1]) + (wy[2] * across[2] + wy[3] * across[3]);
            out[static_cast<size_t>(c)] = static_cast<uint8_t>(std::clamp(halfEven(sum), 0.0, 255.0));
        }
        return out;
    }
};

}

TEST_F(GeometryTest, ResamplingMatchesThePlainRuleForRandomTransformsAndImages)
{
    std::mt19937 zufall(20240607);
    auto real = [&](double from, double to) { return std::uniform_real_distribution<double>(from, to)(zufall); };
    auto whole = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(zufall); };
    int checked = 0;
    for (int run = 0; run < 40; ++run) {
        // Sizes from a single pixel to rasters wide enough for the vector path, odd ones included.
        const int w = run % 5 == 0 ? whole(1, 6) : whole(7, 90);
        const int h = run % 5 == 0 ? whole(1, 6) : whole(7, 70);
        const int breite = std::max(1, w + (run % 3 == 0 ? whole(-8, 8) : 0));
        const int hoehe = std::max(1, h + (run % 4 == 0 ? whole(-8, 8) : 0));
        const int muster = whole(0, 2);
        Bytes bgr(static_cast<size_t>(w) * h * 3);
        for (auto& b : bgr)
            b = static_cast<uint8_t>(muster == 0 ? whole(0, 255) : muster == 1 ? 255 * whole(0, 1) : whole(100, 103));
        const std::string quellPfad = (t.files.tempFolder() / "zufall.bmp").string();
        writeBmp(quellPfad, w, h, [&](int x, int y, uint8_t px[3]) {
            std::copy_n(&bgr[(static_cast<size_t>(y) * w + x) * 3], 3, px);
        });
        RasterSlot quelle;
        quelle.pfad = quellPfad;
        quelle.breite = w;
        quelle.hoehe = h;

        // Free transforms, and quarter turns with half-pixel shifts, whose sums can land on halves.
        ImageEntry bild;
        const bool frei = run % 2 == 0;
        bild.rot = frei ? real(-180, 180) : 90.0 * whole(-2, 2);
        bild.skal = frei && whole(0, 1) ? real(0.4, 2.5) : 1.0;
        bild.dx = frei ? real(-20, 20) : 0.5 * whole(-6, 6);
        bild.dy = frei ? real(-20, 20) : 0.25 * whole(-6, 6);
        const bool vergenz = run % 4 == 1;
        if (vergenz) {
            bild.vx = real(-8, 8);
            bild.vy = real(-8, 8);
        }
        bild.inversVergenz = whole(0, 1) == 1;
        const Abbildung a = Abbildung_Aus(Vorwaertsmatrix(bild, Ermittle_Bildlage(bild, p.refInfo, {breite, hoehe})),
                                          vergenz, bild.inversVergenz, breite, hoehe);
        ResampleOptionen o;
        o.bikubisch = run % 8 != 3;
        o.hintergrund = {whole(0, 255), whole(0, 255), whole(0, 255)};
        const ReferenceResampler reference{w, h, bgr, a, o.bikubisch, o.hintergrund};

        for (auto [threads, grenze, vektor] : {std::tuple{1, ~0ull, true}, std::tuple{2, ~0ull, true},
                                               std::tuple{1, ~0ull, false}, std::tuple{1, 0ull, true}}) {
            o.threads = threads;
            o.speicherGrenze = grenze;
            o.vektor = vektor;
            RasterSlot ziel;
            ziel.pfad = (t.files.tempFolder() / "ziel.bmp").string();
            ziel.breite = breite;
            ziel.hoehe = hoehe;
            Resampeln(p.ctx, quelle, ziel, a, o);
            const Bytes got = readFile(ziel.pfad);
            for (int y = 0; y < hoehe; ++y)
                for (int x = 0; x < breite; ++x) {
                    ASSERT_EQ(px(got, x, y), reference.pixel(x, y))
                        << "run " << run << " pixel " << x << "," << y << " of " << breite << " x " << hoehe << " from " << w
                        << " x " << h << ", rot " << bild.rot << ", skal " << bild.skal << ", dx " << bild.dx << ", dy "
                        << bild.dy << ", vergence " << vergenz << ", bicubic " << o.bikubisch << ", " << threads
                        << " threads, limit " << grenze << ", vector " << vektor;
                    ++checked;
                }
            std::filesystem::remove(ziel.pfad);
        }
    }
    EXPECT_GT(checked, 100000);
}

TEST_F(GeometryTest, ReferencePointLandsOnTheReferencePositionWithItsMarker)
{
    addImage(1, 40, 40, uniform(100, 100, 100));
    addImage(2, 40, 40, distinct);
    const Bytes src = file(2, SlotArbeitskopie);
    ImageEntry& bild = p.bilder.bild[2];
    Referenzpunkt(bild, 10, 18);
    bild.dx = 99;  // not used in reference mode
    p.refInfo.x = 12;
    p.refInfo.y = 16;
    ASSERT_TRUE(Justiere_Bild(p, 2));
    Bytes a = aligned(2);
    // The point moves 2 right and 2 up; the marker's centre keeps the picture.
    EXPECT_EQ(px(a, 12, 16), px(src, 10, 18));
    EXPECT_EQ(px(a, 13, 17), px(src, 11, 19));
    EXPECT_EQ(px(a, 12, 19), (Bytes{0, 0, 0}));
    EXPECT_EQ(px(a, 13, 19), (Bytes{255, 255, 255}));
    EXPECT_EQ(px(a, 30, 35), px(src, 28, 37));

    p.refInfo.zeigen = false;
    ASSERT_TRUE(Justiere_Bild(p, 2));
    a = aligned(2);
    EXPECT_EQ(px(a, 12, 19), px(src, 10, 21));
}

namespace {

struct MarkerTest : ImageFixture {
    RasterSlot slot;
    void SetUp() override
    {
        slot.pfad = (t.files.tempFolder() / "marke.bmp").string();
        fillSlot(slot, 41, 41, uniform(100, 100, 100));
    }
    // Pixels that are no longer grey 100, by their value.
    std::map<std::pair<int, int>, int> changed()
    {
        const Bytes f = readFile(slot.pfad);
        std::map<std::pair<int, int>, int> c;
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x) {
                const Bytes v = bmpPixel(f, x, y);
                if (v != Bytes{100, 100, 100}) {
                    EXPECT_TRUE(v[0] == v[1] && v[1] == v[2]);
                    c[{x, y}] = v[0];
                }
            }
        return c;
    }
};

}

TEST_F(MarkerTest, SizeZeroLeavesTheRasterUnchanged)
{
    const Bytes before = readFile(slot.pfad);
    Referenzmarke_Zeichnen(p.ctx, slot, 20, 20, 0);
    EXPECT_EQ(readFile(slot.pfad), before);
    EXPECT_FALSE(slot.offen());
}

TEST_F(MarkerTest, SizeThreeIsABlackCrossOf31PixelsWithWhiteEdges)
{
    Referenzmarke_Zeichnen(p.ctx, slot, 20, 20, 3);
    std::map<std::pair<int, int>, int> expected;
    for (int d = -15; d <= 15; ++d) {
        if (std::abs(d) <= 1)
            continue;
        expected[{20, 20 + d}] = 0;
        expected[{19, 20 + d}] = expected[{21, 20 + d}] = 255;
        expected[{20 + d, 20}] = 0;
        expected[{20 + d, 19}] = expected[{20 + d, 21}] = 255;
    }
    EXPECT_EQ(changed(), expected);
}

TEST_F(MarkerTest, WiderBarsInvertAndTheSecondBarWorksOnTheFirst)
{
    Referenzmarke_Zeichnen(p.ctx, slot, 20, 20, 5);
    const auto c = changed();
    EXPECT_EQ(c.at({22, 30}), 155);  // vertical bar, two columns out: inverted
    EXPECT_EQ(c.at({22, 20}), 0);    // inverted by the first bar, black on the second's middle row
    EXPECT_FALSE(c.contains({22, 22}));  // inverted twice
    EXPECT_FALSE(c.contains({21, 21}));  // the untouched centre
    EXPECT_EQ(c.at({0, 20}), 0);         // the bars reach 25 pixels out, clipped by the raster
    EXPECT_EQ(c.at({20, 40}), 0);
}

TEST_F(MarkerTest, MarkerAtTheEdgeIsClipped)
{
    Referenzmarke_Zeichnen(p.ctx, slot, 0, 40, 3);
    const auto c = changed();
    EXPECT_EQ(c.at({0, 30}), 0);
    EXPECT_EQ(c.at({1, 30}), 255);
    EXPECT_EQ(c.at({15, 40}), 0);
    EXPECT_EQ(c.size(), 4u * 14);
}

TEST_F(GeometryTest, AbortWhileResamplingLeavesTheImageToBeAlignedAgain)
{
    addImage(1, 50, 40, distinct);
    ImageEntry& bild = p.bilder.bild[1];
    bild.rot = 3;
    int rows = 0;
    t.events.onPump = [&](const AppState&) {
        if (++rows == 45)
            p.ctx.state.abort = true;
    };
    EXPECT_FALSE(Justiere_Bild(p, 1));
    EXPECT_TRUE(p.ctx.state.abort);
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(bild.slot[SlotArbeitskopie].offen());
    EXPECT_FALSE(bild.slot[SlotJustiert].offen());
    EXPECT_EQ(bild.slot[SlotJustiert].breite, 0);

    // Nothing runs while the flag is set; the next run aligns it.
    EXPECT_FALSE(Justiere_Bild(p, 1));
    t.events.onPump = nullptr;
    p.ctx.state.abort = false;
    ASSERT_TRUE(JUST(p));
    EXPECT_EQ(bild.slot[SlotJustiert].breite, 50);
}

TEST_F(GeometryTest, MissingWorkingCopyIsReportedOnce)
{
    addImage(1, 8, 8, distinct);
    std::filesystem::remove(p.bilder.bild[1].slot[SlotArbeitskopie].pfad);
    p.bilder.bild[1].dx = 1;
    EXPECT_FALSE(Justiere_Bild(p, 1));
    EXPECT_EQ(messages(), std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"});
    EXPECT_TRUE(p.ctx.state.abort);
}
