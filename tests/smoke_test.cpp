// The real window on an X server (Xvfb, started by the test script at a given
// screen size): the demo project in the anaglyph and the lenticular preview,
// each saved as a screenshot; every preview mode and the progress bar on the
// screen; the file dialog in German.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

#include "platform/qt/Oberflaeche.h"
#include "platform/qt/QtServices.h"
#include "support/TestServices.h"
#include "ui/Dialoge.h"
#include "ui/TForm1.h"

namespace {

QString ordner;
QString projekt;

QString bildname(const char* name)
{
    const QSize s = QGuiApplication::primaryScreen()->size();
    return ordner + QStringLiteral("/fenster_%1x%2_").arg(s.width()).arg(s.height()) + QString::fromLatin1(name)
        + QStringLiteral(".png");
}

// Whether a widget lies wholly on the screen.
bool aufDemSchirm(const QWidget* w)
{
    const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
    return QGuiApplication::primaryScreen()->geometry().contains(r);
}

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
    fenster.Fenster_Zeigen();
    QApplication::processEvents();
    const QSize groesse = fenster.size();
    fenster.ProjektOeffnen(projekt);
    ASSERT_EQ(p.bilder.anzahl, 3);
    const auto modi = fenster.findChild<QGroupBox*>(QStringLiteral("VorschauRadioGroup"))->findChildren<QRadioButton*>();
    for (const auto& [modus, name] : {std::pair{3, "anaglyph"}, std::pair{5, "linsenraster"}}) {
        SCOPED_TRACE(testing::Message() << "modus " << modus << ", " << "name " << name);
        modi[modus]->click();
        QApplication::processEvents();
        EXPECT_EQ(p.auswahl.vorschau, modus);
        EXPECT_GT(p.bilder.ergebnis().slot[SlotAnzeige].breite, 0);
        EXPECT_TRUE(fenster.grab().save(bildname(name)));
    }
    auto* tabs = fenster.findChild<QTabWidget*>(QStringLiteral("TabControl1"));
    for (int tab : {1, 4, 5}) {
        SCOPED_TRACE(testing::Message() << "tab " << tab);
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_TRUE(fenster.grab().save(bildname(("tab" + std::to_string(tab)).c_str())));
    }
    // Everything the preview needs is on the screen, and the window kept its size.
    QList<QWidget*> steuerelemente{fenster.findChild<QGroupBox*>(QStringLiteral("VorschauRadioGroup")),
                                   fenster.findChild<QProgressBar*>(QStringLiteral("FortschrittBar"))};
    for (QRadioButton* knopf : modi)
        steuerelemente << knopf;
    for (const QWidget* w : steuerelemente)
        EXPECT_TRUE(aufDemSchirm(w)) << w->objectName().toStdString() << w->property("text").toString().toStdString();
    EXPECT_EQ(fenster.size(), groesse);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST(Smoke, TheFileDialogSpeaksGerman)
{
    QFileDialog dialog(nullptr, QString(), ordner, DialogFilter(QString::fromUtf8(Sprache::ProjektFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(bildname("dateidialog")));
    QStringList texte;
    for (const QAbstractButton* k : dialog.findChild<QDialogButtonBox*>()->buttons())
        texte << k->text();
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        texte << l->text();
    for (const char* erwartet : {"S&peichern", "Abbrechen", "Suchen in:", "Datei&name:"})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(erwartet))) << erwartet << ": " << texte.join('|').toStdString();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtTexteDeutsch();
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3)
        return 2;
    projekt = QString::fromLocal8Bit(argv[1]);
    ordner = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
