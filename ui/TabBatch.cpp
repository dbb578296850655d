#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "commands/Batch.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

QComboBox* liste(const char* name, std::initializer_list<const char*> items)
{
    auto* box = benannt(new QComboBox, name);
    for (const char* item : items)
        box->addItem(text(item));
    return box;
}

// A check box the run does not consult.
QCheckBox* ohneWirkung(const char* name, const char* beschriftung, bool an)
{
    auto* box = benannt(new QCheckBox(text(beschriftung)), name);
    box->setChecked(an);
    return box;
}

QGroupBox* seite(const char* name)
{
    return benannt(new QGroupBox, name);
}

// A folder as the edits show it: with a trailing separator.
QString ordnerText(const std::string& ordner)
{
    if (ordner.empty() || ordner.back() == '/')
        return text(ordner);
    return text(ordner + "/");
}

}

QCheckBox* BatchTab::schalter(const char* name, const char* beschriftung, bool BatchSettings::*wert, bool listen)
{
    auto* box = benannt(new QCheckBox(text(beschriftung)), name);
    schalter_.emplace_back(box, wert);
    connect(box, &QCheckBox::toggled, this, [this, wert, listen](bool an) {
        p_.batch.*wert = an;
        if (listen)
            Arbeitslisten_Leeren(p_);
        aktualisieren();
    });
    return box;
}

QLineEdit* BatchTab::zusatz(const char* name, std::string BatchSettings::*wert)
{
    auto* edit = benannt(new QLineEdit, name);
    texte_.emplace_back(edit, wert);
    connect(edit, &QLineEdit::textEdited, this, [this, wert](const QString& t) { p_.batch.*wert = t.toStdString(); });
    return edit;
}

void BatchTab::ausgabe(QGridLayout* l, int zeile, const Ausgabe& a)
{
    l->addWidget(schalter(a.box, a.beschriftung, a.an), zeile, 0);
    auto* edit = zusatz(a.edit, a.suffix);
    edit->setMaximumWidth(90);
    l->addWidget(edit, zeile, 1);
}

// A folder edit with its choice button; typing a folder is choosing it.
QHBoxLayout* BatchTab::ordner(const char* beschriftung, QLineEdit*& edit, const char* name, const char* knopf,
                              std::string BatchSettings::*wert)
{
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(text(beschriftung)));
    edit = benannt(new QLineEdit, name);
    zeile->addWidget(edit, 1);
    auto* wahl = benannt(new QPushButton(text(T::Auswaehlen)), knopf);
    wahl->setFixedWidth(30);
    zeile->addWidget(wahl);
    const auto waehlen = [this, wert](const QString& gewaehlt) {
        std::string pfad = gewaehlt.toStdString();
        while (pfad.size() > 1 && pfad.back() == '/')
            pfad.pop_back();
        p_.batch.*wert = pfad;
        if (wert == &BatchSettings::quelle)
            Arbeitslisten_Leeren(p_);
        aktualisieren();
    };
    connect(edit, &QLineEdit::textEdited, this, waehlen);
    connect(wahl, &QPushButton::clicked, this, [this, wert, waehlen] {
        const std::string& jetzt = p_.batch.*wert;
        const QString start = text(jetzt.empty() ? p_.ctx.state.programFolder.string() : jetzt);
        const QString gewaehlt = Dialoge::ordnerWahl(this, start);
        if (!gewaehlt.isEmpty())
            waehlen(gewaehlt);
    });
    return zeile;
}

