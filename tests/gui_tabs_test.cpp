#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "commands/Batch.h"
#include "platform/qt/QtServices.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"
#include "support/Testfenster.h"
#include "ui/Dialoge.h"
#include "ui/TForm1.h"
#include "ui/Tab.h"
#include "ui/Vorschau.h"

namespace fs = std::filesystem;

namespace {

struct TabsTest : Fensterumgebung {
    std::vector<Farbe> farbwahlen;

    TabsTest()
    {
        Dialoge::farbe = [this](QWidget*, const Farbe&) -> std::optional<Farbe> {
            if (farbwahlen.empty())
                return std::nullopt;
            const Farbe f = farbwahlen.front();
            farbwahlen.erase(farbwahlen.begin());
            return f;
        };
        Dialoge::bildDatei = [](QWidget*) { return QString(); };
        Dialoge::ordnerWahl = [](QWidget*, const QString&) { return QString(); };
    }

    // The radio button with this caption inside a named group box.
    QRadioButton* knopf(const char* gruppe, const char* beschriftung)
    {
        for (QRadioButton* r : finde<QGroupBox>(gruppe)->findChildren<QRadioButton*>())
            if (r->text() == QString::fromUtf8(beschriftung))
                return r;
        ADD_FAILURE() << gruppe << ": " << beschriftung;
        return nullptr;
    }
    // The panels show the records as the window has them shown after a recompute.
    void auffrischen()
    {
        auto* tabs = finde<QTabWidget>("TabControl1");
        for (int i = 0; i < tabs->count(); ++i)
            static_cast<Tab*>(tabs->widget(i))->aktualisieren();
    }
    void zeigen() { Fensterumgebung::zeigen(1200, 1000); }
};

}

TEST_F(TabsTest, UnbuiltFunctionsAreDisabled)
{
    zeigen();
    EXPECT_FALSE(finde<QWidget>("TextGroupBox")->isEnabled());
}

