// The window's presentation functions (full-screen view, image sequence,
// screen capture), the interface lock and the settings store.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <map>

#include "platform/Headless.h"
#include "platform/qt/Bildschirm.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/Bytes.h"
#include "support/TestServices.h"
#include "support/Testfenster.h"
#include "ui/TForm1.h"
#include "ui/TFormVollbild.h"
#include "ui/Vorschau.h"

namespace fs = std::filesystem;

namespace {

// A program and its window; the settings store is the test's.
struct Sitzung {
    TestServices t{{"Laser", "Tinte"}};
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, t.printers, t.textRaster}};
    Testfenster fenster;

    explicit Sitzung(SettingsStore* einstellungen = nullptr) : fenster(p, display, einstellungen) {}

    template <class W = QWidget>
    W* finde(const char* name)
    {
        W* w = fenster.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* aktion(const char* name) { return finde<QAction>(name); }
    QTimer* timer1() { return finde<QTimer>("Timer1"); }
    // Images of breite × hoehe pixels, each in its own blue.
    void bilderLaden(int anzahl, int breite = 32, int hoehe = 24)
    {
        for (int n = 1; n <= anzahl; ++n) {
            const fs::path pfad = t.files.tempFolder() / ("bild" + std::to_string(n) + ".bmp");
            writeBmp(pfad, breite, hoehe, [n](int x, int, uint8_t px[3]) {
                px[0] = static_cast<uint8_t>(40 * n);
                px[1] = static_cast<uint8_t>(x);
                px[2] = 0;
            });
            fenster.bilder << QString::fromStdString(pfad.string());
        }
        fenster.NeuButtonClick();
        ASSERT_EQ(p.bilder.anzahl, anzahl);
    }
    // The image each of n ticks of the animation marks in the list.
    std::vector<int32_t> ticks(int n)
    {
        std::vector<int32_t> bilder;
        for (int i = 0; i < n; ++i) {
            fenster.Timer1Timer();
            bilder.push_back(p.auswahl.listenZeile);
            EXPECT_EQ(finde<QListWidget>("ListenBox")->currentRow(), p.auswahl.listenZeile - 1);
        }
        return bilder;
    }
};

// Whether each widget and menu or tool-bar action is enabled in its own right.
std::map<QObject*, bool> schaltzustand(TForm1& fenster)
{
    std::map<QObject*, bool> z;
    for (QWidget* w : fenster.findChildren<QWidget*>())
        z[w] = !w->testAttribute(Qt::WA_ForceDisabled);
    for (QAction* a : fenster.findChildren<QAction*>())
        z[a] = a->isEnabled();
    return z;
}

}

TEST(Animation, OneImageStartsNothing)
{
    Sitzung s;
    s.bilderLaden(1);
    s.fenster.AnimationStartBitBtnClick();
    EXPECT_FALSE(s.timer1()->isActive());
    EXPECT_FALSE(s.fenster.gesperrt());
    EXPECT_EQ(s.p.auswahl.vorschau, VorschauBildR);
}

TEST(Animation, TicksSwingOrCycleAndTheSpeedSetsTheTimer)
{
    Sitzung s;
    s.bilderLaden(2);
    s.finde<QCheckBox>("PingPongCheckBox")->setChecked(true);
    s.fenster.AnimationStartBitBtnClick();
    ASSERT_TRUE(s.timer1()->isActive());
    EXPECT_EQ(s.timer1()->interval(), 300);
    EXPECT_TRUE(s.fenster.gesperrt());
    EXPECT_EQ(s.p.auswahl.vorschau, VorschauKeine);
    EXPECT_EQ(s.ticks(6), (std::vector<int32_t>{1, 2, 2, 1, 1, 2}));
    s.fenster.AnimationStopBitBtnClick();

    s.finde<QCheckBox>("PingPongCheckBox")->setChecked(false);
    s.fenster.AnimationStartBitBtnClick();
    EXPECT_EQ(s.ticks(5), (std::vector<int32_t>{1, 2, 1, 2, 1}));
    auto* tempo = s.finde<QSpinBox>("AnimationUpDown");
    tempo->setValue(5);
    EXPECT_EQ(s.timer1()->interval(), 100);
    tempo->setValue(1);
    EXPECT_EQ(s.timer1()->interval(), 500);
    EXPECT_TRUE(s.timer1()->isActive());
}

