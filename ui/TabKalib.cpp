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

#include "commands/Drucken.h"
#include "core/Format.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

// A number edit: on leaving, its text is read by the number entry rule and shown as the number read.
QLineEdit* zahlEdit(QWidget* eltern, const char* name)
{
    auto* e = benannt(new QLineEdit, name);
    e->setMaximumWidth(70);
    QObject::connect(e, &QLineEdit::editingFinished, eltern, [e] { e->setText(zahlText(zahlLesen(e->text()))); });
    return e;
}

QSpinBox* spin(const char* name, int von, int bis)
{
    auto* s = benannt(new QSpinBox, name);
    s->setRange(von, bis);
    return s;
}

int gewaehlt(const QButtonGroup* gruppe)
{
    return std::max(gruppe->checkedId(), 0);
}

}

KalibTab::KalibTab(Programm& p) : Tab(p, "KalibAllGroupBox", Sprache::TabGruppen[6])
{
    auto* layout = new QVBoxLayout(this);
    auto* unterTabs = benannt(new QTabWidget, "TabControl2");
    unterTabs->addTab(druckPanel(), text(T::KalibDruckTab));
    unterTabs->addTab(bildPanel(), text(T::KalibBildTab));
    layout->addWidget(unterTabs);
    zuruecksetzen();
}

QGroupBox* KalibTab::wahl(QButtonGroup*& gruppe, const char* name, const char* titel,
                          std::initializer_list<const char*> items)
{
    auto* box = benannt(new QGroupBox(text(titel)), name);
    auto* layout = new QHBoxLayout(box);
    gruppe = new QButtonGroup(this);
    int id = 0;
    for (const char* item : items)
        radio(gruppe, layout, text(item), id++);
    layout->addStretch(1);
    return box;
}

QWidget* KalibTab::druckPanel()
{
    auto* gruppe = benannt(new QGroupBox, "KalibDruckGroupBox");
    auto* gitter = new QGridLayout(gruppe);
    gitter->addWidget(new QLabel(text(T::KalibLpi)), 0, 0);
    KalibrierungLPIEdit = zahlEdit(this, "KalibrierungLPIEdit");
    gitter->addWidget(KalibrierungLPIEdit, 0, 1);
    gitter->addWidget(new QLabel(text(T::KalibLaenge)), 1, 0);
    KalibSpinEdit = spin("KalibSpinEdit", 1, 999);
    KalibSpinEdit->setToolTip(text(T::KalibLaengeHinweis));
    gitter->addWidget(KalibSpinEdit, 1, 1);
    gitter->addWidget(wahl(KalibrierungRichtungRadioGroup, "KalibrierungRichtungRadioGroup", T::KalibRichtung,
                           {T::KalibRichtungen[0], T::KalibRichtungen[1]}),
                      2, 0, 1, 3);
    gitter->addWidget(wahl(KalibrierungSchrittweiteRadioGroup, "KalibrierungSchrittweiteRadioGroup",
                           T::KalibSchrittweite,
                           {T::KalibSchritte[0], T::KalibSchritte[1], T::KalibSchritte[2], T::KalibSchritte[3],
                            T::KalibSchritte[4]}),
                      3, 0, 1, 3);
    auto* drucken = benannt(new QPushButton(text(T::Drucken)), "KalibrierungDruckenBitBtn");
    connect(drucken, &QPushButton::clicked, this, [this] {
        const KalibDruck k = druckAuftrag();
        emit befehl([this, k] { KalibrierungDruckenBitBtnClick(p_, p_.ctx.printers(), k); });
    });
    gitter->addWidget(drucken, 4, 0, Qt::AlignLeft);
    gitter->setColumnStretch(2, 1);
    gitter->setRowStretch(5, 1);
    return gruppe;
}

