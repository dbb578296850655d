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
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "commands/Drucken.h"
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
#include "ui/ZeilenLayout.h"

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
    spalten->addWidget(linkeSpalte());
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(vorschauBereich(), 1);
    rechts->addWidget(ergebnisZeile());
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
    connect(VorschauShape, &Vorschau::zoomRad, this, &TForm1::ZoomRad);
    setAcceptDrops(true);
    Zuletzt_Zeigen();
    Drucker_Pruefen(p_);
    aktualisieren();
}

void TForm1::Fenster_Zeigen()
{
    if (const QScreen* schirm = QGuiApplication::primaryScreen())
        setGeometry(schirm->availableGeometry().adjusted(3, 3, -3, -3));
    setWindowState(Qt::WindowMaximized);
    Registry_Load();
    show();
}

QWidget* TForm1::linkeSpalte()
{
    auto* inhalt = new QWidget;
    auto* links = new QVBoxLayout(inhalt);
    links->setContentsMargins(0, 0, 0, 0);
    links->addWidget(listenPanel());
    TabControl1 = benannt(new QTabWidget, "TabControl1");
    tabsAnlegen();
    links->addWidget(TabControl1, 1);
    // The list and the panels scroll where the window is too short for them. The
    // column keeps the width of its widest panel, so nothing a panel shows later
    // widens the window; should a panel grow after all, it scrolls sideways.
    auto* spalte = benannt(new QScrollArea, "LinkeSpalte");
    spalte->setFrameShape(QFrame::NoFrame);
    spalte->setWidgetResizable(true);
    spalte->setWidget(inhalt);
    spalte->setFixedWidth(inhalt->minimumSizeHint().width() + spalte->verticalScrollBar()->sizeHint().width());
    return spalte;
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
    NeuButton->setToolTip(text(Sprache::BildHinzufuegenHinweis));
    BildEntfernen = benannt(new QPushButton(text(Sprache::BildEntfernen)), "BildEntfernen");
    BildEntfernen->setToolTip(text(Sprache::BildEntfernenHinweis));
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
    VorschauShape->setToolTip(text(Sprache::VollbildHinweis));
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

QWidget* TForm1::ergebnisZeile()
{
    auto* zeile = new QWidget;
    auto* layout = new QHBoxLayout(zeile);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto infoEdit = [&](const char* name) {
        auto* edit = benannt(new QLineEdit, name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
        return edit;
    };
    xPixInfoEdit = infoEdit("xPixInfoEdit");
    yPixInfoEdit = infoEdit("yPixInfoEdit");
    xDPIInfoEdit = infoEdit("xDPIInfoEdit");
    yDPIInfoEdit = infoEdit("yDPIInfoEdit");
    for (auto [beschriftung, x, y] : {std::tuple{Sprache::PixelInfo, xPixInfoEdit, yPixInfoEdit},
                                      std::tuple{Sprache::DpiInfo, xDPIInfoEdit, yDPIInfoEdit}}) {
        layout->addWidget(new QLabel(text(beschriftung)));
        layout->addWidget(x);
        layout->addWidget(new QLabel(text(Sprache::Tafel::Mal)));
        layout->addWidget(y);
    }
    ErgebnisLabel = benannt(new QLabel, "ErgebnisLabel");
    // A long file name is cut off rather than widening the window.
    ErgebnisLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(ErgebnisLabel, 1);
    LinsenansichtButton = benannt(new QPushButton(text(Sprache::Linsenansicht)), "LinsenansichtButton");
    LinsenansichtButton->setToolTip(text(Sprache::LinsenansichtHinweis));
    connect(LinsenansichtButton, &QPushButton::clicked, this, &TForm1::LinsenansichtClick);
    layout->addWidget(LinsenansichtButton);
    return zeile;
}

QWidget* TForm1::unterVorschau()
{
    auto* zeile = new QWidget;
    // The groups stand side by side, and in two lines where the window is narrow.
    auto* layout = new ZeilenLayout(zeile, 2);
    layout->setSpacing(6);

    auto* spalteLinksBox = new QWidget;
    auto* spalteLinks = new QVBoxLayout(spalteLinksBox);
    spalteLinks->setContentsMargins(0, 0, 0, 0);
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
    connect(zeichnen, &QCheckBox::toggled, VorschauShape, &Vorschau::setzeZeichnen);
    connect(loeschen, &QPushButton::clicked, VorschauShape, &Vorschau::linienLoeschen);
    spalteLinks->addWidget(hilfslinien);
    layout->addWidget(spalteLinksBox);

    VorschauRadioGroup = benannt(new QGroupBox(text(Sprache::VorschauGruppe)), "VorschauRadioGroup");
    VorschauRadioGroup->setToolTip(text(Sprache::VorschauHinweis));
    auto* modiLayout = new QGridLayout(VorschauRadioGroup);
    vorschauModi = new QButtonGroup(this);
    radioSpalten(vorschauModi, modiLayout, Sprache::VorschauModi);
    connect(vorschauModi, &QButtonGroup::idClicked, this, [this](int modus) {
        gespeichert_.clear();
        VorschauRadioGroupClick(p_, modus);
        aktualisieren();
    });
    // The stop button's group takes the place and size of the preview modes while a computation runs.
    auto* modusBox = new QWidget;
    auto* modusLayout = new QGridLayout(modusBox);
    modusLayout->setContentsMargins(0, 0, 0, 0);
    modusLayout->addWidget(VorschauRadioGroup, 0, 0);
    VorschauGroupBox = benannt(new QGroupBox(text(Sprache::VorschauGruppe)), "VorschauGroupBox");
    auto* stoppLayout = new QVBoxLayout(VorschauGroupBox);
    STOPButton = benannt(new QPushButton(text(Sprache::Stopp)), "STOPButton");
    STOPButton->setToolTip(text(Sprache::StoppHinweis));
    stoppLayout->addWidget(STOPButton);
    connect(STOPButton, &QPushButton::clicked, this, &TForm1::STOPButtonClick);
    VorschauGroupBox->hide();
    VorschauGroupBox->setMinimumSize(VorschauRadioGroup->sizeHint());
    modusLayout->addWidget(VorschauGroupBox, 0, 0);
    layout->addWidget(modusBox);

    auto* zoom = benannt(new QGroupBox(text(Sprache::ZoomGruppe)), "ZoomGroupBox");
    auto* zoomLayout = new QHBoxLayout(zoom);
    ZoomComboBox = benannt(new QComboBox, "ZoomComboBox");
    ZoomComboBox->setToolTip(text(Sprache::ZoomHinweis));
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
    auto* spalteRechtsBox = new QWidget;
    auto* spalteRechts = new QVBoxLayout(spalteRechtsBox);
    spalteRechts->setContentsMargins(0, 0, 0, 0);
    spalteRechts->addWidget(zoom);
    auto* animation = benannt(new QGroupBox(text(Sprache::Bildsequenz)), "AnimationGroupBox");
    auto* animationLayout = new QHBoxLayout(animation);
    AnimationStartBitBtn = benannt(new QPushButton(QStringLiteral("▶")), "AnimationStartBitBtn");
    AnimationStartBitBtn->setToolTip(text(Sprache::AnimationStartHinweis));
    AnimationStopBitBtn = benannt(new QPushButton(QStringLiteral("■")), "AnimationStopBitBtn");
    AnimationStopBitBtn->setToolTip(text(Sprache::AnimationStoppHinweis));
    PingPongCheckBox = benannt(new QCheckBox, "PingPongCheckBox");
    PingPongCheckBox->setToolTip(text(Sprache::PingPongHinweis));
    AnimationUpDown = benannt(new QSpinBox, "AnimationUpDown");
    AnimationUpDown->setRange(1, 5);
    AnimationUpDown->setValue(3);
    AnimationUpDown->setToolTip(text(Sprache::SchnelligkeitHinweis));
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
    layout->addWidget(spalteRechtsBox);
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
        connect(tabs_[i], &Tab::sperren, this, [this](bool an) { an ? Zustand_Sichern() : Zustand_Wiederherstellen(); });
        // Icons only; the last tab alone carries a text.
        TabControl1->addTab(tabs_[i], TabSymbol(static_cast<int>(i)), i == 11 ? text(Sprache::InternTab) : QString());
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

void TForm1::ZoomRad(int schritte, QPoint punkt)
{
    Ansicht& a = p_.ansicht;
    const RasterSlot& r = p_.bilder.ergebnis().slot[SlotFarbErgebnis];
    const int neu = std::clamp(a.zoomIndex + schritte, 0, static_cast<int>(a.zoomListe.size()) - 1);
    const QRect bild = VorschauShape->bildRechteck();
    if (p_.ctx.state.busy || p_.auswahl.vorschau == VorschauKeine || p_.bilder.anzahl < 1 || neu == a.zoomIndex
        || r.breite < 1 || r.hoehe < 1 || bild.isEmpty() || a.boxBreite < 1 || a.boxHoehe < 1)
        return;
    // The result point under the pointer, from the window the preview shows now.
    const Quellfenster f = Quellfenster_Berechnen(r.breite, r.hoehe, Zoomfaktor(a.zoomListe[a.zoomIndex]),
                                                  a.boxBreite, a.boxHoehe, a.scrollX, a.scrollY);
    const QPoint q(std::clamp(punkt.x(), bild.left(), bild.right()), std::clamp(punkt.y(), bild.top(), bild.bottom()));
    const double sx = f.x0 + (q.x() - bild.left() + 0.5) * (f.x1 - f.x0) / bild.width();
    const double sy = f.y0 + (q.y() - bild.top() + 0.5) * (f.y1 - f.y0) / bild.height();
    std::tie(a.scrollX, a.scrollY) = Scroll_Zu(r.breite, r.hoehe, Zoomfaktor(a.zoomListe[static_cast<size_t>(neu)]),
                                               a.boxBreite, a.boxHoehe, sx, sy, (q.x() + 0.5) / a.boxBreite,
                                               (q.y() + 0.5) / a.boxHoehe);
    ZoomComboBoxChange(neu);
}

void TForm1::rechnen(int level)
{
    if (p_.ctx.state.busy)
        return;
    // Showing another part of the same result keeps the note of its last save.
    const QString gespeichert = level >= 5 ? gespeichert_ : QString();
    mitFortschritt([&] { Schleife(p_, level); });
    gespeichert_ = gespeichert;
    Ergebnis_Zeigen();
}

void TForm1::mitFortschritt(const std::function<void()>& befehl)
{
    gespeichert_.clear();
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
    if (p_.ctx.ask(Sprache::Titel::Bestaetigung,
                   Sprache::Meldung(Sprache::MeldungNr::BerechnungAbbrechenFrage)) == Antwort::Ja)
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
    int n = 0;
    for (const std::string& z : Listenzeilen(p_.bilder, p_.auswahl.bildL, p_.auswahl.bildR, groesse)) {
        // The file column holds only the name's beginning; the tooltip gives the whole path
        // (of the MPO file for an image taken from one).
        const RasterSlot& quelle = p_.bilder.bild[static_cast<size_t>(++n)].slot[SlotQuelle];
        auto* zeile = new QListWidgetItem(text(z), ListenBox);
        zeile->setToolTip(text(quelle.pfad2.empty() ? quelle.pfad : quelle.pfad2));
    }
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
    for (auto [leiste, aktiv, wert] : {std::tuple{xScrollBar, p_.ansicht.bildlaufXAktiv, p_.ansicht.scrollX},
                                       std::tuple{yScrollBar, p_.ansicht.bildlaufYAktiv, p_.ansicht.scrollY}}) {
        const QSignalBlocker sperre(leiste);
        leiste->setEnabled(aktiv);
        leiste->setValue(wert);
    }
    const Farbe& hintergrund = p_.farbe.vorschauHintergrund;
    VorschauShape->setzeHintergrund(QColor(hintergrund.r, hintergrund.g, hintergrund.b));
    VorschauShape->setzeReferenzSetzen(p_.refInfo.setzModus);
    Ergebnis_Zeigen();
    for (Tab* tab : tabs_)
        tab->aktualisieren();
    MenuAnimationSpeichern->setEnabled(p_.bilder.anzahl >= 2);
    if (gesperrt_)
        sperren();
}

void TForm1::Ergebnis_Zeigen()
{
    const RasterSlot& r = p_.bilder.ergebnis().slot[SlotErgebnis];
    const PrintSettings& d = p_.druck;
    const bool da = p_.bilder.anzahl > 0 && p_.auswahl.vorschau != VorschauKeine && r.breite > 0 && r.hoehe > 0;
    LinsenansichtButton->setEnabled(da && p_.auswahl.vorschau == VorschauLinsenraster && !p_.ctx.state.busy
                                    && !gesperrt_);
    if (!da) {
        for (QLineEdit* e : {xPixInfoEdit, yPixInfoEdit, xDPIInfoEdit, yDPIInfoEdit})
            e->clear();
        ErgebnisLabel->setText(gespeichert_);
        return;
    }
    // Dots per inch over the effective print size; none without a print size.
    const auto dpi = [&](int32_t pixel, double laenge) {
        return laenge > 0 ? text(formatFixed(2.54 * pixel / laenge / d.f(), 5, 0)) : QString();
    };
    xPixInfoEdit->setText(text(formatInt(r.breite, 5)));
    yPixInfoEdit->setText(text(formatInt(r.hoehe, 5)));
    xDPIInfoEdit->setText(dpi(r.breite, d.breite));
    yDPIInfoEdit->setText(dpi(r.hoehe, d.hoehe));
    const QString einheit = text(Sprache::Tafel::Einheiten[d.einheitCm ? 0 : 1]);
    QString zeile = text(formatFixed(d.breite, 0, 2)) + QLatin1Char(' ') + text(Sprache::Tafel::Mal) + QLatin1Char(' ')
        + text(formatFixed(d.hoehe, 0, 2)) + QLatin1Char(' ') + einheit + QStringLiteral(" · ")
        + text(Sprache::Unkomprimiert) + QLatin1Char(' ')
        + groesseText(static_cast<uint64_t>(RasterDateigroesse(r.breite, r.hoehe)));
    if (!gespeichert_.isEmpty())
        zeile += QStringLiteral(" · ") + gespeichert_;
    ErgebnisLabel->setText(zeile);
    ErgebnisLabel->setToolTip(zeile);
}

void TForm1::ProjektOeffnen(const QString& datei)
{
    bool ok = false;
    mitFortschritt([&] { ok = OeffnenAllgemein(p_, datei.toStdString()); });
    titelSetzen();
    if (ok)
        zuletztMerken(datei);
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
