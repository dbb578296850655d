#include "imageio/Webp.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

#include "imageio/Datei.h"
#include "raster/RasterImage.h"

namespace {

struct EncoderLoeschen {
    void operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }
};

// A frame of the canvas's size in ARGB, freed with its owner.
class Leinwand {
public:
    Leinwand(int32_t breite, int32_t hoehe)
    {
        WebPPictureInit(&bild_);
        bild_.use_argb = 1;
        bild_.width = breite;
        bild_.height = hoehe;
        ok_ = WebPPictureAlloc(&bild_) != 0;
    }
    ~Leinwand() { WebPPictureFree(&bild_); }
    Leinwand(const Leinwand&) = delete;
    Leinwand& operator=(const Leinwand&) = delete;
    bool ok() const { return ok_; }
    WebPPicture* bild() { return &bild_; }

private:
    WebPPicture bild_;
    bool ok_ = false;
};

// Fills the canvas from a raster, whose rows hold blue, green, red.
void fuellen(Context& ctx, const RasterSlot& raster, WebPPicture& bild, int32_t& position)
{
    RasterSlot quelle = raster;
    SlotCloser schliessen(quelle);
    OeffneLesen(quelle);
    Leseband band;
    for (int32_t y = 0; y < quelle.hoehe; ++y) {
        const uint8_t* zeile = band.zeile(ctx, quelle, y);
        uint32_t* ziel = bild.argb + static_cast<ptrdiff_t>(y) * bild.argb_stride;
        for (int32_t x = 0; x < quelle.breite; ++x, zeile += 3)
            ziel[x] = 0xFF000000u | uint32_t{zeile[2]} << 16 | uint32_t{zeile[1]} << 8 | zeile[0];
        ctx.rowDone(++position);
    }
}

bool kodieren(Context& ctx, const std::vector<WebPBild>& bilder, WebPData& daten)
{
    return guarded(ctx, [&] {
        const int32_t breite = bilder.front().raster->breite;
        const int32_t hoehe = bilder.front().raster->hoehe;
        WebPAnimEncoderOptions optionen;
        WebPConfig einstellung;
        if (!WebPAnimEncoderOptionsInit(&optionen) || !WebPConfigInit(&einstellung))
            throw Abbruch{};
        optionen.anim_params.loop_count = 0;
        einstellung.quality = 90;
        const std::unique_ptr<WebPAnimEncoder, EncoderLoeschen> encoder(WebPAnimEncoderNew(breite, hoehe, &optionen));
        Leinwand leinwand(breite, hoehe);
        if (!encoder || !leinwand.ok())
            throw Abbruch{};
        ctx.setProgress(static_cast<int32_t>(bilder.size()) * hoehe, 0);
        int32_t position = 0;
        int zeit = 0;
        for (const WebPBild& b : bilder) {
            fuellen(ctx, *b.raster, *leinwand.bild(), position);
            if (!WebPAnimEncoderAdd(encoder.get(), leinwand.bild(), zeit, &einstellung))
                throw Abbruch{};
            zeit += b.dauer;
        }
        if (!WebPAnimEncoderAdd(encoder.get(), nullptr, zeit, nullptr) || !WebPAnimEncoderAssemble(encoder.get(), &daten))
            throw Abbruch{};
    });
}

}

bool WebP_Schreiben(Context& ctx, const std::string& datei, const std::vector<WebPBild>& bilder)
{
    if (bilder.empty())
        return false;
    const RasterSlot& erstes = *bilder.front().raster;
    bool passend = erstes.breite >= 1 && erstes.hoehe >= 1 && erstes.breite <= WEBP_MAX_DIMENSION
        && erstes.hoehe <= WEBP_MAX_DIMENSION;
    for (const WebPBild& b : bilder)
        passend = passend && b.raster->breite == erstes.breite && b.raster->hoehe == erstes.hoehe && b.dauer > 0;
    if (!passend) {
        ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::DateiSpeicherFehler);
        return false;
    }
    WebPData daten;
    WebPDataInit(&daten);
    bool ok = kodieren(ctx, bilder, daten);
    if (ok) {
        ZielDatei ziel(ctx.files(), datei);
        ok = ziel.schreiben(daten.bytes, daten.size) && ziel.fertig();
        if (!ok)
            ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::DateiSpeicherFehler);
    }
    WebPDataClear(&daten);
    return ok;
}
