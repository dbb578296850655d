#include "compose/Pipeline.h"
#include "raster/Farbe.h"

// The colour-adjusted result: a copy of the composed one run through the
// adjustments whose track bars are not at 0. Rebuilt from the composed result
// each time, so the adjustments never accumulate.
bool FARBE(Programm& p)
{
    Context& ctx = p.ctx;
    ImageEntry& e = p.bilder.ergebnis();
    const ColorSettings& f = p.farbe;
    ctx.state.progress.step = "1/1";
    auto phase = [&](const char* name) { ctx.state.progress.phase = name; };
    return guarded(ctx, [&] {
        phase("R1");
        RasterKopieren(ctx, e.slot[SlotErgebnis], e.slot[SlotFarbErgebnis]);
        phase("R2");
        if (f.gamma != 0)
            Gamma(ctx, e, f.gamma);
        phase("R3");
        if (f.hell != 0)
            Helligkeit(ctx, e, f.hell);
        phase("R4");
        if (f.kontrast != 0)
            Kontrast(ctx, e, f.kontrast);
        phase("R5");
        if (f.saettigung != 0)
            Saettigung(ctx, e, f.saettigung);
        phase("R6");
    });
}