QWidget* KalibTab::bildPanel()
{
    auto* gruppe = benannt(new QGroupBox, "KalibBildGroupBox");
    auto* gitter = new QGridLayout(gruppe);
    const auto zeile = [&](int reihe, int spalte, const char* beschriftung, QWidget* w) {
        gitter->addWidget(new QLabel(text(beschriftung)), reihe, spalte);
        gitter->addWidget(w, reihe, spalte + 1);
    };
    KLPITypMaskEdit = zahlEdit(this, "KLPITypMaskEdit");
    KlpiStepMaskEdit = zahlEdit(this, "KlpiStepMaskEdit");
    KAnzStreifenSpinEdit = spin("KAnzStreifenSpinEdit", 1, 10000);
    KAnzBilderSpinEdit = spin("KAnzBilderSpinEdit", 2, 99);
    KBreitMaskEdit = zahlEdit(this, "KBreitMaskEdit");
    KHochMaskEdit = zahlEdit(this, "KHochMaskEdit");
    KAnzPixBildLinseSpinEdit = spin("KAnzPixBildLinseSpinEdit", 0, 1000);
    KAnzPixBildLinseSpinEdit->setToolTip(text(T::KalibPixelHinweis));
    zeile(0, 0, T::KalibLpi, KLPITypMaskEdit);
    zeile(0, 2, T::KalibSchritt, KlpiStepMaskEdit);
    zeile(1, 0, T::KalibStreifen, KAnzStreifenSpinEdit);
    zeile(1, 2, T::KalibBilder, KAnzBilderSpinEdit);
    zeile(2, 0, T::Breite, KBreitMaskEdit);
    zeile(2, 2, T::Hoehe, KHochMaskEdit);
    zeile(3, 0, T::KalibPixel, KAnzPixBildLinseSpinEdit);
    gitter->addWidget(wahl(LRAutoRadioGroup, "LRAutoRadioGroup", "", {T::AutoManuell[0], T::AutoManuell[1]}), 3, 2,
                      1, 2);
    gitter->addWidget(
        wahl(LRKalibEinheitRadioGroup, "LRKalibEinheitRadioGroup", T::Einheit, {T::Einheiten[0], T::Einheiten[1]}), 4,
        0, 1, 2);
    gitter->addWidget(wahl(LRKalibRichtungRadioGroup, "LRKalibRichtungRadioGroup", T::KalibRichtung,
                           {T::Richtung3DFlip[0], T::Richtung3DFlip[1]}),
                      4, 2, 1, 2);
    gitter->addWidget(
        wahl(LRKalibMethodeRadioGroup, "LRKalibMethodeRadioGroup", "", {T::Methoden[0], T::Methoden[1]}), 5, 0, 1, 2);
    connect(LRAutoRadioGroup, &QButtonGroup::idClicked, this, &KalibTab::LRAutoRadioGroupClick);
    connect(LRKalibRichtungRadioGroup, &QButtonGroup::idClicked, this, &KalibTab::LRKalibRichtungRadioGroupClick);
    const auto box = [&](QCheckBox*& b, const char* name, const char* beschriftung, int reihe, int spalte) {
        b = benannt(new QCheckBox(text(beschriftung)), name);
        gitter->addWidget(b, reihe, spalte, 1, 2);
    };
    box(KalibSpeichernBeschriftungCheckBox, "KalibSpeichernBeschriftungCheckBox", T::Beschriftung, 6, 0);
    box(KalibSpeichernSchwarzSchmalCheckBox, "KalibSpeichernSchwarzSchmalCheckBox", T::WeisseStreifen, 6, 2);
    box(KalibSpeichernBemassung10CheckBox, "KalibSpeichernBemassung10CheckBox", T::Bemassung10, 7, 0);
    box(KalibSpeichernBemassung5CheckBox, "KalibSpeichernBemassung5CheckBox", T::Bemassung5, 7, 2);
    auto* start = benannt(new QPushButton(text(T::KalibStart)), "KStartBitBtn");
    connect(start, &QPushButton::clicked, this, &KalibTab::KStartBitBtnClick);
    gitter->addWidget(start, 8, 0, 1, 2, Qt::AlignLeft);
    KHoeheStreifenLabel = benannt(new QLabel, "KHoeheStreifenLabel");
    zeile(9, 0, T::KalibStreifenhoehe, KHoeheStreifenLabel);
    const auto paar = [&](int reihe, const char* beschriftung, QLabel*& x, const char* xName, QLabel*& y,
                          const char* yName) {
        auto* werte = new QHBoxLayout;
        x = benannt(new QLabel, xName);
        y = benannt(new QLabel, yName);
        werte->addWidget(x);
        werte->addWidget(new QLabel(text(T::Mal)));
        werte->addWidget(y);
        werte->addStretch(1);
        gitter->addWidget(new QLabel(text(beschriftung)), reihe, 0);
        gitter->addLayout(werte, reihe, 1, 1, 3);
    };
    paar(10, T::KalibPixelGroesse, KPixelxLabel, "KPixelxLabel", KPixelYLabel, "KPixelYLabel");
    paar(11, T::KalibDpi, KdpiXLabel, "KdpiXLabel", KdpiYLabel, "KdpiYLabel");
    gitter->setRowStretch(12, 1);
    return gruppe;
}

void KalibTab::zuruecksetzen()
{
    zeigen(KalibDruck{}, KalibBild{});
}

