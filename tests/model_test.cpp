#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "model/Programm.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct ModelTest : Programmumgebung {
    // Adds an image whose rasters are real files and whose parameters carry its number.
    void addImage(int n)
    {
        p.bilder.anzahl = n;
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
        e.slot[SlotQuelle].pfad = "/fotos/bild" + std::to_string(n) + ".jpg";
        e.slot[SlotQuelle].name = "bild" + std::to_string(n) + ".jpg";
        e.slot[SlotQuelle].eigentum = -1;
        for (int s = 1; s < SlotAnzahl; ++s) {
            RasterSlot& r = e.slot[static_cast<size_t>(s)];
            r.pfad = TempDateiname(t.files.tempFolder(), n, s);
            r.breite = 10 * n;
            r.hoehe = 5 * n;
            writeBmp(r.pfad, 1, 1, [n](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = static_cast<uint8_t>(n); });
        }
        e.dx = n + 0.5;
        e.dy = -n;
        e.rot = n / 10.0;
        e.skal = 1.0 + n / 100.0;
        e.refX = n;
        e.spiegelX = n % 2 == 1;
        e.filterNr = n;
        e.histo = n == 2;
        e.RaumMatrix1.m[0][3] = n;
        e.AJStatus[0] = std::to_string(n);
    }
    void addImages(int count)
    {
        for (int n = 1; n <= count; ++n)
            addImage(n);
    }
    // The image that was added as number `original` now stands at `at`.
    void expectImage(int at, int original)
    {
        const ImageEntry& e = p.bilder.bild[static_cast<size_t>(at)];
        EXPECT_EQ(e.slot[SlotQuelle].name, "bild" + std::to_string(original) + ".jpg");
        EXPECT_EQ(e.slot[SlotArbeitskopie].breite, 10 * original);
        EXPECT_EQ(readFile(e.slot[SlotJustiert].pfad)[54], original);
        EXPECT_EQ(e.dx, original + 0.5);
        EXPECT_EQ(e.refX, original);
        EXPECT_EQ(e.filterNr, original);
        EXPECT_EQ(e.histo, original == 2);
        EXPECT_EQ(e.RaumMatrix1.m[0][3], original);
        EXPECT_EQ(e.AJStatus[0], std::to_string(original));
    }
};

}

TEST_F(ModelTest, EverySlotOfTheResultLiesInTheTemporaryFolder)
{
    for (int s = 0; s < SlotAnzahl; ++s)
        EXPECT_EQ(fs::path(p.bilder.ergebnis().slot[static_cast<size_t>(s)].pfad).parent_path(), t.files.tempFolder());
}

TEST(TempDateiname, NameCarriesDayMillisecondsIndexAndSlot)
{
    const std::string name = fs::path(TempDateiname("/tmp/LUMIVEX-x", 12, 3)).filename().string();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(name, m, std::regex(R"(~\$([1-9][0-9]*)_(0|[1-9][0-9]*)_12_3\.bmp)")));
    // Today lies between 2020-01-01 (day 737425) and 2100-01-01 (day 766645).
    const long day = std::stol(m[1]);
    EXPECT_GT(day, 737425);
    EXPECT_LT(day, 766645);
    EXPECT_LT(std::stol(m[2]), 86'400'000);
    EXPECT_EQ(fs::path(TempDateiname("/tmp/LUMIVEX-x", 0, 0)).parent_path(), "/tmp/LUMIVEX-x");
}

TEST_F(ModelTest, RemovingMovesTheFollowingImagesUp)
{
    addImages(4);
    const std::string geloescht = p.bilder.bild[2].slot[SlotArbeitskopie].pfad;
    ASSERT_TRUE(p.bilder.Entfernen(2));
    EXPECT_FALSE(fs::exists(geloescht));
    p.bilder.anzahl = 3;
    expectImage(1, 1);
    expectImage(2, 3);
    expectImage(3, 4);
    // The old last entry is empty again.
    EXPECT_TRUE(p.bilder.bild[4].slot[SlotQuelle].name.empty());
    EXPECT_EQ(p.bilder.bild[4].skal, 1.0);
}