TEST(Animation, StoppingRestoresThePreviewExceptALenticularOne)
{
    Sitzung s;
    s.bilderLaden(2);
    s.p.auswahl.bildR = 1;
    s.fenster.AnimationStartBitBtnClick();
    s.ticks(3);
    s.fenster.AnimationStopBitBtnClick();
    EXPECT_FALSE(s.timer1()->isActive());
    EXPECT_FALSE(s.fenster.gesperrt());
    EXPECT_FALSE(s.p.ctx.state.busy);
    EXPECT_EQ(s.p.auswahl.vorschau, VorschauBildR);
    EXPECT_EQ(s.p.auswahl.listenZeile, 1);
    EXPECT_TRUE(s.finde("AnimationStartBitBtn")->isEnabled());

    s.p.auswahl.vorschau = VorschauLinsenraster;
    s.fenster.AnimationStartBitBtnClick();
    s.fenster.AnimationStopBitBtnClick();
    EXPECT_EQ(s.p.auswahl.vorschau, VorschauKeine);
    EXPECT_TRUE(s.t.messages.lines.empty());
}

TEST(Animation, ResizingTheWindowStopsIt)
{
    Sitzung s;
    s.bilderLaden(2);
    s.fenster.resize(1200, 900);
    s.fenster.show();
    QApplication::processEvents();
    s.fenster.AnimationStartBitBtnClick();
    s.fenster.resize(1100, 850);
    QApplication::processEvents();
    EXPECT_FALSE(s.timer1()->isActive());
    EXPECT_FALSE(s.fenster.gesperrt());
}

TEST(Animation, SavingWritesTheSequenceAsAnAnimatedWebp)
{
    Sitzung s;
    EXPECT_FALSE(s.aktion("MenuAnimationSpeichern")->isEnabled());
    s.bilderLaden(2);
    ASSERT_TRUE(s.aktion("MenuAnimationSpeichern")->isEnabled());
    const fs::path ziel = s.t.files.tempFolder() / "wiggle.webp";
    s.fenster.animationZiel = QString::fromStdString(ziel.string());
    s.fenster.MenuAnimationSpeichernClick();
    const Bytes datei = readFile(ziel);
    ASSERT_GT(datei.size(), 30u);
    EXPECT_EQ(std::string(datei.begin() + 8, datei.begin() + 16), "WEBPVP8X");
    EXPECT_TRUE(s.t.messages.lines.empty());
    EXPECT_EQ(s.p.ctx.state.bildSpeichernOrdner, s.t.files.tempFolder());
}

TEST(Sperre, LockAndUnlockLeaveTheEnabledSetOfTheRules)
{
    Sitzung s;
    s.bilderLaden(2);
    const char* listenKnoepfe[] = {"NeuButton", "BildEntfernen", "HochBitBtn", "RunterBitBtn"};
    s.fenster.LadeButtons_Zustand(false);
    for (const char* name : listenKnoepfe)
        EXPECT_FALSE(s.finde(name)->isEnabled()) << name;
    s.fenster.LadeButtons_Zustand(true);
    for (const char* name : listenKnoepfe)
        EXPECT_TRUE(s.finde(name)->isEnabled()) << name;
    const auto vorher = schaltzustand(s.fenster);
    ASSERT_FALSE(vorher.at(s.finde("TextGroupBox")));

    s.fenster.Zustand_Sichern();
    const QWidget* frei[] = {s.finde("AnimationStopBitBtn"), s.finde("PingPongCheckBox"), s.finde("AnimationUpDown"),
                             s.finde("BatchEndeBitBtn")};
    for (const QAbstractButton* knopf : s.fenster.findChildren<QAbstractButton*>())
        EXPECT_EQ(knopf->isEnabled(), std::find(std::begin(frei), std::end(frei), knopf) != std::end(frei))
            << knopf->objectName().toStdString() << " " << knopf->text().toStdString();
    for (const char* name : {"ListenBox", "ComboBoxA", "ZoomComboBox", "xScrollBar", "lpiEdit", "FarbeHellTrackBar",
                             "RefPktSizeSpinEdit", "PixelUpDown"})
        EXPECT_FALSE(s.finde(name)->isEnabled()) << name;
    for (QMenu* menue : s.fenster.menuBar()->findChildren<QMenu*>()) {
        EXPECT_FALSE(menue->menuAction()->isEnabled()) << menue->objectName().toStdString();
        for (const QAction* a : menue->actions())
            EXPECT_TRUE(a->isSeparator() || !a->isEnabled()) << a->text().toStdString();
    }
    // The list buttons wait for the unlock.
    s.fenster.LadeButtons_Zustand(true);
    EXPECT_FALSE(s.finde("NeuButton")->isEnabled());
    s.fenster.Zustand_Sichern();

    s.fenster.Zustand_Wiederherstellen();
    EXPECT_TRUE(s.finde("NeuButton")->isEnabled());
    const std::map<std::string, bool> regeln{
        {"OptimumAusschnittButton", false}, {"AusschnittAnwendenButton", false}, {"AusschnittButton", false},
        {"StereoAutoJustCheckBox", true},   {"RefBildOFComboBox", true},         {"PixelUpDown", false},
        {"AnaglyphFarbeRadioGroup", false}, {"C1TrackBar", false},               {"C2TrackBar", false},
        {"C3TrackBar", false},              {"AnaglyphVerbindenCheckBox", false}};
    for (const auto& [objekt, an] : schaltzustand(s.fenster)) {
        const auto regel = regeln.find(objekt->objectName().toStdString());
        if (regel != regeln.end()) {
            EXPECT_EQ(an, regel->second) << regel->first;
        } else if (vorher.count(objekt)) {
            EXPECT_EQ(an, vorher.at(objekt)) << objekt->objectName().toStdString();
        }
    }
}

