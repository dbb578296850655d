#include <cstring>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "raster/RasterImage.h"

namespace {

// a × b ÷ c rounded to nearest, halves away from zero, for non-negative values.
int32_t mulDiv(int64_t a, int64_t b, int64_t c)
{
    return static_cast<int32_t>((2 * a * b + c) / (2 * c));
}

void streifenbild(Programm& p, int links, int rechts, int32_t breite, int32_t hoehe, int richtung, int beginn)
{
    Context& ctx = p.ctx;
    if (!p.bilder.gueltig(links) || !p.bilder.gueltig(rechts))
        throw Abbruch{};
    const bool spalten = richtung == 0;
    // Both images get the same number of columns (lines).
    if (spalten && breite % 2 == 1)
        ++breite;
    if (!spalten && hoehe % 2 == 1)
        ++hoehe;
    const RasterSlot& quelle = p.bilder.bild[static_cast<size_t>(links)].slot[SlotJustiert];
    const Rechteck fit = Einpassen({0, 0, quelle.breite, quelle.hoehe}, {0, 0, breite, hoehe});
    const int32_t pw = spalten ? fit.breite / 2 : fit.breite;
    const int32_t ph = spalten ? fit.hoehe : fit.hoehe / 2;
    const int32_t x0 = spalten ? (breite - 2 * pw) / 2 : (breite - pw) / 2;
    const int32_t y0 = spalten ? (hoehe - ph) / 2 : (hoehe - 2 * ph) / 2;
    const auto verkleinern = [&](int n) {
        nameSlot(p, n, SlotKomposition);
        if (!NaechsterNachbar(ctx, p.bilder.bild[static_cast<size_t>(n)], SlotJustiert, SlotKomposition, pw, ph))
            throw Abbruch{};
    };
    verkleinern(links);
    if (rechts != links)
        verkleinern(rechts);
    if (ctx.state.abort)
        throw Abbruch{};
    RasterSlot erstes = p.bilder.bild[static_cast<size_t>(beginn == 0 ? links : rechts)].slot[SlotKomposition];
    RasterSlot zweites = p.bilder.bild[static_cast<size_t>(beginn == 0 ? rechts : links)].slot[SlotKomposition];
    Zeile view1, view2;
    composeRows(ctx, p.bilder.ergebnis().slot[SlotErgebnis], breite, hoehe, p.compose.Hintergrundfarbe, erstes,
                zweites, [&](int32_t y, uint8_t* row) {
        const int32_t i = y - y0;
        uint8_t* block = row + 3 * int64_t{x0};
        if (spalten && i >= 0 && i < ph) {
            const uint8_t* a = LeseZeile(ctx, erstes, i, view1);
            const uint8_t* b = LeseZeile(ctx, zweites, i, view2);
            for (int64_t x = 0; x < pw; ++x) {
                std::memcpy(block + 6 * x, a + 3 * x, 3);
                std::memcpy(block + 6 * x + 3, b + 3 * x, 3);
            }
        } else if (!spalten && i >= 0 && i < 2 * ph) {
            const uint8_t* src = LeseZeile(ctx, i % 2 == 0 ? erstes : zweites, i / 2, i % 2 == 0 ? view1 : view2);
            std::memcpy(block, src, 3 * static_cast<size_t>(pw));
        }
    });
}

}

Rechteck Einpassen(const Rechteck& quelle, const Rechteck& box)
{
    if (quelle.breite <= 0 || quelle.hoehe <= 0 || box.breite <= 0 || box.hoehe <= 0)
        return {box.x, box.y, 0, 0};
    Rechteck r;
    if (static_cast<double>(box.breite) / box.hoehe < static_cast<double>(quelle.breite) / quelle.hoehe) {
        r.breite = box.breite;
        r.hoehe = mulDiv(box.breite, quelle.hoehe, quelle.breite);
    } else {
        r.hoehe = box.hoehe;
        r.breite = mulDiv(box.hoehe, quelle.breite, quelle.hoehe);
    }
    r.x = box.x + (box.breite - r.breite) / 2;
    r.y = box.y + (box.hoehe - r.hoehe) / 2;
    return r;
}

bool Streifenbild(Programm& p, int links, int rechts, int32_t breite, int32_t hoehe, int richtung, int beginn)
{
    if (p.ctx.state.abort)
        return false;
    return guarded(p.ctx, [&] { streifenbild(p, links, rechts, breite, hoehe, richtung, beginn); });
}

void Streifengroesse_Anwenden(Programm& p, int auswahl)
{
    StreifenSettings& s = p.compose.streifen;
    const Groesse g = Streifengroesse(p, auswahl, {p.ansicht.boxBreite, p.ansicht.boxHoehe});
    s.groesse = auswahl;
    if (g.breite > 0 && g.hoehe > 0) {
        s.breite = g.breite;
        s.hoehe = g.hoehe;
    }
}

Groesse Streifengroesse(const Programm& p, int auswahl, Groesse vorschau)
{
    const Groesse bildschirm{p.ctx.state.screenWidth, p.ctx.state.screenHeight};
    switch (auswahl) {
    case 0: {
        if (!p.bilder.gueltig(p.auswahl.bildL))
            return bildschirm;
        const RasterSlot& s = p.bilder.bild[static_cast<size_t>(p.auswahl.bildL)].slot[SlotArbeitskopie];
        return {s.breite, s.hoehe};
    }
    case 1: return bildschirm;
    case 2: return vorschau;
    case 3: return {640, 480};
    case 4: return {800, 600};
    case 5: return {1024, 768};
    case 6: return {1600, 1200};
    default: return {p.compose.streifen.breite, p.compose.streifen.hoehe};
    }
}
