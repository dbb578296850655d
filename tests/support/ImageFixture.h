#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Programm.h"
#include "support/Bytes.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

// A fresh process state whose images get working copies drawn by the test.
struct ImageFixture : Programmumgebung {
    // Image n with a working copy (slot 1) of w × h; slots 1 to 5 get their temporary names.
    ImageEntry& addImage(int n, int w, int h, const PixelFn& pixel)
    {
        p.bilder.anzahl = std::max(p.bilder.anzahl, n);
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
        e.slot[SlotQuelle].name = "bild" + std::to_string(n) + ".bmp";
        e.slot[SlotQuelle].breite = w;
        e.slot[SlotQuelle].hoehe = h;
        for (int s = SlotArbeitskopie; s < SlotAnzahl; ++s)
            e.slot[static_cast<size_t>(s)].pfad = TempDateiname(t.files.tempFolder(), n, s);
        fillSlot(e.slot[SlotArbeitskopie], w, h, pixel);
        return e;
    }
    // Gives a slot size and pixels, written independently of the raster code.
    void fillSlot(RasterSlot& slot, int w, int h, const PixelFn& pixel)
    {
        slot.breite = w;
        slot.hoehe = h;
        writeBmp(slot.pfad, w, h, pixel);
    }
    Bytes file(int n, int slot) { return readFile(p.bilder.bild[static_cast<size_t>(n)].slot[static_cast<size_t>(slot)].pfad); }
    const std::vector<std::string>& messages() { return t.messages.lines; }
};

// A uniform colour given as blue, green, red.
inline PixelFn uniform(uint8_t b, uint8_t g, uint8_t r)
{
    return [=](int, int, uint8_t px[3]) {
        px[0] = b;
        px[1] = g;
        px[2] = r;
    };
}

// Every pixel different: blue 7x + 3y, green x, red y (mod 256).
inline void distinct(int x, int y, uint8_t px[3])
{
    px[0] = static_cast<uint8_t>(7 * x + 3 * y);
    px[1] = static_cast<uint8_t>(x);
    px[2] = static_cast<uint8_t>(y);
}