QWidget* BatchTab::quelle()
{
    auto* g = seite("Batch1GroupBox");
    auto* l = new QVBoxLayout(g);
    l->addLayout(ordner(T::BatchQuelle, Batch1Edit0, "Batch1Edit0", "Batch1BitBtn1", &BatchSettings::quelle));
    Batch1ComboBox2 = liste("Batch1ComboBox2", {T::BatchArten[0], T::BatchArten[1], T::BatchArten[2], T::BatchArten[3]});
    Batch1ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(Batch1ComboBox2, &QComboBox::activated, this, &BatchTab::Batch1ComboBox2Change);
    l->addWidget(Batch1ComboBox2);
    auto* zeile = new QHBoxLayout;
    Batch1ComboBox1 = liste("Batch1ComboBox1", {T::BatchMuster[0], T::BatchMuster[1], T::BatchMuster[2],
                                                T::BatchMuster[3], T::BatchMuster[4], T::BatchMuster[5]});
    connect(Batch1ComboBox1, &QComboBox::currentTextChanged, this, [this](const QString& muster) {
        if (muster.isEmpty())
            return;
        p_.batch.muster = muster.toStdString();
        Arbeitslisten_Leeren(p_);
        aktualisieren();
    });
    zeile->addWidget(Batch1ComboBox1);
    zeile->addWidget(schalter("Batch1CheckBox1", T::BatchUnterordner, &BatchSettings::unterordner, true));
    zeile->addStretch(1);
    l->addLayout(zeile);
    Batch1Button = benannt(new QPushButton(text(T::BatchZaehlen)), "Batch1Button");
    connect(Batch1Button, &QPushButton::clicked, this, [this] { emit befehl([this] { Batch1ButtonClick(p_); }); });
    l->addWidget(Batch1Button, 0, Qt::AlignLeft);
    // The work lists live in the records; these two stay empty and hidden.
    for (const char* name : {"Batch1ListBox1", "Batch1ListBox2"}) {
        auto* arbeitsliste = benannt(new QListWidget, name);
        arbeitsliste->hide();
        l->addWidget(arbeitsliste);
    }
    l->addStretch(1);
    return g;
}

QWidget* BatchTab::farben()
{
    auto* g = seite("Batch2GroupBox");
    auto* l = new QGridLayout(g);
    farbModus_ = new QButtonGroup(this);
    const struct {
        const char* name;
        const char* beschriftung;
        int32_t modus;
        int zeile;
    } knoepfe[] = {{"Batch2RadioButton1", T::BatchKeineOptimierung, BatchFarbeKeine, 0},
                   {"Batch2RadioButton2", T::BatchOptimierung, BatchFarbeAuto, 1},
                   {"Batch2RadioButton3", T::BatchKanten, BatchFarbeKonturen, 3}};
    for (const auto& k : knoepfe) {
        auto* knopf = benannt(new QRadioButton(text(k.beschriftung)), k.name);
        farbModus_->addButton(knopf, k.modus);
        l->addWidget(knopf, k.zeile, 0, 1, 2);
    }
    connect(farbModus_, &QButtonGroup::idClicked, this, [this](int modus) { p_.batch.farbModus = modus; });
    l->addWidget(schalter("Batch2CheckBox2", T::BatchVerstaerkt, &BatchSettings::verstaerkt), 2, 1);
    l->addWidget(schalter("Batch2CheckBox3", T::BatchNegativ, &BatchSettings::negativ), 4, 1);
    auto* hintergrund = new QHBoxLayout;
    auto* knopf = benannt(new QPushButton(text(T::BatchHintergrund)), "Batch2Button1");
    hintergrund->addWidget(knopf);
    Batch2Shape1 = new Farbfeld("Batch2Shape1");
    connect(knopf, &QPushButton::clicked, this, [this] {
        if (const auto f = Dialoge::farbe(this, hintergrund_)) {
            hintergrund_ = *f;
            Batch2Shape1->zeigen(hintergrund_);
        }
    });
    hintergrund->addWidget(Batch2Shape1);
    hintergrund->addStretch(1);
    l->addLayout(hintergrund, 5, 0, 1, 2);
    l->setColumnMinimumWidth(0, 20);
    l->setColumnStretch(1, 1);
    l->setRowStretch(6, 1);
    return g;
}

QWidget* BatchTab::justierung()
{
    auto* g = seite("Batch3GroupBox");
    auto* l = new QVBoxLayout(g);
    auto* hinweis = new QLabel(text(T::BatchJustierHinweis));
    hinweis->setWordWrap(true);
    l->addWidget(hinweis);
    l->addWidget(liste("Batch3ComboBox1", {T::BatchReferenz[0], T::BatchReferenz[1], T::BatchReferenz[2]}), 0,
                 Qt::AlignLeft);
    l->addWidget(ohneWirkung("Batch3RotCheckBox", T::BatchRot, true));
    l->addWidget(ohneWirkung("Batch3SkalCheckBox", T::BatchSkal, true));
    l->addWidget(ohneWirkung("Batch3VertCheckBox", T::BatchVert, true));
    l->addStretch(1);
    return g;
}

QWidget* BatchTab::groesse()
{
    auto* g = seite("Batch4GroupBox");
    auto* l = new QVBoxLayout(g);
    l->addWidget(schalter("Batch4CheckBox1", T::BatchZuschnitt, &BatchSettings::zuschnitt));
    l->addStretch(1);
    return g;
}

