#include "ui/ZuletztGeoeffnet.h"

#include <QFileInfo>

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
