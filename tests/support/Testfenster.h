#pragma once
#include <gtest/gtest.h>

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

    // The control of that name; a test failure when there is none.
    template <class W>
    W* finde(const char* name)
    {
        W* w = findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

protected:
    QString projektWaehlen(bool) override { return projekt; }
    QStringList bilderWaehlen() override { return bilder; }
    QString bildZielWaehlen(const QString&) override { return bildZiel; }
    QString animationZielWaehlen() override { return animationZiel; }
    bool dokumentOeffnen(const QString&) override { return betrachter; }
};
