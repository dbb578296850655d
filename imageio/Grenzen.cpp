#include "imageio/Grenzen.h"

Grenzen& LeseGrenzen()
{
    static Grenzen grenzen;
    return grenzen;
}
