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

Tab::Tab(Programm& p, const char* name, const char* titel) : QGroupBox(text(titel)), p_(p)
{
    setObjectName(QString::fromLatin1(name));
}

std::vector<Tab*> TabsAnlegen(Programm& p)
{
    const auto leer = [&p](size_t i, const char* name) {
        Tab* t = new Tab(p, name, Sprache::TabGruppen[i]);
        t->setEnabled(false);
        return t;
    };
    return {new FarbeTab(p),
            new JustTab(p),
            leer(2, "AusschnittGroupBox"),
            new AnaglyphTab(p),
            leer(4, "StereoGroupBox"),
            new LinseTab(p),
            leer(6, "KalibAllGroupBox"),
            leer(7, "LCDGroupBox"),
            new DruckTab(p),
            leer(9, "BatchGroupBox"),
            leer(10, "TextGroupBox"),
            leer(11, "InternGroupBox")};
}
