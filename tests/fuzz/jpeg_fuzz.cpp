#include "FuzzUmgebung.h"
#include "imageio/BildLaden.h"
#include "imageio/Grenzen.h"

// JPEG input through the loader, as an added image; the decoder may use 64 MB.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    LeseGrenzen().maxJpegSpeicher = uint64_t{64} << 20;
    static Programm p(FuzzDienste());
    p.ctx.state.abort = false;
    p.bilder.anzahl = 1;
    Bild_Laden(p, 1, FuzzEingabe(daten, laenge, "f.jpg"));
    p.bilder.bild[1].dateienLoeschen();
    return 0;
}
