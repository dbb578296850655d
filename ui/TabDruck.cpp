#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

DruckTab::DruckTab(Programm& p) : Tab(p, "DruckGroupBox", Sprache::TabGruppen[8])
{
    auto* gitter = new QGridLayout(this);
    const auto edit = [&](QLineEdit*& e, const char* name, const char* beschriftung, int zeile, const char* hinweis) {
        e = benannt(new QLineEdit, name);
        if (hinweis)
            e->setToolTip(text(hinweis));
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, 0);
        gitter->addWidget(e, zeile, 1);
    };
    edit(xRandEdit, "xRandEdit", "Rand links", 0, "linker Druckrand");
    edit(yRandEdit, "yRandEdit", "Rand oben", 1, "oberer Druckrand");
    edit(xSizeEdit, "xSizeEdit", "Breite", 2, nullptr);
    edit(ySizeEdit, "ySizeEdit", "Höhe", 3, nullptr);
    const auto rand = [this](QLineEdit* e, double PrintSettings::*wert) {
        connect(e, &QLineEdit::editingFinished, this, [this, e, wert] {
            const double v = zahlLesen(e->text());
            if (v != p_.druck.*wert) {
                p_.druck.*wert = v;
                p_.ctx.state.modified = true;
            }
            e->setText(zahlText(p_.druck.*wert));
        });
    };
    rand(xRandEdit, &PrintSettings::randX);
    rand(yRandEdit, &PrintSettings::randY);
    const auto groesse = [this](QLineEdit* e, double PrintSettings::*gesetzt, double PrintSettings::*wirksam) {
        connect(e, &QLineEdit::editingFinished, this, [this, e, gesetzt, wirksam] {
            // Compared with the value as shown, so an unchanged edit recomputes nothing.
            const double v = zahlLesen(e->text());
            if (v == zahlLesen(zahlText(p_.druck.*wirksam)))
                return;
            p_.ctx.state.modified = true;
            p_.druck.*gesetzt = p_.druck.*wirksam = v;
            emit rechnen(3);
        });
    };
    groesse(xSizeEdit, &PrintSettings::breiteGesetzt, &PrintSettings::breite);
    groesse(ySizeEdit, &PrintSettings::hoeheGesetzt, &PrintSettings::hoehe);
    auto* einheit = benannt(new QGroupBox(text(" Einheit ")), "DruckEinheitRadioGroup");
    auto* einheitLayout = new QHBoxLayout(einheit);
    DruckEinheitRadioGroup = new QButtonGroup(this);
    radio(DruckEinheitRadioGroup, einheitLayout, QStringLiteral("cm"), 0);
    radio(DruckEinheitRadioGroup, einheitLayout, QStringLiteral("inch"), 1);
    gitter->addWidget(einheit, 4, 0, 1, 2);
    DruckProportionalCheckBox = benannt(new QCheckBox(text("proportional")), "DruckProportionalCheckBox");
    DruckProportionalCheckBox->setToolTip(text("Bildprortionen (Höhe/Breite) beibehalten"));
    DruckSpiegelCheckBox = benannt(new QCheckBox(text("seitenverkehrt")), "DruckSpiegelCheckBox");
    DruckSpiegelCheckBox->setToolTip(text("seitenverkehrte Darstellung z.B. für Foliendruck)"));
    gitter->addWidget(DruckProportionalCheckBox, 5, 0, 1, 2);
    gitter->addWidget(DruckSpiegelCheckBox, 6, 0, 1, 2);
    const auto schalter = [this](QCheckBox* box, bool PrintSettings::*wert) {
        connect(box, &QCheckBox::clicked, this, [this, wert](bool an) {
            p_.ctx.state.modified = true;
            p_.druck.*wert = an;
            emit rechnen(3);
        });
    };
    schalter(DruckProportionalCheckBox, &PrintSettings::proportional);
    schalter(DruckSpiegelCheckBox, &PrintSettings::seitenverkehrt);
    gitter->setRowStretch(7, 1);
}

void DruckTab::aktualisieren()
{
    const PrintSettings& d = p_.druck;
    xRandEdit->setText(zahlText(d.randX));
    yRandEdit->setText(zahlText(d.randY));
    xSizeEdit->setText(zahlText(d.breite));
    ySizeEdit->setText(zahlText(d.hoehe));
    DruckEinheitRadioGroup->button(d.einheitCm ? 0 : 1)->setChecked(true);
    DruckProportionalCheckBox->setChecked(d.proportional);
    DruckSpiegelCheckBox->setChecked(d.seitenverkehrt);
}
