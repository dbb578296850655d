#include "imageio/Bmp.h"

#include <optional>

#include "imageio/Datei.h"
#include "model/RasterSlot.h"

BmpKopf BMP_Kopf_Pruefen(Context& ctx, const std::string& datei, int32_t& breite, int32_t& hoehe, int32_t& kopf)
{
    using Sprache::Titel;
    const auto fehler = [&](BmpKopf befund, std::optional<Sprache::MeldungNr> meldung) {
        if (meldung)
            ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(*meldung), datei, false));
        return befund;
    };
    breite = hoehe = kopf = 0;
    LeseDatei f(datei);
    uint8_t k[BmpKopfLaenge];
    if (!f.lesen(0, k, 14) || le16(k) != 0x4D42)
        return fehler(BmpKopf::KeinBmp, Sprache::MeldungNr::BmpTypFehlerhaft);
    const uint32_t pixelOffset = le32(k + 10);
    if (pixelOffset == 26)
        return fehler(BmpKopf::KeinBmp, Sprache::MeldungNr::Os2Bitmap);
    if (pixelOffset != BmpKopfLaenge)
        return fehler(BmpKopf::AndererKopf, std::nullopt);
    if (!f.lesen(14, k + 14, 40))
        return fehler(BmpKopf::Widerspruch, Sprache::MeldungNr::GroesseWiderspruch);
    const auto w = static_cast<int32_t>(le32(k + 18));
    const auto h = static_cast<int32_t>(le32(k + 22));
    if (le16(k + 28) != 24)
        return fehler(BmpKopf::Nicht24Bit, Sprache::MeldungNr::KeinUnkomprimiertesBmp);
    if (le16(k + 26) != 1)
        return fehler(BmpKopf::Ebenen, Sprache::MeldungNr::FarbebenenNichtEins);
    if (le32(k + 30) != 0)
        return fehler(BmpKopf::Komprimiert, Sprache::MeldungNr::KompressionNichtUnterstuetzt);
    // A top-down file (negative height) and an empty picture fail here as well,
    // and so does a size whose pixels would not even fit into the file.
    const uint64_t groesse = f.groesse();
    if (w < 1 || h < 1 || static_cast<uint64_t>(RasterStride(w)) > groesse / static_cast<uint64_t>(h))
        return fehler(BmpKopf::Widerspruch, Sprache::MeldungNr::GroesseWiderspruch);
    const auto pixelBytes = static_cast<uint64_t>(RasterStride(w)) * static_cast<uint64_t>(h);
    if (groesse != pixelBytes + BmpKopfLaenge && groesse != pixelBytes + BmpKopfLaenge + 2)
        return fehler(BmpKopf::Widerspruch, Sprache::MeldungNr::GroesseWiderspruch);
    breite = w;
    hoehe = h;
    kopf = BmpKopfLaenge;
    return BmpKopf::Ok;
}
