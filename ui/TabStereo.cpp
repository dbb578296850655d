#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "compose/Komponisten.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

// The preset whose numbers are pixels of a 3-D television, showing the single-image choice.
constexpr int FernsehVorlage = 12;

int32_t ganzzahl(const QLineEdit* e)
{
    return static_cast<int32_t>(zahlLesen(e->text()));
}

}

StereoTab::StereoTab(Programm& p) : Tab(p, "StereoGroupBox", Sprache::TabGruppen[4])
{
    auto* layout = new QVBoxLayout(this);
    auto* wahl = new QButtonGroup(this);
    ViewerRadioButton1 = benannt(new QRadioButton(text(T::ViewerVorlage)), "ViewerRadioButton1");
    ViewerRadioButton2 = benannt(new QRadioButton(text(T::ViewerFrei)), "ViewerRadioButton2");
    wahl->addButton(ViewerRadioButton1, 1);
    wahl->addButton(ViewerRadioButton2, 0);
    layout->addWidget(ViewerRadioButton1);
    ViewerComboBox = benannt(new QComboBox, "ViewerComboBox");
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::Monospace);
    schrift.setPixelSize(12);
    ViewerComboBox->setFont(schrift);
    for (const std::string& eintrag : ALL_Viewer())
        ViewerComboBox->addItem(text(eintrag));
    layout->addWidget(ViewerComboBox);
    layout->addWidget(ViewerRadioButton2);
    connect(wahl, &QButtonGroup::idClicked, this, [this](int vorlage) {
        p_.ctx.state.modified = true;
        p_.compose.stereo.vorlage = vorlage == 1;
        aktualisieren();
    });
    connect(ViewerComboBox, &QComboBox::activated, this, [this](int index) {
        p_.ctx.state.modified = true;
        Viewer_Uebernehmen(p_.compose.stereo, index);
        aktualisieren();
    });

    auto* masse = new QGridLayout;
    const char* zeilen[] = {T::Bildgroesse, T::Bildabstand, T::Gesamtrahmen};
    for (int i = 0; i < 6; ++i) {
        const QByteArray name = "ViewerEdit" + QByteArray::number(i + 1);
        ViewerEdits[i] = benannt(new QLineEdit, name.constData());
        ViewerEdits[i]->setValidator(new QIntValidator(0, 9999, ViewerEdits[i]));
        ViewerEdits[i]->setMaximumWidth(60);
        if (i % 2 == 0)
            masse->addWidget(new QLabel(text(zeilen[i / 2]).trimmed()), i / 2, 0);
        masse->addWidget(ViewerEdits[i], i / 2, i % 2 == 0 ? 1 : 3);
        if (i % 2 == 0)
            masse->addWidget(new QLabel(text(T::Mal)), i / 2, 2);
        else
            masse->addWidget(new QLabel(text(T::Millimeter)), i / 2, 4);
    }
    auto* anwenden = benannt(new QPushButton(text(T::Anwenden)), "ViewerAnwendenButton");
    masse->addWidget(anwenden, 0, 5, 3, 1, Qt::AlignCenter);
    masse->setColumnStretch(6, 1);
    connect(anwenden, &QPushButton::clicked, this, &StereoTab::ViewerAnwendenButtonClick);
    layout->addLayout(masse);

    ViewerLRRadioGroup = benannt(new QGroupBox(text(T::Einzelbild)), "ViewerLRRadioGroup");
    auto* lrLayout = new QHBoxLayout(ViewerLRRadioGroup);
    auto* lr = new QButtonGroup(this);
    radio(lr, lrLayout, text(T::Teilbilder[0]), 0)->setChecked(true);
    radio(lr, lrLayout, text(T::Teilbilder[1]), 1);
    layout->addWidget(ViewerLRRadioGroup);

    auto* rahmen = new QGridLayout;
    ViewerGesamtRahmenCheckBox = benannt(new QCheckBox(text(T::GesamtrahmenBox)), "ViewerGesamtRahmenCheckBox");
    ViewerRahmenCheckBox = benannt(new QCheckBox(text(T::RahmenJedesBild)), "ViewerRahmenCheckBox");
    rahmen->addWidget(ViewerGesamtRahmenCheckBox, 0, 0);
    rahmen->addWidget(ViewerRahmenCheckBox, 0, 1, 1, 2);
    ViewerEdit7 = benannt(new QLineEdit, "ViewerEdit7");
    ViewerEdit7->setValidator(new QIntValidator(0, 9, ViewerEdit7));
    ViewerEdit7->setMaximumWidth(30);
    auto* breite = new QHBoxLayout;
    breite->addWidget(ViewerEdit7);
    breite->addWidget(new QLabel(text(T::Rahmenbreite)));
    breite->addStretch(1);
    rahmen->addLayout(breite, 1, 0, 1, 3);
    connect(ViewerEdit7, &QLineEdit::editingFinished, this, [this] {
        const int32_t wert = ganzzahl(ViewerEdit7);
        if (wert != p_.compose.stereo.linienBreite)
            p_.ctx.state.modified = true;
        p_.compose.stereo.linienBreite = wert;
        ViewerEdit7->setText(QString::number(wert));
    });
    const auto farbknopf = [&](const char* name, const char* feldName, const char* beschriftung, int spalte,
                               Farbe StereoSettings::*wert) {
        auto* knopf = benannt(new QPushButton(text(beschriftung)), name);
        auto* feld = new Farbfeld(feldName);
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(knopf);
        zeile->addWidget(feld);
        zeile->addStretch(1);
        rahmen->addLayout(zeile, 2, spalte);
        connect(knopf, &QPushButton::clicked, this, [this, feld, wert] {
            const auto f = Dialoge::farbe(this, p_.compose.stereo.*wert);
            if (!f)
                return;
            p_.ctx.state.modified = true;
            p_.compose.stereo.*wert = *f;
            feld->zeigen(*f);
        });
        return feld;
    };
    StereoHintergrundShape = farbknopf("StereoHintergrundButton", "StereoHintergrundShape", T::Hintergrundfarbe, 0,
                                       &StereoSettings::hintergrund);
    StereoRahmenShape =
        farbknopf("StereoRahmenButton", "StereoRahmenShape", T::Rahmenfarbe, 1, &StereoSettings::rahmenFarbe);
    StereoStauchenCheckBox = benannt(new QCheckBox(text(T::Stauchen)), "StereoStauchenCheckBox");
    rahmen->addWidget(StereoStauchenCheckBox, 3, 0, 1, 3);
    StereoPixelBreiteCheckBox = benannt(new QCheckBox(text(T::FestePixel)), "StereoPixelBreiteCheckBox");
    StereoPixelBreiteSpinEdit = benannt(new QSpinBox, "StereoPixelBreiteSpinEdit");
    StereoPixelHoeheSpinEdit = benannt(new QSpinBox, "StereoPixelHoeheSpinEdit");
    QHBoxLayout* pixel = Groessenzeile(StereoPixelBreiteSpinEdit, StereoPixelHoeheSpinEdit, 1, 99999);
    pixel->insertWidget(0, StereoPixelBreiteCheckBox);
    rahmen->addLayout(pixel, 4, 0, 1, 3);
    rahmen->setColumnStretch(2, 1);
    layout->addLayout(rahmen);
    layout->addStretch(1);

    const auto schalter = [this](QCheckBox* box, bool StereoSettings::*wert) {
        connect(box, &QCheckBox::clicked, this, [this, wert](bool an) {
            p_.ctx.state.modified = true;
            p_.compose.stereo.*wert = an;
        });
    };
    schalter(ViewerGesamtRahmenCheckBox, &StereoSettings::gesamtRahmen);
    schalter(ViewerRahmenCheckBox, &StereoSettings::rahmen);
    schalter(StereoStauchenCheckBox, &StereoSettings::stauchen);
    schalter(StereoPixelBreiteCheckBox, &StereoSettings::festePixel);
    const auto pixelWert = [this](QSpinBox* spin, int32_t StereoSettings::*wert) {
        connect(spin, &QSpinBox::valueChanged, this, [this, wert](int anzahl) {
            if (anzahl == p_.compose.stereo.*wert)
                return;
            p_.ctx.state.modified = true;
            p_.compose.stereo.*wert = anzahl;
        });
    };
    pixelWert(StereoPixelBreiteSpinEdit, &StereoSettings::pixelBreite);
    pixelWert(StereoPixelHoeheSpinEdit, &StereoSettings::pixelHoehe);
}

