#include "FuzzUmgebung.h"
#include "imageio/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    int32_t breite = 0, hoehe = 0, kopf = 0;
    BMP_Kopf_Pruefen(FuzzKontext(), FuzzEingabe(daten, laenge, "f.bmp"), breite, hoehe, kopf);
    return 0;
}
