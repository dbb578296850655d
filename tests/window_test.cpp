#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QUrl>
#include <memory>

#include "compose/Pipeline.h"
#include "imageio/Jpeg.h"
#include "platform/Headless.h"
#include "platform/qt/Oberflaeche.h"
#include "platform/qt/QtServices.h"
#include "support/TestServices.h"
#include "support/Testfenster.h"
#include "ui/TForm1.h"
#include "ui/Dialoge.h"
#include "ui/TFormLinsenansicht.h"
#include "ui/Vorschau.h"
#include "ui/Widgets.h"

namespace fs = std::filesystem;

namespace {

struct WindowTest : Fensterumgebung {
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
    // The four info edits: pixels across and down, dots per inch across and down.
    QStringList info()
    {
        QStringList texte;
        for (const char* name : {"xPixInfoEdit", "yPixInfoEdit", "xDPIInfoEdit", "yDPIInfoEdit"})
            texte << finde<QLineEdit>(name)->text();
        return texte;
    }
    void modus(int m)
    {
        finde<QGroupBox>("VorschauRadioGroup")->findChildren<QRadioButton*>()[m]->click();
        QApplication::processEvents();
        ASSERT_EQ(p.auswahl.vorschau, m);
    }
    // Files dropped onto the window, as a file manager drops them.
    void fallenLassen(const QStringList& dateien)
    {
        QMimeData daten;
        QList<QUrl> urls;
        for (const QString& d : dateien)
            urls << QUrl::fromLocalFile(d);
        daten.setUrls(urls);
        QDragEnterEvent hinein(QPoint(10, 10), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&fenster, &hinein);
        ASSERT_TRUE(hinein.isAccepted());
        QDropEvent los(QPointF(10, 10), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&fenster, &los);
    }
};

// Whether a widget lies wholly inside the window.
bool imFenster(const QWidget* w, const QWidget* fenster)
{
    return QRect(QPoint(0, 0), fenster->size()).contains(QRect(w->mapTo(fenster, QPoint(0, 0)), w->size()));
}

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
    zeigen();
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

TEST_F(WindowTest, EveryControlFitsASmallScreenAndTheWindowKeepsItsSize)
{
    EXPECT_LE(fenster.minimumSizeHint().width(), 1024);
    EXPECT_LE(fenster.minimumSizeHint().height(), 600);
    for (const QSize schirm : {QSize(1280, 720), QSize(1024, 600)}) {
        zeigen(schirm.width(), schirm.height());
        ASSERT_EQ(fenster.size(), schirm);
        QList<QWidget*> steuerelemente = finde<QGroupBox>("VorschauRadioGroup")->findChildren<QWidget*>();
        for (const char* name : {"VorschauRadioGroup", "FortschrittBar", "ZoomComboBox", "ZommPlusBitBtn",
                                 "ZoomFitBitBtn", "AnimationGroupBox", "ComboBoxA", "LoeschenLinienButton",
                                 "yDPIInfoEdit", "LinsenansichtButton", "NeuButton"})
            steuerelemente << finde<QWidget>(name);
        for (const QWidget* w : steuerelemente)
            EXPECT_TRUE(imFenster(w, &fenster)) << schirm.width() << " " << w->objectName().toStdString();
    }
    // Loading and computing never widens the window.
    zeigen(1280, 720);
    zweiBilder();
    modus(VorschauLinsenraster);
    for (int tab = 0; tab < 12; ++tab) {
        finde<QTabWidget>("TabControl1")->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    EXPECT_EQ(fenster.size(), QSize(1280, 720));
}

TEST_F(WindowTest, InfoEditsAndStatusLineShowWhatWasComputed)
{
    zeigen(1280, 720);
    fenster.bilder = {bild("a.bmp", 10), bild("b.bmp", 20)};
    fenster.NeuButtonClick();
    EXPECT_EQ(finde<QLineEdit>("xPixInfoEdit")->text(), "   32");
    // 32 × 24 at 15 cm: 11,25 cm high, 2.54 × 32 / 15 = 5.4 dpi.
    modus(VorschauAnaglyph);
    EXPECT_EQ(info(), (QStringList{"   32", "   24", "    5", "    5"}));
    EXPECT_EQ(finde<QLabel>("ErgebnisLabel")->text(), "15,00 x 11,25 cm · unkomprimiert 2 kB");
    EXPECT_FALSE(finde<QPushButton>("LinsenansichtButton")->isEnabled());
    // 15 cm at 40 lpi: 236 lenses of 2 columns (one pixel per image per lens), 80 dpi
    // both ways; 14,99 cm wide, and 24/32 of that high in whole rows.
    modus(VorschauLinsenraster);
    const RasterSlot& r = p.bilder.ergebnis().slot[SlotErgebnis];
    ASSERT_EQ(r.breite, 472);
    ASSERT_EQ(r.hoehe, 354);
    EXPECT_EQ(info(), (QStringList{"  472", "  354", "   80", "   80"}));
    EXPECT_EQ(finde<QLabel>("ErgebnisLabel")->text(), "14,99 x 11,24 cm · unkomprimiert 501 kB");
    EXPECT_TRUE(finde<QPushButton>("LinsenansichtButton")->isEnabled());
    // A save names its file until the next computation.
    fenster.bildZiel = pfad("ergebnis.bmp");
    fenster.BildSpeichernUnterClick(QStringLiteral("BMP"));
    EXPECT_EQ(finde<QLabel>("ErgebnisLabel")->text(),
              "14,99 x 11,24 cm · unkomprimiert 501 kB · gespeichert: " + pfad("ergebnis.bmp") + " (501 kB)");
    modus(VorschauBildL);
    EXPECT_FALSE(finde<QLabel>("ErgebnisLabel")->text().contains(QStringLiteral("gespeichert")));
    modus(VorschauKeine);
    EXPECT_EQ(info(), (QStringList{"", "", "", ""}));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(WindowTest, AFailedSaveNamesThePath)
{
    zweiBilder();
    fenster.bildZiel = pfad("fehlt/ergebnis.jpg");
    fenster.BildSpeichernUnterClick(QStringLiteral("JPG"));
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Fehler: Fehler beim Speichern der JPG-Datei!\n"
                                                         + pfad("fehlt/ergebnis.jpg").toStdString()
                                                         + ": Datei oder Verzeichnis nicht gefunden"});
    EXPECT_FALSE(finde<QLabel>("ErgebnisLabel")->text().contains(QStringLiteral("gespeichert")));
}

TEST_F(WindowTest, DroppedPhotosAreAddedAndADroppedProjectIsOpened)
{
    QStringList jpegs;
    for (const char* name : {"links.jpg", "rechts.jpg"}) {
        RasterSlot quelle;
        quelle.pfad = bild("quelle.bmp", 40).toStdString();
        quelle.breite = 32;
        quelle.hoehe = 24;
        ASSERT_TRUE(JPEG_Schreiben(p.ctx, pfad(name).toStdString(), quelle));
        jpegs << pfad(name);
    }
    fallenLassen(jpegs);
    ASSERT_EQ(p.bilder.anzahl, 2);
    EXPECT_EQ(p.bilder.bild[2].slot[SlotQuelle].pfad, pfad("rechts.jpg").toStdString());
    // The list shows the beginning of each name and the whole path as its tooltip.
    EXPECT_EQ(finde<QListWidget>("ListenBox")->item(1)->toolTip(), pfad("rechts.jpg"));

    fenster.projekt = pfad("zwei.lvx");
    ASSERT_TRUE(fenster.MenuProjektSpeichernUnterClick());
    fallenLassen({jpegs[0]});
    ASSERT_EQ(p.bilder.anzahl, 3);
    // A dropped project asks about the unsaved third image first; Cancel keeps everything.
    t.messages.answers = {Antwort::Abbrechen};
    fallenLassen({pfad("zwei.lvx")});
    EXPECT_EQ(p.bilder.anzahl, 3);
    t.messages.answers = {Antwort::Nein};
    fallenLassen({pfad("zwei.lvx")});
    EXPECT_EQ(p.bilder.anzahl, 2);
    EXPECT_EQ(p.ctx.state.projectFile, pfad("zwei.lvx").toStdString());
    EXPECT_EQ(t.messages.lines, std::vector<std::string>(2, "Bestätigung? Möchten Sie die Änderungen speichern?"));
}

TEST_F(WindowTest, RecentProjectsKeepTheLastEightNewestFirst)
{
    MemorySettingsStore store;
    QtDisplay anzeige;
    Programm erstesProgramm{Services{t.messages, t.events, t.files, anzeige, t.printers, t.textRaster}};
    Testfenster erstes{erstesProgramm, anzeige, &store};
    erstes.bilder = {bild("a.bmp", 10), bild("b.bmp", 20)};
    erstes.NeuButtonClick();
    for (int i = 1; i <= 10; ++i) {
        erstes.projekt = pfad(("p" + std::to_string(i) + ".lvx").c_str());
        ASSERT_TRUE(erstes.MenuProjektSpeichernUnterClick());
    }
    // Saving p3 again brings it to the front without a second entry.
    erstes.projekt = pfad("p3.lvx");
    ASSERT_TRUE(erstes.MenuProjektSpeichernUnterClick());
    QStringList erwartet{pfad("p3.lvx")};
    for (int i = 10; i >= 4; --i)
        erwartet << pfad(("p" + std::to_string(i) + ".lvx").c_str());
    const QList<QAction*> eintraege = erstes.findChild<QMenu*>(QStringLiteral("MenuZuletzt"))->actions();
    ASSERT_EQ(eintraege.size(), 8);
    EXPECT_EQ(eintraege[1]->text(), "&2  " + pfad("p10.lvx"));
    // Kept with the settings at exit: one value, a path per line.
    erstes.Registry_Save();
    EXPECT_EQ(store.readString("RecentProjects"), erwartet.join(QLatin1Char('\n')).toStdString());

    // The window of the next start offers the same list, and its entries open the projects.
    Testfenster spaeter{p, display, &store};
    spaeter.Registry_Load();
    const QList<QAction*> wieder = spaeter.findChild<QMenu*>(QStringLiteral("MenuZuletzt"))->actions();
    ASSERT_EQ(wieder.size(), 8);
    wieder[1]->trigger();
    EXPECT_EQ(p.bilder.anzahl, 2);
    EXPECT_EQ(p.ctx.state.projectFile, pfad("p10.lvx").toStdString());
    EXPECT_EQ(spaeter.findChild<QMenu*>(QStringLiteral("MenuZuletzt"))->actions().first()->text(),
              "&1  " + pfad("p10.lvx"));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(WindowTest, CtrlAndTheWheelZoomAboutThePointer)
{
    zeigen(1280, 720);
    zweiBilder();
    auto* vorschau = fenster.findChild<Vorschau*>(QStringLiteral("VorschauShape"));
    const QPoint punkt = vorschau->bildRechteck().topLeft() + QPoint(vorschau->bildRechteck().width() * 3 / 4, 20);
    // The result column under the pointer at the zoom and scroll shown.
    const auto spalte = [&] {
        const RasterSlot& r = p.bilder.ergebnis().slot[SlotFarbErgebnis];
        const Ansicht& a = p.ansicht;
        const Quellfenster f = Quellfenster_Berechnen(r.breite, r.hoehe, Zoomfaktor(a.zoomListe[a.zoomIndex]),
                                                      a.boxBreite, a.boxHoehe, a.scrollX, a.scrollY);
        const QRect bild = vorschau->bildRechteck();
        return f.x0 + (punkt.x() - bild.left() + 0.5) * (f.x1 - f.x0) / bild.width();
    };
    const auto rad = [&](int delta, Qt::KeyboardModifiers tasten) {
        QWheelEvent e(punkt, vorschau->mapToGlobal(punkt), QPoint(), QPoint(0, delta), Qt::NoButton, tasten,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(vorschau, &e);
        QApplication::processEvents();
    };
    const double vorher = spalte();
    rad(120, Qt::NoModifier);
    EXPECT_EQ(p.ansicht.zoomIndex, 0);
    rad(120, Qt::ControlModifier);
    ASSERT_EQ(p.ansicht.zoomIndex, 1);
    EXPECT_GT(p.ansicht.scrollX, 50);
    // Within a column: whole per cent of the travel, whole pixels of the window.
    EXPECT_NEAR(spalte(), vorher, 1.0);
    rad(-120, Qt::ControlModifier);
    EXPECT_EQ(p.ansicht.zoomIndex, 0);
}

TEST_F(WindowTest, LensViewOfTheLenticularResult)
{
    zweiBilder();
    modus(VorschauLinsenraster);
    TFormLinsenansicht ansicht(p);
    auto* regler = ansicht.findChild<QSlider*>(QStringLiteral("LinsenPositionTrackBar"));
    ASSERT_EQ(regler->maximum(), 1);
    // One column per lens, every row.
    const QImage erste = ansicht.bild();
    EXPECT_EQ(erste.size(), QSize(236, 354));
    EXPECT_EQ(ansicht.findChild<QLabel*>(QStringLiteral("LinsenPositionLabel"))->text(), "Blickwinkel 1 von 2");
    regler->setValue(1);
    EXPECT_EQ(ansicht.findChild<QLabel*>(QStringLiteral("LinsenPositionLabel"))->text(), "Blickwinkel 2 von 2");
    // Image R (blue 20) at the first position, image L (blue 10) at the second.
    EXPECT_EQ(qBlue(erste.pixel(100, 100)), 20);
    EXPECT_EQ(qBlue(ansicht.bild().pixel(100, 100)), 10);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(WindowTest, DocumentationWithoutAViewerSaysWhereItIs)
{
    p.ctx.state.programFolder = t.files.tempFolder();
    writeBmp(pfad("LUMIVEX.PDF").toStdString(), 1, 1, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    fenster.betrachter = true;
    fenster.MenuDOKUClick();
    EXPECT_TRUE(t.messages.lines.empty());
    fenster.betrachter = false;
    fenster.MenuDOKUClick();
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Information: Es ist kein Programm zum Anzeigen von PDF-Dateien "
                                                         "eingerichtet. Das Handbuch liegt hier:\n"
                                                         + pfad("LUMIVEX.PDF").toStdString()});
}

TEST(Oberflaeche, QtsOwnDialogsSpeakGerman)
{
    ASSERT_TRUE(QtTexteDeutsch());
    QFileDialog dialog(nullptr, QString(), QString(), DialogFilter(QString::fromUtf8(Sprache::ProjektFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texte;
    for (const QAbstractButton* k : dialog.findChild<QDialogButtonBox*>()->buttons())
        texte << k->text();
    EXPECT_TRUE(texte.contains(QStringLiteral("S&peichern"))) << texte.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("Abbrechen"))) << texte.join(QLatin1Char('|')).toStdString();
    QStringList beschriftungen;
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        beschriftungen << l->text();
    EXPECT_TRUE(beschriftungen.contains(QStringLiteral("Suchen in:"))) << beschriftungen.join(QLatin1Char('|')).toStdString();
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_TRUE(menu->actions().first()->text().startsWith(QStringLiteral("&Rückgängig")))
        << menu->actions().first()->text().toStdString();
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
    v.setzeZeichnen(true);
    EXPECT_EQ(v.cursor().pixmap().toImage(), bilder[2]);
    EXPECT_TRUE(v.toolTip().startsWith(QStringLiteral("linke Maustaste")));
    v.setzeZeichnen(false);
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
