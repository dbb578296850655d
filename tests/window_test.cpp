#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>

#include "platform/qt/QtServices.h"
#include "support/TestServices.h"
#include "support/Testfenster.h"
#include "ui/TForm1.h"
#include "ui/Vorschau.h"
#include "ui/Widgets.h"

namespace fs = std::filesystem;

namespace {

struct WindowTest : ::testing::Test {
    TestServices t{{"Laser", "Tinte"}};
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, t.printers, t.textRaster}};
    Testfenster fenster{p, display};

    QString pfad(const char* name) { return QString::fromStdString((t.files.tempFolder() / name).string()); }
    QString bild(const char* name, int wert)
    {
        writeBmp(pfad(name).toStdString(), 32, 24, [wert](int x, int, uint8_t px[3]) {
            px[0] = static_cast<uint8_t>(wert);
            px[1] = static_cast<uint8_t>(x);
            px[2] = 0;
        });
        return pfad(name);
    }
    void zweiBilder()
    {
        fenster.bilder = {bild("a.bmp", 10), bild("b.bmp", 20)};
        fenster.NeuButtonClick();
        ASSERT_EQ(p.bilder.anzahl, 2);
    }
};

}

TEST_F(WindowTest, AddingImagesShowsTheNewOneAsR)
{
    zweiBilder();
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildR);
    EXPECT_EQ(p.auswahl.bildR, 2);
    EXPECT_TRUE(p.ctx.state.modified);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(WindowTest, NewProjectWithCancelChangesNothing)
{
    zweiBilder();
    t.messages.answers = {Antwort::Abbrechen};
    fenster.MenuProjektNeuClick();
    EXPECT_EQ(p.bilder.anzahl, 2);
    EXPECT_TRUE(p.ctx.state.modified);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_EQ(t.messages.lines, (std::vector<std::string>{"Bestätigung? Möchten Sie die Änderungen speichern?"}));

    t.messages.answers = {Antwort::Nein};
    fenster.MenuProjektNeuClick();
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_FALSE(p.ctx.state.modified);
    EXPECT_EQ(fenster.windowTitle(), "Lumivex 5  ");
}

TEST(WindowStart, WithoutAPrinterOnlyManualResolutionAndAWarning)
{
    TestServices t;
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, t.printers, t.textRaster}};
    TForm1 fenster{p, display};
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Warnung: Es ist kein Drucker installiert. Die Option AUTO der "
                                                         "Linsenrsater-Druckoptimierung wird deaktiviert!"});
    EXPECT_FALSE(p.compose.dpiAuto);
    EXPECT_FALSE(fenster.findChild<QWidget*>(QStringLiteral("dpiAutoRadioButton"))->isEnabled());
    // A new project checks again.
    fenster.MenuProjektNeuClick();
    EXPECT_EQ(t.messages.lines.size(), 2u);
    EXPECT_FALSE(p.compose.dpiAuto);
}

TEST_F(WindowTest, AProjectOpenedAfterANewOneIsShown)
{
    fenster.resize(1200, 900);
    fenster.show();
    QApplication::processEvents();
    zweiBilder();
    fenster.projekt = pfad("p.lvx");
    ASSERT_TRUE(fenster.MenuProjektSpeichernClick());
    fenster.MenuProjektNeuClick();
    ASSERT_EQ(p.bilder.anzahl, 0);
    fenster.MenuProjektOeffnenClick();
    QApplication::processEvents();
    ASSERT_EQ(p.bilder.anzahl, 2);
    EXPECT_TRUE(t.messages.lines.empty());
    // Image R (blue 20) fills the middle of the preview box, not its grey background.
    auto* vorschau = fenster.findChild<Vorschau*>(QStringLiteral("VorschauShape"));
    const QImage bild = vorschau->grab().toImage();
    EXPECT_EQ(qBlue(bild.pixel(bild.width() / 2, bild.height() / 2)), 20);
}

TEST_F(WindowTest, SavingWithoutANameAsksForOne)
{
    zweiBilder();
    fenster.projekt = pfad("neu.lvx");
    ASSERT_TRUE(fenster.MenuProjektSpeichernClick());
    EXPECT_EQ(fs::file_size(pfad("neu.lvx").toStdString()), 540u + 2 * 580);
    EXPECT_EQ(fenster.windowTitle(), "Lumivex 5  " + pfad("neu.lvx"));
    EXPECT_FALSE(p.ctx.state.modified);
    // A cancelled dialog saves nothing.
    fenster.projekt.clear();
    p.ctx.state.projectFile.clear();
    EXPECT_FALSE(fenster.MenuProjektSpeichernClick());
}

