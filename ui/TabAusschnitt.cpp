#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>

#include "core/Format.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Vorschau.h"
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

// "1 / " and the ratio, empty when there is nothing to divide by.
QString seitenverhaeltnis(int32_t zaehler, int32_t nenner)
{
    if (nenner == 0)
        return {};
    return QStringLiteral("1 / ") + text(formatFixed(std::abs(static_cast<double>(zaehler) / nenner), 6, 3));
}

int runden(double v)
{
    return static_cast<int>(std::lround(v));
}

}

AusschnittTab::AusschnittTab(Programm& p) : Tab(p, "AusschnittGroupBox", Sprache::TabGruppen[2])
{
    auto* gitter = new QGridLayout(this);
    DruckbereichCheckBox = benannt(new QCheckBox(text(T::Druckbereich)), "DruckbereichCheckBox");
    gitter->addWidget(DruckbereichCheckBox, 0, 0, 1, 4);
    const auto rand = [&](int zeile, int spalte, const char* beschriftung, const char* name) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, spalte);
        QSpinBox* s = spin(name, 0, 100000, 0);
        gitter->addWidget(s, zeile, spalte + 1);
        return s;
    };
    lRandSpinEdit = rand(1, 0, T::Links, "lRandSpinEdit");
    rRandSpinEdit = rand(1, 2, T::Rechts, "rRandSpinEdit");
    oRandSpinEdit = rand(2, 0, T::Oben, "oRandSpinEdit");
    uRandSpinEdit = rand(2, 2, T::Unten, "uRandSpinEdit");
    const auto anzeige = [&](int zeile, int spalte, const char* beschriftung, QWidget* w) {
        gitter->addWidget(new QLabel(text(beschriftung)), zeile, spalte);
        gitter->addWidget(w, zeile, spalte + 1);
    };
    BreiteRandSpinEdit = benannt(new QLabel, "BreiteRandSpinEdit");
    HoeheRandSpinEdit = benannt(new QLabel, "HoeheRandSpinEdit");
    anzeige(3, 0, T::Breite, BreiteRandSpinEdit);
    anzeige(3, 2, T::Hoehe, HoeheRandSpinEdit);
    TrimmEdit1 = benannt(new QLineEdit, "TrimmEdit1");
    TrimmEdit2 = benannt(new QLineEdit, "TrimmEdit2");
    for (auto [zeile, edit, beschriftung] :
         {std::tuple{4, TrimmEdit1, T::BreiteZuHoehe}, std::tuple{5, TrimmEdit2, T::HoeheZuBreite}}) {
        edit->setReadOnly(true);
        anzeige(zeile, 0, beschriftung, edit);
    }
    auto* verhaeltnis = new QHBoxLayout;
    AusschnittRatioCheckBox = benannt(new QCheckBox(text(T::FestesVerhaeltnis)), "AusschnittRatioCheckBox");
    BreiteRatioSpinEdit = spin("BreiteRatioSpinEdit", 1, 99999, 16);
    HoeheRatioSpinEdit = spin("HoeheRatioSpinEdit", 1, 99999, 9);
    verhaeltnis->addWidget(AusschnittRatioCheckBox);
    verhaeltnis->addWidget(BreiteRatioSpinEdit);
    verhaeltnis->addWidget(new QLabel(QStringLiteral(":")));
    verhaeltnis->addWidget(HoeheRatioSpinEdit);
    verhaeltnis->addStretch(1);
    gitter->addLayout(verhaeltnis, 6, 0, 1, 4);
    auto* anwenden = benannt(new QPushButton(text(T::Anwenden)), "AusschnittAnwendenButton");
    auto* optimum = benannt(new QPushButton(text(T::OptimalerAusschnitt)), "OptimumAusschnittButton");
    auto* exportieren = benannt(new QPushButton(text(T::ExportAusschnitt)), "AusschnittButton");
    auto* verwenden = benannt(new QPushButton(text(T::AusschnittVerwenden)), "AusschnittVerwendenButton");
    gitter->addWidget(anwenden, 7, 0, 1, 2);
    gitter->addWidget(optimum, 7, 2, 1, 2);
    gitter->addWidget(exportieren, 8, 0, 1, 2);
    gitter->addWidget(verwenden, 8, 2, 1, 2);
    Export_JPG_CheckBox = benannt(new QCheckBox(text(T::ExportJpg)), "Export_JPG_CheckBox");
    gitter->addWidget(Export_JPG_CheckBox, 9, 0, 1, 4);
    gitter->setColumnStretch(4, 1);
    gitter->setRowStretch(10, 1);

    rahmenSteuerung_ = {optimum, anwenden, exportieren, lRandSpinEdit, rRandSpinEdit, oRandSpinEdit, uRandSpinEdit};
    for (QWidget* w : rahmenSteuerung_)
        w->setEnabled(false);
    connect(DruckbereichCheckBox, &QCheckBox::clicked, this, &AusschnittTab::DruckbereichCheckBoxClick);
    connect(anwenden, &QPushButton::clicked, this, &AusschnittTab::AusschnittAnwendenButtonClick);
    connect(optimum, &QPushButton::clicked, this, &AusschnittTab::OptimumAusschnittButtonClick);
    connect(exportieren, &QPushButton::clicked, this, &AusschnittTab::AusschnittButtonClick);
    connect(verwenden, &QPushButton::clicked, this, &AusschnittTab::AusschnittVerwendenButtonClick);
    connect(AusschnittRatioCheckBox, &QCheckBox::clicked, this, &AusschnittTab::Verhaeltnis_Anwenden);
    for (QSpinBox* s : {BreiteRatioSpinEdit, HoeheRatioSpinEdit})
        connect(s, &QSpinBox::valueChanged, this, &AusschnittTab::Verhaeltnis_Anwenden);
}