TEST(Sperre, ShiftKeysRestWhileLocked)
{
    Sitzung s;
    s.bilderLaden(2);
    s.finde<QCheckBox>("JustCursorCheckBox")->setChecked(true);
    const auto taste = [&] {
        QKeyEvent q(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
        QApplication::sendEvent(s.fenster.focusWidget() ? s.fenster.focusWidget() : &s.fenster, &q);
    };
    const double vorher = s.p.bilder.bild[2].dy;
    s.fenster.Zustand_Sichern();
    taste();
    EXPECT_EQ(s.p.bilder.bild[2].dy, vorher);
    s.fenster.Zustand_Wiederherstellen();
    taste();
    EXPECT_NE(s.p.bilder.bild[2].dy, vorher);
}

TEST(Sperre, RulesFollowTheRecords)
{
    Sitzung s;
    s.bilderLaden(3);
    s.p.compose.Komprimierung = 1;
    s.p.compose.anaglyphSchema = 2;
    s.fenster.Zustand_Sichern();
    s.fenster.Zustand_Wiederherstellen();
    EXPECT_TRUE(s.finde("StereoAutoJustCheckBox")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(s.finde("RefBildOFComboBox")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(s.finde("PixelUpDown")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(s.finde("AnaglyphFarbeRadioGroup")->testAttribute(Qt::WA_ForceDisabled));
}

TEST(Vollbild, TheResultFillsTheScreenCentredAndAKeyClosesIt)
{
    Sitzung s;
    s.bilderLaden(2, 48, 16);
    s.p.farbe.vollbildHintergrund = {10, 20, 30};
    // Exactly the screen's size, one pixel wider, and W + 1 reaching twice the screen width;
    // the result is wider than the screen, so the background shows above and below it.
    for (const auto& [breite, schritt] : {std::pair{48, 1}, std::pair{47, 1}, std::pair{24, 2}}) {
        SCOPED_TRACE(breite);
        s.p.ctx.state.screenWidth = breite;
        s.p.ctx.state.screenHeight = 16;
        bool gezeigt = false;
        QTimer::singleShot(0, [&] {
            auto* vollbild = qobject_cast<TFormVollbild*>(QApplication::activeModalWidget());
            ASSERT_NE(vollbild, nullptr);
            gezeigt = true;
            EXPECT_TRUE(vollbild->windowFlags() & Qt::FramelessWindowHint);
            EXPECT_TRUE(vollbild->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_TRUE(vollbild->isMaximized());
            EXPECT_EQ(vollbild->bild().size(), QSize(48 / schritt, 16 / schritt));
            const QRect bild = vollbild->VollbildImage();
            EXPECT_TRUE(vollbild->rect().contains(bild));
            EXPECT_LE(std::abs(bild.center().x() - vollbild->rect().center().x()), 1);
            EXPECT_LE(std::abs(bild.center().y() - vollbild->rect().center().y()), 1);
            EXPECT_TRUE(bild.width() == vollbild->width() || bild.height() == vollbild->height());
            EXPECT_EQ(vollbild->grab().toImage().pixelColor(0, 0), QColor(10, 20, 30));
            QKeyEvent taste(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
            QApplication::sendEvent(vollbild, &taste);
        });
        s.fenster.ZoomVollbildBitBtnClick();
        EXPECT_TRUE(gezeigt);
        const RasterSlot& raster = s.p.bilder.ergebnis().slot[SlotVollbild];
        EXPECT_EQ(raster.breite, 48 / schritt);
        EXPECT_EQ(raster.hoehe, 16 / schritt);
    }
    EXPECT_TRUE(s.t.messages.lines.empty());
}

TEST(Vollbild, NeedsAnImageAndAFreePipeline)
{
    Sitzung s;
    s.fenster.ZoomVollbildBitBtnClick();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(s.p.bilder.ergebnis().slot[SlotVollbild].breite, 0);
}

TEST(Bildschirmfoto, TheCaptureGoesToTheClipboardWithItsMessage)
{
    Sitzung s;
    QApplication::clipboard()->clear();
    s.fenster.MenuScreenClick();
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    EXPECT_EQ(QApplication::clipboard()->image().size(), bildschirm->size() * bildschirm->devicePixelRatio());
    EXPECT_EQ(s.t.messages.lines, std::vector<std::string>{"Information: Screenshot in Zwischenablage!"});
}

TEST(Bildschirmfoto, ThePointerIsBlendedInAtItsCorner)
{
    QImage bild(6, 6, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QImage zeiger(2, 2, QImage::Format_ARGB32_Premultiplied);
    zeiger.setPixel(0, 0, 0xFFFF0000);
    zeiger.setPixel(1, 0, 0x00000000);
    zeiger.setPixel(0, 1, 0x80000080);  // half-covering blue
    zeiger.setPixel(1, 1, 0xFF000000);
    Zeiger_Einzeichnen(bild, Zeiger{zeiger, QPoint(3, 2)});
    EXPECT_EQ(bild.pixelColor(3, 2), QColor(255, 0, 0));
    EXPECT_EQ(bild.pixelColor(4, 2), QColor(255, 255, 255));
    const QColor halb = bild.pixelColor(3, 3);
    EXPECT_NEAR(halb.red(), 127, 1);
    EXPECT_NEAR(halb.green(), 127, 1);
    EXPECT_EQ(halb.blue(), 255);
    EXPECT_EQ(bild.pixelColor(4, 3), QColor(0, 0, 0));
    EXPECT_EQ(bild.pixelColor(2, 2), QColor(255, 255, 255));
    EXPECT_EQ(bild.pixelColor(5, 4), QColor(255, 255, 255));
    // Where no pointer image can be had, the capture stays as it is.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        EXPECT_FALSE(GetCursorInfo().has_value());
    }
}

// Run by the capture script under a private X server: the pointer image comes
// from the server and lands where the pointer is.
TEST(BildschirmfotoX11, ThePointerOfTheServerIsDrawnWhereItPoints)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server";
    QWidget flaeche;
    flaeche.setGeometry(0, 0, 300, 300);
    QPixmap gruen(16, 16);
    gruen.fill(QColor(0, 255, 0));
    flaeche.setCursor(QCursor(gruen, 4, 6));
    flaeche.show();
    QCursor::setPos(100, 80);
    std::optional<Zeiger> zeiger;
    for (int i = 0; i < 100 && !(zeiger && zeiger->bild.size() == QSize(16, 16)); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        zeiger = GetCursorInfo();
    }
    ASSERT_TRUE(zeiger.has_value());
    ASSERT_EQ(zeiger->bild.size(), QSize(16, 16));
    EXPECT_EQ(zeiger->position, QPoint(96, 74));
    EXPECT_EQ(zeiger->bild.pixel(0, 0), qRgb(0, 255, 0));
    QImage bild = CaptureScreen();
    EXPECT_EQ(bild.size(), QGuiApplication::primaryScreen()->size());
    Zeiger_Einzeichnen(bild, *zeiger);
    EXPECT_EQ(bild.pixelColor(96, 74), QColor(0, 255, 0));
    EXPECT_EQ(bild.pixelColor(111, 89), QColor(0, 255, 0));
}

// The real store in a private configuration folder (set for the whole process in main).
class Einstellungen : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtSettingsStore store;
        store.remove();
        ASSERT_TRUE(store.flush());
    }
};

TEST_F(Einstellungen, SurviveARestartOfTheWindow)
{
    {
        QtSettingsStore store;
        Sitzung s(&store);
        s.fenster.Registry_Load();
        s.finde<QCheckBox>("PingPongCheckBox")->setChecked(true);
        s.finde<QSpinBox>("AnimationUpDown")->setValue(5);
        s.finde<QCheckBox>("HilfslinienCheckBox")->setChecked(true);
        s.finde<QCheckBox>("ListenBoxCheckBox")->setChecked(true);
        s.aktion("MenuHinweis")->trigger();
        s.p.compose.anaglyphSchema = 2;
        s.p.farbe.vorschauHintergrund = {1, 2, 3};
        s.p.ctx.state.bildOeffnenOrdner = s.t.files.tempFolder();
        s.fenster.setWindowState(Qt::WindowNoState);
        s.fenster.setGeometry(20, 30, 640, 480);
        ASSERT_TRUE(s.fenster.Ende());
    }
    QtSettingsStore store;
    Sitzung s(&store);
    s.fenster.setGeometry(3, 3, 700, 500);
    s.fenster.setWindowState(Qt::WindowMaximized);
    s.fenster.Registry_Load();
    EXPECT_TRUE(s.finde<QCheckBox>("PingPongCheckBox")->isChecked());
    EXPECT_EQ(s.finde<QSpinBox>("AnimationUpDown")->value(), 5);
    EXPECT_EQ(s.timer1()->interval(), 100);
    EXPECT_TRUE(s.finde<QCheckBox>("HilfslinienCheckBox")->isChecked());
    EXPECT_TRUE(s.finde<QCheckBox>("ListenBoxCheckBox")->isChecked());
    EXPECT_FALSE(s.aktion("MenuHinweis")->isChecked());
    EXPECT_TRUE(s.aktion("MenuEinstellungenSichern")->isChecked());
    EXPECT_EQ(s.p.compose.anaglyphSchema, 2);
    EXPECT_EQ(s.p.farbe.vorschauHintergrund, (Farbe{1, 2, 3}));
    // The folder is gone with the first session's temporary folder: the home folder stands in.
    EXPECT_EQ(s.p.ctx.state.bildOeffnenOrdner, fs::path(qEnvironmentVariable("HOME").toStdString()));
    EXPECT_FALSE(s.fenster.isMaximized());
    EXPECT_EQ(s.fenster.geometry(), QRect(20, 30, 640, 480));
}

TEST_F(Einstellungen, SetupOffKeepsTheDefaultsYetTheValuesAreWritten)
{
    {
        QtSettingsStore store;
        Sitzung s(&store);
        s.aktion("MenuEinstellungenSichern")->trigger();
        s.finde<QCheckBox>("PingPongCheckBox")->setChecked(true);
        ASSERT_TRUE(s.fenster.Ende());
    }
    QtSettingsStore store;
    EXPECT_EQ(store.readInt("Setup"), 0);
    EXPECT_EQ(store.readInt("PingPong"), 1);
    Sitzung s(&store);
    s.fenster.Registry_Load();
    EXPECT_FALSE(s.aktion("MenuEinstellungenSichern")->isChecked());
    EXPECT_FALSE(s.finde<QCheckBox>("PingPongCheckBox")->isChecked());
}

TEST(EinstellungenFenster, AMaximisedWindowKeepsItsBoundsUnapplied)
{
    MemorySettingsStore store;
    store.writeInt("Version", 5004);
    store.writeInt("WindowState", 2);
    for (const auto& [name, wert] : {std::pair{"Left", 100}, std::pair{"Top", 110}, std::pair{"Width", 500},
                                     std::pair{"Height", 400}})
        store.writeInt(name, wert);
    Sitzung s(&store);
    s.fenster.setGeometry(10, 20, 300, 200);
    s.fenster.Registry_Load();
    EXPECT_TRUE(s.fenster.isMaximized());
    EXPECT_EQ(s.fenster.normalGeometry(), QRect(10, 20, 300, 200));

    // Normal bounds that lie on no screen are not applied either.
    store.writeInt("WindowState", 1);
    store.writeInt("Left", 100000);
    s.fenster.Registry_Load();
    EXPECT_FALSE(s.fenster.isMaximized());
    EXPECT_EQ(s.fenster.geometry(), QRect(10, 20, 300, 200));
}

TEST(EinstellungenFenster, ANewProjectStoresAndRestoresThem)
{
    MemorySettingsStore store;
    Sitzung s(&store);
    s.bilderLaden(1);
    s.p.compose.anaglyphSchema = 4;
    s.t.messages.answers = {Antwort::Nein};
    s.fenster.MenuProjektNeuClick();
    EXPECT_EQ(s.p.bilder.anzahl, 0);
    EXPECT_EQ(s.p.compose.anaglyphSchema, 4);
    EXPECT_EQ(store.readInt("Anaglyph1"), 4);

    s.aktion("MenuEinstellungenSichern")->trigger();
    s.fenster.MenuProjektNeuClick();
    EXPECT_EQ(s.p.compose.anaglyphSchema, 0);
    EXPECT_EQ(store.readInt("Anaglyph1"), 4);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestFiles konfiguration;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(konfiguration.tempFolder().string()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
