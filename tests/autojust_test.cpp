#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "align/AutoJustierung.h"
#include "raster/Justieren.h"
#include "support/ImageFixture.h"
#include "support/Muster.h"
#include "support/Programmumgebung.h"

namespace {

struct AlignTest : ImageFixture {
    Muster muster{320, 240};

    // Image n shows the pattern moved by (dx, dy) pixels.
    void bild(int n, double dx, double dy, int32_t w = 320, int32_t h = 240)
    {
        const Bitmap24 b = muster.zeichnen(w, h, dx, dy);
        addImage(n, w, h, [&](int x, int y, uint8_t px[3]) {
            const uint8_t* q = b.zeile(y) + 3 * x;
            px[0] = q[0];
            px[1] = q[1];
            px[2] = q[2];
        });
    }
    ImageEntry& e(int n) { return p.bilder.bild[static_cast<size_t>(n)]; }
    // The images the tracker aligned, in order.
    std::vector<int> paarFolge()
    {
        std::vector<int> folge;
        t.events.onPump = [&](const AppState&) {
            const int n = p.autoJustAnzeige.bildNr;
            if (n > 0 && (folge.empty() || folge.back() != n))
                folge.push_back(n);
        };
        StartOFButtonClick(p);
        t.events.onPump = nullptr;
        return folge;
    }
};

TEST(Zerlegung, RoundTripsEveryComposedTransform)
{
    uint32_t z = 7;
    auto zufall = [&z](double a, double b) {
        z = z * 1664525u + 1013904223u;
        return a + (b - a) * static_cast<double>(z >> 8) / static_cast<double>(1u << 24);
    };
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        SpacePara sp;
        sp.dx = zufall(-500, 500);
        sp.dy = zufall(-500, 500);
        sp.rot = zufall(-180, 180);
        sp.skal = zufall(0.2, 5);
        sp.vx = i % 2 ? zufall(-30, 30) : 0.0;
        sp.vy = i % 3 ? zufall(-30, 30) : 0.0;
        const SpacePara r = Mz_to_SpacePara(SpacePara_to_Mz(sp, 1500.0, 1000.0), 1500.0, 1000.0);
        EXPECT_NEAR(r.dx, sp.dx, 1e-8);
        EXPECT_NEAR(r.dy, sp.dy, 1e-8);
        EXPECT_NEAR(r.rot, sp.rot, 1e-9);
        EXPECT_NEAR(r.skal, sp.skal, 1e-12);
        EXPECT_NEAR(r.vx, sp.vx, 1e-9);
        EXPECT_NEAR(r.vy, sp.vy, 1e-9);
    }
}

TEST(Zerlegung, ComposesAsTheAlignmentDoes)
{
    ImageEntry bild;
    bild.dx = 12.5;
    bild.dy = -3.0;
    bild.rot = 2.0;
    bild.skal = 1.01;
    bild.vx = 0.5;
    bild.vy = -0.25;
    const SpacePara sp{12.5, -3.0, 2.0, 0.5, -0.25, 1.01};
    EXPECT_EQ(SpacePara_to_Mz(sp, 400.0, 300.0), Vorwaertsmatrix(bild, Bildlage{400.0, 300.0, 12.5, -3.0}));
    // dy counts upwards and rot counter-clockwise: a shift up is a negative pixel row offset.
    const Matrix4 f = Matrix_4_Verschiebung(4.0, -7.0);
    const SpacePara v = Mz_to_SpacePara(f, 400.0, 300.0);
    EXPECT_DOUBLE_EQ(v.dx, 4.0);
    EXPECT_DOUBLE_EQ(v.dy, 7.0);
    EXPECT_NEAR(Mz_to_SpacePara(Matrix_4_UmZentrum(Matrix4::Einheit(), Matrix_4_DrehungZ(-3.0), 400.0, 300.0), 400.0, 300.0).rot,
                3.0, 1e-12);
}

TEST(Arbeitsgroesse, LongerSideAtMost1300)
{
    EXPECT_EQ(Arbeitsfaktor({1300, 900}), 1.0);
    EXPECT_EQ(Arbeitsfaktor({2600, 1800}), 2.0);
    EXPECT_EQ(Arbeitsfaktor({640, 480}), 1.0);
    EXPECT_EQ(Arbeitsfaktor({1000, 3250}), 2.5);
}

