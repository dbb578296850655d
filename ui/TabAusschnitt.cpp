#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

QSpinBox* spin(const char* name, int von, int bis, int wert)
{
    auto* s = benannt(new QSpinBox, name);
    s->setRange(von, bis);
    s->setValue(wert);
    return s;
}

}

// The crop region is not built yet: the panel shows its controls disabled.
AusschnittTab::AusschnittTab(Programm& p) : Tab(p, "AusschnittGroupBox", Sprache::TabGruppen[2])
{
    auto* gitter = new QGridLayout(this);
    gitter->addWidget(benannt(new QCheckBox(text(T::Druckbereich)), "DruckbereichCheckBox"), 0, 0, 1, 4);
    const auto rand = [&](int zeile, int spalte, const char* beschriftung, const char* name) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, spalte);
        gitter->addWidget(spin(name, 0, 100000, 0), zeile, spalte + 1);
    };
    rand(1, 0, T::Links, "lRandSpinEdit");
    rand(1, 2, T::Rechts, "rRandSpinEdit");
    rand(2, 0, T::Oben, "oRandSpinEdit");
    rand(2, 2, T::Unten, "uRandSpinEdit");
    const auto anzeige = [&](int zeile, int spalte, const char* beschriftung, QWidget* w) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, spalte);
        gitter->addWidget(w, zeile, spalte + 1);
    };
    anzeige(3, 0, T::Breite, benannt(new QLabel, "BreiteRandSpinEdit"));
    anzeige(3, 2, T::Hoehe, benannt(new QLabel, "HoeheRandSpinEdit"));
    for (auto [zeile, name, beschriftung] : {std::tuple{4, "TrimmEdit1", T::BreiteZuHoehe},
                                             std::tuple{5, "TrimmEdit2", T::HoeheZuBreite}}) {
        auto* e = benannt(new QLineEdit, name);
        e->setReadOnly(true);
        anzeige(zeile, 0, beschriftung, e);
    }
    auto* verhaeltnis = new QHBoxLayout;
    verhaeltnis->addWidget(benannt(new QCheckBox(text(T::FestesVerhaeltnis)), "AusschnittRatioCheckBox"));
    verhaeltnis->addWidget(spin("BreiteRatioSpinEdit", 1, 99999, 16));
    verhaeltnis->addWidget(new QLabel(QStringLiteral(":")));
    verhaeltnis->addWidget(spin("HoeheRatioSpinEdit", 1, 99999, 9));
    verhaeltnis->addStretch(1);
    gitter->addLayout(verhaeltnis, 6, 0, 1, 4);
    gitter->addWidget(benannt(new QPushButton(text(T::Anwenden)), "AusschnittAnwendenButton"), 7, 0, 1, 2);
    gitter->addWidget(benannt(new QPushButton(text(T::OptimalerAusschnitt)), "OptimumAusschnittButton"), 7, 2, 1, 2);
    gitter->addWidget(benannt(new QPushButton(text(T::ExportAusschnitt)), "AusschnittButton"), 8, 0, 1, 2);
    gitter->addWidget(benannt(new QPushButton(text(T::AusschnittVerwenden)), "AusschnittVerwendenButton"), 8, 2, 1,
                      2);
    gitter->addWidget(benannt(new QCheckBox(text(T::ExportJpg)), "Export_JPG_CheckBox"), 9, 0, 1, 4);
    gitter->setColumnStretch(4, 1);
    gitter->setRowStretch(10, 1);
    setEnabled(false);
}