QWidget* BatchTab::ergebnis()
{
    auto* g = seite("Batch5GroupBox");
    auto* l = new QGridLayout(g);
    ausgabe(l, 0, {"Batch5CheckBox1", T::BatchAnaglyph, &BatchSettings::anaglyph, "Batch5Edit1", &BatchSettings::suffixAnaglyph});
    ausgabe(l, 1, {"Batch5CheckBox2", T::BatchStereo, &BatchSettings::stereo, "Batch5Edit2", &BatchSettings::suffixStereo});
    ausgabe(l, 2,
            {"Batch5CheckBox3", T::BatchStreifen, &BatchSettings::streifen, "Batch5Edit3", &BatchSettings::suffixStreifen});
    l->addWidget(schalter("Batch5CheckBox4", T::BatchJps, &BatchSettings::jps), 3, 0);
    l->addWidget(schalter("Batch5CheckBox5", T::BatchMpo, &BatchSettings::mpo), 4, 0);
    auto* typ = new QHBoxLayout;
    typ->addWidget(new QLabel(text(T::BatchTyp)));
    Batch5ComboBox1 = liste("Batch5ComboBox1", {T::BatchTypen[0], T::BatchTypen[1], T::BatchTypen[2], T::BatchTypen[3]});
    connect(Batch5ComboBox1, &QComboBox::activated, this,
            [this](int i) { p_.batch.ergebnisTyp = T::BatchTypen[std::clamp(i, 0, 3)]; });
    typ->addWidget(Batch5ComboBox1);
    typ->addWidget(new QLabel(text(T::BatchBildpaar)));
    typ->addWidget(liste("Batch5ComboBox2", {T::BatchBildpaare[0], T::BatchBildpaare[1]}));
    typ->addStretch(1);
    l->addLayout(typ, 5, 0, 1, 2);
    l->setColumnStretch(0, 1);
    l->setRowStretch(6, 1);
    return g;
}

QWidget* BatchTab::ziel()
{
    auto* g = seite("Batch6GroupBox");
    auto* l = new QGridLayout(g);
    l->addLayout(ordner(T::BatchZiel, Batch6Edit1, "Batch6Edit1", "Batch6BitBtn1", &BatchSettings::ziel), 0, 0, 1, 2);
    l->addWidget(schalter("Batch6CheckBox1", T::BatchUeberschreiben, &BatchSettings::ueberschreiben), 1, 0, 1, 2);
    ausgabe(l, 2, {"Batch6CheckBox2", T::BatchOriginale, &BatchSettings::original, "Batch6Edit2", &BatchSettings::suffixOriginal});
    ausgabe(l, 3, {"Batch6CheckBox4", T::BatchFarbOptimiert, &BatchSettings::farbOptimiert, "Batch6Edit4",
                   &BatchSettings::suffixFarbOptimiert});
    ausgabe(l, 4,
            {"Batch6CheckBox5", T::BatchJustiert, &BatchSettings::justiert, "Batch6Edit5", &BatchSettings::suffixJustiert});
    l->addWidget(ohneWirkung("CheckBox5", T::BatchProtokoll, false), 5, 0, 1, 2);
    l->setColumnStretch(0, 1);
    l->setRowStretch(6, 1);
    return g;
}

QWidget* BatchTab::steuerung()
{
    auto* w = new QWidget;
    auto* gitter = new QGridLayout(w);
    gitter->setContentsMargins(0, 0, 0, 0);
    BatchStartBitBtn = benannt(new QPushButton(text(T::BatchStart)), "BatchStartBitBtn");
    BatchEndeBitBtn = benannt(new QPushButton(text(T::BatchStopp)), "BatchEndeBitBtn");
    BatchEndeBitBtn->hide();
    connect(BatchStartBitBtn, &QPushButton::clicked, this, &BatchTab::BatchStartBitBtnClick);
    connect(BatchEndeBitBtn, &QPushButton::clicked, this, [this] {
        if (p_.ctx.ask(Sprache::Titel::Bestaetigung,
                       Sprache::Meldung(Sprache::MeldungNr::BerechnungAbbrechenFrage)) == Antwort::Ja)
            Batch_Stoppen(p_);
    });
    gitter->addWidget(BatchStartBitBtn, 0, 0, 3, 1);
    gitter->addWidget(BatchEndeBitBtn, 0, 0, 3, 1);
    gitter->addWidget(schalter("BatchCheckBox2", T::BatchAutoOptimierung, &BatchSettings::einzelbilder), 0, 1);
    gitter->addWidget(schalter("BatchCheckBox3", T::BatchAutoJustierung, &BatchSettings::serien), 1, 1);
    gitter->addWidget(ohneWirkung("BatchCheckBox5", T::BatchAutoZuschnitt, true), 2, 1);
    const auto zaehler = [&](int zeile, const char* beschriftung, QLineEdit*& edit, const char* name) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, 2);
        edit = benannt(new QLineEdit, name);
        edit->setReadOnly(true);
        edit->setMaximumWidth(70);
        gitter->addWidget(edit, zeile, 3);
    };
    zaehler(0, T::BatchOrdner, BatchEdit1, "BatchEdit1");
    zaehler(1, T::BatchDateien, Batch1Edit2, "Batch1Edit2");
    BatchStatusLabel2 = benannt(new QLabel, "BatchStatusLabel2");
    gitter->addWidget(BatchStatusLabel2, 2, 2, 1, 2);
    gitter->setColumnStretch(4, 1);
    return w;
}