void StereoTab::ViewerAnwendenButtonClick()
{
    StereoSettings& s = p_.compose.stereo;
    const int32_t xd = ganzzahl(ViewerEdits[0]), yd = ganzzahl(ViewerEdits[1]);
    const int32_t xm = ganzzahl(ViewerEdits[2]), ym = ganzzahl(ViewerEdits[3]);
    const int32_t xr = ganzzahl(ViewerEdits[4]), yr = ganzzahl(ViewerEdits[5]);
    if (!Viewer_Pruefen(p_.ctx, xd, yd, xm, ym, xr, yr)) {
        p_.auswahl.vorschau = VorschauKeine;
        emit rechnen(3);
        return;
    }
    s.xd = xd;
    s.yd = yd;
    s.xm = xm;
    s.ym = ym;
    s.xr = xr;
    s.yr = yr;
    p_.ctx.state.modified = true;
    p_.auswahl.vorschau = VorschauStereo;
    s.festePixel = StereoPixelBreiteCheckBox->isChecked();
    s.pixelBreite = StereoPixelBreiteSpinEdit->value();
    s.pixelHoehe = StereoPixelHoeheSpinEdit->value();
    emit rechnen(3);
    aktualisieren();
}

void StereoTab::aktualisieren()
{
    const StereoSettings& s = p_.compose.stereo;
    ViewerRadioButton1->setChecked(s.vorlage);
    ViewerRadioButton2->setChecked(!s.vorlage);
    ViewerComboBox->setCurrentIndex(s.viewerIndex);
    ViewerComboBox->setEnabled(s.vorlage);
    const int32_t werte[6] = {s.xd, s.yd, s.xm, s.ym, s.xr, s.yr};
    for (int i = 0; i < 6; ++i) {
        ViewerEdits[i]->setText(QString::number(werte[i]));
        ViewerEdits[i]->setEnabled(!s.vorlage);
    }
    ViewerLRRadioGroup->setVisible(s.viewerIndex == FernsehVorlage);
    ViewerEdit7->setText(QString::number(s.linienBreite));
    ViewerGesamtRahmenCheckBox->setChecked(s.gesamtRahmen);
    ViewerRahmenCheckBox->setChecked(s.rahmen);
    StereoHintergrundShape->zeigen(s.hintergrund);
    StereoRahmenShape->zeigen(s.rahmenFarbe);
    StereoStauchenCheckBox->setChecked(s.stauchen);
    StereoPixelBreiteCheckBox->setChecked(s.festePixel);
    StereoPixelBreiteSpinEdit->setValue(s.pixelBreite);
    StereoPixelHoeheSpinEdit->setValue(s.pixelHoehe);
}
