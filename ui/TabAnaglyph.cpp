#include <QButtonGroup>
#include <QVBoxLayout>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

AnaglyphTab::AnaglyphTab(Programm& p) : Tab(p, "AnaglyphGroupBox", Sprache::TabGruppen[3])
{
    auto* layout = new QVBoxLayout(this);
    auto* gruppe = benannt(new QGroupBox, "AnaglyphRadioGroup");
    auto* gruppeLayout = new QVBoxLayout(gruppe);
    AnaglyphRadioGroup = new QButtonGroup(this);
    const char* schemata[] = {"ColorCode 3-D", "Rot - Cyan", "Rot - Cyan Dubois", "Rot - Blau",
                              "Rot - Grün",    "Magenta - Grün", "Grün - Blau"};
    for (int i = 0; i < 7; ++i)
        radio(AnaglyphRadioGroup, gruppeLayout, text(schemata[i]), i);
    connect(AnaglyphRadioGroup, &QButtonGroup::idClicked, this, [this](int schema) {
        p_.ctx.state.modified = true;
        p_.compose.anaglyphSchema = schema;
        if (schema == 0)
            p_.compose.anaglyphFarbModus = 0;
        p_.auswahl.vorschau = VorschauAnaglyph;
        emit rechnen(3);
    });
    layout->addWidget(gruppe);
    layout->addStretch(1);
}

void AnaglyphTab::aktualisieren()
{
    AnaglyphRadioGroup->button(p_.compose.anaglyphSchema)->setChecked(true);
}
