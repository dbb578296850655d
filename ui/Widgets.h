#pragma once
#include <QButtonGroup>
#include <QGridLayout>
#include <QLayout>
#include <QRadioButton>
#include <QSlider>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

// Small helpers every panel of the window uses.

inline QString text(const char* s)
{
    return QString::fromUtf8(s);
}

inline QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Gives a widget its control name, so tests and later code find it.
template <class W>
W* benannt(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QRadioButton* radio(QButtonGroup* gruppe, QLayout* layout, const QString& beschriftung, int id)
{
    auto* knopf = new QRadioButton(beschriftung);
    gruppe->addButton(knopf, id);
    layout->addWidget(knopf);
    return knopf;
}

// Radio buttons with the given captions, ids 0 … N − 1, four to a column.
template <size_t N>
void radioSpalten(QButtonGroup* gruppe, QGridLayout* gitter, const char* const (&beschriftungen)[N])
{
    for (size_t i = 0; i < N; ++i) {
        auto* knopf = new QRadioButton(text(beschriftungen[i]));
        gruppe->addButton(knopf, static_cast<int>(i));
        gitter->addWidget(knopf, static_cast<int>(i % 4), static_cast<int>(i / 4));
    }
}

// Runs handler when the slider has come to rest: after a drag on release, at
// once for keys and clicks on the groove.
inline void beiRuhe(QSlider* regler, QObject* ziel, const std::function<void()>& handler)
{
    QObject::connect(regler, &QSlider::sliderReleased, ziel, handler);
    QObject::connect(regler, &QSlider::valueChanged, ziel, [regler, handler] {
        if (!regler->isSliderDown())
            handler();
    });
}

class QLineEdit;

// A number typed into an edit: only digits and the decimal comma count.
double zahlLesen(const QString& eingabe);
// Gives a numeric edit its mask: "9" an optional digit, "," a literal comma,
// the blank as placeholder. Any other character is dropped before it reaches
// the edit, where it would first have cleared a selection.
void Zahlenmaske(QLineEdit* edit, QString maske);
// A number as the edits show it: shortest form, decimal comma.
QString zahlText(double wert);
// A file size as file managers show it: kB, MB or GB of 1000, with the decimal comma.
QString groesseText(uint64_t bytes);
