#pragma once
#include <QFrame>
#include <QString>
#include <functional>
#include <optional>

#include "model/Settings.h"

// The filters of the language unit ("text (pattern)|pattern|…") as Qt's file dialogs list them.
QString DialogFilter(const QString& liste);

// The dialogs the panels open. Tests replace them, so that nothing waits for a user.
namespace Dialoge {
// The colour dialog, starting at the colour shown; nothing when cancelled.
extern std::function<std::optional<Farbe>(QWidget* eltern, const Farbe& start)> farbe;
// The image open dialog; an empty name when cancelled.
extern std::function<QString(QWidget* eltern)> bildDatei;
// The save dialog of a BMP file, starting in a folder; an empty name when cancelled.
extern std::function<QString(QWidget* eltern, const QString& ordner)> bmpZiel;
// The folder dialog "Bitte ein Ordner auswählen ...", opening in start; an empty name when cancelled.
extern std::function<QString(QWidget* eltern, const QString& start)> ordnerWahl;
// The save dialog of the crop export, for JPG or BMP files, opening in ordner; an empty name when cancelled.
extern std::function<QString(QWidget* eltern, bool jpg, const QString& ordner)> exportDatei;
}

// A colour swatch with a black outline, showing what a colour button chose.
class Farbfeld : public QFrame {
public:
    explicit Farbfeld(const char* name);
    void zeigen(const Farbe& f);
};
