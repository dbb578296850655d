#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "compose/Komponisten.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

// The size choice whose spin edits the user fills in.
constexpr int FreieGroesse = 7;

}

LCDTab::LCDTab(Programm& p) : Tab(p, "LCDGroupBox", Sprache::TabGruppen[7])
{
    auto* layout = new QVBoxLayout(this);
    auto* groesse = benannt(new QGroupBox(text(T::LCDGroesse)), "LCDGroesseRadioGroup");
    auto* gitter = new QGridLayout(groesse);
    LCDGroesseRadioGroup = new QButtonGroup(this);
    radioSpalten(LCDGroesseRadioGroup, gitter, T::LCDGroessen);
    LCDSpinEditx = benannt(new QSpinBox, "LCDSpinEditx");
    LCDSpinEdity = benannt(new QSpinBox, "LCDSpinEdity");
    gitter->addLayout(Groessenzeile(LCDSpinEditx, LCDSpinEdity, 0, 100000), 4, 0, 1, 2);
    LCDAnwendenButton = benannt(new QPushButton(text(T::Anwenden)), "LCDAnwendenButton");
    gitter->addWidget(LCDAnwendenButton, 5, 0, Qt::AlignLeft);
    gitter->setColumnStretch(1, 1);
    layout->addWidget(groesse);
    connect(LCDGroesseRadioGroup, &QButtonGroup::idClicked, this, [this](int auswahl) {
        Streifengroesse_Anwenden(p_, auswahl);
        p_.ctx.state.modified = true;
        p_.auswahl.vorschau = VorschauStreifen;
        aktualisieren();
        emit rechnen(3);
    });
    connect(LCDAnwendenButton, &QPushButton::clicked, this, [this] {
        p_.compose.streifen.breite = LCDSpinEditx->value();
        p_.compose.streifen.hoehe = LCDSpinEdity->value();
        p_.ctx.state.modified = true;
        emit rechnen(3);
    });

    const auto wahl = [&](QButtonGroup*& gruppe, const char* name, const char* titel, const char* const* items,
                          int32_t StreifenSettings::*wert) {
        auto* box = benannt(new QGroupBox(text(titel)), name);
        auto* boxLayout = new QHBoxLayout(box);
        gruppe = new QButtonGroup(this);
        radio(gruppe, boxLayout, text(items[0]), 0);
        radio(gruppe, boxLayout, text(items[1]), 1);
        boxLayout->addStretch(1);
        layout->addWidget(box);
        connect(gruppe, &QButtonGroup::idClicked, this, [this, wert](int id) {
            p_.compose.streifen.*wert = id;
            p_.ctx.state.modified = true;
            emit rechnen(3);
        });
    };
    wahl(LCDRichtungRadioGroup, "LCDRichtungRadioGroup", T::LCDRichtung, T::LCDRichtungen,
         &StreifenSettings::richtung);
    wahl(LCDBeginnRadioGroup, "LCDBeginnRadioGroup", T::LCDBeginn, T::LCDBeginne, &StreifenSettings::beginn);
    layout->addStretch(1);
}

void LCDTab::aktualisieren()
{
    const StreifenSettings& s = p_.compose.streifen;
    if (QAbstractButton* knopf = LCDGroesseRadioGroup->button(s.groesse))
        knopf->setChecked(true);
    LCDSpinEditx->setValue(s.breite);
    LCDSpinEdity->setValue(s.hoehe);
    const bool frei = s.groesse == FreieGroesse;
    LCDSpinEditx->setEnabled(frei);
    LCDSpinEdity->setEnabled(frei);
    LCDAnwendenButton->setEnabled(frei);
    LCDRichtungRadioGroup->button(s.richtung)->setChecked(true);
    LCDBeginnRadioGroup->button(s.beginn)->setChecked(true);
}
