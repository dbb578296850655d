#include "FuzzUmgebung.h"
#include "imageio/Tiff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    RasterSlot ziel;
    ziel.pfad = FuzzPfad("tiff.bmp");
    TIFF_Lesen(FuzzKontext(), FuzzEingabe(daten, laenge, "f.tif"), ziel);
    return 0;
}
