#include "ui/TForm1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "commands/Liste.h"
#include "commands/Projekt.h"
#include "compose/Pipeline.h"
#include "core/Format.h"
#include "model/ProjectFile.h"
#include "platform/Headless.h"
#include "platform/qt/QtServices.h"
#include "ui/Symbole.h"
#include "ui/TFormVollbild.h"
#include "ui/Tab.h"
#include "ui/Tabs.h"
#include "ui/Vorschau.h"
#include "ui/Widgets.h"

namespace {

QFont listenSchrift(int groesse)
{
    QFont f(QStringLiteral("Courier New"), groesse);
    f.setStyleHint(QFont::Monospace);
    return f;
}

}

TForm1::TForm1(Programm& programm, QtDisplay& display, SettingsStore* einstellungen)
    : p_(programm),
      eigeneEinstellungen_(einstellungen ? nullptr : std::make_unique<MemorySettingsStore>()),
      einstellungen_(einstellungen ? *einstellungen : *eigeneEinstellungen_)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(text(Sprache::Produkttitel));
    menuAnlegen();

    auto* zentral = new QWidget;
    auto* spalten = new QHBoxLayout(zentral);
    auto* links = new QVBoxLayout;
    links->addWidget(listenPanel());
    TabControl1 = benannt(new QTabWidget, "TabControl1");
    tabsAnlegen();
    links->addWidget(TabControl1, 1);
    spalten->addLayout(links, 0);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(vorschauBereich(), 1);
    rechts->addWidget(unterVorschau());
    FortschrittBar = benannt(new QProgressBar, "FortschrittBar");
    FortschrittBar->setRange(0, 100);
    FortschrittBar->setValue(0);
    rechts->addWidget(FortschrittBar);
    auto* fLabel1 = benannt(new QLabel, "FLabel1");
    fLabel1->hide();
    rechts->addWidget(fLabel1);
    spalten->addLayout(rechts, 1);
    setCentralWidget(zentral);

    qApp->installEventFilter(this);
    Timer2 = benannt(new QTimer(this), "Timer2");
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    Timer1 = benannt(new QTimer(this), "Timer1");
    Timer1->setInterval(Animation_Intervall(AnimationUpDown->value()));
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    FormVollbild = new TFormVollbild(p_, this);
    display.onClear = [this] {
        VorschauShape->leeren();
        ausschnittTab()->Druckbereich_Umschalten(false);
    };
    display.onShow = [this] { ZEIGEN_Vorschau(); };
    ausschnittTab()->setVorschau(VorschauShape);
    justTab()->setVorschau(VorschauShape);
    connect(justTab(), &JustTab::sperren, this, &TForm1::AutoJust_Sperre);
    connect(VorschauShape, &Vorschau::referenzKlick, justTab(), &JustTab::VorschauKlick);
    connect(TabControl1, &QTabWidget::currentChanged, this, &TForm1::Druckbereich_Erneuern);
    aktualisieren();
}

