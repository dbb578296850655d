#pragma once
#include <QStringList>

// The projects last opened or saved, most recent first.
class ZuletztGeoeffnet {
public:
    static constexpr int Anzahl = 8;

    // datei goes to the front (as an absolute path); where it was already
    // listed it moves up, and what falls beyond the limit drops off.
    void hinzufuegen(const QString& datei);
    const QStringList& liste() const { return liste_; }
    // A list as stored: empty lines and repeats dropped, cut to the limit.
    void setListe(const QStringList& liste);
    // The list as one value of the settings store, a path per line, and back.
    QString wert() const { return liste_.join(QLatin1Char('\n')); }
    void setWert(const QString& wert) { setListe(wert.split(QLatin1Char('\n'), Qt::SkipEmptyParts)); }

private:
    QStringList liste_;
};
