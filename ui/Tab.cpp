#include "ui/Tab.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Format.h"
#include "model/ProjectFile.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

double zahlLesen(const QString& eingabe)
{
    return ZiffernUndKomma(eingabe.toStdString());
}

namespace {

class NurZiffern : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() == QEvent::KeyPress) {
            const QString t = static_cast<QKeyEvent*>(ereignis)->text();
            if (!t.isEmpty() && t.at(0).isPrint() && !t.at(0).isDigit() && t.at(0) != QLatin1Char(','))
                return true;
        }
        return QObject::eventFilter(objekt, ereignis);
    }
};

}

void Zahlenmaske(QLineEdit* edit, QString maske)
{
    // Qt writes an optional digit as "0".
    edit->setInputMask(maske.replace(QLatin1Char('9'), QLatin1Char('0')) + QStringLiteral("; "));
    edit->installEventFilter(new NurZiffern(edit));
}

QString zahlText(double wert)
{
    return text(formatShortest(wert));
}

QString groesseText(uint64_t bytes)
{
    const auto d = static_cast<double>(bytes);
    if (d >= 1e9)
        return text(formatFixed(d / 1e9, 0, 2)) + QStringLiteral(" GB");
    if (d >= 1e6)
        return text(formatFixed(d / 1e6, 0, 1)) + QStringLiteral(" MB");
    return text(formatFixed(d / 1e3, 0, 0)) + QStringLiteral(" kB");
}

Tab::Tab(Programm& p, const char* name, const char* titel) : QGroupBox(text(titel)), p_(p)
{
    setObjectName(QString::fromLatin1(name));
}

QHBoxLayout* Groessenzeile(QSpinBox* breite, QSpinBox* hoehe, int min, int max)
{
    auto* zeile = new QHBoxLayout;
    for (QSpinBox* s : {breite, hoehe})
        s->setRange(min, max);
    zeile->addWidget(breite);
    zeile->addWidget(new QLabel(text(Sprache::Tafel::Mal)));
    zeile->addWidget(hoehe);
    zeile->addStretch(1);
    return zeile;
}

std::vector<Tab*> TabsAnlegen(Programm& p)
{
    // The internal test panel is not offered: its tab stays empty and disabled.
    Tab* testPanel = new Tab(p, "TextGroupBox", Sprache::TabGruppen[10]);
    testPanel->setEnabled(false);
    return {new FarbeTab(p),   new JustTab(p),  new AusschnittTab(p), new AnaglyphTab(p),
            new StereoTab(p),  new LinseTab(p), new KalibTab(p),      new LCDTab(p),
            new DruckTab(p),   new BatchTab(p), testPanel,                new InternTab(p)};
}
