#include "imageio/Tga.h"

#include <algorithm>
#include <vector>

#include "imageio/Arbeitskopie.h"
#include "imageio/Datei.h"
#include "imageio/Schreiben.h"
#include "raster/RasterImage.h"

namespace {

constexpr uint8_t ObenNachUnten = 0x20;

}

bool TGA_Kopf_Pruefen(const std::string& datei, std::array<uint8_t, TgaKopfLaenge>& kopf)
{
    LeseDatei f(datei);
    if (!f.lesen(0, kopf.data(), kopf.size()))
        return false;
    const auto alleNull = [&](size_t von, size_t bis) {
        return std::all_of(kopf.begin() + static_cast<long>(von), kopf.begin() + static_cast<long>(bis),
                           [](uint8_t v) { return v == 0; });
    };
    const uint64_t breite = le16(&kopf[12]);
    const uint64_t hoehe = le16(&kopf[14]);
    // An empty picture would give a working copy without pixels.
    return kopf[0] == 0 && kopf[1] == 0 && kopf[2] == 2 && alleNull(3, 12) && kopf[16] == 24
        && (kopf[17] == 0 || kopf[17] == ObenNachUnten) && breite > 0 && hoehe > 0
        && f.groesse() >= TgaKopfLaenge + breite * hoehe * 3;
}

Ladeergebnis TGA_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel)
{
    std::array<uint8_t, TgaKopfLaenge> kopf{};
    if (!TGA_Kopf_Pruefen(datei, kopf))
        return Ladeergebnis::Fehler;
    const int32_t breite = le16(&kopf[12]);
    const int32_t hoehe = le16(&kopf[14]);
    if (const Ladeergebnis r = ArbeitskopieAnlegen(ctx, ziel, breite, hoehe); r != Ladeergebnis::Ok)
        return r;
    LeseDatei f(datei);
    const auto zeilenBytes = static_cast<size_t>(breite) * 3;
    return ArbeitskopieFuellen(ctx, ziel, kopf[17] != ObenNachUnten, [&](int32_t k, uint8_t* zeile) {
        if (f.lesen(TgaKopfLaenge + static_cast<uint64_t>(k) * zeilenBytes, zeile, zeilenBytes))
            return true;
        ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(Sprache::MeldungNr::AllgemeinerLadeFehler),
                                                     datei, false));
        return false;
    });
}

bool TGA_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& von)
{
    using Sprache::Titel;
    if (von.breite < 1 || von.hoehe < 1 || von.breite > 65535 || von.hoehe > 65535) {
        ctx.message(Titel::Fehler, Sprache::TgaZuGross);
        return false;
    }
    Bytes kopf;
    kopf.u8(0);
    kopf.u8(0);
    kopf.u8(2);
    for (int i = 0; i < 9; ++i)
        kopf.u8(0);
    kopf.u16(static_cast<uint32_t>(von.breite));
    kopf.u16(static_cast<uint32_t>(von.hoehe));
    kopf.u8(24);
    kopf.u8(0);

    Bytes fuss;
    fuss.u32(0);
    fuss.u32(0);
    fuss.text("TRUEVISION-XFILE.");
    fuss.u8(0);
    const auto zeilenBytes = static_cast<size_t>(von.breite) * 3;
    // The file's rows run bottom to top, as the raster stores them.
    return RasterDateiSchreiben(ctx, datei, Sprache::MeldungNr::DateiSpeicherFehler, von, kopf.daten, true,
                                [&](const uint8_t* pixel) { return std::span<const uint8_t>(pixel, zeilenBytes); },
                                fuss.daten);
}