TEST_F(AlignTest, FewerThanTwoImagesAreRefused)
{
    bild(1, 0, 0);
    EXPECT_FALSE(StartOFButtonClick(p));
    EXPECT_EQ(messages(), std::vector<std::string>{"Information: Für die Auto-Justierung müssen mindestens 2 Bilder geladen sein."});
    EXPECT_EQ(e(1).AJStatus[0], " ");
}

TEST_F(AlignTest, ReferenceThreeOfFiveChainsOutwards)
{
    for (int n = 1; n <= 5; ++n)
        bild(n, 5.0 * (n - 3), 2.0 * (3 - n));
    p.autoJust.referenzbild = 3;
    EXPECT_EQ(paarFolge(), (std::vector<int>{4, 5, 2, 1}));
    EXPECT_TRUE(messages().empty());
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        // Image n lies 5 (n − 3) pixels right and 2 (n − 3) pixels up: it moves back.
        EXPECT_NEAR(e(n).dx, -5.0 * (n - 3), 0.3);
        EXPECT_NEAR(e(n).dy, -2.0 * (n - 3), 0.3);
        EXPECT_NEAR(e(n).rot, 0.0, 0.05);
        EXPECT_NEAR(e(n).skal, 1.0, 0.001);
        EXPECT_EQ(e(n).AJStatus[0], n == 3 ? "O" : "+");
        EXPECT_EQ(e(n).AJStatus[2], n == 3 ? "O" : "*");
    }
    EXPECT_EQ(e(3).AJRef1, 0);
    EXPECT_GT(e(4).AJRef1, 0);
    EXPECT_EQ(p.autoJustAnzeige.prozent, -1);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(AlignTest, AFailedImageIsPassedOver)
{
    for (int n = 1; n <= 5; ++n)
        bild(n, 4.0 * (n - 3), 0);
    addImage(4, 320, 240, uniform(128, 128, 128));
    e(4).dx = 1.25;
    p.autoJust.referenzbild = 3;
    paarFolge();
    EXPECT_EQ(e(4).AJStatus[0], "-");
    EXPECT_EQ(e(4).dx, 1.25);
    EXPECT_EQ(e(5).AJStatus[0], "+");
    // Image 5 was aligned to image 3 directly.
    EXPECT_NEAR(e(5).dx, -8.0, 0.3);
}

TEST_F(AlignTest, SymmetricModeHalvesTheCorrectionForBoth)
{
    bild(1, 0, 0);
    bild(2, 8, 4);
    p.autoJust.symmetrisch = true;
    ASSERT_TRUE(StartOFButtonClick(p));
    EXPECT_NEAR(e(1).dx, 4.0, 0.3);
    EXPECT_NEAR(e(2).dx, -4.0, 0.3);
    EXPECT_NEAR(e(1).dy, -2.0, 0.3);
    EXPECT_NEAR(e(2).dy, 2.0, 0.3);
    EXPECT_EQ(e(1).AJStatus[0], e(2).AJStatus[0]);
    EXPECT_EQ(e(2).AJStatus[0], "+");
}

TEST_F(AlignTest, IdenticalImagesNeedNoChange)
{
    bild(1, 0, 0);
    bild(2, 0, 0);
    p.autoJust.referenzbild = 1;
    ASSERT_TRUE(StartOFButtonClick(p));
    EXPECT_EQ(e(2).AJStatus[0], "1");
    EXPECT_EQ(e(2).AJRef1, 1);
    EXPECT_EQ(e(2).dx, 0.0);
    EXPECT_EQ(e(2).skal, 1.0);
}

TEST_F(AlignTest, AReferencePointBecomesAPlainShift)
{
    bild(1, 0, 0);
    bild(2, 0, 0);
    Referenzpunkt(e(2), 100, 80);
    p.refInfo.x = 103;
    p.refInfo.y = 78;
    p.refInfo.referenzbild = 1;
    p.autoJust.referenzbild = 1;
    ASSERT_TRUE(StartOFButtonClick(p));
    EXPECT_FALSE(e(2).refModus);
    EXPECT_EQ(p.refInfo.referenzbild, -1);
    // The point moved 3 right and 2 up; identical pictures pull it back.
    EXPECT_NEAR(e(2).dx, 0.0, 0.3);
    EXPECT_NEAR(e(2).dy, 0.0, 0.3);
}

