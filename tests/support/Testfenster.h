#pragma once
#include <QStringList>

#include "ui/TForm1.h"

// The window with its file dialogs answered by the test; an empty answer means cancelled.
class Testfenster : public TForm1 {
public:
    using TForm1::TForm1;
    QString projekt;
    QStringList bilder;
    QString bildZiel;
    QString animationZiel;
    // Whether the desktop has a program for the documentation.
    bool betrachter = false;

protected:
    QString projektWaehlen(bool) override { return projekt; }
    QStringList bilderWaehlen() override { return bilder; }
    QString bildZielWaehlen(const QString&) override { return bildZiel; }
    QString animationZielWaehlen() override { return animationZiel; }
    bool dokumentOeffnen(const QString&) override { return betrachter; }
};