TEST_F(ModelTest, RemovingDeletesOnlyTemporaryFiles)
{
    addImage(1);
    const fs::path eigene = t.files.tempFolder() / "eigenes.bmp";
    writeBmp(eigene, 1, 1, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    p.bilder.bild[1].slot[SlotQuelle].pfad = eigene.string();
    ASSERT_TRUE(p.bilder.Entfernen(1));
    EXPECT_TRUE(fs::exists(eigene));

    addImage(1);
    const fs::path temp = t.files.tempFolder() / "mpo_teil.JPG";
    writeBmp(temp, 1, 1, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    p.bilder.bild[1].slot[SlotQuelle].pfad = temp.string();
    p.bilder.bild[1].slot[SlotQuelle].eigentum = 0;
    ASSERT_TRUE(p.bilder.Entfernen(1));
    EXPECT_FALSE(fs::exists(temp));
}

TEST_F(ModelTest, InvalidNumbersChangeNothing)
{
    EXPECT_FALSE(p.bilder.Entfernen(1));
    addImages(3);
    for (int n : {0, 4, -1}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        EXPECT_FALSE(p.bilder.Entfernen(n));
        EXPECT_EQ(p.bilder.Hoch(n), -1);
        EXPECT_EQ(p.bilder.Runter(n), -1);
    }
    for (int n = 1; n <= 3; ++n)
        expectImage(n, n);
}

TEST_F(ModelTest, MovingUpAndDown)
{
    addImages(3);
    EXPECT_EQ(p.bilder.Hoch(1), 1);
    expectImage(1, 1);
    EXPECT_EQ(p.bilder.Runter(3), 3);
    expectImage(3, 3);
    EXPECT_EQ(p.bilder.Hoch(3), 2);
    expectImage(2, 3);
    expectImage(3, 2);
    EXPECT_EQ(p.bilder.Runter(1), 2);
    expectImage(1, 3);
    expectImage(2, 1);
    expectImage(3, 2);
}

TEST_F(ModelTest, LargestWorkingCopy)
{
    EXPECT_EQ(p.bilder.MaxArbeitskopie(), (Groesse{0, 0}));
    addImage(1);
    p.bilder.bild[1].slot[SlotArbeitskopie].breite = 300;
    p.bilder.bild[1].slot[SlotArbeitskopie].hoehe = 100;
    EXPECT_EQ(p.bilder.MaxArbeitskopie(), (Groesse{300, 100}));
    addImage(2);
    p.bilder.bild[2].slot[SlotArbeitskopie].breite = 200;
    p.bilder.bild[2].slot[SlotArbeitskopie].hoehe = 400;
    EXPECT_EQ(p.bilder.MaxArbeitskopie(), (Groesse{300, 400}));
}

TEST(Listenzeile, BothFontSizes)
{
    ImageEntry e;
    e.slot[SlotQuelle].name = "urlaub_links.jpg";
    e.slot[SlotQuelle].breite = 4000;
    e.slot[SlotQuelle].hoehe = 3000;
    e.dx = 12.25;
    e.dy = -3.0;
    e.rot = 0.5;
    e.skal = 1.002;
    EXPECT_EQ(Listenzeile(e, 1, true, false, 8), "L  1 urlau 4000  3000     12,3   -3,0   0,5 1,002  ");
    EXPECT_EQ(Listenzeile(e, 12, false, true, 7),
              " R12 urlaub_links.jpg       4000  3000     12,3   -3,0   0,5 1,002  ");
    EXPECT_EQ(Listenkopf(8), " Nr Dat. breit  hoch P   P/dx   P/dy   Rot  Skal AJ");
    EXPECT_EQ(Listenkopf(7).size(), Listenzeile(e, 12, false, true, 7).size());
}

TEST(Listenzeile, ReferenceModeAndAlignmentMark)
{
    ImageEntry e;
    e.slot[SlotQuelle].name = "a.bmp";
    e.slot[SlotQuelle].breite = 16;
    e.slot[SlotQuelle].hoehe = 99999;
    e.istReferenzbild = true;
    e.refModus = true;
    e.refX = 120;
    e.refY = -7;
    e.AJRef1 = 3;
    e.AJStatus[0] = "1";
    EXPECT_EQ(Listenzeile(e, 3, true, true, 8), "LR 3 a.bmp   16 99999++    120     -7   0,0 1,000 +");
    e.AJStatus[0] = "?";
    EXPECT_EQ(Listenzeile(e, 3, false, false, 8).back(), '?');
    e.AJRef1 = -1;
    EXPECT_EQ(Listenzeile(e, 3, false, false, 8).back(), ' ');
}

TEST_F(ModelTest, ListRowsMarkImagesLAndR)
{
    addImages(3);
    const auto rows = Listenzeilen(p.bilder, 1, 3, 8);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 5), "L  1 ");
    EXPECT_EQ(rows[1].substr(0, 5), "   2 ");
    EXPECT_EQ(rows[2].substr(0, 5), " R 3 ");
}
