#include "ui/Tab.h"

#include <QVBoxLayout>

#include "core/Format.h"
#include "model/ProjectFile.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

double zahlLesen(const QString& eingabe)
{
    return ZiffernUndKomma(eingabe.toStdString());
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

std::vector<Tab*> TabsAnlegen(Programm& p)
{
    // The internal test panel is not offered: its tab stays empty and disabled.
    Tab* testPanel = new Tab(p, "TextGroupBox", Sprache::TabGruppen[10]);
    testPanel->setEnabled(false);
    return {new FarbeTab(p),   new JustTab(p),  new AusschnittTab(p), new AnaglyphTab(p),
            new StereoTab(p),  new LinseTab(p), new KalibTab(p),      new LCDTab(p),
            new DruckTab(p),   new BatchTab(p), testPanel,                new InternTab(p)};
}
