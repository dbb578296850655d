#include "imageio/Arbeitskopie.h"

#include <filesystem>
#include <system_error>

#include "raster/RasterImage.h"

Ladeergebnis ArbeitskopieAnlegen(Context& ctx, RasterSlot& ziel, int32_t breite, int32_t hoehe)
{
    if (!Plattenplatz_Pruefen(ctx, ziel.pfad, breite, hoehe))
        return Ladeergebnis::PlatteVoll;
    ziel.breite = breite;
    ziel.hoehe = hoehe;
    switch (RasterAnlegenLeer(ctx, ziel)) {
    case Angelegt::Ok: return Ladeergebnis::Ok;
    case Angelegt::PlatteVoll: return Ladeergebnis::PlatteVoll;
    default: return Ladeergebnis::Fehler;
    }
}

Ladeergebnis ArbeitskopieFuellen(Context& ctx, RasterSlot& ziel, bool vonUnten, const ZeilenQuelle& fill)
{
    bool ok = false;
    bool platteVoll = false;
    try {
        SlotCloser schliessen(ziel);
        OeffneSchreiben(ziel);
        ctx.setProgress(ziel.hoehe - 1, 0);
        // Rows in top-down order are written many at a time.
        Schreibband band;
        for (int32_t k = 0; k < ziel.hoehe; ++k) {
            uint8_t* zeile = band.zeile(ctx, ziel, vonUnten ? ziel.hoehe - 1 - k : k);
            if (!fill(k, zeile))
                throw Abbruch{};
            ctx.rowDone(k);
        }
        band.schreiben();
        ok = true;
    } catch (const Abbruch& a) {
        platteVoll = diskFull(a.fehler);
    }
    if (ok)
        return Ladeergebnis::Ok;
    std::error_code ec;
    std::filesystem::remove(ziel.pfad, ec);
    return platteVoll ? Ladeergebnis::PlatteVoll : Ladeergebnis::Fehler;
}