TEST_F(WindowTest, ExitAsksForUnsavedChanges)
{
    zweiBilder();
    t.messages.answers = {Antwort::Abbrechen};
    EXPECT_FALSE(fenster.Ende());
    EXPECT_EQ(p.bilder.anzahl, 2);
    t.messages.answers = {Antwort::Nein};
    const std::string arbeitskopie = p.bilder.bild[1].slot[SlotArbeitskopie].pfad;
    EXPECT_TRUE(fenster.Ende());
    EXPECT_FALSE(fs::exists(arbeitskopie));
}

TEST_F(WindowTest, CopyNeedsAResult)
{
    QApplication::clipboard()->clear();
    fenster.MenuKopierenClick();
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
    zweiBilder();
    fenster.MenuKopierenClick();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(32, 24));
}

TEST_F(WindowTest, ResultIsSavedInTheChosenFormat)
{
    zweiBilder();
    fenster.bildZiel = pfad("ergebnis.tga");
    fenster.BildSpeichernUnterClick(QStringLiteral("TGA"));
    EXPECT_EQ(fs::file_size(pfad("ergebnis.tga").toStdString()), 18u + 32 * 24 * 3 + 26);
}

TEST_F(WindowTest, MissingDocumentationIsReported)
{
    p.ctx.state.programFolder = t.files.tempFolder();
    fenster.MenuDOKUClick();
    EXPECT_EQ(t.messages.lines,
              (std::vector<std::string>{"Information: Datei nicht gefunden: " + pfad("LUMIVEX.PDF").toStdString()}));
}

TEST_F(WindowTest, FileAssociationIsInstalledAndRemovedPerUser)
{
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", pfad("daten").toUtf8());
    fenster.MenuLVXeinClick();
    EXPECT_TRUE(fs::exists(pfad("daten/mime/packages/lumivex-lvx.xml").toStdString()));
    EXPECT_TRUE(fs::exists(pfad("daten/applications/lumivex.desktop").toStdString()));
    fenster.MenuLVXausClick();
    EXPECT_FALSE(fs::exists(pfad("daten/applications/lumivex.desktop").toStdString()));
    qputenv("XDG_DATA_HOME", vorher);
    EXPECT_EQ(t.messages.lines, (std::vector<std::string>{"Information: LVX-Dateiverknüpfung erfolgreich registriert.",
                                                          "Information: LVX-Dateiverknüpfung erfolgreich aufgehoben."}));
}

TEST(Hilfslinien, FourCursorsAndTheDrawingOne)
{
    QList<QImage> bilder;
    for (int n = 1; n <= 4; ++n) {
        const QCursor c = Vorschau::Cursor(n);
        ASSERT_FALSE(c.pixmap().isNull()) << n;
        bilder << c.pixmap().toImage();
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(bilder[a], bilder[b]) << a << " " << b;
    Vorschau v;
    v.setZeichnen(true);
    EXPECT_EQ(v.cursor().pixmap().toImage(), bilder[2]);
    EXPECT_TRUE(v.toolTip().startsWith(QStringLiteral("linke Maustaste")));
    v.setZeichnen(false);
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(v.toolTip(), QString::fromUtf8("rechte Maustaste: Vollbilddarstellung"));
}

TEST(Zahlen, APointIsNoDecimalSeparator)
{
    EXPECT_EQ(zahlLesen(QStringLiteral("12.5")), 125.0);
    EXPECT_EQ(zahlLesen(QStringLiteral("12,5")), 12.5);
    EXPECT_EQ(zahlText(15.0), "15");
}

TEST(Hilfslinien, DrawingAFrameTwiceRemovesIt)
{
    Vorschau v;
    v.resize(100, 80);
    v.show();
    v.Zeichne_Rahmen(QPoint(10, 10), QPoint(50, 40));
    EXPECT_NE(v.ueberlagerung().pixel(10, 25), QColor(Qt::white).rgb());
    EXPECT_EQ(v.ueberlagerung().pixel(30, 25), QColor(Qt::white).rgb());
    v.Zeichne_Rahmen(QPoint(10, 10), QPoint(50, 40));
    EXPECT_EQ(v.ueberlagerung().pixel(10, 25), QColor(Qt::white).rgb());
    v.Zeichne_Rahmen(QPoint(5, 5), QPoint(6, 6));
    v.linienLoeschen();
    EXPECT_EQ(v.ueberlagerung().pixel(5, 5), QColor(Qt::white).rgb());
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
