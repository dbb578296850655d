#include "compose/Hilfen.h"

#include <limits>

#include "raster/RasterImage.h"

void composeRows(Context& ctx, RasterSlot& ziel, int32_t breite, int32_t hoehe, const Farbe& hintergrund,
                 RasterSlot& quelle1, RasterSlot& quelle2, const std::function<void(int32_t y, uint8_t* row)>& zeile)
{
    LegeRasterAn(ctx, ziel, breite, hoehe, Anlage::Weiss);
    SlotCloser schliesse1(quelle1), schliesse2(quelle2), schliesseZiel(ziel);
    OeffneLesen(quelle1);
    OeffneLesen(quelle2);
    OeffneSchreiben(ziel);
    Zeile view;
    ctx.setProgress(hoehe - 1, 0);
    for (int32_t y = 0; y < hoehe; ++y) {
        uint8_t* row = NeueZeile(ctx, ziel, y, view);
        ZeileFuellen(row, 0, breite, hintergrund);
        zeile(y, row);
        GibZeileFrei(view);
        ctx.rowDone(y);
    }
}

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
