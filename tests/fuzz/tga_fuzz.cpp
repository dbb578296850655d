#include "FuzzUmgebung.h"
#include "imageio/Tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    RasterSlot ziel;
    ziel.pfad = FuzzPfad("tga.bmp");
    TGA_Lesen(FuzzKontext(), FuzzEingabe(daten, laenge, "f.tga"), ziel);
    return 0;
}
