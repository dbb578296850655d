#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <string>

#include "model/Programm.h"
#include "platform/qt/QtServices.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"
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

// A program on the test's services with two printers, "Laser" and "Tinte", and
// Qt's display, and its main window.
struct Fensterumgebung : ::testing::Test {
    TestServices t{{"Laser", "Tinte"}};
    QtDisplay display;
    Programm p{Services{t.messages, t.events, t.files, display, t.printers, t.textRaster}};
    Testfenster fenster{p, display};

    template <class W>
    W* finde(const char* name)
    {
        return fenster.finde<W>(name);
    }
    void zeigen(int breite = 1200, int hoehe = 900)
    {
        fenster.resize(breite, hoehe);
        fenster.show();
        QApplication::processEvents();
    }
    // count images of breite × hoehe with a working copy and an aligned raster,
    // pixel (x, y) of image n (4 x, 0, 100 n) as blue, green, red; the first
    // and the last are the selected pair.
    void addImages(int count, int breite = 64, int hoehe = 48)
    {
        for (int n = 1; n <= count; ++n) {
            ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
            e.slot[SlotQuelle].name = "bild" + std::to_string(n) + ".jpg";
            e.slot[SlotQuelle].breite = breite;
            e.slot[SlotQuelle].hoehe = hoehe;
            for (int s = SlotArbeitskopie; s < static_cast<int>(e.slot.size()); ++s)
                e.slot[static_cast<size_t>(s)].pfad = TempDateiname(t.files.tempFolder(), n, s);
            for (int s : {SlotArbeitskopie, SlotJustiert}) {
                RasterSlot& r = e.slot[static_cast<size_t>(s)];
                r.breite = breite;
                r.hoehe = hoehe;
                writeBmp(r.pfad, breite, hoehe, [n](int x, int, uint8_t px[3]) {
                    px[0] = static_cast<uint8_t>(x * 4);
                    px[1] = 0;
                    px[2] = static_cast<uint8_t>(n * 100);
                });
            }
        }
        p.bilder.anzahl = count;
        p.auswahl.bildL = 1;
        p.auswahl.bildR = count;
    }
};
