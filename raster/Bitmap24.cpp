#include "raster/Bitmap24.h"

#include <cstring>

#include "raster/RasterImage.h"

Bitmap24 BitmapLesen(Context& ctx, const RasterSlot& quelle)
{
    RasterSlot von = quelle;
    OeffneLesen(von);
    SlotCloser schliessen(von);
    Bitmap24 bild(von.breite, von.hoehe);
    Leseband band;
    for (int32_t y = 0; y < bild.hoehe; ++y) {
        std::memcpy(bild.zeile(y), band.zeile(ctx, von, y), 3 * static_cast<size_t>(bild.breite));
        ctx.pump();
        ctx.throwIfAborted();
    }
    return bild;
}

void BitmapSchreiben(Context& ctx, const Bitmap24& bild, RasterSlot& ziel)
{
    LegeRasterAn(ctx, ziel, bild.breite, bild.hoehe, Anlage::Ueberschreiben);
    OeffneSchreiben(ziel);
    SlotCloser schliessen(ziel);
    Schreibband band;
    for (int32_t y = 0; y < bild.hoehe; ++y) {
        std::memcpy(band.zeile(ctx, ziel, y), bild.zeile(y), 3 * static_cast<size_t>(bild.breite));
        ctx.pump();
        ctx.throwIfAborted();
    }
    band.schreiben();
}
