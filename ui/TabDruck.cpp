#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "commands/Drucken.h"
#include "commands/Einstellungen.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

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
    edit(xRandEdit, "xRandEdit", T::RandLinks, 0, T::RandLinksHinweis);
    edit(yRandEdit, "yRandEdit", T::RandOben, 1, T::RandObenHinweis);
    edit(xSizeEdit, "xSizeEdit", T::DruckBreite, 2, nullptr);
    edit(ySizeEdit, "ySizeEdit", T::DruckHoehe, 3, nullptr);
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
    // Normalises a stored size to the value as an edit shows it, so that an edit
    // left unchanged compares equal.
    hSizeEdit = benannt(new QLineEdit, "hSizeEdit");
    hSizeEdit->hide();
    const auto groesse = [this](QLineEdit* e, bool breite) {
        connect(e, &QLineEdit::editingFinished, this, [this, e, breite] {
            hSizeEdit->setText(zahlText(breite ? p_.druck.breite : p_.druck.hoehe));
            const bool neu = DruckGroesse_Eingeben(p_, breite, zahlLesen(e->text()), zahlLesen(hSizeEdit->text()));
            aktualisieren();
            if (neu)
                emit rechnen(3);
        });
    };
    groesse(xSizeEdit, true);
    groesse(ySizeEdit, false);
    auto* einheit = benannt(new QGroupBox(text(T::Einheit)), "DruckEinheitRadioGroup");
    auto* einheitLayout = new QHBoxLayout(einheit);
    DruckEinheitRadioGroup = new QButtonGroup(this);
    radio(DruckEinheitRadioGroup, einheitLayout, text(T::Einheiten[0]), 0);
    radio(DruckEinheitRadioGroup, einheitLayout, text(T::Einheiten[1]), 1);
    gitter->addWidget(einheit, 4, 0, 1, 2);
    connect(DruckEinheitRadioGroup, &QButtonGroup::idClicked, this, [this](int id) {
        p_.ctx.state.modified = true;
        DruckEinheit_Wechseln(p_.druck, id == 0);
        aktualisieren();
    });
    DruckProportionalCheckBox = benannt(new QCheckBox(text(T::Proportional)), "DruckProportionalCheckBox");
    DruckProportionalCheckBox->setToolTip(text(T::ProportionalHinweis));
    DruckSpiegelCheckBox = benannt(new QCheckBox(text(T::Seitenverkehrt)), "DruckSpiegelCheckBox");
    DruckSpiegelCheckBox->setToolTip(text(T::SeitenverkehrtHinweis));
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
    DruckInfosCheckBox = benannt(new QCheckBox(text(T::DruckInfos)), "DruckInfosCheckBox");
    gitter->addWidget(DruckInfosCheckBox, 7, 0, 1, 2);
    connect(DruckInfosCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        p_.ctx.state.modified = true;
        p_.druck.druckInfos = an;
    });
    auto* drucken = benannt(new QPushButton(text(T::Drucken)), "DruckButton");
    connect(drucken, &QPushButton::clicked, this,
            [this] { emit befehl([this] { DruckButtonClick(p_, p_.ctx.printers()); }); });
    gitter->addWidget(drucken, 8, 0, Qt::AlignLeft);
    gitter->addWidget(hSizeEdit, 9, 0);

    auto* barrier = benannt(new QGroupBox(text(T::Barrier)), "BarrierGroupBox");
    auto* barrierLayout = new QHBoxLayout(barrier);
    BarrierComboBox = benannt(new QComboBox, "BarrierComboBox");
    BarrierComboBox->setToolTip(text(T::BarrierHinweis));
    for (int q = 1; q <= 9; ++q)
        BarrierComboBox->addItem(QStringLiteral("1:%1").arg(q));
    barrierLayout->addWidget(new QLabel(text(T::BarrierVerhaeltnis)));
    barrierLayout->addWidget(BarrierComboBox);
    auto* barrierDruck = benannt(new QPushButton(text(T::BarrierDrucken)), "BarrierDruckButton");
    connect(barrierDruck, &QPushButton::clicked, this,
            [this] { emit befehl([this] { BarrierDruckButtonClick(p_, p_.ctx.printers()); }); });
    barrierLayout->addWidget(barrierDruck);
    barrierLayout->addStretch(1);
    connect(BarrierComboBox, &QComboBox::activated, this, [this](int index) {
        p_.ctx.state.modified = true;
        p_.compose.barrierIndex = index;
    });
    gitter->addWidget(barrier, 10, 0, 1, 2);
    gitter->setRowStretch(11, 1);
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
    DruckInfosCheckBox->setChecked(d.druckInfos);
    BarrierComboBox->setCurrentIndex(p_.compose.barrierIndex);
}
