#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace {

// The gamma label shows the gamma value itself, 1 when neutral.
QString anzeige(int32_t ColorSettings::*wert, int32_t position)
{
    if (wert != &ColorSettings::gamma)
        return QString::number(position);
    return zahlText(position >= 0 ? position / 25.0 + 1 : position / 100.0 + 1);
}

}

FarbeTab::FarbeTab(Programm& p) : Tab(p, "FarbeGroupBox", Sprache::TabGruppen[0])
{
    auto* gitter = new QGridLayout(this);
    struct Zeile {
        const char* titel;
        const char* name;
        const char* edit;
        const char* knopf;
        int32_t ColorSettings::*wert;
        const char* hinweis;
    };
    const Zeile zeilen[] = {
        {"Gamma", "FarbeGammaTrackBar", "FarbeGammaEdit", "FarbeGammaButton", &ColorSettings::gamma,
         "Gammaänderung (0=dunkel, 1=Normal, 5=hell)"},
        {"Helligkeit", "FarbeHellTrackBar", "FarbeHellEdit", "FarbeHellButton", &ColorSettings::hell,
         "Helligkeitsänderung (-100=dunkel, 0=Normal, 100=hell)"},
        {"Kontrast", "FarbeKontrastTrackBar", "FarbeKontrastEdit", "FarbeKontrastButton", &ColorSettings::kontrast,
         nullptr},
        {"Sättigung", "FarbeSaettTrackBar", "FarbeSaettEdit", "FarbeSaettButton", &ColorSettings::saettigung, nullptr},
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
        auto* normal = benannt(new QPushButton(QStringLiteral("Normal")), z.knopf);
        gitter->addWidget(new QLabel(text(z.titel)), reihe, 0);
        gitter->addWidget(slider, reihe, 1);
        gitter->addWidget(label, reihe, 2);
        gitter->addWidget(normal, reihe, 3);
        ++reihe;
        regler_.push_back({slider, label, z.wert});
        const Regler r = regler_.back();
        connect(slider, &QSlider::sliderReleased, this, [this, r] { TrackBarChange(r); });
        connect(slider, &QSlider::valueChanged, this, [this, r] {
            if (!r.trackBar->isSliderDown())
                TrackBarChange(r);
        });
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

void FarbeTab::aktualisieren()
{
    for (const Regler& r : regler_) {
        const QSignalBlocker sperre(r.trackBar);
        r.trackBar->setValue(p_.farbe.*r.wert);
        r.edit->setText(anzeige(r.wert, p_.farbe.*r.wert));
    }
}