void AusschnittTab::setVorschau(Vorschau* vorschau)
{
    vorschau_ = vorschau;
    connect(vorschau_, &Vorschau::griffGezogen, this, &AusschnittTab::randAusGriffen);
    connect(vorschau_, &Vorschau::griffLosgelassen, this, [this] {
        Verhaeltnis_Anwenden();
        randAusGriffen();
    });
}

Ausschnitt AusschnittTab::rand() const
{
    return {lRandSpinEdit->value(), oRandSpinEdit->value(), rRandSpinEdit->value(), uRandSpinEdit->value()};
}

void AusschnittTab::randZeigen(const Ausschnitt& a)
{
    const std::pair<QSpinBox*, int32_t> raender[] = {
        {lRandSpinEdit, a.links}, {oRandSpinEdit, a.oben}, {rRandSpinEdit, a.rechts}, {uRandSpinEdit, a.unten}};
    for (auto [edit, wert] : raender) {
        const QSignalBlocker sperre(edit);
        edit->setValue(wert);
    }
    BreiteRandSpinEdit->setText(QString::number(a.breite()));
    HoeheRandSpinEdit->setText(QString::number(a.hoehe()));
    TrimmEdit1->setText(seitenverhaeltnis(a.hoehe(), a.breite()));
    TrimmEdit2->setText(seitenverhaeltnis(a.breite(), a.hoehe()));
}

void AusschnittTab::Druckbereich_Umschalten(bool an)
{
    if (umschalten_ || !vorschau_)
        return;
    umschalten_ = true;
    const auto setzen = [this](bool zustand) {
        {
            const QSignalBlocker sperre(DruckbereichCheckBox);
            DruckbereichCheckBox->setChecked(zustand);
        }
        DruckbereichCheckBoxClick();
    };
    setzen(false);
    if (an)
        setzen(true);
    umschalten_ = false;
}

void AusschnittTab::DruckbereichCheckBoxClick()
{
    for (QWidget* w : rahmenSteuerung_)
        w->setEnabled(false);
    if (!vorschau_)
        return;
    const int32_t modus = p_.auswahl.vorschau;
    const bool zeigbar = p_.bilder.anzahl > 0 && modus >= VorschauBildL && modus <= VorschauAnaglyph;
    if (DruckbereichCheckBox->isChecked() && !zeigbar) {
        p_.ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::VorschauOhneBildpaar);
        const QSignalBlocker sperre(DruckbereichCheckBox);
        DruckbereichCheckBox->setChecked(false);
    } else if (DruckbereichCheckBox->isChecked() && p_.ansicht.zoomIndex != 0) {
        // The frame covers the whole result.
        p_.ansicht.zoomIndex = 0;
        const bool vorher = umschalten_;
        umschalten_ = true;
        emit rechnen(5);
        umschalten_ = vorher;
    }
    const bool an = DruckbereichCheckBox->isChecked();
    Druckbereich_PosInit();
    vorschau_->Druckbereich_Show(an);
    if (!an) {
        TrimmEdit1->clear();
        TrimmEdit2->clear();
    }
    for (QWidget* w : rahmenSteuerung_)
        w->setEnabled(an);
    Verhaeltnis_Anwenden();
}

void AusschnittTab::Druckbereich_PosInit()
{
    vorschau_->Druckbereich_PosInit();
    const Groesse g = p_.bilder.Ermittle_MaxDim();
    randZeigen({0, 0, std::max(g.breite - 1, 0), std::max(g.hoehe - 1, 0)});
    if (p_.bilder.anzahl < 1) {
        TrimmEdit1->clear();
        TrimmEdit2->clear();
    }
}