// Built and acting when a project sets them, but not offered in the standard
// layout; the batch's stop button only while a batch runs.
TEST_F(TabsTest, ControlsOutsideTheStandardLayoutStayHidden)
{
    zeigen();
    for (const char* name : {"FilterComboBox", "HistoAlleCheckBox", "HistoMaxCheckBox", "FarbeLabel22", "JustTO1BitBtn",
                             "JustTU1BitBtn", "REFPFTLoesenButton", "OF_GrobJustierungCheckBox", "BatchEndeBitBtn"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(finde<QWidget>(name)->isHidden());
    }
}

TEST_F(TabsTest, AutoAlignmentRunsFromItsButton)
{
    addImages(3);
    auffrischen();
    auto* referenz = finde<QComboBox>("RefBildOFComboBox");
    auto* start = finde<QPushButton>("StartOFButton");
    ASSERT_EQ(referenz->count(), 3);
    EXPECT_EQ(referenz->currentIndex(), 1);
    EXPECT_FALSE(finde<QCheckBox>("StereoAutoJustCheckBox")->isEnabled());
    std::vector<QString> beschriftungen;
    t.events.onPump = [&](const AppState&) {
        if (beschriftungen.empty() || beschriftungen.back() != start->text())
            beschriftungen.push_back(start->text());
        EXPECT_FALSE(start->isEnabled());
    };
    start->click();
    t.events.onPump = nullptr;
    ASSERT_FALSE(beschriftungen.empty());
    EXPECT_EQ(beschriftungen.front(), QStringLiteral("0 %"));
    EXPECT_EQ(start->text(), QStringLiteral("Auto-Justierung"));
    EXPECT_TRUE(start->isEnabled());
    for (const char* name : {"OF_BildNr_Label", "anzSchleifeLabel", "Ebene_Label"})
        EXPECT_EQ(finde<QLabel>(name)->text(), QStringLiteral("---")) << name;
    // Stripes without corners: the reference stays, the others cannot be aligned.
    EXPECT_EQ(p.bilder.bild[2].AJStatus[0], "O");
    EXPECT_EQ(p.bilder.bild[1].AJStatus[0], "-");
    EXPECT_EQ(p.bilder.bild[3].AJStatus[0], "-");
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(TabsTest, TheAutoAlignmentLocksTheWindowUntilItEnds)
{
    addImages(3);
    auffrischen();
    const std::vector<const char*> sperrbar{"NeuButton", "AnimationStartBitBtn", "AnimationStopBitBtn", "PingPongCheckBox",
                                            "AnimationUpDown", "RefBildOFComboBox", "OF_ViewCheckBox", "ListenBox"};
    int gesperrtGesehen = 0;
    t.events.onPump = [&](const AppState&) {
        if (!p.ctx.state.busy)
            return;
        ++gesperrtGesehen;
        EXPECT_TRUE(fenster.gesperrt());
        for (const char* name : sperrbar)
            EXPECT_FALSE(finde<QWidget>(name)->isEnabled()) << name;
    };
    finde<QPushButton>("StartOFButton")->click();
    t.events.onPump = nullptr;
    EXPECT_GT(gesperrtGesehen, 0);
    EXPECT_FALSE(fenster.gesperrt());
    for (const char* name : sperrbar)
        EXPECT_TRUE(finde<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(finde<QPushButton>("StartOFButton")->isEnabled());
}

TEST_F(TabsTest, TheStopButtonEndsTheAutoAlignmentAndUnlocksTheWindow)
{
    addImages(3);
    p.bilder.bild[1].dx = 1.25;
    auffrischen();
    auto* stopp = finde<QPushButton>("STOPButton");
    bool gestoppt = false;
    t.events.onPump = [&](const AppState& st) {
        if (gestoppt || !st.busy || p.autoJustAnzeige.prozent < 0)
            return;
        gestoppt = true;
        // The stop button comes after a second, as for every computation, and the lock leaves it usable.
        QTest::qWait(1100);
        EXPECT_TRUE(fenster.gesperrt());
        ASSERT_TRUE(stopp->isEnabled());
        t.messages.answers = {Antwort::Ja};
        stopp->click();
    };
    finde<QPushButton>("StartOFButton")->click();
    t.events.onPump = nullptr;
    ASSERT_TRUE(gestoppt);
    EXPECT_FALSE(fenster.gesperrt());
    EXPECT_TRUE(finde<QWidget>("NeuButton")->isEnabled());
    EXPECT_TRUE(finde<QWidget>("AnimationStopBitBtn")->isEnabled());
    EXPECT_EQ(p.bilder.bild[1].dx, 1.25);
    EXPECT_EQ(p.bilder.bild[1].AJStatus[0], " ");
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_FALSE(p.ctx.state.abort);
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Bestätigung? Möchten Sie aktuelle Berechnung abbrechen?"});
}

TEST_F(TabsTest, TheDetailViewShowsTheTrackerInThePreview)
{
    addImages(2);
    auffrischen();
    auto* vorschau = finde<Vorschau>("VorschauShape");
    vorschau->leeren();
    finde<QCheckBox>("OF_ViewCheckBox")->click();
    ASSERT_TRUE(p.autoJust.detail);
    int mitBild = 0;
    t.events.onPump = [&](const AppState&) {
        if (p.autoJustAnzeige.schleife > 0 && !vorschau->bildRechteck().isEmpty())
            ++mitBild;
    };
    finde<QPushButton>("StartOFButton")->click();
    t.events.onPump = nullptr;
    EXPECT_GT(mitBild, 0);
}

TEST_F(TabsTest, BothImagesOfAPairCanBeCorrected)
{
    addImages(2);
    auffrischen();
    auto* beide = finde<QCheckBox>("StereoAutoJustCheckBox");
    ASSERT_TRUE(beide->isEnabled());
    EXPECT_TRUE(finde<QComboBox>("RefBildOFComboBox")->isEnabled());
    beide->click();
    EXPECT_TRUE(p.autoJust.symmetrisch);
    EXPECT_FALSE(finde<QComboBox>("RefBildOFComboBox")->isEnabled());
    addImages(3);
    auffrischen();
    EXPECT_FALSE(beide->isEnabled());
    EXPECT_TRUE(finde<QComboBox>("RefBildOFComboBox")->isEnabled());
    EXPECT_EQ(p.autoJust.referenzbild, 2);
}

TEST_F(TabsTest, LinkingTheAnaglyphControlsTakesTheirMean)
{
    addImages(2);
    p.compose.anaglyphSchema = 1;
    p.compose.anaglyphFarbModus = 1;
    p.compose.C1 = 10;
    p.compose.C2 = 20;
    p.compose.C3 = 40;
    p.compose.anaglyphVerbinden = false;
    auffrischen();
    t.messages.lines.clear();
    p.ctx.state.modified = false;
    auto* verbinden = finde<QCheckBox>("AnaglyphVerbindenCheckBox");
    ASSERT_TRUE(verbinden->isEnabled());
    verbinden->click();
    EXPECT_TRUE(p.compose.anaglyphVerbinden);
    EXPECT_EQ(p.compose.C1, 23);
    EXPECT_EQ(p.compose.C2, 23);
    EXPECT_EQ(p.compose.C3, 23);
    EXPECT_TRUE(p.ctx.state.modified);
    EXPECT_EQ(finde<QSlider>("C3TrackBar")->value(), 23);

    // Linked, one bar moves the others.
    finde<QSlider>("C2TrackBar")->setValue(60);
    EXPECT_EQ(p.compose.C1, 60);
    EXPECT_EQ(p.compose.C3, 60);
    EXPECT_EQ(finde<QSlider>("C1TrackBar")->value(), 60);
}

TEST_F(TabsTest, ColourCodeSchemeForcesColourAndDisablesTheControls)
{
    addImages(2);
    auffrischen();
    knopf("AnaglyphRadioGroup", "Rot - Cyan")->click();
    EXPECT_EQ(p.auswahl.vorschau, VorschauAnaglyph);
    knopf("AnaglyphFarbeRadioGroup", "grau")->click();
    EXPECT_EQ(p.compose.anaglyphFarbModus, 2);
    EXPECT_EQ(p.compose.C2, 100);
    EXPECT_FALSE(finde<QSlider>("C1TrackBar")->isEnabled());
    knopf("AnaglyphFarbeRadioGroup", "manuell")->click();
    EXPECT_EQ(p.compose.C2, 100);
    EXPECT_TRUE(finde<QSlider>("C1TrackBar")->isEnabled());
    EXPECT_TRUE(finde<QCheckBox>("AnaglyphVerbindenCheckBox")->isEnabled());
    knopf("AnaglyphFarbeRadioGroup", "grau")->click();

    knopf("AnaglyphRadioGroup", "ColorCode 3-D")->click();
    EXPECT_EQ(p.compose.anaglyphSchema, 0);
    EXPECT_EQ(p.compose.anaglyphFarbModus, 0);
    EXPECT_EQ(p.compose.C1 + p.compose.C2 + p.compose.C3, 0);
    EXPECT_TRUE(knopf("AnaglyphFarbeRadioGroup", "farbig")->isChecked());
    EXPECT_FALSE(finde<QGroupBox>("AnaglyphFarbeRadioGroup")->isEnabled());
    EXPECT_FALSE(finde<QSlider>("C3TrackBar")->isEnabled());
    EXPECT_FALSE(finde<QCheckBox>("AnaglyphVerbindenCheckBox")->isEnabled());
    EXPECT_TRUE(finde<QGroupBox>("AnaglyphRadioGroup")->isEnabled());
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(TabsTest, TheFramePresetSetsItsFramesColoursAndSize)
{
    auto* liste = finde<QComboBox>("ViewerComboBox");
    ASSERT_EQ(liste->count(), 13);
    EXPECT_EQ(liste->itemText(11).toStdString(), "12: 3D-Frame  100x 30mm   50x 30mm -  50mm");
    liste->activated(11);
    const StereoSettings& s = p.compose.stereo;
    EXPECT_EQ(s.viewerIndex, 11);
    EXPECT_EQ(s.xr, 100);
    EXPECT_EQ(s.xd, 50);
    EXPECT_FALSE(s.gesamtRahmen);
    EXPECT_FALSE(s.rahmen);
    EXPECT_EQ(s.hintergrund, (Farbe{0, 0, 0}));
    EXPECT_TRUE(s.stauchen);
    EXPECT_TRUE(s.festePixel);
    EXPECT_EQ(s.pixelBreite, 800);
    EXPECT_EQ(finde<QLineEdit>("ViewerEdit5")->text(), "100");
    EXPECT_EQ(finde<QLineEdit>("ViewerEdit6")->text(), "30");
    EXPECT_FALSE(finde<QCheckBox>("ViewerRahmenCheckBox")->isChecked());
    EXPECT_TRUE(finde<QCheckBox>("StereoPixelBreiteCheckBox")->isChecked());
    EXPECT_EQ(finde<QSpinBox>("StereoPixelHoeheSpinEdit")->value(), 480);
    EXPECT_TRUE(finde<QGroupBox>("ViewerLRRadioGroup")->isHidden());
    EXPECT_FALSE(finde<QLineEdit>("ViewerEdit1")->isEnabled());

    liste->activated(12);
    EXPECT_FALSE(finde<QGroupBox>("ViewerLRRadioGroup")->isHidden());
    liste->activated(0);
    EXPECT_TRUE(p.compose.stereo.rahmen);
    EXPECT_EQ(p.compose.stereo.hintergrund, (Farbe{255, 255, 255}));
    EXPECT_FALSE(p.compose.stereo.festePixel);
}

TEST_F(TabsTest, ApplyingOverlappingFramesShowsEveryFaultThenStops)
{
    addImages(2);
    p.auswahl.vorschau = VorschauBildR;
    auffrischen();
    finde<QRadioButton>("ViewerRadioButton2")->click();
    EXPECT_FALSE(p.compose.stereo.vorlage);
    ASSERT_TRUE(finde<QLineEdit>("ViewerEdit1")->isEnabled());
    const char* werte[] = {"60", "80", "50", "0", "115", "60"};
    for (int i = 0; i < 6; ++i)
        finde<QLineEdit>(("ViewerEdit" + std::to_string(i + 1)).c_str())->setText(QString::fromLatin1(werte[i]));
    t.messages.lines.clear();
    finde<QPushButton>("ViewerAnwendenButton")->click();
    EXPECT_EQ(t.messages.lines, (std::vector<std::string>{"Fehler: Fehlerursache: xd > xm!",
                                                           "Fehler: Fehlerursache: yd > ym!",
                                                           "Fehler: Fehlerusache: yr < ym+yd!",
                                                           "Warnung: Die Berechnung des Bildes wird abgebrochen!"}));
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_EQ(p.compose.stereo.xd, 50);

    finde<QLineEdit>("ViewerEdit2")->setText(QStringLiteral("50"));
    finde<QLineEdit>("ViewerEdit3")->setText(QStringLiteral("55"));
    finde<QLineEdit>("ViewerEdit1")->setText(QStringLiteral("50"));
    t.messages.lines.clear();
    finde<QPushButton>("ViewerAnwendenButton")->click();
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_EQ(p.auswahl.vorschau, VorschauStereo);
    EXPECT_EQ(p.compose.stereo.xm, 55);
    EXPECT_GT(p.bilder.ergebnis().slot[SlotErgebnis].breite, 0);
}

TEST_F(TabsTest, AFreeStripeWidthIsMadeEvenByTheComposer)
{
    addImages(2);
    auffrischen();
    knopf("LCDGroesseRadioGroup", "1024 x 768")->click();
    EXPECT_EQ(p.compose.streifen.breite, 1024);
    EXPECT_EQ(p.auswahl.vorschau, VorschauStreifen);
    EXPECT_FALSE(finde<QPushButton>("LCDAnwendenButton")->isEnabled());
    knopf("LCDGroesseRadioGroup", "frei wählbar --->")->click();
    ASSERT_TRUE(finde<QPushButton>("LCDAnwendenButton")->isEnabled());
    finde<QSpinBox>("LCDSpinEditx")->setValue(1023);
    finde<QSpinBox>("LCDSpinEdity")->setValue(768);
    finde<QPushButton>("LCDAnwendenButton")->click();
    EXPECT_EQ(p.compose.streifen.breite, 1023);
    const RasterSlot& ergebnis = p.bilder.ergebnis().slot[SlotErgebnis];
    EXPECT_EQ(ergebnis.breite, 1024);
    EXPECT_EQ(ergebnis.hoehe, 768);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(TabsTest, OnlyLeavingManualCompressionRecomputes)
{
    addImages(2);
    auffrischen();
    EXPECT_FALSE(finde<QScrollBar>("PixelUpDown")->isEnabled());
    int pumps = t.events.pumps;
    knopf("KomprimierungRadioGroup", "Manuell")->click();
    EXPECT_EQ(t.events.pumps, pumps);
    EXPECT_EQ(p.compose.Komprimierung, 1);
    EXPECT_TRUE(finde<QScrollBar>("PixelUpDown")->isEnabled());
    knopf("KomprimierungRadioGroup", "Auto ( < 400 dpi)")->click();
    EXPECT_GT(t.events.pumps, pumps);
    EXPECT_FALSE(finde<QScrollBar>("PixelUpDown")->isEnabled());
}

TEST_F(TabsTest, PixelsPerLensClearThePreview)
{
    addImages(2);
    p.auswahl.vorschau = VorschauBildR;
    p.compose.Komprimierung = 1;
    auffrischen();
    auto* upDown = finde<QScrollBar>("PixelUpDown");
    upDown->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(p.compose.PixelProBildProLinse, 2);
    EXPECT_EQ(finde<QLabel>("PixelEdit")->text(), "2");
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
}

TEST_F(TabsTest, PrintOptimisationFollowsAutoAndManual)
{
    t.printers.list = {"Laser", "Tinte"};
    t.printers.selected = 1;
    addImages(2);
    auffrischen();
    auto* optimierung = finde<QCheckBox>("DruckOptimierungCheckBox");
    EXPECT_EQ(optimierung->text(), "Bildoptimierung aktiv");
    EXPECT_FALSE(finde<QComboBox>("dpiComboBox")->isEnabled());
    EXPECT_EQ(finde<QComboBox>("dpiComboBox")->currentText(), "400");
    EXPECT_EQ(finde<QComboBox>("dpiComboBox")->count(), 27);
    optimierung->click();
    EXPECT_TRUE(p.compose.DruckOptimierung);
    EXPECT_EQ(p.compose.druckerIndex, 1);
    EXPECT_EQ(p.compose.druckerName, "Tinte");
    EXPECT_TRUE(finde<QComboBox>("dpiPrinterComboBox")->isEnabled());
    EXPECT_FALSE(finde<QComboBox>("dpiComboBox")->isEnabled());
    EXPECT_FALSE(finde<QLabel>("Label_PPL")->isEnabled());
    finde<QRadioButton>("dpiManuellRadioButton")->click();
    EXPECT_FALSE(p.compose.dpiAuto);
    EXPECT_TRUE(finde<QComboBox>("dpiComboBox")->isEnabled());
    EXPECT_FALSE(finde<QComboBox>("dpiPrinterComboBox")->isEnabled());
    finde<QComboBox>("biKubComboBox")->activated(1);
    EXPECT_EQ(p.compose.biKubMethode, 2);
    finde<QComboBox>("dpiPrinterComboBox")->activated(0);
    EXPECT_EQ(t.printers.selected, 0);
    EXPECT_EQ(p.compose.druckerName, "Laser");
}

TEST_F(TabsTest, WithoutPrintersOnlyManualResolutionIsOffered)
{
    t.printers.list.clear();
    auffrischen();
    finde<QCheckBox>("DruckOptimierungCheckBox")->click();
    EXPECT_FALSE(p.compose.dpiAuto);
    EXPECT_FALSE(finde<QRadioButton>("dpiAutoRadioButton")->isEnabled());
    EXPECT_TRUE(finde<QRadioButton>("dpiManuellRadioButton")->isChecked());
}

TEST_F(TabsTest, ChangingThePrintUnitConvertsEveryLength)
{
    auffrischen();
    knopf("DruckEinheitRadioGroup", "inch")->click();
    EXPECT_FALSE(p.druck.einheitCm);
    EXPECT_TRUE(p.ctx.state.modified);
    EXPECT_DOUBLE_EQ(p.druck.breite, 15.0 / 2.54);
    EXPECT_DOUBLE_EQ(p.druck.randY, 0.5 / 2.54);
    EXPECT_DOUBLE_EQ(p.druck.hoeheGesetzt, 10.0 / 2.54);
    EXPECT_EQ(finde<QLineEdit>("xSizeEdit")->text().left(6), "5,9055");
    knopf("DruckEinheitRadioGroup", "cm")->click();
    EXPECT_NEAR(p.druck.breite, 15.0, 1e-12);
    EXPECT_TRUE(finde<QLineEdit>("hSizeEdit")->isHidden());
}

TEST_F(TabsTest, APrintWidthKeepsTheImageProportions)
{
    addImages(1, 200, 100);
    auffrischen();
    auto* breite = finde<QLineEdit>("xSizeEdit");
    breite->setText(QStringLiteral("20"));
    breite->editingFinished();
    EXPECT_DOUBLE_EQ(p.druck.breiteGesetzt, 20.0);
    EXPECT_DOUBLE_EQ(p.druck.hoehe, 10.0);
    EXPECT_EQ(finde<QLineEdit>("ySizeEdit")->text(), "10");
}

TEST_F(TabsTest, BackgroundColoursComeFromTheColourDialog)
{
    farbwahlen = {Farbe{10, 20, 30}, Farbe{1, 2, 3}};
    finde<QPushButton>("FarbeHintergrundButton")->click();
    EXPECT_EQ(p.compose.Hintergrundfarbe, (Farbe{10, 20, 30}));
    EXPECT_TRUE(p.ctx.state.modified);
    finde<QPushButton>("FarbeHintergrundVollbildButton")->click();
    EXPECT_EQ(p.farbe.vollbildHintergrund, (Farbe{1, 2, 3}));
    finde<QPushButton>("FarbeHintergrundVorschauButton")->click();
    EXPECT_EQ(p.farbe.vorschauHintergrund, (Farbe{192, 192, 192}));
    finde<QPushButton>("NormalFarbeButton")->click();
    EXPECT_EQ(p.compose.Hintergrundfarbe, (Farbe{255, 255, 255}));
    EXPECT_EQ(p.farbe.vollbildHintergrund, (Farbe{0, 0, 0}));
    farbwahlen = {Farbe{0, 0, 255}};
    finde<QPushButton>("StereoRahmenButton")->click();
    EXPECT_EQ(p.compose.stereo.rahmenFarbe, (Farbe{0, 0, 255}));
}

TEST_F(TabsTest, TheSelectedImagePanelShowsAndSetsItsOptions)
{
    addImages(2);
    p.auswahl.listenZeile = 2;
    p.auswahl.justR = true;
    p.bilder.bild[2].konturen = true;
    auffrischen();
    EXPECT_EQ(finde<QLabel>("JustLabel1")->text(), "Nr.:   2");
    EXPECT_EQ(finde<QLabel>("JustLabel2")->text().toStdString(), "Datei: bild2.jpg" + std::string(23, ' '));
    EXPECT_TRUE(finde<QCheckBox>("KonturenCheckBox")->isChecked());
    finde<QCheckBox>("SpiegelXCheckBox")->click();
    EXPECT_TRUE(p.bilder.bild[2].spiegelX);
    EXPECT_FALSE(p.bilder.bild[1].spiegelX);
    finde<QCheckBox>("KonturenCheckBox")->click();
    EXPECT_FALSE(p.bilder.bild[2].konturen);
    finde<QComboBox>("FilterComboBox")->activated(8);
    EXPECT_EQ(p.bilder.bild[2].filterNr, 8);

    p.auswahl.listenZeile = 0;
    auffrischen();
    EXPECT_EQ(finde<QLabel>("JustLabel1")->text(), "Nr.: ");
    EXPECT_FALSE(finde<QCheckBox>("SpiegelYCheckBox")->isEnabled());
}

TEST_F(TabsTest, HistogramOptionsReachEveryImage)
{
    addImages(2);
    auffrischen();
    finde<QCheckBox>("HistoMaxCheckBox")->click();
    EXPECT_TRUE(p.farbe.histoMax);
    EXPECT_FALSE(p.bilder.bild[1].histoMax);
    finde<QCheckBox>("HistoAlleCheckBox")->click();
    EXPECT_TRUE(p.bilder.bild[1].histo);
    EXPECT_TRUE(p.bilder.bild[2].histoMax);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{});
}

TEST_F(TabsTest, TheLensPitchTakesDigitsAndTheCommaOnly)
{
    addImages(2);
    p.auswahl.vorschau = VorschauLinsenraster;
    auto* lpi = finde<QLineEdit>("lpiEdit");
    EXPECT_EQ(lpi->text(), "40,");
    lpi->selectAll();
    QTest::keyClicks(lpi, "abc");
    QTest::keyClick(lpi, Qt::Key_Return);
    EXPECT_EQ(lpi->text(), "40,");
    EXPECT_EQ(p.compose.lpi, 40.0);
    EXPECT_EQ(p.auswahl.vorschau, VorschauLinsenraster);
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{});

    lpi->selectAll();
    QTest::keyClicks(lpi, "6x2,5");
    QTest::keyClick(lpi, Qt::Key_Return);
    EXPECT_EQ(p.compose.lpi, 62.5);
    EXPECT_EQ(lpi->displayText(), "62 ,5  ");
}

TEST_F(TabsTest, TheAnalysisCommandsListIntoTheMemo)
{
    const auto ordner = t.files.tempFolder();
    const auto bmp = ordner / "kein_exif.bmp";
    writeBmp(bmp, 4, 4, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    Dialoge::bildDatei = [&bmp](QWidget*) { return QString::fromStdString(bmp.string()); };
    finde<QPushButton>("ButtonEXIF")->click();
    EXPECT_EQ(finde<QPlainTextEdit>("Memo1")->toPlainText(), "Exif Header is not valid");
    // The traces go into the user's temporary folder.
    EXPECT_TRUE(std::filesystem::exists(ordner / "EXIF_1_Detail$$$.TXT"));
    EXPECT_TRUE(std::filesystem::exists(ordner / "EXIF_2_Detail$$$.TXT"));

    const auto mpo = ordner / "paar.mpo";
    writeBytes(mpo, {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x01, 0xFF, 0xD9, 0x00, 0x00,
                     0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x02, 0xFF, 0xD9});
    Dialoge::bildDatei = [&mpo](QWidget*) { return QString::fromStdString(mpo.string()); };
    finde<QPushButton>("ButtonMPO")->click();
    EXPECT_TRUE(finde<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("Datei wird geschrieben")));
    EXPECT_TRUE(std::filesystem::exists(mpo.string() + "_2.JPG"));
    EXPECT_TRUE(std::filesystem::exists(ordner / "MPO_Detail$$$.TXT"));
}

TEST_F(TabsTest, EveryPanelFitsItsTab)
{
    zeigen();
    auto* tabs = finde<QTabWidget>("TabControl1");
    const QString ordner = qEnvironmentVariable("LUMIVEX_TAB_BILDER");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* panel = tabs->widget(i);
        EXPECT_GE(panel->width(), panel->minimumSizeHint().width()) << i;
        EXPECT_GE(panel->height(), panel->minimumSizeHint().height()) << i;
        if (!ordner.isEmpty())
            fenster.grab().save(QDir(ordner).filePath(QStringLiteral("tab%1.png").arg(i, 2, 10, QLatin1Char('0'))));
    }
    // With every panel in place the whole window still fits a 1280-pixel screen.
    EXPECT_LE(fenster.minimumSizeHint().width(), 1280);
}

namespace {

// Two folders of two pictures each below a source folder.
std::filesystem::path batchQuelle(const std::filesystem::path& temp)
{
    const auto quelle = temp / "quelle";
    for (const char* name : {"a/1.bmp", "a/2.bmp", "b/1.bmp", "b/2.bmp"}) {
        std::filesystem::create_directories((quelle / name).parent_path());
        writeBmp(quelle / name, 40, 30, [](int x, int y, uint8_t px[3]) {
            px[0] = static_cast<uint8_t>(x * 6);
            px[1] = static_cast<uint8_t>(y * 8);
            px[2] = static_cast<uint8_t>((x * y) % 251);
        });
    }
    return quelle;
}

}

TEST_F(TabsTest, TheBatchPanelShowsAndSetsItsSettings)
{
    const auto quelle = batchQuelle(t.files.tempFolder());
    Dialoge::ordnerWahl = [&](QWidget*, const QString&) { return QString::fromStdString(quelle.string()); };
    auto* zaehlen = finde<QPushButton>("Batch1Button");
    EXPECT_FALSE(zaehlen->isEnabled());
    finde<QComboBox>("Batch1ComboBox1")->setCurrentText(QStringLiteral("*.BMP"));
    finde<QPushButton>("Batch1BitBtn1")->click();
    EXPECT_EQ(p.batch.quelle, quelle.string());
    EXPECT_EQ(finde<QLineEdit>("Batch1Edit0")->text(), QString::fromStdString(quelle.string() + "/"));
    ASSERT_TRUE(zaehlen->isEnabled());
    zaehlen->click();
    EXPECT_EQ(finde<QLineEdit>("BatchEdit1")->text(), QStringLiteral("2"));
    EXPECT_EQ(finde<QLineEdit>("Batch1Edit2")->text(), QStringLiteral("4"));

    // Kind B offers the stereo files and empties the work lists.
    auto* art = finde<QComboBox>("Batch1ComboBox2");
    art->setCurrentIndex(1);
    emit art->activated(1);
    auto* muster = finde<QComboBox>("Batch1ComboBox1");
    ASSERT_EQ(muster->count(), 2);
    EXPECT_EQ(muster->itemText(1), QStringLiteral("*.JPS"));
    EXPECT_EQ(p.batch.muster, "*.MPO");
    EXPECT_TRUE(p.batchLauf.ordner.empty());
    EXPECT_TRUE(finde<QLineEdit>("BatchEdit1")->text().isEmpty());

    finde<QRadioButton>("Batch2RadioButton3")->click();
    EXPECT_EQ(p.batch.farbModus, BatchFarbeKonturen);
    finde<QCheckBox>("Batch5CheckBox4")->click();
    EXPECT_TRUE(p.batch.jps);
    QTest::keyClicks(finde<QLineEdit>("Batch5Edit1"), QStringLiteral("3d"));
    EXPECT_EQ(p.batch.suffixAnaglyph, "_anaglyph3d");
    auto* typ = finde<QComboBox>("Batch5ComboBox1");
    typ->setCurrentIndex(2);
    emit typ->activated(2);
    EXPECT_EQ(p.batch.ergebnisTyp, "TIF");
    finde<QCheckBox>("Batch6CheckBox1")->click();
    EXPECT_FALSE(p.batch.ueberschreiben);

    // The panel follows settings changed elsewhere.
    p.batch.zuschnitt = false;
    p.batch.suffixJustiert = "_j";
    static_cast<Tab*>(finde<QGroupBox>("BatchGroupBox"))->aktualisieren();
    EXPECT_FALSE(finde<QCheckBox>("Batch4CheckBox1")->isChecked());
    EXPECT_EQ(finde<QLineEdit>("Batch6Edit5")->text(), QStringLiteral("_j"));
}

TEST_F(TabsTest, BatchStartWithAnImageLoadedIsRefused)
{
    addImages(1);
    p.batch.quelle = batchQuelle(t.files.tempFolder()).string();
    p.batch.ziel = (t.files.tempFolder() / "ziel").string();
    p.batch.muster = "*.BMP";
    finde<QPushButton>("Batch1Button")->setEnabled(true);
    finde<QPushButton>("Batch1Button")->click();
    finde<QPushButton>("BatchStartBitBtn")->click();
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Warnung: Bei der Stapelverarbeitung dürfen keine Bilder geladen sein!"});
    EXPECT_EQ(p.bilder.anzahl, 1);
    EXPECT_FALSE(std::filesystem::exists(p.batch.ziel));
    EXPECT_FALSE(fenster.gesperrt());
}

TEST_F(TabsTest, ABatchRunLocksTheWindowButItsStopButton)
{
    zeigen();
    const auto ziel = t.files.tempFolder() / "ziel";
    p.batch.quelle = batchQuelle(t.files.tempFolder()).string();
    p.batch.ziel = ziel.string();
    p.batch.muster = "*.BMP";
    static_cast<Tab*>(finde<QGroupBox>("BatchGroupBox"))->aktualisieren();
    finde<QPushButton>("Batch1Button")->click();
    auto* start = finde<QPushButton>("BatchStartBitBtn");
    auto* stopp = finde<QPushButton>("BatchEndeBitBtn");
    auto* neu = finde<QPushButton>("NeuButton");
    bool gesehen = false;
    t.messages.answers = {Antwort::Ja};
    t.events.onPump = [&](const AppState&) {
        if (p.batchLauf.ordnerNr != 2 || gesehen)
            return;
        gesehen = true;
        EXPECT_TRUE(fenster.gesperrt());
        EXPECT_FALSE(neu->isEnabled());
        EXPECT_FALSE(finde<QCheckBox>("Batch4CheckBox1")->isEnabled());
        EXPECT_TRUE(start->isHidden());
        EXPECT_FALSE(stopp->isHidden());
        EXPECT_TRUE(stopp->isEnabled());
        stopp->click();
    };
    start->click();
    t.events.onPump = nullptr;
    EXPECT_TRUE(gesehen);
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Bestätigung? Möchten Sie aktuelle Berechnung abbrechen?"});
    EXPECT_TRUE(std::filesystem::exists(ziel / "a" / "1_anaglyph.JPG"));
    EXPECT_FALSE(std::filesystem::exists(ziel / "b"));
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_FALSE(fenster.gesperrt());
    EXPECT_TRUE(neu->isEnabled());
    EXPECT_FALSE(start->isHidden());
    EXPECT_TRUE(stopp->isHidden());
}

TEST_F(TabsTest, ClosingTheWindowDuringABatchStopsTheBatchAndKeepsTheWindow)
{
    zeigen();
    p.batch.quelle = batchQuelle(t.files.tempFolder()).string();
    p.batch.ziel = (t.files.tempFolder() / "ziel").string();
    p.batch.muster = "*.BMP";
    Batch1ButtonClick(p);
    t.messages.answers = {Antwort::Ja};
    bool geschlossen = true;
    t.events.onPump = [&](const AppState&) {
        if (p.batchLauf.ordnerNr == 2 && !p.batchLauf.abbruch)
            geschlossen = fenster.close();
    };
    finde<QPushButton>("BatchStartBitBtn")->click();
    t.events.onPump = nullptr;
    EXPECT_FALSE(geschlossen);
    EXPECT_TRUE(fenster.isVisible());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(p.batch.ziel) / "b"));
    EXPECT_FALSE(p.batchLauf.laeuft);
}

