#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Programm.h"
#include "support/Bytes.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

// A fresh program per test with images whose aligned rasters are written directly.
struct ComposeFixture : Programmumgebung {
    // Image n with an aligned raster (slot 2) of w × h pixels given by px; its
    // source and working copy have the same size.
    void addImage(int n, int w, int h, const PixelFn& px)
    {
        p.bilder.anzahl = std::max(p.bilder.anzahl, n);
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
        for (int s : {SlotQuelle, SlotArbeitskopie, SlotJustiert}) {
            e.slot[static_cast<size_t>(s)].breite = w;
            e.slot[static_cast<size_t>(s)].hoehe = h;
        }
        e.slot[SlotQuelle].name = "bild" + std::to_string(n) + ".bmp";
        RasterSlot& r = e.slot[SlotJustiert];
        r.pfad = TempDateiname(t.files.tempFolder(), n, SlotJustiert);
        writeBmp(r.pfad, w, h, px);
    }
    // Image n in one colour (blue, green, red).
    void addPlain(int n, int w, int h, uint8_t b, uint8_t g, uint8_t r)
    {
        addImage(n, w, h, [=](int, int, uint8_t px[3]) {
            px[0] = b;
            px[1] = g;
            px[2] = r;
        });
    }
    Bytes result(int slot = SlotErgebnis)
    {
        return readFile(p.bilder.ergebnis().slot[static_cast<size_t>(slot)].pfad);
    }
    const std::vector<std::string>& messages() { return t.messages.lines; }
};