QWidget* TForm1::listenPanel()
{
    auto* panel = benannt(new QWidget, "Panel6");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    ListenBoxLabel = benannt(new QLabel, "ListenBoxLabel");
    ListenBox = benannt(new QListWidget, "ListenBox");
    ListenBox->setMinimumHeight(110);
    layout->addWidget(ListenBoxLabel);
    layout->addWidget(ListenBox);
    auto* knoepfe = new QHBoxLayout;
    NeuButton = benannt(new QPushButton(text(Sprache::BildHinzufuegen)), "NeuButton");
    connect(NeuButton, &QPushButton::clicked, this, &TForm1::NeuButtonClick);
    NeuButton->setToolTip(text("Hinzufügen eines oder mehrerer Bilder zum Projekt (mehrere Bilder mit Strg-Taste im "
                               "Öffnen-Dialog wählen)"));
    BildEntfernen = benannt(new QPushButton(text(Sprache::BildEntfernen)), "BildEntfernen");
    BildEntfernen->setToolTip(text("ausgewähltes Bild wird aus dem aktuellen Projekt entfernt"));
    HochBitBtn = benannt(new QPushButton(QStringLiteral("▲")), "HochBitBtn");
    RunterBitBtn = benannt(new QPushButton(QStringLiteral("▼")), "RunterBitBtn");
    HochBitBtn->setFixedWidth(36);
    RunterBitBtn->setFixedWidth(36);
    ListenBoxCheckBox = benannt(new QCheckBox(text(Sprache::KleineSchrift)), "ListenBoxCheckBox");
    for (QWidget* w :
         std::initializer_list<QWidget*>{NeuButton, BildEntfernen, HochBitBtn, RunterBitBtn, ListenBoxCheckBox})
        knoepfe->addWidget(w);
    layout->addLayout(knoepfe);

    connect(ListenBox, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        ListenBoxClick(p_, ListenBox->row(item) + 1);
        aktualisieren();
    });
    const auto listenKnopf = [this](QPushButton* knopf, void (*befehl)(Programm&)) {
        connect(knopf, &QPushButton::clicked, this, [this, befehl] {
            LadeButtons_Zustand(false);
            befehl(p_);
            LadeButtons_Zustand(true);
            aktualisieren();
        });
    };
    listenKnopf(BildEntfernen, &BildEntfernenClick);
    listenKnopf(HochBitBtn, &HochBitBtnClick);
    listenKnopf(RunterBitBtn, &RunterBitBtnClick);
    connect(ListenBoxCheckBox, &QCheckBox::toggled, this, [this] { Listenbox_Zeigen(); });
    return panel;
}

QWidget* TForm1::vorschauBereich()
{
    auto* rahmen = benannt(new QWidget, "Bevel1");
    auto* gitter = new QGridLayout(rahmen);
    gitter->setSpacing(0);
    VorschauShape = new Vorschau;
    VorschauShape->setToolTip(text("rechte Maustaste: Vollbilddarstellung"));
    connect(VorschauShape, &Vorschau::rechtsKlick, this, &TForm1::ZoomVollbildBitBtnClick);
    xScrollBar = benannt(new QScrollBar(Qt::Horizontal), "xScrollBar");
    yScrollBar = benannt(new QScrollBar(Qt::Vertical), "yScrollBar");
    for (QScrollBar* s : {xScrollBar, yScrollBar}) {
        s->setRange(0, 100);
        s->setEnabled(false);
        connect(s, &QScrollBar::valueChanged, this, [this] {
            p_.ansicht.scrollX = xScrollBar->value();
            p_.ansicht.scrollY = yScrollBar->value();
            if (p_.auswahl.vorschau != VorschauKeine)
                rechnen(5);
        });
    }
    gitter->addWidget(VorschauShape, 0, 0);
    gitter->addWidget(yScrollBar, 0, 1);
    gitter->addWidget(xScrollBar, 1, 0);
    connect(VorschauShape, &Vorschau::groesseGeaendert, this, [this](QSize groesse) {
        p_.ansicht.boxBreite = groesse.width();
        p_.ansicht.boxHoehe = groesse.height();
        AnimationStopBitBtnClick();
        // The handles stand on the old picture; the frame returns with the new one.
        ausschnittTab()->Druckbereich_Umschalten(false);
        if (!p_.ctx.state.busy && p_.bilder.anzahl > 0)
            rechnen(5);
    });
    return rahmen;
}

