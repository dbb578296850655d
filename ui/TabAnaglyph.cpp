#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "commands/Einstellungen.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

AnaglyphTab::AnaglyphTab(Programm& p) : Tab(p, "AnaglyphGroupBox", Sprache::TabGruppen[3])
{
    auto* layout = new QVBoxLayout(this);
    auto* gruppen = new QHBoxLayout;
    schemaGruppe_ = benannt(new QGroupBox, "AnaglyphRadioGroup");
    auto* schemaLayout = new QVBoxLayout(schemaGruppe_);
    AnaglyphRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < 7; ++i)
        radio(AnaglyphRadioGroup, schemaLayout, text(T::AnaglyphSchemata[i]), i);
    connect(AnaglyphRadioGroup, &QButtonGroup::idClicked, this, [this](int schema) {
        p_.ctx.state.modified = true;
        p_.compose.anaglyphSchema = schema;
        if (schema == 0)
            Anaglyph_Farbmodus(p_.compose, 0);
        p_.auswahl.vorschau = VorschauAnaglyph;
        aktualisieren();
        schemaGruppe_->setEnabled(false);
        emit rechnen(3);
        schemaGruppe_->setEnabled(true);
    });
    gruppen->addWidget(schemaGruppe_);

    farbGruppe_ = benannt(new QGroupBox(text(T::AnaglyphFarbe)), "AnaglyphFarbeRadioGroup");
    auto* farbLayout = new QVBoxLayout(farbGruppe_);
    AnaglyphFarbeRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i)
        radio(AnaglyphFarbeRadioGroup, farbLayout, text(T::AnaglyphFarbModi[i]), i);
    farbLayout->addStretch(1);
    connect(AnaglyphFarbeRadioGroup, &QButtonGroup::idClicked, this, [this](int modus) {
        if (p_.ctx.state.busy)
            return;
        p_.ctx.state.modified = true;
        p_.auswahl.vorschau = VorschauAnaglyph;
        Anaglyph_Farbmodus(p_.compose, modus);
        aktualisieren();
        farbGruppe_->setEnabled(false);
        emit rechnen(3);
        farbGruppe_->setEnabled(true);
    });
    gruppen->addWidget(farbGruppe_, 1);
    layout->addLayout(gruppen);

    auto* gitter = new QGridLayout;
    const char* namen[] = {"C1TrackBar", "C2TrackBar", "C3TrackBar"};
    QSlider** regler[] = {&C1TrackBar, &C2TrackBar, &C3TrackBar};
    int32_t ComposeSettings::*werte[] = {&ComposeSettings::C1, &ComposeSettings::C2, &ComposeSettings::C3};
    for (int i = 0; i < 3; ++i) {
        QSlider* trackBar = *regler[i] = benannt(new QSlider(Qt::Horizontal), namen[i]);
        trackBar->setRange(0, 100);
        trackBar->setTickInterval(10);
        trackBar->setTickPosition(QSlider::TicksBelow);
        gitter->addWidget(new QLabel(text(T::Kanaele[i])), i, 0);
        gitter->addWidget(new QLabel(text(T::AnaglyphFarbModi[0])), i, 1);
        gitter->addWidget(trackBar, i, 2);
        gitter->addWidget(new QLabel(text(T::AnaglyphFarbModi[2])), i, 3);
        const auto wert = werte[i];
        beiRuhe(trackBar, this, [this, trackBar, wert] { TrackBarChange(trackBar, wert); });
    }
    AnaglyphVerbindenCheckBox = benannt(new QCheckBox(text(T::Verbinden)), "AnaglyphVerbindenCheckBox");
    gitter->addWidget(AnaglyphVerbindenCheckBox, 3, 2);
    connect(AnaglyphVerbindenCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        if (p_.ctx.state.busy)
            return;
        p_.compose.anaglyphVerbinden = an;
        if (!Anaglyph_Angleichen(p_.compose))
            return;
        p_.ctx.state.modified = true;
        aktualisieren();
        emit rechnen(3);
    });
    layout->addLayout(gitter);
    layout->addStretch(1);
}

void AnaglyphTab::TrackBarChange(QSlider* trackBar, int32_t ComposeSettings::*wert)
{
    ComposeSettings& c = p_.compose;
    if (p_.ctx.state.busy)
        return;
    // The user may move the bar again while the pipeline runs: follow until it rests.
    while (trackBar->value() != c.*wert) {
        p_.ctx.state.modified = true;
        c.*wert = trackBar->value();
        if (c.anaglyphVerbinden) {
            c.C1 = c.C2 = c.C3 = c.*wert;
            aktualisieren();
        }
        emit rechnen(3);
    }
}

void AnaglyphTab::aktualisieren()
{
    const ComposeSettings& c = p_.compose;
    AnaglyphRadioGroup->button(c.anaglyphSchema)->setChecked(true);
    AnaglyphFarbeRadioGroup->button(c.anaglyphFarbModus)->setChecked(true);
    farbGruppe_->setEnabled(c.anaglyphSchema != 0);
    const bool manuell = c.anaglyphSchema != 0 && c.anaglyphFarbModus == 1;
    for (auto [trackBar, wert] : {std::pair{C1TrackBar, c.C1}, std::pair{C2TrackBar, c.C2}, std::pair{C3TrackBar, c.C3}}) {
        const QSignalBlocker sperre(trackBar);
        trackBar->setValue(wert);
        trackBar->setEnabled(manuell);
    }
    AnaglyphVerbindenCheckBox->setChecked(c.anaglyphVerbinden);
    AnaglyphVerbindenCheckBox->setEnabled(manuell);
}
