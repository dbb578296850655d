// The alignment tab and the crop tab of the window, driven as a user would:
// button clicks, typed keys and synthetic mouse events on the preview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "commands/Projekt.h"
#include "model/ProjectFile.h"
#include "platform/qt/QtServices.h"
#include "support/Bilddateien.h"
#include "support/ImageCompare.h"
#include "support/ImageFixture.h"
#include "support/Testfenster.h"
#include "ui/Dialoge.h"
#include "ui/TForm1.h"
#include "ui/Vorschau.h"

namespace fs = std::filesystem;

namespace {

struct AlignGuiTest : Fensterumgebung {
    AlignGuiTest()
    {
        fenster.resize(1200, 900);
        fenster.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    }
    QString bilddatei(const char* name, int w, int h)
    {
        const fs::path pfad = t.files.tempFolder() / name;
        writeBmp(pfad, w, h, distinct);
        return QString::fromStdString(pfad.string());
    }
    // Two 64 × 48 images, image 2 shown as image R.
    void zweiBilder()
    {
        fenster.bilder = {bilddatei("a.bmp", 64, 48), bilddatei("b.bmp", 64, 48)};
        fenster.NeuButtonClick();
        ASSERT_EQ(p.bilder.anzahl, 2);
        ASSERT_EQ(p.auswahl.vorschau, VorschauBildR);
    }
    void tab(int index)
    {
        finde<QTabWidget>("TabControl1")->setCurrentIndex(index);
        QApplication::processEvents();
    }
    Vorschau* vorschau() { return finde<Vorschau>("VorschauShape"); }
    ImageEntry& bild(int n) { return p.bilder.bild[static_cast<size_t>(n)]; }
    // Drags handle n so that its centre lands on `ziel` of the preview: a press,
    // moves with the left button held (each where the pointer is relative to the
    // handle, which follows it), and the release.
    void griffZiehen(int n, QPoint ziel)
    {
        QWidget* griff = finde<QWidget>(QStringLiteral("Panel%1").arg(n).toLatin1().constData());
        const QPoint start = griff->pos() + QPoint(4, 4);
        QTest::mousePress(griff, Qt::LeftButton, {}, QPoint(4, 4));
        for (int schritt = 1; schritt <= 4; ++schritt) {
            const QPoint lokal = start + (ziel - start) * schritt / 4 - griff->pos();
            QMouseEvent zug(QEvent::MouseMove, lokal, griff->mapToGlobal(lokal), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(griff, &zug);
        }
        QTest::mouseRelease(griff, Qt::LeftButton, {}, ziel - griff->pos());
    }
    int rand(const char* name) { return finde<QSpinBox>(name)->value(); }
};

}

TEST_F(AlignGuiTest, EveryAlignmentButtonChangesTheCurrentImageByItsStep)
{
    zweiBilder();
    struct Fall {
        const char* name;
        double ImageEntry::*wert;
        double vorher, nachher;
    };
    const Fall faelle[] = {
        {"JustVR1BitBtn", &ImageEntry::dx, 0, 1},       {"JustVR2BitBtn", &ImageEntry::dx, 0, 10},
        {"JustVR3BitBtn", &ImageEntry::dx, 0, 100},     {"JustVL1BitBtn", &ImageEntry::dx, 0, -1},
        {"JustVL2BitBtn", &ImageEntry::dx, 0, -10},     {"JustVL3BitBtn", &ImageEntry::dx, 0, -100},
        {"JustVO1BitBtn", &ImageEntry::dy, 0, 1},       {"JustVO2BitBtn", &ImageEntry::dy, 0, 10},
        {"JustVU1BitBtn", &ImageEntry::dy, 0, -1},      {"JustVU2BitBtn", &ImageEntry::dy, 0, -10},
        {"JustVXBitBtn", &ImageEntry::dx, 5, 0},        {"JustVXBitBtn", &ImageEntry::dy, 5, 0},
        {"JustRL1BitBtn", &ImageEntry::rot, 0, 0.1},    {"JustRL2BitBtn", &ImageEntry::rot, 0, 1},
        {"JustRR1BitBtn", &ImageEntry::rot, 0, -0.1},   {"JustRR2BitBtn", &ImageEntry::rot, 0, -1},
        {"JustRXBitBtn", &ImageEntry::rot, 3, 0},       {"JustSG1BitBtn", &ImageEntry::skal, 1, 1.001},
        {"JustSG2BitBtn", &ImageEntry::skal, 1, 1.01},  {"JustSK1BitBtn", &ImageEntry::skal, 1, 0.999},
        {"JustSK2BitBtn", &ImageEntry::skal, 1, 0.99},  {"JustSXBitBtn", &ImageEntry::skal, 2, 1},
        {"JustTR1BitBtn", &ImageEntry::vx, 0, 0.1},     {"JustTR2BitBtn", &ImageEntry::vx, 0, 1},
        {"JustTL1BitBtn", &ImageEntry::vx, 0, -0.1},    {"JustTL2BitBtn", &ImageEntry::vx, 0, -1},
        {"JustTO1BitBtn", &ImageEntry::vy, 0, 0.1},     {"JustTO2BitBtn", &ImageEntry::vy, 0, 1},
        {"JustTU1BitBtn", &ImageEntry::vy, 0, -0.1},    {"JustTU2BitBtn", &ImageEntry::vy, 0, -1},
        {"JustTXBitBtn", &ImageEntry::vx, 2, 0},        {"JustTXBitBtn", &ImageEntry::vy, 2, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        bild(2).*f.wert = f.vorher;
        finde<QPushButton>(f.name)->click();
        EXPECT_NEAR(bild(2).*f.wert, f.nachher, 1e-12);
        EXPECT_EQ(bild(1).*f.wert, f.wert == &ImageEntry::skal ? 1.0 : 0.0);
        bild(2).*f.wert = f.wert == &ImageEntry::skal ? 1.0 : 0.0;
    }
    finde<QCheckBox>("InversVergenzCheckBox")->click();
    EXPECT_TRUE(bild(2).inversVergenz);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(AlignGuiTest, TheKeysShiftTheImageOnlyWithTastaturChecked)
{
    zweiBilder();
    tab(1);
    QWidget* ziel = finde<QCheckBox>("JustCursorCheckBox");
    ziel->setFocus();
    QTest::keyClick(ziel, 'q');
    EXPECT_EQ(bild(2).dy, 0.0);

    finde<QCheckBox>("JustCursorCheckBox")->setChecked(true);
    const std::tuple<char, double, double> tasten[] = {{'q', 0, 1},  {'a', 0, 0},   {'p', 1, 0},  {'o', 0, 0},
                                                       {'Q', 0, 10}, {'A', 0, 0},   {'P', 10, 0}, {'O', 0, 0},
                                                       {'x', 0, 0}};
    for (auto [taste, dx, dy] : tasten) {
        SCOPED_TRACE(taste);
        QTest::keyClick(ziel, taste);
        EXPECT_EQ(bild(2).dx, dx);
        EXPECT_EQ(bild(2).dy, dy);
    }
    EXPECT_EQ(bild(1).dy, 0.0);
}

TEST_F(AlignGuiTest, ReturnMovesTheFocusOnAndStillReachesTheControl)
{
    zweiBilder();
    tab(2);
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    auto* links = finde<QSpinBox>("lRandSpinEdit");
    ASSERT_TRUE(links->isEnabled());
    links->setFocus();
    QSignalSpy eingabe(links->findChild<QLineEdit*>(), &QLineEdit::returnPressed);
    QTest::keyClick(links, Qt::Key_Return);
    EXPECT_EQ(eingabe.count(), 1);
    EXPECT_NE(QApplication::focusWidget(), links);
}

TEST_F(AlignGuiTest, TheSeriesModeShowsItsButtonsInPlaceOfTheSingleOnes)
{
    zweiBilder();
    tab(1);
    finde<QCheckBox>("VerschiebungAlleCheckBox")->click();
    QApplication::processEvents();
    for (auto [serie, einzel] : {std::pair{"JustVR1ABitBtn", "JustVR1BitBtn"}, std::pair{"JustVXABitBtn", "JustVXBitBtn"},
                                 std::pair{"JustVL2ABitBtn", "JustVL2BitBtn"}, std::pair{"JustVO1ABitBtn", "JustVO1BitBtn"}}) {
        SCOPED_TRACE(serie);
        EXPECT_TRUE(finde<QWidget>(serie)->isVisible());
        EXPECT_FALSE(finde<QWidget>(einzel)->isVisible());
        EXPECT_EQ(finde<QWidget>(serie)->geometry(), finde<QWidget>(einzel)->geometry());
    }
    EXPECT_FALSE(finde<QWidget>("JustVR3BitBtn")->isVisible());
    // Without a choice of the automatic alignment, image (2 + 1) div 2 = 1 is the reference.
    finde<QPushButton>("JustVR2ABitBtn")->click();
    EXPECT_EQ(bild(1).dx, 0.0);
    EXPECT_EQ(bild(2).dx, 10.0);
    finde<QCheckBox>("VerschiebungAlleCheckBox")->click();
    EXPECT_TRUE(finde<QWidget>("JustVR1BitBtn")->isVisible());
    EXPECT_FALSE(finde<QWidget>("JustVR1ABitBtn")->isVisible());
}

TEST_F(AlignGuiTest, AClickOnThePictureSetsThePointAndAClickBesideItIsIgnored)
{
    zweiBilder();
    tab(1);
    auto* setzen = finde<QPushButton>("RefPktSetzenSpeedButton");
    QTest::mouseClick(setzen, Qt::LeftButton);
    EXPECT_TRUE(p.refInfo.setzModus);
    EXPECT_TRUE(setzen->isChecked());
    EXPECT_EQ(vorschau()->toolTip(), QString::fromUtf8("Festlegen des Referenzpunktes für ausgewähltes Bild"));

    const QRect flaeche = vorschau()->bildRechteck();
    ASSERT_TRUE(flaeche.left() > 4 || flaeche.top() > 4);
    const QPoint daneben = flaeche.left() > 4 ? QPoint(flaeche.left() / 2, flaeche.center().y())
                                           : QPoint(flaeche.center().x(), flaeche.top() / 2);
    QTest::mouseClick(vorschau(), Qt::LeftButton, {}, daneben);
    EXPECT_TRUE(p.refInfo.setzModus);
    EXPECT_FALSE(bild(2).refModus);

    // Pixel (40, 30) of the 64 × 48 result.
    const QPoint punkt(flaeche.left() + qRound(40.0 * flaeche.width() / 64), flaeche.top() + qRound(30.0 * flaeche.height() / 48));
    QTest::mouseClick(vorschau(), Qt::LeftButton, {}, punkt);
    EXPECT_FALSE(p.refInfo.setzModus);
    EXPECT_FALSE(setzen->isChecked());
    EXPECT_TRUE(bild(2).istReferenzbild);
    EXPECT_EQ(bild(2).refX, 40);
    EXPECT_EQ(bild(2).refY, 30);
    EXPECT_EQ(finde<QComboBox>("RefBildComboBox")->currentText(), QStringLiteral("  2"));
    EXPECT_EQ(vorschau()->toolTip(), QString::fromUtf8("rechte Maustaste: Vollbilddarstellung"));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(AlignGuiTest, TheCropFrameComesWithTheTabAndFollowsTheHandles)
{
    zweiBilder();
    EXPECT_FALSE(finde<QWidget>("Panel1")->isVisible());
    tab(2);
    EXPECT_TRUE(finde<QCheckBox>("DruckbereichCheckBox")->isChecked());
    for (int n = 0; n < 5; ++n)
        EXPECT_TRUE(finde<QWidget>(QStringLiteral("Panel%1").arg(n).toLatin1().constData())->isVisible()) << n;
    EXPECT_EQ(rand("lRandSpinEdit"), 0);
    EXPECT_EQ(rand("rRandSpinEdit"), 63);
    EXPECT_EQ(rand("uRandSpinEdit"), 47);
    const QRect flaeche = vorschau()->bildRechteck();
    EXPECT_EQ(vorschau()->griff(1), flaeche.topLeft() - QPoint(4, 4));

    // The bottom-right handle to the middle of the picture: the region ends there.
    griffZiehen(3, flaeche.topLeft() + QPoint(flaeche.width() / 2, flaeche.height() / 2));
    EXPECT_NEAR(rand("rRandSpinEdit"), 31, 1);
    EXPECT_NEAR(rand("uRandSpinEdit"), 23, 1);
    EXPECT_EQ(finde<QLabel>("BreiteRandSpinEdit")->text().toInt(), rand("rRandSpinEdit") + 1);
    EXPECT_EQ(vorschau()->griff(2).x(), vorschau()->griff(3).x());
    EXPECT_EQ(vorschau()->griff(4).y(), vorschau()->griff(3).y());

    // Dragged far beyond the picture, the top-left handle stops at its corner.
    griffZiehen(1, flaeche.topLeft() - QPoint(300, 300));
    EXPECT_EQ(rand("lRandSpinEdit"), 0);
    EXPECT_EQ(rand("oRandSpinEdit"), 0);

    // Dragged past the opposite corner, the frame is put in order on release.
    griffZiehen(1, flaeche.bottomRight());
    EXPECT_LT(vorschau()->griff(1).x(), vorschau()->griff(3).x());
    EXPECT_LT(rand("lRandSpinEdit"), rand("rRandSpinEdit"));
    EXPECT_EQ(rand("rRandSpinEdit"), 63);
    EXPECT_EQ(rand("uRandSpinEdit"), 47);

    // The centre handle moves the whole frame, which stays on the picture.
    const QPoint groesse = vorschau()->griff(3) - vorschau()->griff(1);
    griffZiehen(0, flaeche.topLeft());
    EXPECT_EQ(vorschau()->griff(1), flaeche.topLeft() - QPoint(4, 4));
    EXPECT_EQ(vorschau()->griff(3) - vorschau()->griff(1), groesse);
    EXPECT_EQ(rand("lRandSpinEdit"), 0);
}

TEST_F(AlignGuiTest, EdgesTheOptimumAndTheRatioReachTheFrame)
{
    zweiBilder();
    tab(2);
    finde<QSpinBox>("lRandSpinEdit")->setValue(50);
    finde<QSpinBox>("rRandSpinEdit")->setValue(10);
    finde<QSpinBox>("uRandSpinEdit")->setValue(100000);
    finde<QPushButton>("AusschnittAnwendenButton")->click();
    EXPECT_EQ(rand("lRandSpinEdit"), 10);
    EXPECT_EQ(rand("rRandSpinEdit"), 50);
    EXPECT_EQ(rand("uRandSpinEdit"), 47);
    EXPECT_EQ(finde<QLabel>("BreiteRandSpinEdit")->text(), QStringLiteral("41"));
    EXPECT_EQ(finde<QLineEdit>("TrimmEdit2")->text(), QStringLiteral("1 / ") + QString::fromUtf8(" 0,854"));
    const QRect flaeche = vorschau()->bildRechteck();
    EXPECT_NEAR(vorschau()->griff(1).x() + 4, flaeche.left() + 10.0 * flaeche.width() / 64, 1);

    bild(2).dx = 3;
    finde<QPushButton>("OptimumAusschnittButton")->click();
    EXPECT_EQ(rand("lRandSpinEdit"), 3);
    EXPECT_EQ(rand("rRandSpinEdit"), 63);

    // 16:9: the frame's height shrinks about its centre.
    finde<QCheckBox>("AusschnittRatioCheckBox")->click();
    const QPoint groesse = vorschau()->griff(3) - vorschau()->griff(1);
    EXPECT_EQ(groesse.y(), qRound(groesse.x() * 9.0 / 16));
    EXPECT_NEAR(vorschau()->griff(0).y(), (vorschau()->griff(1).y() + vorschau()->griff(3).y()) / 2, 1);
}

TEST_F(AlignGuiTest, TheFrameShowsTheWholeResult)
{
    zweiBilder();
    auto* zoom = finde<QComboBox>("ZoomComboBox");
    ASSERT_GT(zoom->count(), 1);
    zoom->activated(1);
    ASSERT_EQ(p.ansicht.zoomIndex, 1);
    tab(2);
    EXPECT_EQ(p.ansicht.zoomIndex, 0);
    EXPECT_EQ(zoom->currentIndex(), 0);
    const QRect flaeche = vorschau()->bildRechteck();
    EXPECT_EQ(vorschau()->griff(3), flaeche.topLeft() + QPoint(flaeche.width() - 5, flaeche.height() - 5));
    EXPECT_EQ(rand("rRandSpinEdit"), 63);
}

TEST_F(AlignGuiTest, TheFrameIsOnlyForImageLImageROrTheAnaglyph)
{
    zweiBilder();
    tab(2);
    auto* box = finde<QCheckBox>("DruckbereichCheckBox");
    box->click();
    EXPECT_FALSE(finde<QWidget>("Panel1")->isVisible());
    EXPECT_FALSE(finde<QWidget>("AusschnittAnwendenButton")->isEnabled());
    p.auswahl.vorschau = VorschauStereo;
    box->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(t.messages.lines,
              std::vector<std::string>{"Information: Bild L oder Bild R oder Anaglyph (L/R) nicht in der Vorschau!"});
    tab(1);
    EXPECT_FALSE(box->isChecked());
}

TEST_F(AlignGuiTest, TheExportWritesNumberedFilesBesideTheChosenName)
{
    zweiBilder();
    tab(2);
    const fs::path ordner = t.files.tempFolder() / "export";
    fs::create_directory(ordner);
    Dialoge::exportDatei = [&](QWidget*, bool jpg, const QString&) {
        EXPECT_FALSE(jpg);
        return QString::fromStdString((ordner / "paar.bmp").string());
    };
    finde<QSpinBox>("lRandSpinEdit")->setValue(8);
    finde<QPushButton>("AusschnittButton")->click();
    for (const char* name : {"paar00.BMP", "paar01.BMP", "paar02.BMP"})
        EXPECT_TRUE(fs::exists(ordner / name)) << name;
    EXPECT_EQ(bmpPixel(readFile(ordner / "paar01.BMP"), 0, 0), bmpPixel(readFile(bild(1).slot[SlotArbeitskopie].pfad), 8, 0));
}

TEST_F(AlignGuiTest, TheWindowAndTheCommandLineShowAProjectWithPointsAlike)
{
    const fs::path ordner = t.files.tempFolder() / "projekt";
    fs::create_directory(ordner);
    ProjektDaten d;
    for (int k = 1; k <= 2; ++k) {
        const fs::path datei = ordner / ("bild" + std::to_string(k) + ".bmp");
        writeBmp(datei, 64, 48, distinct);
        ProjektBild b;
        b.pfad = datei.string();
        b.breite = 64;
        b.hoehe = 48;
        b.refModus = true;
        b.refX = 20 + k;
        b.refY = 30 - k;
        d.bilder.push_back(b);
    }
    d.bilder[0].istReferenzbild = true;
    d.comboA = 0;
    d.comboB = 1;
    d.vorschau = VorschauAnaglyph;
    const fs::path projekt = ordner / "p.lvx";
    writeBytes(projekt, ProjektKodieren(d));

    fenster.ProjektOeffnen(QString::fromStdString(projekt.string()));
    TestServices t2;
    Programm kommandozeile(t2.services());
    ASSERT_TRUE(OeffnenAllgemein(kommandozeile, projekt.string()));
    EXPECT_TRUE(sameImage(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad,
                          kommandozeile.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
    EXPECT_EQ(p.refInfo.referenzbild, 1);
    EXPECT_EQ(finde<QComboBox>("RefBildComboBox")->count(), 2);
    EXPECT_EQ(finde<QComboBox>("RefBildComboBox")->currentText(), QStringLiteral("  1"));
}
