#include <QHBoxLayout>
#include <QRadioButton>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

JustTab::JustTab(Programm& p) : Tab(p, "JustGroupBox", Sprache::TabGruppen[1])
{
    auto* layout = new QHBoxLayout(this);
    JUST_L_RadioButton = benannt(new QRadioButton(text(Sprache::JustL)), "JUST_L_RadioButton");
    JUST_R_RadioButton = benannt(new QRadioButton(text(Sprache::JustR)), "JUST_R_RadioButton");
    layout->addWidget(JUST_L_RadioButton);
    layout->addWidget(JUST_R_RadioButton);
    layout->addStretch(1);
    const auto wahl = [this](QRadioButton* knopf, bool links) {
        connect(knopf, &QRadioButton::clicked, this, [this, links] {
            p_.auswahl.justL = links;
            p_.auswahl.justR = !links;
            emit rechnen(3);
        });
    };
    wahl(JUST_L_RadioButton, true);
    wahl(JUST_R_RadioButton, false);
}

void JustTab::aktualisieren()
{
    // Neither may be checked, which exclusive radio buttons cannot show.
    for (auto [knopf, an] : {std::pair{JUST_L_RadioButton, p_.auswahl.justL}, std::pair{JUST_R_RadioButton, p_.auswahl.justR}}) {
        knopf->setAutoExclusive(false);
        knopf->setChecked(an);
        knopf->setAutoExclusive(true);
    }
}
