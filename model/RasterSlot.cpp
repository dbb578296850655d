#include "model/RasterSlot.h"

#include <unistd.h>

int64_t RasterStride(int64_t breite)
{
    return (3 * breite + 3) & ~int64_t{3};
}

int64_t RasterDateigroesse(int64_t breite, int64_t hoehe)
{
    return RasterStride(breite) * hoehe + BmpKopfLaenge;
}

RasterDatei::~RasterDatei()
{
    ::close(fd_);
}