void AusschnittTab::randAusGriffen()
{
    const QRect bild = vorschau_->bildRechteck();
    const Groesse g = p_.bilder.Ermittle_MaxDim();
    if (bild.isEmpty() || g.breite < 1 || g.hoehe < 1)
        return;
    // A handle stands for the preview pixel under its centre: the left and top
    // edges are that pixel's first image pixel, the right and bottom edges its last.
    const auto spalte = [&](int x, int ende) { return runden(static_cast<double>(x) / bild.width() * g.breite) - ende; };
    const auto zeile = [&](int y, int ende) { return runden(static_cast<double>(y) / bild.height() * g.hoehe) - ende; };
    const QPoint lo = vorschau_->griff(1) - bild.topLeft(), ru = vorschau_->griff(3) - bild.topLeft();
    Ausschnitt a{spalte(lo.x() + 4, 0), zeile(lo.y() + 4, 0), spalte(ru.x() + 5, 1), zeile(ru.y() + 5, 1)};
    a.links = std::max(a.links, 0);
    a.oben = std::max(a.oben, 0);
    a.rechts = std::min(a.rechts, g.breite - 1);
    a.unten = std::min(a.unten, g.hoehe - 1);
    randZeigen(a);
}

void AusschnittTab::Verhaeltnis_Anwenden()
{
    if (!vorschau_ || !DruckbereichCheckBox->isChecked() || !AusschnittRatioCheckBox->isChecked())
        return;
    vorschau_->Rahmen_Verhaeltnis(BreiteRatioSpinEdit->value(), HoeheRatioSpinEdit->value());
    randAusGriffen();
    vorschau_->Druckbereich_Zeichnen();
}

void AusschnittTab::AusschnittAnwendenButtonClick()
{
    const Groesse g = Ergebnisgroesse(p_);
    const Ausschnitt a = Ausschnitt_Anwenden(rand(), g);
    const QRect bild = vorschau_->bildRechteck();
    if (g.breite > 0 && g.hoehe > 0) {
        // The inverse of the edges from the handles.
        const auto x = [&](int32_t spalte) { return bild.left() + runden(static_cast<double>(bild.width()) * spalte / g.breite); };
        const auto y = [&](int32_t zeile) { return bild.top() + runden(static_cast<double>(bild.height()) * zeile / g.hoehe); };
        vorschau_->Griffe_Setzen(QPoint(x(a.links) - 4, y(a.oben) - 4), QPoint(x(a.rechts + 1) - 5, y(a.unten + 1) - 5));
    }
    randZeigen(a);
    Verhaeltnis_Anwenden();
    vorschau_->Druckbereich_Zeichnen();
}

void AusschnittTab::OptimumAusschnittButtonClick()
{
    randZeigen(Druckbereich_PosInit_TRANS(p_));
    AusschnittAnwendenButtonClick();
}

void AusschnittTab::AusschnittButtonClick()
{
    if (!DruckbereichCheckBox->isChecked() || p_.ctx.state.abort)
        return;
    AusschnittAnwendenButtonClick();
    const bool jpg = Export_JPG_CheckBox->isChecked();
    const QString datei = Dialoge::exportDatei(this, jpg, text(p_.ctx.state.bildSpeichernOrdner.string()));
    if (datei.isEmpty())
        return;
    const QFileInfo info(datei);
    p_.ctx.state.bildSpeichernOrdner = info.absolutePath().toStdString();
    // The numbers and the type follow the chosen name, in place of its own type.
    const bool mitEndung = info.suffix().compare(QStringLiteral("jpg"), Qt::CaseInsensitive) == 0
        || info.suffix().compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0;
    const QString basis = mitEndung ? info.absolutePath() + QLatin1Char('/') + info.completeBaseName() : datei;
    const Ausschnitt a = rand();
    emit befehl([this, a, basis, jpg] { Ausschnitt_Exportieren(p_, a, basis.toStdString(), jpg); });
}

void AusschnittTab::AusschnittVerwendenButtonClick()
{
    if (!DruckbereichCheckBox->isChecked() || p_.ctx.state.abort)
        return;
    AusschnittAnwendenButtonClick();
    const Ausschnitt a = rand();
    bool verwendet = false;
    emit befehl([this, a, &verwendet] { verwendet = ::AusschnittVerwendenButtonClick(p_, a); });
    if (!verwendet)
        return;
    // The old lines do not fit the new images; the frame starts anew.
    vorschau_->linienLoeschen();
    if (DruckbereichCheckBox->isChecked())
        vorschau_->Druckbereich_Zeichnen();
}
