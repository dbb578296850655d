#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include "platform/qt/QtServices.h"
#include "support/TestServices.h"
#include "support/Testfenster.h"
#include "ui/TForm1.h"
#include "ui/Vorschau.h"

namespace {

using GuiTest = Fensterumgebung;

}

TEST_F(GuiTest, ControlsCarryTheirNamesAndTexts)
{
    auto* tabs = finde<QTabWidget>("TabControl1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 12);
    EXPECT_EQ(tabs->tabText(11), "XP");
    EXPECT_EQ(tabs->tabText(0), "");
    EXPECT_FALSE(tabs->tabIcon(0).isNull());
    EXPECT_EQ(finde<QGroupBox>("LCDGroupBox")->title(), QString::fromUtf8(" Streifenberechnung von 2 Bildern "));
    EXPECT_EQ(finde<QGroupBox>("VorschauRadioGroup")->findChildren<QRadioButton*>().size(), 7);
    EXPECT_EQ(finde<QComboBox>("ZoomComboBox")->itemText(0), "1:1");
    EXPECT_EQ(fenster.windowTitle(), "Lumivex 5 ");
    for (const char* name : {"ListenBox", "NeuButton", "BildEntfernen", "HochBitBtn", "RunterBitBtn", "ComboBoxA",
                             "ComboBoxB", "STOPButton", "FortschrittBar", "xScrollBar", "yScrollBar",
                             "FarbeHellTrackBar", "lpiEdit", "xSizeEdit", "DruckSpiegelCheckBox"})
        EXPECT_NE(fenster.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(GuiTest, ChoosingAPreviewModeShowsTheImage)
{
    addImages(2);
    zeigen();
    const auto modi = finde<QGroupBox>("VorschauRadioGroup")->findChildren<QRadioButton*>();
    modi[2]->click();
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildR);
    EXPECT_TRUE(t.messages.lines.empty());
    auto* liste = finde<QListWidget>("ListenBox");
    ASSERT_EQ(liste->count(), 2);
    EXPECT_TRUE(liste->item(1)->text().startsWith(" R 2 bild2"));
    EXPECT_EQ(liste->currentRow(), 1);
    EXPECT_EQ(finde<QComboBox>("ComboBoxB")->currentText(), "  2");
    const RasterSlot& anzeige = p.bilder.ergebnis().slot[SlotAnzeige];
    EXPECT_EQ(anzeige.breite, 64);
    EXPECT_EQ(bmpPixel(readFile(anzeige.pfad), 5, 5)[2], 200);
}

TEST(Einpassen, FitsAndCentres)
{
    EXPECT_EQ(Vorschau::Einpassen(QSize(4000, 1000), QRect(0, 0, 400, 400)), QRect(0, 150, 400, 100));
    EXPECT_EQ(Vorschau::Einpassen(QSize(100, 300), QRect(10, 10, 300, 300)), QRect(110, 10, 100, 300));
    EXPECT_TRUE(Vorschau::Einpassen(QSize(0, 10), QRect(0, 0, 10, 10)).isNull());
}
