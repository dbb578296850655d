#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

QCheckBox* schalter(const char* name, const char* beschriftung, bool an)
{
    auto* box = benannt(new QCheckBox(text(beschriftung)), name);
    box->setChecked(an);
    return box;
}

QComboBox* liste(const char* name, std::initializer_list<const char*> items)
{
    auto* box = benannt(new QComboBox, name);
    for (const char* item : items)
        box->addItem(text(item));
    return box;
}

// A folder edit with its choice button.
QHBoxLayout* ordner(const char* beschriftung, const char* edit, const char* knopf)
{
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(text(beschriftung)));
    zeile->addWidget(benannt(new QLineEdit, edit), 1);
    auto* wahl = benannt(new QPushButton(text(T::Auswaehlen)), knopf);
    wahl->setFixedWidth(30);
    zeile->addWidget(wahl);
    return zeile;
}

QGroupBox* seite(const char* name)
{
    return benannt(new QGroupBox, name);
}

QWidget* quelle()
{
    auto* g = seite("Batch1GroupBox");
    auto* l = new QVBoxLayout(g);
    l->addLayout(ordner(T::BatchQuelle, "Batch1Edit0", "Batch1BitBtn1"));
    auto* arten = liste("Batch1ComboBox2", {T::BatchArten[0], T::BatchArten[1], T::BatchArten[2], T::BatchArten[3]});
    arten->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    l->addWidget(arten);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(liste("Batch1ComboBox1", {T::BatchMuster[0], T::BatchMuster[1], T::BatchMuster[2],
                                               T::BatchMuster[3], T::BatchMuster[4], T::BatchMuster[5]}));
    zeile->addWidget(schalter("Batch1CheckBox1", T::BatchUnterordner, true));
    zeile->addStretch(1);
    l->addLayout(zeile);
    l->addWidget(benannt(new QPushButton(text(T::BatchZaehlen)), "Batch1Button"), 0, Qt::AlignLeft);
    // The work lists are kept in the panel, never shown.
    for (const char* name : {"Batch1ListBox1", "Batch1ListBox2"}) {
        auto* arbeitsliste = benannt(new QListWidget, name);
        arbeitsliste->hide();
        l->addWidget(arbeitsliste);
    }
    l->addStretch(1);
    return g;
}

QWidget* farben()
{
    auto* g = seite("Batch2GroupBox");
    auto* l = new QGridLayout(g);
    l->addWidget(benannt(new QRadioButton(text(T::BatchKeineOptimierung)), "Batch2RadioButton1"), 0, 0, 1, 2);
    auto* optimierung = benannt(new QRadioButton(text(T::BatchOptimierung)), "Batch2RadioButton2");
    optimierung->setChecked(true);
    l->addWidget(optimierung, 1, 0, 1, 2);
    l->addWidget(schalter("Batch2CheckBox2", T::BatchVerstaerkt, false), 2, 1);
    l->addWidget(benannt(new QRadioButton(text(T::BatchKanten)), "Batch2RadioButton3"), 3, 0, 1, 2);
    l->addWidget(schalter("Batch2CheckBox3", T::BatchNegativ, false), 4, 1);
    auto* hintergrund = new QHBoxLayout;
    hintergrund->addWidget(benannt(new QPushButton(text(T::BatchHintergrund)), "Batch2Button1"));
    auto* feld = new Farbfeld("Batch2Shape1");
    hintergrund->addWidget(feld);
    hintergrund->addStretch(1);
    l->addLayout(hintergrund, 5, 0, 1, 2);
    l->setColumnMinimumWidth(0, 20);
    l->setColumnStretch(1, 1);
    l->setRowStretch(6, 1);
    return g;
}

QWidget* justierung()
{
    auto* g = seite("Batch3GroupBox");
    auto* l = new QVBoxLayout(g);
    auto* hinweis = new QLabel(text(T::BatchJustierHinweis));
    hinweis->setWordWrap(true);
    l->addWidget(hinweis);
    l->addWidget(liste("Batch3ComboBox1", {T::BatchReferenz[0], T::BatchReferenz[1], T::BatchReferenz[2]}), 0,
                 Qt::AlignLeft);
    l->addWidget(schalter("Batch3RotCheckBox", T::BatchRot, true));
    l->addWidget(schalter("Batch3SkalCheckBox", T::BatchSkal, true));
    l->addWidget(schalter("Batch3VertCheckBox", T::BatchVert, true));
    l->addStretch(1);
    return g;
}

QWidget* groesse()
{
    auto* g = seite("Batch4GroupBox");
    auto* l = new QVBoxLayout(g);
    l->addWidget(schalter("Batch4CheckBox1", T::BatchZuschnitt, true));
    l->addStretch(1);
    return g;
}

