#include "FuzzUmgebung.h"
#include "imageio/Mpo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    std::vector<std::string> liste;
    MPO_Zerlegen(FuzzKontext().files(), FuzzEingabe(daten, laenge, "f.mpo"), FuzzPfad("teil"), {}, &liste);
    return 0;
}
