#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "compose/Komponisten.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

LinseTab::LinseTab(Programm& p) : Tab(p, "LinseGroupBox", Sprache::TabGruppen[5])
{
    auto* layout = new QVBoxLayout(this);
    auto* typ = new QHBoxLayout;
    lpiEdit = benannt(new QLineEdit, "lpiEdit");
    // Up to three digits, the decimal comma, up to three digits.
    Zahlenmaske(lpiEdit, QStringLiteral("999,999"));
    lpiEdit->setToolTip(text(T::LinsentypHinweis));
    typ->addWidget(new QLabel(text(T::Linsentyp)));
    typ->addWidget(lpiEdit);
    typ->addWidget(new QLabel(text(T::Lpi)));
    layout->addLayout(typ);
    connect(lpiEdit, &QLineEdit::editingFinished, this, [this] {
        const double lpi = zahlLesen(lpiEdit->text());
        if (lpi == p_.compose.lpi)
            return;
        p_.ctx.state.modified = true;
        p_.compose.lpi = lpi;
        emit rechnen(3);
    });
    auto* richtung = benannt(new QGroupBox(text(T::Linsenrichtung)), "LinsenrichtungRadioGroup");
    richtung->setToolTip(text(T::LinsenrichtungHinweis));
    auto* richtungLayout = new QHBoxLayout(richtung);
    LinsenrichtungRadioGroup = new QButtonGroup(this);
    radio(LinsenrichtungRadioGroup, richtungLayout, text(T::Richtung3DFlip[0]), 0);
    radio(LinsenrichtungRadioGroup, richtungLayout, text(T::Richtung3DFlip[1]), 1);
    connect(LinsenrichtungRadioGroup, &QButtonGroup::idClicked, this, [this](int id) {
        p_.ctx.state.modified = true;
        p_.compose.Linsenrichtung = id;
        emit rechnen(3);
    });
    layout->addWidget(richtung);
    const auto schalter = [&](QCheckBox*& box, const char* name, const char* beschriftung,
                              bool ComposeSettings::*wert) {
        box = benannt(new QCheckBox(text(beschriftung)), name);
        layout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, wert](bool an) {
            p_.ctx.state.modified = true;
            p_.compose.*wert = an;
            emit rechnen(3);
        });
    };
    schalter(LinseInversCheckBox, "LinseInversCheckBox", T::LinseBarrier, &ComposeSettings::LinseInvers);
    schalter(JustStreifenLOCheckBox, "JustStreifenLOCheckBox", T::StreifenLinksOben, &ComposeSettings::JustStreifenLO);
    schalter(JustStreifenRUCheckBox, "JustStreifenRUCheckBox", T::StreifenRechtsUnten, &ComposeSettings::JustStreifenRU);
    schalter(JustStreifenQuerCheckBox, "JustStreifenQuerCheckBox", T::StreifenQuer, &ComposeSettings::JustStreifenQuer);
    auto* kompression = benannt(new QGroupBox(text(T::Komprimierung)), "KomprimierungRadioGroup");
    auto* kompressionLayout = new QVBoxLayout(kompression);
    KomprimierungRadioGroup = new QButtonGroup(this);
    radio(KomprimierungRadioGroup, kompressionLayout, text(T::KomprimierungArten[0]), 0);
    radio(KomprimierungRadioGroup, kompressionLayout, text(T::KomprimierungArten[1]), 1);
    radio(KomprimierungRadioGroup, kompressionLayout, text(T::KomprimierungArten[2]), 2);
    connect(KomprimierungRadioGroup, &QButtonGroup::idClicked, this, [this](int id) {
        // The value last computed stays valid when "Auto" becomes "Manuell".
        const bool autoZuManuell = p_.compose.Komprimierung == 0 && id == 1;
        p_.compose.Komprimierung = id;
        PixelUpDown->setEnabled(id == 1);
        if (!autoZuManuell)
            emit rechnen(3);
    });
    auto* pixel = new QHBoxLayout;
    Label_PPL = benannt(new QLabel(text(T::PixelProLinse)), "Label_PPL");
    PixelEdit = benannt(new QLabel, "PixelEdit");
    PixelEdit->setFrameShape(QFrame::StyledPanel);
    PixelEdit->setMinimumWidth(44);
    PixelEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // An up-down control. A scroll bar's upper arrow lowers its value, so it
    // holds the negated position and the upper arrow counts up.
    PixelUpDown = benannt(new QScrollBar(Qt::Vertical), "PixelUpDown");
    PixelUpDown->setRange(-1000, -1);
    PixelUpDown->setFixedSize(16, 26);
    pixel->addWidget(Label_PPL);
    pixel->addWidget(PixelEdit);
    pixel->addWidget(PixelUpDown);
    pixel->addStretch(1);
    kompressionLayout->addLayout(pixel);
    connect(PixelUpDown, &QScrollBar::valueChanged, this, [this](int wert) {
        const int position = -wert;
        PixelEdit->setText(QString::number(position));
        p_.ctx.state.modified = true;
        p_.compose.PixelProBildProLinse = position;
        p_.auswahl.vorschau = VorschauKeine;
        emit rechnen(3);
    });
    layout->addWidget(kompression);
    layout->addWidget(optimierungPanel());
    layout->addStretch(1);
}