void KalibTab::zeigen(const KalibDruck& d, const KalibBild& b)
{
    KalibrierungLPIEdit->setText(zahlText(d.lpi));
    KalibSpinEdit->setValue(d.laenge);
    KalibrierungRichtungRadioGroup->button(d.richtung)->setChecked(true);
    KalibrierungSchrittweiteRadioGroup->button(d.schritt)->setChecked(true);
    KLPITypMaskEdit->setText(zahlText(b.lpi));
    KlpiStepMaskEdit->setText(zahlText(b.schritt));
    KAnzStreifenSpinEdit->setValue(b.streifen);
    KAnzBilderSpinEdit->setValue(b.bilder);
    KBreitMaskEdit->setText(zahlText(b.breite));
    KHochMaskEdit->setText(zahlText(b.hoehe));
    KAnzPixBildLinseSpinEdit->setValue(b.pixel);
    LRAutoRadioGroup->button(b.pixel > 0 ? 1 : 0)->setChecked(true);
    LRKalibEinheitRadioGroup->button(b.einheit)->setChecked(true);
    LRKalibRichtungRadioGroup->button(b.richtung)->setChecked(true);
    LRKalibMethodeRadioGroup->button(b.methode)->setChecked(true);
    KalibSpeichernBeschriftungCheckBox->setChecked(b.beschriftung);
    KalibSpeichernBemassung10CheckBox->setChecked(b.bemassung10);
    KalibSpeichernBemassung5CheckBox->setChecked(b.bemassung5);
    KalibSpeichernSchwarzSchmalCheckBox->setChecked(b.weiss);
    LRAutoRadioGroupClick();
    LRKalibRichtungRadioGroupClick();
}

KalibDruck KalibTab::druckAuftrag() const
{
    return {zahlLesen(KalibrierungLPIEdit->text()), KalibSpinEdit->value(), gewaehlt(KalibrierungRichtungRadioGroup),
            gewaehlt(KalibrierungSchrittweiteRadioGroup)};
}

KalibBild KalibTab::bildAuftrag() const
{
    KalibBild k;
    k.lpi = zahlLesen(KLPITypMaskEdit->text());
    k.schritt = zahlLesen(KlpiStepMaskEdit->text());
    k.streifen = KAnzStreifenSpinEdit->value();
    k.einheit = gewaehlt(LRKalibEinheitRadioGroup);
    k.breite = zahlLesen(KBreitMaskEdit->text());
    k.hoehe = zahlLesen(KHochMaskEdit->text());
    k.richtung = gewaehlt(LRKalibRichtungRadioGroup);
    k.bilder = KAnzBilderSpinEdit->value();
    k.pixel = gewaehlt(LRAutoRadioGroup) == 1 ? KAnzPixBildLinseSpinEdit->value() : 0;
    k.methode = gewaehlt(LRKalibMethodeRadioGroup);
    k.beschriftung = KalibSpeichernBeschriftungCheckBox->isChecked();
    k.bemassung10 = KalibSpeichernBemassung10CheckBox->isChecked();
    k.bemassung5 = KalibSpeichernBemassung5CheckBox->isChecked();
    k.weiss = KalibSpeichernSchwarzSchmalCheckBox->isChecked();
    return k;
}

void KalibTab::LRAutoRadioGroupClick()
{
    KAnzPixBildLinseSpinEdit->setEnabled(gewaehlt(LRAutoRadioGroup) == 1);
}

void KalibTab::LRKalibRichtungRadioGroupClick()
{
    const int flip = gewaehlt(LRKalibRichtungRadioGroup);
    KBreitMaskEdit->setToolTip(text(T::KalibHinweise[flip]));
    KHochMaskEdit->setToolTip(text(T::KalibHinweise[1 - flip]));
}

void KalibTab::ergebnisZeigen(const KalibErgebnis& e, const KalibBild& b)
{
    KHoeheStreifenLabel->setText(text(formatFixed(e.streifenhoehe, 6, 3) + " " + T::Einheiten[b.einheit]));
    KBreitMaskEdit->setText(zahlText(e.exakteBreite));
    KHochMaskEdit->setText(zahlText(e.exakteHoehe));
    KPixelxLabel->setText(QString::number(e.breite));
    KPixelYLabel->setText(QString::number(e.hoehe));
    KdpiXLabel->setText(text(formatFixed(e.dpiX, 6, 2)));
    KdpiYLabel->setText(text(formatFixed(e.dpiY, 6, 2)));
    KAnzPixBildLinseSpinEdit->setValue(e.pixelProBild);
}

void KalibTab::KStartBitBtnClick()
{
    const KalibBild k = bildAuftrag();
    emit befehl([this, k] {
        ::KStartBitBtnClick(p_, k, [this, &k](const KalibErgebnis& e) {
            ergebnisZeigen(e, k);
            return Dialoge::bmpZiel(this, text(p_.ctx.state.bildSpeichernOrdner.string())).toStdString();
        });
    });
}
