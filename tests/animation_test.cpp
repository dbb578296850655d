#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "commands/Animation.h"
#include "compose/Animation.h"
#include "compose/Pipeline.h"
#include "support/Bytes.h"
#include "support/ImageFixture.h"

namespace fs = std::filesystem;

namespace {

std::vector<int32_t> ticks(int32_t anzahl, bool pingPong, int n)
{
    Animation a;
    std::vector<int32_t> bilder;
    for (int i = 0; i < n; ++i) {
        bilder.push_back(a.bild);
        Animation_Schritt(a, anzahl, pingPong);
    }
    return bilder;
}

// The pictures of an animated WebP as its chunks say: the duration of every
// ANMF chunk (24 bits at byte 12 of its payload), read without libwebp.
std::vector<int32_t> webpDauern(const Bytes& d)
{
    std::vector<int32_t> dauern;
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" || std::string(d.begin() + 8, d.begin() + 12) != "WEBP")
        return dauern;
    for (size_t pos = 12; pos + 8 <= d.size();) {
        const std::string art(d.begin() + static_cast<long>(pos), d.begin() + static_cast<long>(pos) + 4);
        const size_t laenge = d[pos + 4] | d[pos + 5] << 8 | d[pos + 6] << 16 | size_t{d[pos + 7]} << 24;
        if (art == "ANMF" && pos + 8 + 15 <= d.size())
            dauern.push_back(d[pos + 20] | d[pos + 21] << 8 | d[pos + 22] << 16);
        pos += 8 + laenge + (laenge & 1);
    }
    return dauern;
}

}

TEST(Animation, FramesCycleOrSwingBackAtBothEnds)
{
    EXPECT_EQ(ticks(2, false, 6), (std::vector<int32_t>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(ticks(2, true, 9), (std::vector<int32_t>{1, 2, 2, 1, 1, 2, 2, 1, 1}));
    EXPECT_EQ(ticks(3, true, 8), (std::vector<int32_t>{1, 2, 3, 3, 2, 1, 1, 2}));
    EXPECT_EQ(ticks(1, true, 3), (std::vector<int32_t>{1, 1, 1}));
}

TEST(Animation, SpeedGivesTheTimerInterval)
{
    EXPECT_EQ(Animation_Intervall(5), 100);
    EXPECT_EQ(Animation_Intervall(3), 300);
    EXPECT_EQ(Animation_Intervall(1), 500);
}

TEST(Animation, APeriodJoinsTicksOfTheSameImage)
{
    EXPECT_EQ(Animation_Folge(2, 5, true), (std::vector<Animationsbild>{{1, 100}, {2, 200}, {1, 100}}));
    EXPECT_EQ(Animation_Folge(3, 1, false), (std::vector<Animationsbild>{{1, 500}, {2, 500}, {3, 500}}));
    EXPECT_EQ(Animation_Folge(3, 3, true),
              (std::vector<Animationsbild>{{1, 300}, {2, 300}, {3, 600}, {2, 300}, {1, 300}}));
    EXPECT_TRUE(Animation_Folge(0, 3, false).empty());
}

TEST(Vollbild, StepFromTheScreenSize)
{
    AppState st;
    st.screenWidth = 1280;
    st.screenHeight = 1024;
    EXPECT_EQ(Abtastschritt(st, 1280, 1024), 1);
    EXPECT_EQ(Abtastschritt(st, 1281, 1024), 1);
    EXPECT_EQ(Abtastschritt(st, 2558, 100), 1);
    EXPECT_EQ(Abtastschritt(st, 2559, 100), 2);
    EXPECT_EQ(Abtastschritt(st, 100, 3071), 3);
    EXPECT_EQ(Abtastschritt(st, 0, 0), 1);
}

struct VollbildTest : ImageFixture {};

TEST_F(VollbildTest, TheRasterTakesEveryStepthPixel)
{
    EXPECT_FALSE(Vollbild_Berechnen(p));
    RasterSlot& ergebnis = p.bilder.ergebnis().slot[SlotFarbErgebnis];
    fillSlot(ergebnis, 7, 5, distinct);
    p.ctx.state.screenWidth = 3;
    p.ctx.state.screenHeight = 2;
    // Step max(8 div 3, 6 div 2, 1) = 3: 2 × 1 pixels from (0, 0) and (3, 0).
    ASSERT_TRUE(Vollbild_Berechnen(p));
    const RasterSlot& vollbild = p.bilder.ergebnis().slot[SlotVollbild];
    EXPECT_EQ(vollbild.breite, 2);
    EXPECT_EQ(vollbild.hoehe, 1);
    const Bytes datei = readFile(vollbild.pfad);
    EXPECT_EQ(bmpPixel(datei, 0, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(datei, 1, 0), (Bytes{21, 3, 0}));
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_TRUE(messages().empty());

    p.ctx.state.busy = true;
    EXPECT_FALSE(Vollbild_Berechnen(p));
}

struct WiggleTest : ImageFixture {
    // Image n with a preview-size copy (slot 4) of 8 × 6 in one colour.
    void vorschau(int n, uint8_t wert)
    {
        ImageEntry& e = addImage(n, 8, 6, uniform(wert, wert, wert));
        fillSlot(e.slot[SlotVorschau], 8, 6, uniform(wert, 0, 255 - wert));
    }
    fs::path ziel() { return t.files.tempFolder() / "wiggle.webp"; }
};

TEST_F(WiggleTest, OneImageIsNoAnimation)
{
    vorschau(1, 10);
    EXPECT_FALSE(Animation_Speichern(p, ziel(), 3, false));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Warnung: Für die Animation müssen mindestens 2 Bilder geladen sein."}));
    EXPECT_FALSE(fs::exists(ziel()));
}

TEST_F(WiggleTest, PicturesAndDurationsFollowTheTicks)
{
    vorschau(1, 10);
    vorschau(2, 200);
    vorschau(3, 90);
    ASSERT_TRUE(Animation_Speichern(p, ziel(), 4, true));
    EXPECT_EQ(webpDauern(readFile(ziel())), (std::vector<int32_t>{200, 200, 400, 200, 200}));
    ASSERT_TRUE(Animation_Speichern(p, ziel(), 1, false));
    EXPECT_EQ(webpDauern(readFile(ziel())), (std::vector<int32_t>{500, 500, 500}));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(WiggleTest, ImagesOfDifferentSizesAreRefused)
{
    vorschau(1, 10);
    vorschau(2, 200);
    fillSlot(p.bilder.bild[2].slot[SlotVorschau], 9, 6, distinct);
    EXPECT_FALSE(Animation_Speichern(p, ziel(), 3, false));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Fehler: Fehler beim Speichern der Datei!"}));
    EXPECT_FALSE(fs::exists(ziel()));
}

TEST_F(WiggleTest, AbortLeavesNoFile)
{
    vorschau(1, 10);
    vorschau(2, 200);
    t.events.onPump = [this](const AppState&) { p.ctx.state.abort = true; };
    EXPECT_FALSE(Animation_Speichern(p, ziel(), 3, false));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(fs::exists(ziel()));
    EXPECT_FALSE(p.ctx.state.abort);
    for (const auto& e : fs::directory_iterator(t.files.tempFolder()))
        EXPECT_NE(e.path().extension(), ".webp") << e.path();
}
