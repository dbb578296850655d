#include <gtest/gtest.h>

#include "commands/Liste.h"
#include "support/ImageFixture.h"
#include "support/Programmumgebung.h"

void PrintTo(const Auswahl& a, std::ostream* os)
{
    *os << "{vorschau " << a.vorschau << ", L " << a.bildL << ", R " << a.bildR << ", Zeile " << a.listenZeile
        << ", justL " << a.justL << ", justR " << a.justR << "}";
}

namespace {

struct ListTest : ImageFixture {
    ListTest()
    {
        p.ansicht.boxBreite = 200;
        p.ansicht.boxHoehe = 100;
    }
    // n images whose working copies and aligned rasters carry their number in every red byte.
    void addImages(int count)
    {
        for (int n = 1; n <= count; ++n) {
            ImageEntry& e = addImage(n, 20, 20, uniform(0, 0, static_cast<uint8_t>(n)));
            e.slot[SlotQuelle].name = "b" + std::to_string(n);
            fillSlot(e.slot[SlotJustiert], 20, 20, uniform(0, 0, static_cast<uint8_t>(n)));
        }
    }
    int shownImage() { return bmpPixel(readFile(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad), 0, 0)[2]; }
};

}

TEST_F(ListTest, ClickChoosesImageLOrR)
{
    addImages(3);
    p.auswahl = {VorschauBildL, 1, 1, 1, true, false};
    ListenBoxClick(p, 3);
    EXPECT_EQ(p.auswahl.bildL, 3);
    EXPECT_EQ(p.auswahl.listenZeile, 3);
    EXPECT_EQ(shownImage(), 3);
    EXPECT_TRUE(p.ctx.state.modified);

    p.auswahl.justL = false;
    p.auswahl.justR = true;
    ListenBoxClick(p, 2);
    EXPECT_EQ(p.auswahl.bildR, 2);
    EXPECT_EQ(p.auswahl.bildL, 3);
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildR);
    EXPECT_EQ(shownImage(), 2);
}

TEST_F(ListTest, ClickWithoutChoiceOrPreviewShowsTheImageAsR)
{
    addImages(2);
    p.auswahl = {VorschauKeine, 0, 0, 0, false, false};
    ListenBoxClick(p, 2);
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildR);
    EXPECT_TRUE(p.auswahl.justR);
    EXPECT_EQ(p.auswahl.bildR, 2);
    EXPECT_EQ(shownImage(), 2);
}

TEST_F(ListTest, ClickWhileBusyDoesNothing)
{
    addImages(2);
    p.ctx.state.busy = true;
    ListenBoxClick(p, 2);
    EXPECT_EQ(p.auswahl.bildR, 0);
    EXPECT_FALSE(p.ctx.state.modified);
}

TEST_F(ListTest, RemovingTheOnlyImage)
{
    addImages(1);
    p.auswahl = {VorschauBildL, 1, 1, 1, true, false};
    BildEntfernenClick(p);
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_EQ(p.auswahl, (Auswahl{VorschauKeine, 0, 0, 0, false, true}));
}

TEST_F(ListTest, RemovingTheLastSelectsTheNewLast)
{
    addImages(3);
    p.auswahl = {VorschauBildL, 1, 1, 3, true, false};
    BildEntfernenClick(p);
    EXPECT_EQ(p.bilder.anzahl, 2);
    EXPECT_EQ(p.auswahl, (Auswahl{VorschauBildR, 2, 2, 2, false, true}));
    EXPECT_EQ(shownImage(), 2);
}

TEST_F(ListTest, RemovingWithoutSelectionDoesNothing)
{
    addImages(2);
    BildEntfernenClick(p);
    EXPECT_EQ(p.bilder.anzahl, 2);
}

TEST_F(ListTest, MovingFirstUpAndLastDownKeepTheOrder)
{
    addImages(3);
    p.auswahl = {VorschauBildR, 1, 1, 1, false, true};
    HochBitBtnClick(p);
    EXPECT_EQ(p.auswahl.listenZeile, 1);
    EXPECT_EQ(p.bilder.bild[1].slot[SlotQuelle].name, "b1");
    p.auswahl.listenZeile = 3;
    RunterBitBtnClick(p);
    EXPECT_EQ(p.auswahl.listenZeile, 3);
    EXPECT_EQ(p.bilder.bild[3].slot[SlotQuelle].name, "b3");
}

TEST_F(ListTest, MovingUpTakesTheImageAlong)
{
    addImages(3);
    p.auswahl = {VorschauBildR, 1, 1, 3, false, true};
    HochBitBtnClick(p);
    EXPECT_EQ(p.auswahl.listenZeile, 2);
    EXPECT_EQ(p.bilder.bild[2].slot[SlotQuelle].name, "b3");
    EXPECT_EQ(p.auswahl.bildR, 2);
    EXPECT_EQ(shownImage(), 3);
}

TEST_F(ListTest, PreviewModeChoosesTheRadioButtons)
{
    addImages(2);
    p.auswahl = {VorschauKeine, 1, 2, 0, false, false};
    VorschauRadioGroupClick(p, VorschauBildL);
    EXPECT_TRUE(p.auswahl.justL);
    EXPECT_FALSE(p.auswahl.justR);
    EXPECT_EQ(shownImage(), 1);
    VorschauRadioGroupClick(p, VorschauBildR);
    EXPECT_TRUE(p.auswahl.justR);
    EXPECT_EQ(shownImage(), 2);
    p.auswahl.justR = false;
    VorschauRadioGroupClick(p, VorschauAnaglyph);
    EXPECT_TRUE(p.auswahl.justR);  // neither was checked: R
    p.auswahl.justL = true;
    p.auswahl.justR = false;
    VorschauRadioGroupClick(p, VorschauStereo);
    EXPECT_TRUE(p.auswahl.justL);
    VorschauRadioGroupClick(p, VorschauKeine);
    EXPECT_FALSE(p.auswahl.justL || p.auswahl.justR);
    EXPECT_GE(t.display.cleared, 1);
}

TEST_F(ListTest, RemovingTheReferenceImagePassesTheReferenceOn)
{
    addImages(3);
    ImageEntry& erstes = p.bilder.bild[1];
    erstes.istReferenzbild = erstes.refModus = true;
    erstes.refX = erstes.refY = 4;
    Referenzpunkt(p.bilder.bild[3], 6, 7);
    p.refInfo = {1, 4, 4, false, true, 3};
    p.auswahl = {VorschauBildR, 1, 1, 1, false, true};
    BildEntfernenClick(p);
    // Image 3 is image 2 now, and the reference image.
    EXPECT_EQ(p.refInfo.referenzbild, 2);
    EXPECT_EQ(p.refInfo.x, 6);
    EXPECT_EQ(p.refInfo.y, 7);
    EXPECT_TRUE(p.bilder.bild[2].istReferenzbild);
    ASSERT_FALSE(t.messages.lines.empty());
    EXPECT_EQ(t.messages.lines.front(),
              "Information: Es erfolgt eine Neujustierung aller Bilder zum geänderten Referenzbild!");

    // Moved, it keeps being the reference under its new number.
    p.auswahl.listenZeile = 2;
    HochBitBtnClick(p);
    EXPECT_EQ(p.refInfo.referenzbild, 1);
    EXPECT_TRUE(p.bilder.bild[1].istReferenzbild);
}