QWidget* ergebnis()
{
    auto* g = seite("Batch5GroupBox");
    auto* l = new QGridLayout(g);
    const char* boxen[] = {"Batch5CheckBox1", "Batch5CheckBox2", "Batch5CheckBox3"};
    const char* texte[] = {T::BatchAnaglyph, T::BatchStereo, T::BatchStreifen};
    const char* edits[] = {"Batch5Edit1", "Batch5Edit2", "Batch5Edit3"};
    for (int i = 0; i < 3; ++i) {
        l->addWidget(schalter(boxen[i], texte[i], i == 0), i, 0);
        auto* suffix = benannt(new QLineEdit(text(T::BatchSuffixe[i])), edits[i]);
        suffix->setMaximumWidth(90);
        l->addWidget(suffix, i, 1);
    }
    l->addWidget(schalter("Batch5CheckBox4", T::BatchJps, false), 3, 0);
    l->addWidget(schalter("Batch5CheckBox5", T::BatchMpo, false), 4, 0);
    auto* typ = new QHBoxLayout;
    typ->addWidget(new QLabel(text(T::BatchTyp)));
    typ->addWidget(liste("Batch5ComboBox1", {T::BatchTypen[0], T::BatchTypen[1], T::BatchTypen[2], T::BatchTypen[3]}));
    typ->addWidget(new QLabel(text(T::BatchBildpaar)));
    typ->addWidget(liste("Batch5ComboBox2", {T::BatchBildpaare[0], T::BatchBildpaare[1]}));
    typ->addStretch(1);
    l->addLayout(typ, 5, 0, 1, 2);
    l->setColumnStretch(0, 1);
    l->setRowStretch(6, 1);
    return g;
}

QWidget* ziel()
{
    auto* g = seite("Batch6GroupBox");
    auto* l = new QGridLayout(g);
    l->addLayout(ordner(T::BatchZiel, "Batch6Edit1", "Batch6BitBtn1"), 0, 0, 1, 2);
    l->addWidget(schalter("Batch6CheckBox1", T::BatchUeberschreiben, true), 1, 0, 1, 2);
    const char* boxen[] = {"Batch6CheckBox2", "Batch6CheckBox4", "Batch6CheckBox5"};
    const char* texte[] = {T::BatchOriginale, T::BatchFarbOptimiert, T::BatchJustiert};
    const char* edits[] = {"Batch6Edit2", "Batch6Edit4", "Batch6Edit5"};
    for (int i = 0; i < 3; ++i) {
        l->addWidget(schalter(boxen[i], texte[i], true), i + 2, 0);
        auto* suffix = benannt(new QLineEdit(text(T::BatchZielSuffixe[i])), edits[i]);
        suffix->setMaximumWidth(70);
        l->addWidget(suffix, i + 2, 1);
    }
    l->addWidget(schalter("CheckBox5", T::BatchProtokoll, false), 5, 0, 1, 2);
    l->setColumnStretch(0, 1);
    l->setRowStretch(6, 1);
    return g;
}

}

// Batch jobs are not built yet: the six pages can be looked at, their controls are disabled.
BatchTab::BatchTab(Programm& p) : Tab(p, "BatchGroupBox", Sprache::TabGruppen[9])
{
    auto* layout = new QVBoxLayout(this);
    auto* seiten = benannt(new QTabWidget, "BatchTabControl");
    QWidget* panels[] = {quelle(), farben(), justierung(), groesse(), ergebnis(), ziel()};
    for (int i = 0; i < 6; ++i) {
        panels[i]->setEnabled(false);
        seiten->addTab(panels[i], text(T::BatchTabs[i]));
    }
    layout->addWidget(seiten);

    auto* steuerung = new QWidget;
    steuerung->setEnabled(false);
    auto* gitter = new QGridLayout(steuerung);
    gitter->setContentsMargins(0, 0, 0, 0);
    auto* start = benannt(new QPushButton(text(T::BatchStart)), "BatchStartBitBtn");
    auto* stopp = benannt(new QPushButton(text(T::BatchStopp)), "BatchEndeBitBtn");
    stopp->hide();
    gitter->addWidget(start, 0, 0, 3, 1);
    gitter->addWidget(stopp, 0, 0, 3, 1);
    gitter->addWidget(schalter("BatchCheckBox2", T::BatchAutoOptimierung, true), 0, 1);
    gitter->addWidget(schalter("BatchCheckBox3", T::BatchAutoJustierung, true), 1, 1);
    gitter->addWidget(schalter("BatchCheckBox5", T::BatchAutoZuschnitt, true), 2, 1);
    const auto zaehler = [&](int zeile, const char* beschriftung, const char* name) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, 2);
        auto* e = benannt(new QLineEdit, name);
        e->setReadOnly(true);
        e->setMaximumWidth(70);
        gitter->addWidget(e, zeile, 3);
    };
    zaehler(0, T::BatchOrdner, "BatchEdit1");
    zaehler(1, T::BatchDateien, "Batch1Edit2");
    gitter->addWidget(benannt(new QLabel, "BatchStatusLabel2"), 2, 2, 1, 2);
    gitter->setColumnStretch(4, 1);
    layout->addWidget(steuerung);
}
