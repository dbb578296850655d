#include "compose/Pipeline.h"

// The colour-adjusted result starts as a copy of the composed one.
bool FARBE(Programm& p)
{
    ImageEntry& e = p.bilder.ergebnis();
    return guarded(p.ctx, [&] { RasterKopieren(p.ctx, e.slot[SlotErgebnis], e.slot[SlotFarbErgebnis]); });
}
