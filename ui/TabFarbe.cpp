#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <functional>

#include "commands/Einstellungen.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace {

// The gamma label shows the gamma value itself, 1 when neutral.
QString anzeige(int32_t FarbSettings::*wert, int32_t position)
{
    if (wert != &FarbSettings::gamma)
        return QString::number(position);
    return zahlText(position >= 0 ? position / 25.0 + 1 : position / 100.0 + 1);
}

const Farbe Weiss{255, 255, 255};
const Farbe Silber{192, 192, 192};
const Farbe Schwarz{0, 0, 0};

}

FarbeTab::FarbeTab(Programm& p) : Tab(p, "FarbeGroupBox", Sprache::TabGruppen[0])
{
    namespace T = Sprache::Tafel;
    auto* gitter = new QGridLayout(this);
    struct Zeile {
        const char* titel;
        const char* name;
        const char* edit;
        const char* knopf;
        int32_t FarbSettings::*wert;
        const char* hinweis;
    };
    const Zeile zeilen[] = {
        {T::Farbregler[0], "FarbeGammaTrackBar", "FarbeGammaEdit", "FarbeGammaButton", &FarbSettings::gamma,
         T::GammaHinweis},
        {T::Farbregler[1], "FarbeHellTrackBar", "FarbeHellEdit", "FarbeHellButton", &FarbSettings::hell,
         T::HelligkeitHinweis},
        {T::Farbregler[2], "FarbeKontrastTrackBar", "FarbeKontrastEdit", "FarbeKontrastButton", &FarbSettings::kontrast,
         nullptr},
        {T::Farbregler[3], "FarbeSaettTrackBar", "FarbeSaettEdit", "FarbeSaettButton", &FarbSettings::saettigung, nullptr},
    };
    int reihe = 0;
    for (const Zeile& z : zeilen) {
        auto* slider = benannt(new QSlider(Qt::Horizontal), z.name);
        slider->setRange(-100, 100);
        slider->setTickInterval(10);
        slider->setTickPosition(QSlider::TicksBelow);
        if (z.hinweis)
            slider->setToolTip(text(z.hinweis));
        auto* label = benannt(new QLabel, z.edit);
        label->setMinimumWidth(36);
        auto* normal = benannt(new QPushButton(text(T::Normal)), z.knopf);
        gitter->addWidget(new QLabel(text(z.titel)), reihe, 0);
        gitter->addWidget(slider, reihe, 1);
        gitter->addWidget(label, reihe, 2);
        gitter->addWidget(normal, reihe, 3);
        ++reihe;
        regler_.push_back({slider, label, z.wert});
        const Regler r = regler_.back();
        beiRuhe(slider, this, [this, r] { TrackBarChange(r); });
        connect(normal, &QPushButton::clicked, this, [this, r] {
            if (p_.ctx.state.busy || r.trackBar->value() == 0)
                return;
            {
                const QSignalBlocker sperre(r.trackBar);
                r.trackBar->setValue(0);
            }
            TrackBarChange(r);
        });
    }

    auto* hintergrund = new QGroupBox(text(T::Hintergrundfarben));
    auto* farben = new QGridLayout(hintergrund);
    // A button choosing the colour wert, shown in the field beside it; danach follows a choice.
    const auto farbknopf = [&](const char* name, const char* feldName, const char* beschriftung, int zeile, Farbe& wert,
                               std::function<void()> danach) {
        auto* knopf = benannt(new QPushButton(text(beschriftung)), name);
        auto* feld = new Farbfeld(feldName);
        farben->addWidget(knopf, zeile, 0);
        farben->addWidget(feld, zeile, 1);
        connect(knopf, &QPushButton::clicked, this, [this, &wert, feld, danach] {
            const auto f = Dialoge::farbe(this, wert);
            if (!f)
                return;
            wert = *f;
            feld->zeigen(*f);
            danach();
        });
        return feld;
    };
    FarbeHintergrundShape = farbknopf("FarbeHintergrundButton", "FarbeHintergrundShape", T::HintergrundFehlend, 0,
                                      p_.compose.Hintergrundfarbe, [this] {
                                          p_.ctx.state.modified = true;
                                          emit rechnen(2);
                                      });
    FarbeHintergrundVorschauShape = farbknopf("FarbeHintergrundVorschauButton", "FarbeHintergrundVorschauShape",
                                              T::HintergrundVorschau, 1, p_.farbe.vorschauHintergrund,
                                              [this] { emit anzeigen(); });
    FarbeHintergrundVollbildShape = farbknopf("FarbeHintergrundVollbildButton", "FarbeHintergrundVollbildShape",
                                              T::HintergrundVollbild, 2, p_.farbe.vollbildHintergrund, [] {});
    auto* normalFarbe = benannt(new QPushButton(text(T::NormalFarbe)), "NormalFarbeButton");
    farben->addWidget(normalFarbe, 0, 2, 3, 1, Qt::AlignBottom);
    farben->setColumnStretch(3, 1);
    connect(normalFarbe, &QPushButton::clicked, this, [this] {
        if (p_.ctx.state.busy)
            return;
        p_.compose.Hintergrundfarbe = Weiss;
        p_.farbe.vorschauHintergrund = Silber;
        p_.farbe.vollbildHintergrund = Schwarz;
        aktualisieren();
        emit anzeigen();
        emit rechnen(2);
    });
    gitter->addWidget(hintergrund, reihe++, 0, 1, 4);

    // Per-image histogram stretch: not offered in the standard layout, yet its values act.
    auto* bildoptimierung = benannt(new QLabel(text(T::Bildoptimierung)), "FarbeLabel22");
    HistoAlleCheckBox = benannt(new QCheckBox(text(T::HistoAlle)), "HistoAlleCheckBox");
    HistoMaxCheckBox = benannt(new QCheckBox(text(T::HistoMax)), "HistoMaxCheckBox");
    for (QWidget* w : std::initializer_list<QWidget*>{bildoptimierung, HistoAlleCheckBox, HistoMaxCheckBox}) {
        gitter->addWidget(w, reihe++, 0, 1, 4);
        w->hide();
    }
    connect(HistoAlleCheckBox, &QCheckBox::clicked, this, &FarbeTab::HistoAlleCheckBoxClick);
    connect(HistoMaxCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        if (p_.ctx.state.busy)
            return;
        p_.farbe.histoMax = an;
        if (p_.bilder.anzahl >= 1 && HistoAlleCheckBox->isChecked())
            HistoAlleCheckBoxClick();
    });
    gitter->setRowStretch(reihe, 1);
}

