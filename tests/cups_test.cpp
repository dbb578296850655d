// The printer service against a CUPS scheduler that tests/e2e/print_test.sh
// starts for this run: with the queues "Alpha" (720 × 360 dpi, its own PPD)
// and "Beta" (the PDF printer's PPD, the default), or with none.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "commands/Projekt.h"
#include "platform/qt/QtDrucker.h"
#include "platform/qt/QtServices.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"
#include "ui/TForm1.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> KeinDrucker{
    "Warnung: Es ist kein Drucker installiert. Die Option AUTO der Linsenrsater-Druckoptimierung wird deaktiviert!"};
const std::vector<std::string> AndereDrucker{
    "Fehler: Aktuelle Druckerumgebung entspricht nicht den Angaben in der Projektdatei!",
    "Warnung: Die Linsenraster-Druckoptimierung wird deaktiviert und kann mit der aktuellen Druckerumgebung wieder "
    "aktiviert werden."};

struct CupsTest : ::testing::Test {
    TestServices t;
    CupsPrinters drucker;
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, drucker, t.textRaster}};

    // No real dialog ever waits for a user here.
    CupsTest()
    {
        drucker.dialog = [](QPrinter&) {
            ADD_FAILURE() << "unexpected set-up dialog";
            return false;
        };
    }

    // Opens a project without images that prints optimised for the printer at index with name.
    void projektMitDrucker(int index, const std::string& name)
    {
        ProjektDaten d;
        d.druckOptimierung = true;
        d.dpiAuto = true;
        d.dpiManuell = false;
        d.druckerIndex = index;
        d.druckerName = name;
        const fs::path datei = t.files.tempFolder() / "drucker.lvx";
        writeBytes(datei, ProjektKodieren(d));
        t.messages.lines.clear();
        OeffnenAllgemein(p, datei.string());
    }
};

using MitDruckern = CupsTest;
using OhneDrucker = CupsTest;

TEST_F(MitDruckern, TheListIsTheSystemsAndTheDefaultIsCurrent)
{
    EXPECT_EQ(drucker.names(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(drucker.current(), 1);
    drucker.setCurrent(0);
    EXPECT_EQ(drucker.current(), 0);
    drucker.setCurrent(5);
    EXPECT_EQ(drucker.current(), -1);
    // Without a current printer the set-up dialog starts at the system's default.
    drucker.dialog = [](QPrinter&) { return false; };
    EXPECT_FALSE(drucker.setupDialog());
    EXPECT_EQ(drucker.current(), 1);
}

TEST_F(MitDruckern, TheResolutionIsTheQueuesOwn)
{
    drucker.setCurrent(0);
    EXPECT_EQ(std::pair(drucker.dpiX(), drucker.dpiY()), std::pair(720, 360));
    // The page is A4 and printable to its edges: 595 points at 720 dpi.
    EXPECT_EQ(std::tuple(drucker.offsetX(), drucker.offsetY(), drucker.pageWidth()), std::tuple(0, 0, 5950));
    drucker.setCurrent(1);
    EXPECT_EQ(std::pair(drucker.dpiX(), drucker.dpiY()), std::pair(300, 300));
}

TEST_F(MitDruckern, TheDialogsChoiceBecomesCurrent)
{
    drucker.dialog = [](QPrinter& pr) {
        pr.setPrinterName(QStringLiteral("Alpha"));
        return true;
    };
    EXPECT_TRUE(drucker.setupDialog());
    EXPECT_EQ(drucker.current(), 0);
    drucker.dialog = [](QPrinter&) { return false; };
    EXPECT_FALSE(drucker.setupDialog());
}

TEST_F(MitDruckern, TheWindowOffersThePrintersForAutomaticResolution)
{
    TForm1 fenster(p, display);
    EXPECT_TRUE(t.messages.lines.empty());
    auto* liste = fenster.findChild<QComboBox*>(QStringLiteral("dpiPrinterComboBox"));
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->itemText(0), "Alpha");
    EXPECT_EQ(liste->currentIndex(), 1);
    fenster.findChild<QCheckBox*>(QStringLiteral("DruckOptimierungCheckBox"))->click();
    EXPECT_TRUE(p.compose.DruckOptimierung);
    EXPECT_TRUE(p.compose.dpiAuto);
    EXPECT_TRUE(fenster.findChild<QRadioButton*>(QStringLiteral("dpiAutoRadioButton"))->isEnabled());
    EXPECT_TRUE(liste->isEnabled());
    EXPECT_EQ(p.compose.druckerName, "Beta");
}

TEST_F(MitDruckern, AProjectFindsItsPrinterInTheList)
{
    projektMitDrucker(1, "Beta");
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_TRUE(p.compose.DruckOptimierung);
    EXPECT_EQ(drucker.current(), 1);
    projektMitDrucker(0, "Beta");
    EXPECT_EQ(t.messages.lines, AndereDrucker);
    EXPECT_FALSE(p.compose.DruckOptimierung);
}

TEST_F(OhneDrucker, NothingCanBeChosenOrPrinted)
{
    EXPECT_TRUE(drucker.names().empty());
    EXPECT_EQ(drucker.current(), -1);
    EXPECT_EQ(std::pair(drucker.dpiX(), drucker.dpiY()), std::pair(0, 0));
    EXPECT_FALSE(drucker.setupDialog());
    EXPECT_FALSE(drucker.beginDocument());
    EXPECT_FALSE(drucker.endDocument());
}

TEST_F(OhneDrucker, TheWindowWarnsAndProjectsLoseTheirPrinter)
{
    TForm1 fenster(p, display);
    EXPECT_EQ(t.messages.lines, KeinDrucker);
    EXPECT_FALSE(fenster.findChild<QRadioButton*>(QStringLiteral("dpiAutoRadioButton"))->isEnabled());
    projektMitDrucker(1, "Beta");
    EXPECT_EQ(t.messages.lines, AndereDrucker);
    EXPECT_FALSE(p.compose.DruckOptimierung);
}

}
