#include "compose/Pipeline.h"
#include "raster/Justieren.h"

namespace {

// Gives a slot its size and its file; on failure the size is forgotten, so the
// slot counts as missing at the next run. The alignment writes every pixel of
// both rasters, so none is written beforehand.
bool prepare(Context& ctx, RasterSlot& slot, Groesse groesse)
{
    slot.breite = groesse.breite;
    slot.hoehe = groesse.hoehe;
    if (RasterAnlegenUeberschreiben(ctx, slot) == Angelegt::Ok)
        return true;
    slot.breite = 0;
    slot.hoehe = 0;
    return false;
}

}

// Aligns every image whose aligned raster lacks the common size, and the
// selected image, whose parameters may just have changed.
bool JUST(Programm& p)
{
    ImageSet& set = p.bilder;
    if (set.anzahl < 1)
        return false;
    const Groesse gemeinsam = set.MaxArbeitskopie();
    const Groesse vorschau = Vorschaugroesse(gemeinsam, p.ctx.state.screenWidth, p.ctx.state.screenHeight);
    const int selected = set.gueltig(p.auswahl.listenZeile) ? p.auswahl.listenZeile : 0;
    bool selectedDone = false;
    for (int n = 1; n <= set.anzahl; ++n) {
        ImageEntry& bild = set.bild[static_cast<size_t>(n)];
        const RasterSlot& aligned = bild.slot[SlotJustiert];
        if (Groesse{aligned.breite, aligned.hoehe} == gemeinsam)
            continue;
        if (!prepare(p.ctx, bild.slot[SlotJustiert], gemeinsam))
            return false;
        const RasterSlot& preview = bild.slot[SlotVorschau];
        if (Groesse{preview.breite, preview.hoehe} != vorschau && !prepare(p.ctx, bild.slot[SlotVorschau], vorschau))
            return false;
        Justiere_Bild(p, n);
        selectedDone = selectedDone || n == selected;
    }
    if (selected > 0 && !selectedDone)
        Justiere_Bild(p, selected);
    return !p.ctx.state.abort;
}
