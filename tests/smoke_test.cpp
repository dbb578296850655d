// The real window on an X server (Xvfb, started by the test script): the demo
// project in the anaglyph and the lenticular preview, each saved as a screenshot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

#include "platform/qt/QtServices.h"
#include "support/TestServices.h"
#include "ui/TForm1.h"

namespace {

QString ordner;
QString projekt;

}

TEST(Smoke, DemoProjectInTheRealWindow)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    TestServices t{{"Laser", "Tinte"}};
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, t.printers, t.textRaster}};
    p.ctx.state.screenWidth = QGuiApplication::primaryScreen()->size().width();
    p.ctx.state.screenHeight = QGuiApplication::primaryScreen()->size().height();
    TForm1 fenster(p, display);
    fenster.resize(QGuiApplication::primaryScreen()->availableSize());
    fenster.show();
    QApplication::processEvents();
    fenster.ProjektOeffnen(projekt);
    ASSERT_EQ(p.bilder.anzahl, 3);
    const auto modi = fenster.findChild<QGroupBox*>(QStringLiteral("VorschauRadioGroup"))->findChildren<QRadioButton*>();
    for (const auto& [modus, name] : {std::pair{3, "anaglyph"}, std::pair{5, "linsenraster"}}) {
        modi[modus]->click();
        QApplication::processEvents();
        EXPECT_EQ(p.auswahl.vorschau, modus);
        EXPECT_GT(p.bilder.ergebnis().slot[SlotAnzeige].breite, 0);
        const QString datei = ordner + QStringLiteral("/fenster_") + QString::fromLatin1(name) + QStringLiteral(".png");
        EXPECT_TRUE(fenster.grab().save(datei));
    }
    auto* tabs = fenster.findChild<QTabWidget*>(QStringLiteral("TabControl1"));
    for (int tab : {1, 4, 5}) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_TRUE(fenster.grab().save(ordner + QStringLiteral("/fenster_tab") + QString::number(tab) + QStringLiteral(".png")));
    }
    EXPECT_TRUE(t.messages.lines.empty());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3)
        return 2;
    projekt = QString::fromLocal8Bit(argv[1]);
    ordner = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
