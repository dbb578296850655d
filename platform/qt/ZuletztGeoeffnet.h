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

private:
    QStringList liste_;
};

// The list in the settings store (organisation "Orbelin", application
// "Lumivex", group "5.0/Global"), one string value with a path per line.
QStringList ZuletztLaden();
void ZuletztSichern(const QStringList& liste);
