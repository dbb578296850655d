#include "FuzzUmgebung.h"
#include "imageio/Exif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    const TExif exif(std::vector<uint8_t>(daten, daten + laenge));
    EXIF_Liste(exif);
    return 0;
}
