#include <utility>

#include "compose/Pipeline.h"
#include "raster/Farbe.h"

// The colour-adjusted result, rebuilt from the composed one each time, so the
// adjustments never accumulate: the composed result itself when every track
// bar is at 0, else one pass through gamma, brightness, contrast and
// saturation, those not at 0.
bool FARBE(Programm& p)
{
    Context& ctx = p.ctx;
    ImageEntry& e = p.bilder.ergebnis();
    const FarbSettings& f = p.farbe;
    ctx.state.progress.step = "1/1";
    auto phase = [&](const char* name) { ctx.state.progress.phase = name; };
    return guarded(ctx, [&] {
        phase("R1");
        if (f.gamma == 0 && f.hell == 0 && f.kontrast == 0 && f.saettigung == 0) {
            RasterKopieren(ctx, e.slot[SlotErgebnis], e.slot[SlotFarbErgebnis]);
        } else {
            Farbtabelle tabelle{};
            for (size_t i = 0; i < tabelle.size(); ++i)
                tabelle[i] = static_cast<uint8_t>(i);
            const std::pair<int32_t, Farbtabelle (*)(int32_t)> stufen[] = {
                {f.gamma, GammaTabelle}, {f.hell, HelligkeitTabelle}, {f.kontrast, KontrastTabelle}};
            for (const auto& [position, tabelleZu] : stufen)
                if (position != 0)
                    tabelle = Farbtabelle_Folge(tabelle, tabelleZu(position));
            phase("R2");
            Farben_Anpassen(ctx, e.slot[SlotErgebnis], e.slot[SlotFarbErgebnis], tabelle, f.saettigung);
        }
        phase("R6");
    });
}
