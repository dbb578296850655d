#include "commands/Animation.h"

#include "compose/Animation.h"
#include "imageio/Webp.h"

bool Animation_Speichern(Programm& p, const std::string& datei, int32_t tempo, bool pingPong)
{
    Context& ctx = p.ctx;
    if (ctx.state.busy || datei.empty())
        return false;
    if (p.bilder.anzahl < 2) {
        ctx.message(Sprache::Titel::Warnung, Sprache::AnimationZuWenigBilder);
        return false;
    }
    if (isReadOnly(datei)) {
        ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::Schreibgeschuetzt);
        return false;
    }
    std::vector<WebPBild> bilder;
    for (const Animationsbild& b : Animation_Folge(p.bilder.anzahl, tempo, pingPong))
        bilder.push_back({&p.bilder.bild[static_cast<size_t>(b.bild)].slot[SlotVorschau], b.dauer});
    ctx.state.busy = true;
    ctx.state.reporting = true;
    ctx.events().setBusyCursor(true);
    const bool ok = WebP_Schreiben(ctx, datei, bilder);
    ctx.events().setBusyCursor(false);
    ctx.state.reporting = false;
    ctx.state.busy = false;
    ctx.state.abort = false;
    return ok;
}