QWidget* TForm1::unterVorschau()
{
    auto* zeile = new QWidget;
    auto* layout = new QHBoxLayout(zeile);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* spalteLinks = new QVBoxLayout;
    auto* auswahl = benannt(new QGroupBox(text(Sprache::AuswahlGruppe)), "AuswahlABGroupBox");
    auto* auswahlLayout = new QGridLayout(auswahl);
    ComboBoxA = benannt(new QComboBox, "ComboBoxA");
    ComboBoxB = benannt(new QComboBox, "ComboBoxB");
    auswahlLayout->addWidget(new QLabel(text(Sprache::BildLNr)), 0, 0);
    auswahlLayout->addWidget(ComboBoxA, 0, 1);
    auswahlLayout->addWidget(new QLabel(text(Sprache::BildRNr)), 1, 0);
    auswahlLayout->addWidget(ComboBoxB, 1, 1);
    auto comboWechsel = [this](QComboBox* box, int32_t Auswahl::*bild) {
        connect(box, &QComboBox::activated, this, [this, bild](int index) {
            p_.ctx.state.modified = true;
            p_.auswahl.*bild = index + 1;
            p_.auswahl.listenZeile = index + 1;
            rechnen(3);
        });
    };
    comboWechsel(ComboBoxA, &Auswahl::bildL);
    comboWechsel(ComboBoxB, &Auswahl::bildR);
    spalteLinks->addWidget(auswahl);
    auto* hilfslinien = benannt(new QGroupBox, "HilfslinienGroupBox");
    auto* hilfsLayout = new QVBoxLayout(hilfslinien);
    auto* zeichnen = benannt(new QCheckBox(text(Sprache::HilfslinienZeichnen)), "HilfslinienCheckBox");
    auto* loeschen = benannt(new QPushButton(text(Sprache::HilfslinienLoeschen)), "LoeschenLinienButton");
    hilfsLayout->addWidget(zeichnen);
    hilfsLayout->addWidget(loeschen);
    connect(zeichnen, &QCheckBox::toggled, VorschauShape, &Vorschau::setZeichnen);
    connect(loeschen, &QPushButton::clicked, VorschauShape, &Vorschau::linienLoeschen);
    spalteLinks->addWidget(hilfslinien);
    layout->addLayout(spalteLinks);

    VorschauRadioGroup = benannt(new QGroupBox(text(Sprache::VorschauGruppe)), "VorschauRadioGroup");
    VorschauRadioGroup->setToolTip(text("Auswahl der Vorschau und Berechnung des entsprechenden Bildes"));
    auto* modiLayout = new QGridLayout(VorschauRadioGroup);
    vorschauModi = new QButtonGroup(this);
    for (int i = 0; i < 7; ++i) {
        auto* knopf = new QRadioButton(text(Sprache::VorschauModi[i]));
        vorschauModi->addButton(knopf, i);
        modiLayout->addWidget(knopf, i % 4, i / 4);
    }
    connect(vorschauModi, &QButtonGroup::idClicked, this, [this](int modus) {
        VorschauRadioGroupClick(p_, modus);
        aktualisieren();
    });
    layout->addWidget(VorschauRadioGroup);
    VorschauGroupBox = benannt(new QGroupBox(text(Sprache::VorschauGruppe)), "VorschauGroupBox");
    auto* stoppLayout = new QVBoxLayout(VorschauGroupBox);
    STOPButton = benannt(new QPushButton(text(Sprache::Stopp)), "STOPButton");
    STOPButton->setToolTip(text("Berechnung abbrechen"));
    stoppLayout->addWidget(STOPButton);
    connect(STOPButton, &QPushButton::clicked, this, &TForm1::STOPButtonClick);
    VorschauGroupBox->hide();
    layout->addWidget(VorschauGroupBox);

    auto* zoom = benannt(new QGroupBox(QStringLiteral(" Zoom ")), "ZoomGroupBox");
    auto* zoomLayout = new QHBoxLayout(zoom);
    ZoomComboBox = benannt(new QComboBox, "ZoomComboBox");
    ZoomComboBox->setToolTip(
        text("Festlegen der Zoom-Einstellung (1:1 ... Bild erscheint vollständig im Vorschaufenster)"));
    zoomLayout->addWidget(ZoomComboBox);
    connect(ZoomComboBox, &QComboBox::activated, this, &TForm1::ZoomComboBoxChange);
    auto zoomKnopf = [&](const char* name, const char* beschriftung, auto aktion) {
        auto* k = benannt(new QPushButton(text(beschriftung)), name);
        k->setMaximumWidth(30);
        zoomLayout->addWidget(k);
        connect(k, &QPushButton::clicked, this, aktion);
    };
    zoomKnopf("ZommPlusBitBtn", "+", [this] { ZoomComboBoxChange(p_.ansicht.zoomIndex + 1); });
    zoomKnopf("ZommMinusBitBtn", "−", [this] { ZoomComboBoxChange(p_.ansicht.zoomIndex - 1); });
    zoomKnopf("ZoomFitBitBtn", "1:1", [this] { ZoomComboBoxChange(0); });
    zoomKnopf("ZoomVollbildBitBtn", "□", &TForm1::ZoomVollbildBitBtnClick);
    auto* spalteRechts = new QVBoxLayout;
    spalteRechts->addWidget(zoom);
    auto* animation = benannt(new QGroupBox(text(Sprache::Bildsequenz)), "AnimationGroupBox");
    auto* animationLayout = new QHBoxLayout(animation);
    AnimationStartBitBtn = benannt(new QPushButton(QStringLiteral("▶")), "AnimationStartBitBtn");
    AnimationStartBitBtn->setToolTip(text("Start Bildsequenz"));
    AnimationStopBitBtn = benannt(new QPushButton(QStringLiteral("■")), "AnimationStopBitBtn");
    AnimationStopBitBtn->setToolTip(text("Stopp Bildsequenz"));
    PingPongCheckBox = benannt(new QCheckBox, "PingPongCheckBox");
    PingPongCheckBox->setToolTip(text("leer: zyklische Wiederholung, gewählt: Vorwärts/Rückwärts-Animation"));
    AnimationUpDown = benannt(new QSpinBox, "AnimationUpDown");
    AnimationUpDown->setRange(1, 5);
    AnimationUpDown->setValue(3);
    AnimationUpDown->setToolTip(text("Schnelligkeit (1..5) festlegen"));
    for (QWidget* w : std::initializer_list<QWidget*>{AnimationStartBitBtn, AnimationStopBitBtn, PingPongCheckBox,
                                                      AnimationUpDown}) {
        animationLayout->addWidget(w);
        if (auto* knopf = qobject_cast<QPushButton*>(w))
            knopf->setMaximumWidth(30);
    }
    connect(AnimationStartBitBtn, &QPushButton::clicked, this, &TForm1::AnimationStartBitBtnClick);
    connect(AnimationStopBitBtn, &QPushButton::clicked, this, &TForm1::AnimationStopBitBtnClick);
    connect(AnimationUpDown, &QSpinBox::valueChanged, this, &TForm1::AnimationUpDownClick);
    spalteRechts->addWidget(animation);
    layout->addLayout(spalteRechts);
    layout->addStretch(1);
    return zeile;
}

