#include "compose/Pipeline.h"

// Alignment of the images into their slot-2 rasters comes with the geometric transform.
bool JUST(Programm&)
{
    return true;
}
