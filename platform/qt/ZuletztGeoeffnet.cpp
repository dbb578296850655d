#include "platform/qt/ZuletztGeoeffnet.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// The value in the program's group of the settings store.
const QString Schluessel = QStringLiteral("5.0/Global/ZuletztGeoeffnet");

}

void ZuletztGeoeffnet::hinzufuegen(const QString& datei)
{
    const QString pfad = QFileInfo(datei).absoluteFilePath();
    // A name with a line break could not be stored in the one value.
    if (pfad.contains(QLatin1Char('\n')))
        return;
    QStringList neu{pfad};
    neu.append(liste_);
    setListe(neu);
}

void ZuletztGeoeffnet::setListe(const QStringList& liste)
{
    liste_.clear();
    for (const QString& pfad : liste)
        if (!pfad.isEmpty() && !liste_.contains(pfad) && liste_.size() < Anzahl)
            liste_.append(pfad);
}

QStringList ZuletztLaden()
{
    const QSettings speicher(QStringLiteral("Orbelin"), QStringLiteral("Lumivex"));
    return speicher.value(Schluessel).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void ZuletztSichern(const QStringList& liste)
{
    QSettings speicher(QStringLiteral("Orbelin"), QStringLiteral("Lumivex"));
    speicher.setValue(Schluessel, liste.join(QLatin1Char('\n')));
}
