#include "imageio/Jps.h"

#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "imageio/Arbeitskopie.h"
#include "imageio/Datei.h"
#include "imageio/Jpeg.h"
#include "imageio/Schreiben.h"
#include "raster/RasterImage.h"

namespace {

// Columns ab … ab + breite − 1 of every row of the open raster ganz into a new working copy.
Ladeergebnis ansichtSchneiden(Context& ctx, const RasterSlot& ganz, int32_t ab, int32_t breite, RasterSlot& ziel)
{
    if (const Ladeergebnis r = ArbeitskopieAnlegen(ctx, ziel, breite, ganz.hoehe); r != Ladeergebnis::Ok)
        return r;
    Leseband band;
    return ArbeitskopieFuellen(ctx, ziel, false, [&](int32_t y, uint8_t* zeile) {
        std::memcpy(zeile, band.zeile(ctx, ganz, y) + static_cast<size_t>(ab) * 3, static_cast<size_t>(breite) * 3);
        return true;
    });
}

void entfernen(RasterSlot& s)
{
    RasterSchliessen(s);
    std::error_code ec;
    std::filesystem::remove(s.pfad, ec);
    s.breite = s.hoehe = 0;
}

}

Ladeergebnis JPS_Lesen(Context& ctx, const std::string& datei, RasterSlot& ganz, RasterSlot* links, RasterSlot* rechts)
{
    if (const Ladeergebnis r = JPEG_Lesen(ctx, datei, ganz); r != Ladeergebnis::Ok)
        return r;
    const int32_t breite = ganz.breite / 2;
    Ladeergebnis r = Ladeergebnis::Fehler;
    if (breite < 1) {
        ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(Sprache::MeldungNr::BildLadeFehler), datei,
                                                     false));
    } else {
        try {
            OeffneLesen(ganz);
            r = Ladeergebnis::Ok;
            if (links)
                r = ansichtSchneiden(ctx, ganz, ganz.breite - breite, breite, *links);
            if (r == Ladeergebnis::Ok && rechts)
                r = ansichtSchneiden(ctx, ganz, 0, breite, *rechts);
        } catch (const Abbruch&) {
            r = Ladeergebnis::Fehler;
        }
    }
    entfernen(ganz);
    if (r != Ladeergebnis::Ok && links)
        entfernen(*links);
    return r;
}

bool JPS_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& links, const RasterSlot& rechts)
{
    RasterSlot l = links, r = rechts;
    SlotCloser schliesseL(l), schliesseR(r);
    bool ok = l.hoehe == r.hoehe;
    try {
        OeffneLesen(l);
        OeffneLesen(r);
    } catch (const Abbruch&) {
        ok = false;
    }
    const size_t breiteR = static_cast<size_t>(r.breite) * 3;
    std::vector<uint8_t> zeile(breiteR + static_cast<size_t>(l.breite) * 3);
    Leseband bandL, bandR;
    return DateiSchreiben(ctx, datei, Sprache::MeldungNr::JpgSpeicherFehler, [&](ZielDatei& ziel) {
        return ok && JPEG_Kodieren(ctx, l.breite + r.breite, l.hoehe, ziel.datei(), {}, [&](int32_t y) {
            std::memcpy(zeile.data(), bandR.zeile(ctx, r, y), breiteR);
            std::memcpy(zeile.data() + breiteR, bandL.zeile(ctx, l, y), zeile.size() - breiteR);
            return zeile.data();
        });
    });
}