void TForm1::tabsAnlegen()
{
    tabs_ = TabsAnlegen(p_);
    // Twelve icon tabs side by side must leave the preview its room on a 1280-pixel screen.
    TabControl1->setIconSize(QSize(16, 16));
    TabControl1->setUsesScrollButtons(false);
    for (size_t i = 0; i < tabs_.size(); ++i) {
        connect(tabs_[i], &Tab::rechnen, this, &TForm1::rechnen);
        connect(tabs_[i], &Tab::anzeigen, this, &TForm1::aktualisieren);
        connect(tabs_[i], &Tab::befehl, this, &TForm1::mitFortschritt);
        // Icons only; the last tab alone carries a text.
        TabControl1->addTab(tabs_[i], TabSymbol(static_cast<int>(i)), i == 11 ? QStringLiteral("XP") : QString());
        TabControl1->setTabToolTip(static_cast<int>(i), text(Sprache::TabGruppen[i]).trimmed());
    }
}

void TForm1::ZoomComboBoxChange(int index)
{
    if (index < 0 || index >= ZoomComboBox->count())
        return;
    p_.ansicht.zoomIndex = index;
    rechnen(5);
}

void TForm1::rechnen(int level)
{
    if (!p_.ctx.state.busy)
        mitFortschritt([&] { Schleife(p_, level); });
}

void TForm1::mitFortschritt(const std::function<void()>& befehl)
{
    Timer2->setInterval(1000);
    Timer2->start();
    befehl();
    Timer2->stop();
    VorschauRadioGroup->show();
    VorschauRadioGroup->setEnabled(true);
    VorschauGroupBox->hide();
    FortschrittBar->setValue(0);
    aktualisieren();
}

void TForm1::Timer2Timer()
{
    if (Timer2->interval() > 200) {
        Timer2->setInterval(200);
        VorschauRadioGroup->hide();
        VorschauGroupBox->show();
        STOPButton->setEnabled(true);
    }
    Progress& pr = p_.ctx.state.progress;
    if (p_.ctx.state.reporting && pr.max != 0 && (pr.max != pr.shownMax || pr.pos != pr.shownPos)) {
        FortschrittBar->setValue(static_cast<int>(static_cast<int64_t>(pr.pos) * 100 / pr.max));
        pr.shownMax = pr.max;
        pr.shownPos = pr.pos;
    }
}