QWidget* LinseTab::optimierungPanel()
{
    auto* gruppe = benannt(new QGroupBox(text(T::DruckOptimierungGruppe)), "DruckOptimierungGroupBox");
    auto* gitter = new QGridLayout(gruppe);
    DruckOptimierungCheckBox = benannt(new QCheckBox(text(T::DruckOptimierung)), "DruckOptimierungCheckBox");
    gitter->addWidget(DruckOptimierungCheckBox, 0, 0, 1, 3);
    dpiAutoRadioButton = benannt(new QRadioButton(text(T::DpiAuto)), "dpiAutoRadioButton");
    dpiAutoRadioButton->setToolTip(text(T::DpiAutoHinweis));
    dpiPrinterComboBox = benannt(new QComboBox, "dpiPrinterComboBox");
    dpiPrinterComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dpiPrinterComboBox->setMinimumContentsLength(12);
    dpiAutoWertLabel = benannt(new QLabel(text(T::KeinDpiWert)), "dpiAutoWertLabel");
    gitter->addWidget(dpiAutoRadioButton, 1, 0);
    gitter->addWidget(dpiPrinterComboBox, 1, 1);
    gitter->addWidget(dpiAutoWertLabel, 1, 2);
    dpiManuellRadioButton = benannt(new QRadioButton(text(T::DpiManuell)), "dpiManuellRadioButton");
    dpiComboBox = benannt(new QComboBox, "dpiComboBox");
    for (int32_t dpi : DpiListe)
        dpiComboBox->addItem(QString::number(dpi));
    gitter->addWidget(dpiManuellRadioButton, 2, 0);
    gitter->addWidget(dpiComboBox, 2, 1, Qt::AlignLeft);
    biKubComboBox = benannt(new QComboBox, "biKubComboBox");
    for (const char* methode : T::BiKub)
        biKubComboBox->addItem(text(methode));
    gitter->addWidget(new QLabel(text(T::Methode)), 3, 0);
    gitter->addWidget(biKubComboBox, 3, 1, Qt::AlignLeft);
    gitter->setColumnStretch(1, 1);

    connect(DruckOptimierungCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        if (p_.ctx.state.busy)
            return;
        p_.compose.DruckOptimierung = an;
        DruckOptimierungCheckBoxClick();
    });
    connect(dpiAutoRadioButton, &QRadioButton::clicked, this, [this] {
        p_.compose.dpiAuto = true;
        DruckOptimierungCheckBoxClick();
    });
    connect(dpiManuellRadioButton, &QRadioButton::clicked, this, [this] {
        p_.compose.dpiAuto = false;
        DruckOptimierungCheckBoxClick();
    });
    connect(dpiComboBox, &QComboBox::activated, this, [this](int index) {
        p_.compose.dpiIndex = index;
        DruckOptimierungCheckBoxClick();
    });
    connect(biKubComboBox, &QComboBox::activated, this, [this](int index) {
        p_.compose.biKubMethode = index + 1;
        DruckOptimierungCheckBoxClick();
    });
    connect(dpiPrinterComboBox, &QComboBox::activated, this, [this](int index) {
        p_.ctx.printers().setCurrent(index);
        p_.compose.druckerIndex = index;
        p_.compose.druckerName = dpiPrinterComboBox->itemText(index).toStdString();
        DruckOptimierungCheckBoxClick();
    });
    return gruppe;
}

