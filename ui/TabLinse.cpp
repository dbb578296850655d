#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

LinseTab::LinseTab(Programm& p) : Tab(p, "LinseGroupBox", Sprache::TabGruppen[5])
{
    auto* layout = new QVBoxLayout(this);
    auto* typ = new QHBoxLayout;
    lpiEdit = benannt(new QLineEdit, "lpiEdit");
    lpiEdit->setToolTip(text("Angabe des Linsentyps in lpi (z.B. 40,0 lpi)"));
    typ->addWidget(new QLabel(text(" Linsentyp ")));
    typ->addWidget(lpiEdit);
    typ->addWidget(new QLabel(QStringLiteral("lpi")));
    layout->addLayout(typ);
    connect(lpiEdit, &QLineEdit::editingFinished, this, [this] {
        const double lpi = zahlLesen(lpiEdit->text());
        if (lpi == p_.compose.lpi)
            return;
        p_.ctx.state.modified = true;
        p_.compose.lpi = lpi;
        emit rechnen(3);
    });
    auto* richtung = benannt(new QGroupBox(text(" 3D / Flip ")), "LinsenrichtungRadioGroup");
    richtung->setToolTip(text("3D (Linsen senkrecht) oder Flip/Animatio/Zoom (Linsen waagerecht)"));
    auto* richtungLayout = new QHBoxLayout(richtung);
    LinsenrichtungRadioGroup = new QButtonGroup(this);
    radio(LinsenrichtungRadioGroup, richtungLayout, QStringLiteral("3D"), 0);
    radio(LinsenrichtungRadioGroup, richtungLayout, QStringLiteral("Flip"), 1);
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
    schalter(LinseInversCheckBox, "LinseInversCheckBox", "Barrier", &ComposeSettings::LinseInvers);
    schalter(JustStreifenLOCheckBox, "JustStreifenLOCheckBox", "links/oben", &ComposeSettings::JustStreifenLO);
    schalter(JustStreifenRUCheckBox, "JustStreifenRUCheckBox", "rechts/unten", &ComposeSettings::JustStreifenRU);
    schalter(JustStreifenQuerCheckBox, "JustStreifenQuerCheckBox", "quer", &ComposeSettings::JustStreifenQuer);
    auto* kompression = benannt(new QGroupBox(text(" Komprimierung ")), "KomprimierungRadioGroup");
    auto* kompressionLayout = new QVBoxLayout(kompression);
    KomprimierungRadioGroup = new QButtonGroup(this);
    radio(KomprimierungRadioGroup, kompressionLayout, text("Auto ( < 400 dpi)"), 0);
    radio(KomprimierungRadioGroup, kompressionLayout, text("Manuell"), 1);
    radio(KomprimierungRadioGroup, kompressionLayout, text("keine Kompression"), 2);
    connect(KomprimierungRadioGroup, &QButtonGroup::idClicked, this, [this](int id) {
        // The value last computed stays valid when "Auto" becomes "Manuell".
        const bool autoZuManuell = p_.compose.Komprimierung == 0 && id == 1;
        p_.compose.Komprimierung = id;
        if (!autoZuManuell)
            emit rechnen(3);
    });
    layout->addWidget(kompression);
    layout->addStretch(1);
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
}