void TForm1::STOPButtonClick()
{
    if (p_.ctx.ask(Sprache::Titel::Bestaetigung, Sprache::Meldung(55)) == Antwort::Ja)
        Berechnung_Stoppen(p_);
}

void TForm1::Listenbox_Zeigen()
{
    const int groesse = ListenBoxCheckBox->isChecked() ? 7 : 8;
    const QSignalBlocker sperre(ListenBox);
    ListenBox->setFont(listenSchrift(groesse));
    ListenBoxLabel->setFont(listenSchrift(groesse));
    ListenBoxLabel->setText(text(Listenkopf(groesse)));
    ListenBox->clear();
    for (const std::string& z : Listenzeilen(p_.bilder, p_.auswahl.bildL, p_.auswahl.bildR, groesse))
        ListenBox->addItem(text(z));
    if (p_.bilder.gueltig(p_.auswahl.listenZeile))
        ListenBox->setCurrentRow(p_.auswahl.listenZeile - 1);
}

void TForm1::aktualisieren()
{
    Listenbox_Zeigen();
    auto nummern = [this](QComboBox* box, int32_t bild) {
        const QSignalBlocker sperre(box);
        box->clear();
        for (int n = 1; n <= p_.bilder.anzahl; ++n)
            box->addItem(QString::asprintf("%3d", n));
        box->setCurrentIndex(p_.bilder.gueltig(bild) ? bild - 1 : -1);
    };
    nummern(ComboBoxA, p_.auswahl.bildL);
    nummern(ComboBoxB, p_.auswahl.bildR);
    {
        const QSignalBlocker sperre(vorschauModi);
        vorschauModi->button(p_.auswahl.vorschau)->setChecked(true);
    }
    {
        const QSignalBlocker sperre(ZoomComboBox);
        ZoomComboBox->clear();
        for (const std::string& z : p_.ansicht.zoomListe)
            ZoomComboBox->addItem(text(z));
        ZoomComboBox->setCurrentIndex(p_.ansicht.zoomIndex);
    }
    for (auto [leiste, aktiv, wert] : {std::tuple{xScrollBar, p_.ansicht.scrollXAktiv, p_.ansicht.scrollX},
                                       std::tuple{yScrollBar, p_.ansicht.scrollYAktiv, p_.ansicht.scrollY}}) {
        const QSignalBlocker sperre(leiste);
        leiste->setEnabled(aktiv);
        leiste->setValue(wert);
    }
    const Farbe& hintergrund = p_.farbe.vorschauHintergrund;
    VorschauShape->setHintergrund(QColor(hintergrund.r, hintergrund.g, hintergrund.b));
    VorschauShape->setReferenzSetzen(p_.refInfo.setzModus);
    for (Tab* tab : tabs_)
        tab->aktualisieren();
    MenuAnimationSpeichern->setEnabled(p_.bilder.anzahl >= 2);
    if (gesperrt_)
        sperren();
}

void TForm1::ProjektOeffnen(const QString& datei)
{
    mitFortschritt([&] { OeffnenAllgemein(p_, datei.toStdString()); });
    titelSetzen();
}

void TForm1::titelSetzen()
{
    setWindowTitle(text(Sprache::Produkttitel) + QStringLiteral(" ") + text(p_.ctx.state.projectFile));
}

void TForm1::ZEIGEN_Vorschau()
{
    const RasterSlot& anzeige = p_.bilder.ergebnis().slot[SlotAnzeige];
    VorschauShape->zeigen(QString::fromStdString(anzeige.pfad));
    Druckbereich_Erneuern();
}

JustTab* TForm1::justTab() const
{
    return static_cast<JustTab*>(tabs_[1]);
}

AusschnittTab* TForm1::ausschnittTab() const
{
    return static_cast<AusschnittTab*>(tabs_[2]);
}

void TForm1::Druckbereich_Erneuern()
{
    const int32_t modus = p_.auswahl.vorschau;
    const bool zeigbar = p_.bilder.anzahl > 0 && modus >= VorschauBildL && modus <= VorschauAnaglyph;
    ausschnittTab()->Druckbereich_Umschalten(TabControl1->currentIndex() == 2 && zeigbar);
}
