#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

QLineEdit* edit(const char* name, const char* wert)
{
    auto* e = benannt(new QLineEdit(text(wert)), name);
    e->setMaximumWidth(70);
    return e;
}

QSpinBox* spin(const char* name, int von, int bis, int wert)
{
    auto* s = benannt(new QSpinBox, name);
    s->setRange(von, bis);
    s->setValue(wert);
    return s;
}

// A captioned group of radio buttons side by side, the first one chosen unless said otherwise.
QGroupBox* wahl(QWidget* eltern, const char* name, const char* titel, std::initializer_list<const char*> items,
                int gewaehlt = 0)
{
    auto* box = benannt(new QGroupBox(text(titel)), name);
    auto* layout = new QHBoxLayout(box);
    auto* gruppe = new QButtonGroup(eltern);
    int id = 0;
    for (const char* item : items)
        radio(gruppe, layout, text(item), id++);
    gruppe->button(gewaehlt)->setChecked(true);
    layout->addStretch(1);
    return box;
}

QWidget* druckPanel(QWidget* eltern)
{
    auto* gruppe = benannt(new QGroupBox, "KalibDruckGroupBox");
    auto* gitter = new QGridLayout(gruppe);
    gitter->addWidget(new QLabel(text(T::KalibLpi)), 0, 0);
    gitter->addWidget(edit("KalibrierungLPIEdit", "40"), 0, 1);
    gitter->addWidget(new QLabel(text(T::KalibLaenge)), 1, 0);
    auto* laenge = spin("KalibSpinEdit", 1, 999, 15);
    laenge->setToolTip(text(T::KalibLaengeHinweis));
    gitter->addWidget(laenge, 1, 1);
    gitter->addWidget(wahl(eltern, "KalibrierungRichtungRadioGroup", T::KalibRichtung,
                           {T::KalibRichtungen[0], T::KalibRichtungen[1]}),
                      2, 0, 1, 3);
    gitter->addWidget(wahl(eltern, "KalibrierungSchrittweiteRadioGroup", T::KalibSchrittweite,
                           {T::KalibSchritte[0], T::KalibSchritte[1], T::KalibSchritte[2], T::KalibSchritte[3],
                            T::KalibSchritte[4]},
                           3),
                      3, 0, 1, 3);
    gitter->addWidget(benannt(new QPushButton(text(T::Drucken)), "KalibrierungDruckenBitBtn"), 4, 0,
                      Qt::AlignLeft);
    gitter->setColumnStretch(2, 1);
    gitter->setRowStretch(5, 1);
    return gruppe;
}

QWidget* bildPanel(QWidget* eltern)
{
    auto* gruppe = benannt(new QGroupBox, "KalibBildGroupBox");
    auto* gitter = new QGridLayout(gruppe);
    const auto zeile = [&](int reihe, int spalte, const char* beschriftung, QWidget* w) {
        gitter->addWidget(new QLabel(text(beschriftung)), reihe, spalte);
        gitter->addWidget(w, reihe, spalte + 1);
    };
    zeile(0, 0, T::KalibLpi, edit("KLPITypMaskEdit", "40"));
    zeile(0, 2, T::KalibSchritt, edit("KlpiStepMaskEdit", "0,1"));
    zeile(1, 0, T::KalibStreifen, spin("KAnzStreifenSpinEdit", 1, 10000, 11));
    zeile(1, 2, T::KalibBilder, spin("KAnzBilderSpinEdit", 2, 99, 2));
    zeile(2, 0, T::Breite, edit("KBreitMaskEdit", "15"));
    zeile(2, 2, T::Hoehe, edit("KHochMaskEdit", "10"));
    auto* pixel = spin("KAnzPixBildLinseSpinEdit", 0, 1000, 0);
    pixel->setToolTip(text(T::KalibPixelHinweis));
    zeile(3, 0, T::KalibPixel, pixel);
    gitter->addWidget(wahl(eltern, "LRAutoRadioGroup", "", {T::AutoManuell[0], T::AutoManuell[1]}), 3, 2, 1, 2);
    gitter->addWidget(wahl(eltern, "LRKalibEinheitRadioGroup", T::Einheit, {T::Einheiten[0], T::Einheiten[1]}), 4,
                      0, 1, 2);
    gitter->addWidget(
        wahl(eltern, "LRKalibRichtungRadioGroup", T::KalibRichtung, {T::Richtung3DFlip[0], T::Richtung3DFlip[1]}), 4,
        2, 1, 2);
    gitter->addWidget(wahl(eltern, "LRKalibMethodeRadioGroup", "", {T::Methoden[0], T::Methoden[1]}), 5, 0, 1, 2);
    auto* beschriften = benannt(new QCheckBox(text(T::Beschriftung)), "KalibSpeichernBeschriftungCheckBox");
    beschriften->setChecked(true);
    gitter->addWidget(beschriften, 6, 0, 1, 2);
    gitter->addWidget(benannt(new QCheckBox(text(T::WeisseStreifen)), "KalibSpeichernSchwarzSchmalCheckBox"), 6, 2,
                      1, 2);
    gitter->addWidget(benannt(new QCheckBox(text(T::Bemassung10)), "KalibSpeichernBemassung10CheckBox"), 7, 0, 1, 2);
    gitter->addWidget(benannt(new QCheckBox(text(T::Bemassung5)), "KalibSpeichernBemassung5CheckBox"), 7, 2, 1, 2);
    gitter->addWidget(benannt(new QPushButton(text(T::KalibStart)), "KStartBitBtn"), 8, 0, 1, 2, Qt::AlignLeft);
    zeile(9, 0, T::KalibStreifenhoehe, benannt(new QLabel, "KHoeheStreifenLabel"));
    const auto paar = [&](int reihe, const char* beschriftung, const char* x, const char* y) {
        auto* werte = new QHBoxLayout;
        werte->addWidget(benannt(new QLabel, x));
        werte->addWidget(new QLabel(text(T::Mal)));
        werte->addWidget(benannt(new QLabel, y));
        werte->addStretch(1);
        gitter->addWidget(new QLabel(text(beschriftung)), reihe, 0);
        gitter->addLayout(werte, reihe, 1, 1, 3);
    };
    paar(10, T::KalibPixelGroesse, "KPixelxLabel", "KPixelYLabel");
    paar(11, T::KalibDpi, "KdpiXLabel", "KdpiYLabel");
    gitter->setRowStretch(12, 1);
    return gruppe;
}

}

// Calibration prints are not built yet: both sub-panels can be looked at, their controls are disabled.
KalibTab::KalibTab(Programm& p) : Tab(p, "KalibAllGroupBox", Sprache::TabGruppen[6])
{
    auto* layout = new QVBoxLayout(this);
    auto* unterTabs = benannt(new QTabWidget, "TabControl2");
    for (auto [panel, titel] : {std::pair{druckPanel(this), T::KalibDruckTab}, std::pair{bildPanel(this), T::KalibBildTab}}) {
        panel->setEnabled(false);
        unterTabs->addTab(panel, text(titel));
    }
    layout->addWidget(unterTabs);
}