BatchTab::BatchTab(Programm& p) : Tab(p, "BatchGroupBox", Sprache::TabGruppen[9])
{
    auto* layout = new QVBoxLayout(this);
    auto* seiten = benannt(new QTabWidget, "BatchTabControl");
    QWidget* panels[] = {quelle(), farben(), justierung(), groesse(), ergebnis(), ziel()};
    for (int i = 0; i < 6; ++i)
        seiten->addTab(panels[i], text(T::BatchTabs[i]));
    layout->addWidget(seiten);
    layout->addWidget(steuerung());
    laufTimer_ = new QTimer(this);
    laufTimer_->setInterval(200);
    connect(laufTimer_, &QTimer::timeout, this, &BatchTab::laufAnzeigen);
    aktualisieren();
}

// The patterns of the kind: stereo files for kind B, pictures for every other kind.
void BatchTab::Batch1ComboBox2Change(int art)
{
    const QSignalBlocker sperre(Batch1ComboBox1);
    Batch1ComboBox1->clear();
    const std::initializer_list<const char*> stereo{"*.MPO", "*.JPS"}, bilder{"*.JPG", "*.BMP", "*.TIF", "*.TGA"};
    for (const char* muster : art == 1 ? stereo : bilder)
        Batch1ComboBox1->addItem(text(muster));
    p_.batch.muster = Batch1ComboBox1->itemText(0).toStdString();
    Arbeitslisten_Leeren(p_);
    aktualisieren();
}

void BatchTab::BatchStartBitBtnClick()
{
    if (p_.ctx.state.busy || p_.batchLauf.laeuft)
        return;
    emit sperren(true);
    BatchStartBitBtn->hide();
    BatchEndeBitBtn->show();
    laufTimer_->start();
    emit befehl([this] { ::BatchStartBitBtnClick(p_); });
    laufTimer_->stop();
    BatchEndeBitBtn->hide();
    BatchStartBitBtn->show();
    emit sperren(false);
    aktualisieren();
}

void BatchTab::laufAnzeigen()
{
    const BatchLauf& l = p_.batchLauf;
    const auto anzahl = [](const std::vector<std::string>& liste) {
        return liste.empty() ? QString() : QString::number(liste.size());
    };
    BatchEdit1->setText(l.laeuft ? QStringLiteral("%1/%2").arg(l.ordnerNr).arg(l.ordner.size()) : anzahl(l.ordner));
    Batch1Edit2->setText(anzahl(l.dateien));
    BatchStatusLabel2->setText(text(std::filesystem::path(l.datei).filename().string()));
}

void BatchTab::aktualisieren()
{
    const BatchSettings& s = p_.batch;
    for (const auto& [box, wert] : schalter_) {
        const QSignalBlocker sperre(box);
        box->setChecked(s.*wert);
    }
    for (const auto& [edit, wert] : texte_)
        if (edit->text() != text(s.*wert))
            edit->setText(text(s.*wert));
    for (auto [edit, wert] : {std::pair{Batch1Edit0, &s.quelle}, std::pair{Batch6Edit1, &s.ziel}})
        if (!edit->hasFocus())
            edit->setText(ordnerText(*wert));
    if (QAbstractButton* knopf = farbModus_->button(s.farbModus))
        knopf->setChecked(true);
    {
        const QSignalBlocker sperre(Batch1ComboBox1);
        Batch1ComboBox1->setCurrentText(text(s.muster));
    }
    Batch5ComboBox1->setCurrentText(text(s.ergebnisTyp));
    Batch1Button->setEnabled(!s.quelle.empty());
    laufAnzeigen();
}
