#include "compose/Hilfen.h"

#include <limits>

void nameSlot(Programm& p, int n, int slot)
{
    RasterSlot& s = p.bilder.bild[static_cast<size_t>(n)].slot[static_cast<size_t>(slot)];
    if (s.pfad.empty())
        s.pfad = TempDateiname(p.ctx.files().tempFolder(), n, slot);
}

void setPhase(Context& ctx, const std::string& phase, const std::string& step)
{
    ctx.state.progress.phase = phase;
    ctx.state.progress.step = step;
}

int32_t rasterLength(Context& ctx, int64_t length)
{
    if (length > std::numeric_limits<int32_t>::max()) {
        ctx.message(Sprache::Titel::Warnung, Sprache::MeldungNr::BildUeber4GByte);
        ctx.state.abort = true;
        throw Abbruch{};
    }
    return static_cast<int32_t>(length);
}