TEST_F(TabsTest, ThePrintButtonsPrintOnTheCurrentPrinter)
{
    addImages(1, 64, 48);
    p.auswahl.bildL = p.auswahl.bildR = 1;
    p.auswahl.vorschau = VorschauBildR;
    RasterSlot& ergebnis = p.bilder.ergebnis().slot[SlotFarbErgebnis];
    ergebnis.breite = 64;
    ergebnis.hoehe = 48;
    writeBmp(ergebnis.pfad, 64, 48, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 9; });
    finde<QPushButton>("DruckButton")->click();
    ASSERT_EQ(t.printers.images.size(), 1u);
    EXPECT_EQ(t.printers.images[0].image.width, 64);
    fenster.findChild<QAction*>(QStringLiteral("MenuDrucken"))->trigger();
    fenster.findChild<QAction*>(QStringLiteral("DruckToolButton"))->trigger();
    EXPECT_EQ(t.printers.images.size(), 3u);
    finde<QPushButton>("BarrierDruckButton")->click();
    EXPECT_EQ(t.printers.images.back().image.height, 1);
    finde<QPushButton>("AnaglypKalibPrintButton")->click();
    EXPECT_EQ(t.printers.images.size(), 4u + 180);
    finde<QPushButton>("KalibrierungDruckenBitBtn")->click();
    EXPECT_EQ(t.printers.images.size(), 4u + 180 + 21);
    EXPECT_EQ(t.printers.ended, 6);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(TabsTest, TheCalibrationImageShowsItsFiguresAndIsSaved)
{
    const QString ziel = QString::fromStdString((t.files.tempFolder() / "kalib.bmp").string());
    QString gefragtIn;
    Dialoge::bmpZiel = [&](QWidget*, const QString& ordner) {
        gefragtIn = ordner;
        return ziel;
    };
    auto* breite = finde<QLineEdit>("KBreitMaskEdit");
    // A stray letter is dropped, so is a point.
    breite->setText(QStringLiteral("1a.5"));
    breite->editingFinished();
    EXPECT_EQ(breite->text(), "15");
    auto* pixel = finde<QSpinBox>("KAnzPixBildLinseSpinEdit");
    EXPECT_FALSE(pixel->isEnabled());
    knopf("LRAutoRadioGroup", "manuell")->click();
    EXPECT_TRUE(pixel->isEnabled());
    knopf("LRKalibRichtungRadioGroup", "Flip")->click();
    EXPECT_EQ(breite->toolTip(), "Bildhöhe");
    knopf("LRKalibRichtungRadioGroup", "3D")->click();
    EXPECT_EQ(breite->toolTip(), "Bildbreite");
    knopf("LRAutoRadioGroup", "auto")->click();
    finde<QPushButton>("KStartBitBtn")->click();
    // 236 lenses of 2 × 5 pixels; 10 cm high at the exact width of 14,986 cm.
    EXPECT_EQ(finde<QLabel>("KPixelxLabel")->text(), "2360");
    EXPECT_EQ(finde<QLabel>("KPixelYLabel")->text(), "1575");
    EXPECT_EQ(breite->text(), "14,986");
    EXPECT_EQ(finde<QLabel>("KdpiXLabel")->text(), "400,00");
    EXPECT_EQ(finde<QLabel>("KHoeheStreifenLabel")->text(), " 0,909 cm");
    EXPECT_EQ(pixel->value(), 5);
    EXPECT_EQ(fs::file_size(ziel.toStdString()), 54u + 2360u * 3 * 1575);
    EXPECT_FALSE(p.ctx.state.busy);
    fenster.MenuProjektNeuClick();
    EXPECT_EQ(breite->text(), "15");
}