void LinseTab::DruckOptimierungCheckBoxClick()
{
    AppState& st = p_.ctx.state;
    if (st.busy)
        return;
    const Printers& drucker = p_.ctx.printers();
    if (drucker.names().empty()) {
        p_.compose.dpiAuto = false;
        aktualisieren();
        return;
    }
    st.modified = true;
    if (drucker.current() >= 0) {
        p_.compose.druckerIndex = drucker.current();
        p_.compose.druckerName = drucker.names()[static_cast<size_t>(drucker.current())];
    }
    aktualisieren();
    if (p_.bilder.anzahl >= 1)
        emit rechnen(3);
}

void LinseTab::aktualisieren()
{
    const ComposeSettings& c = p_.compose;
    lpiEdit->setText(zahlText(c.lpi));
    LinsenrichtungRadioGroup->button(c.Linsenrichtung)->setChecked(true);
    LinseInversCheckBox->setChecked(c.LinseInvers);
    JustStreifenLOCheckBox->setChecked(c.JustStreifenLO);
    JustStreifenRUCheckBox->setChecked(c.JustStreifenRU);
    JustStreifenQuerCheckBox->setChecked(c.JustStreifenQuer);
    KomprimierungRadioGroup->button(c.Komprimierung)->setChecked(true);
    {
        const QSignalBlocker sperre(PixelUpDown);
        PixelUpDown->setValue(-c.PixelProBildProLinse);
    }
    PixelEdit->setText(QString::number(c.PixelProBildProLinse));
    PixelUpDown->setEnabled(c.Komprimierung == 1);

    // The pixels per image per lens follow from the fitting while it is on.
    const bool an = c.DruckOptimierung;
    Label_PPL->setEnabled(!an);
    const std::vector<std::string> namen = p_.ctx.printers().names();
    const bool drucker = !namen.empty();
    DruckOptimierungCheckBox->setChecked(an);
    dpiAutoRadioButton->setChecked(c.dpiAuto && drucker);
    dpiManuellRadioButton->setChecked(!c.dpiAuto || !drucker);
    dpiAutoRadioButton->setEnabled(an && drucker);
    dpiManuellRadioButton->setEnabled(an);
    biKubComboBox->setEnabled(an);
    dpiPrinterComboBox->setEnabled(an && c.dpiAuto && drucker);
    dpiComboBox->setEnabled(an && !(c.dpiAuto && drucker));
    dpiComboBox->setCurrentIndex(c.dpiIndex);
    biKubComboBox->setCurrentIndex(c.biKubMethode - 1);
    dpiPrinterComboBox->clear();
    for (const std::string& name : namen)
        dpiPrinterComboBox->addItem(text(name));
    dpiPrinterComboBox->setCurrentIndex(c.druckerIndex >= 0 ? c.druckerIndex : p_.ctx.printers().current());
    dpiAutoWertLabel->setText(c.dpiAutoWert > 0 ? QString::number(c.dpiAutoWert) : text(T::KeinDpiWert));
}
