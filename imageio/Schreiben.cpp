#include "imageio/Schreiben.h"

#include "raster/RasterImage.h"

bool DateiSchreiben(Context& ctx, const std::string& datei, Sprache::MeldungNr meldung,
                    const std::function<bool(ZielDatei& ziel)>& schreiben)
{
    ZielDatei ziel(ctx.files(), datei);
    bool ok = false;
    try {
        ok = ziel.offen() && schreiben(ziel) && ziel.fertig();
    } catch (const Abbruch&) {
        return false;
    }
    if (!ok && !ctx.state.abort)
        ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(meldung), datei, true));
    return ok;
}

bool RasterDateiSchreiben(Context& ctx, const std::string& datei, Sprache::MeldungNr meldung, const RasterSlot& von,
                          const std::vector<uint8_t>& kopf, bool vonUnten, const Zeilenbytes& zeile,
                          const std::vector<uint8_t>& fuss)
{
    return DateiSchreiben(ctx, datei, meldung, [&](ZielDatei& ziel) {
        if (!ziel.schreiben(kopf))
            return false;
        RasterSlot quelle = von;
        SlotCloser schliessen(quelle);
        OeffneLesen(quelle);
        ctx.setProgress(quelle.hoehe - 1, 0);
        Zeile view;
        for (int32_t k = 0; k < quelle.hoehe; ++k) {
            const std::span<const uint8_t> bytes = zeile(LeseZeile(ctx, quelle, vonUnten ? quelle.hoehe - 1 - k : k, view));
            GibZeileFrei(view);
            if (!ziel.schreiben(bytes.data(), bytes.size()))
                return false;
            ctx.rowDone(k);
        }
        return ziel.schreiben(fuss);
    });
}