TEST_F(AlignTest, AnAbortRestoresEveryParameter)
{
    for (int n = 1; n <= 3; ++n)
        bild(n, 6.0 * n, 0);
    e(1).dx = 0.75;
    e(1).rot = 0.5;
    e(2).skal = 1.0625;
    e(2).AJStatus = {"+", "-", "?"};
    e(2).AJRef1 = 4;
    Referenzpunkt(e(3), 50, 60);
    p.refInfo.referenzbild = 2;
    p.refInfo.x = 52;
    p.refInfo.y = 61;
    std::vector<ImageEntry> vorher(p.bilder.bild.begin() + 1, p.bilder.bild.begin() + 4);
    const RefInfo refVorher = p.refInfo;
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.phase.rfind("O3", 0) == 0)
            p.ctx.state.abort = true;
    };
    EXPECT_FALSE(StartOFButtonClick(p));
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const ImageEntry& a = vorher[static_cast<size_t>(n - 1)];
        const ImageEntry& b = e(n);
        EXPECT_EQ(b.dx, a.dx);
        EXPECT_EQ(b.dy, a.dy);
        EXPECT_EQ(b.rot, a.rot);
        EXPECT_EQ(b.skal, a.skal);
        EXPECT_EQ(b.vx, a.vx);
        EXPECT_EQ(b.vy, a.vy);
        EXPECT_EQ(b.refModus, a.refModus);
        EXPECT_EQ(b.refX, a.refX);
        EXPECT_EQ(b.refY, a.refY);
        EXPECT_EQ(b.RaumMatrix1, a.RaumMatrix1);
        EXPECT_EQ(b.RaumMatrix2, a.RaumMatrix2);
        EXPECT_EQ(b.AJRef1, a.AJRef1);
        EXPECT_EQ(b.AJStatus, a.AJStatus);
    }
    EXPECT_EQ(p.refInfo.referenzbild, refVorher.referenzbild);
    EXPECT_EQ(p.refInfo.x, refVorher.x);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    // The aligned rasters show the old parameters again.
    EXPECT_EQ(e(1).slot[SlotJustiert].breite, 320);
}

TEST_F(AlignTest, TheWindowIsLockedWhileARunLastsHoweverItEnds)
{
    std::vector<std::string> ablauf;
    AutoJustFenster fenster;
    fenster.sperren = [&] { ablauf.push_back(p.ctx.state.busy ? "sperren im Lauf" : "sperren"); };
    fenster.entsperren = [&] { ablauf.push_back(p.ctx.state.busy ? "entsperren im Lauf" : "entsperren"); };
    bild(1, 0, 0);
    EXPECT_FALSE(StartOFButtonClick(p, fenster));
    EXPECT_TRUE(ablauf.empty());

    bild(2, 3, 0);
    EXPECT_TRUE(StartOFButtonClick(p, fenster));
    EXPECT_EQ(ablauf, (std::vector<std::string>{"sperren", "entsperren"}));

    ablauf.clear();
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.phase.rfind("O3", 0) == 0)
            p.ctx.state.abort = true;
    };
    EXPECT_FALSE(StartOFButtonClick(p, fenster));
    EXPECT_EQ(ablauf, (std::vector<std::string>{"sperren", "entsperren"}));

    // A working raster that cannot be read ends the run as a failure.
    ablauf.clear();
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.phase == "O3")
            std::filesystem::remove(e(2).slot[SlotAutoJust].pfad);
    };
    EXPECT_FALSE(StartOFButtonClick(p, fenster));
    EXPECT_EQ(ablauf, (std::vector<std::string>{"sperren", "entsperren"}));
    EXPECT_FALSE(messages().empty());
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(AlignTest, FinePassRefinesWithinHalfAWorkingPixel)
{
    muster = Muster(1400, 300, 900);
    bild(1, 0, 0, 1400, 300);
    bild(2, 6, 0, 1400, 300);
    p.autoJust.referenzbild = 1;
    p.autoJust.grob = false;
    ASSERT_TRUE(StartOFButtonClick(p));
    EXPECT_TRUE(e(2).AJStatus[1] == "1" || e(2).AJStatus[1] == "+") << e(2).AJStatus[1];
    EXPECT_EQ(e(2).AJStatus[2], "+");
    EXPECT_EQ(e(1).AJStatus[2], "+");
    EXPECT_NEAR(e(2).dx, -6.0, 0.2);
}

}