void FarbeTab::TrackBarChange(const Regler& r)
{
    if (p_.ctx.state.busy)
        return;
    // The user may move the bar again while the pipeline runs: follow until it rests.
    while (r.trackBar->value() != p_.farbe.*r.wert) {
        p_.ctx.state.modified = true;
        p_.farbe.*r.wert = r.trackBar->value();
        r.edit->setText(anzeige(r.wert, p_.farbe.*r.wert));
        emit rechnen(4);
    }
}

void FarbeTab::HistoAlleCheckBoxClick()
{
    if (p_.ctx.state.busy)
        return;
    p_.farbe.histoAlle = HistoAlleCheckBox->isChecked();
    if (p_.bilder.anzahl < 1)
        return;
    Histo_Alle(p_);
    emit rechnen(2);
}

void FarbeTab::aktualisieren()
{
    for (const Regler& r : regler_) {
        const QSignalBlocker sperre(r.trackBar);
        r.trackBar->setValue(p_.farbe.*r.wert);
        r.edit->setText(anzeige(r.wert, p_.farbe.*r.wert));
    }
    FarbeHintergrundShape->zeigen(p_.compose.Hintergrundfarbe);
    FarbeHintergrundVorschauShape->zeigen(p_.farbe.vorschauHintergrund);
    FarbeHintergrundVollbildShape->zeigen(p_.farbe.vollbildHintergrund);
    HistoAlleCheckBox->setChecked(p_.farbe.histoAlle);
    HistoMaxCheckBox->setChecked(p_.farbe.histoMax);
}
