#include "compose/Linsenansicht.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "raster/RasterImage.h"

namespace {

int32_t aufgerundet(int64_t a, int64_t b)
{
    return static_cast<int32_t>((a + b - 1) / b);
}

}

Linsenteilung Linsenteilung_Berechnen(const Programm& p)
{
    const RasterSlot& r = p.bilder.ergebnis().slot[SlotFarbErgebnis];
    Linsenteilung t;
    if (p.auswahl.vorschau != VorschauLinsenraster || p.bilder.anzahl < 1 || r.breite < 1 || r.hoehe < 1)
        return t;
    t.flip = p.compose.Linsenrichtung == 1;
    // The print's length across the lenses in inches, times lenses per inch: the lens count.
    const double laenge = t.flip ? p.druck.hoehe : p.druck.breite;
    const double linsen = laenge * p.druck.f() / 2.54 * p.compose.lpi;
    if (linsen <= 0)
        return t;
    t.pixelProLinse = (t.flip ? r.hoehe : r.breite) / linsen;
    t.positionen = p.bilder.anzahl * std::max(p.compose.PixelProBildProLinse, 1);
    return t;
}

bool Linsenansicht(Context& ctx, const RasterSlot& ergebnis, const Linsenteilung& teilung, int32_t position,
                   int32_t maxBreite, int32_t maxHoehe, Linsenbild& bild)
{
    bild = {};
    const double q = teilung.pixelProLinse;
    const int32_t quer = teilung.flip ? ergebnis.hoehe : ergebnis.breite;
    const int32_t laengs = teilung.flip ? ergebnis.breite : ergebnis.hoehe;
    if (q <= 0 || position < 0 || position >= teilung.positionen || quer < 1 || laengs < 1 || maxBreite < 1
        || maxHoehe < 1)
        return false;
    const auto linsen = std::max<int64_t>(static_cast<int64_t>(quer / q), 1);
    // The centre of the position's sub-strip, as a fraction of the lens.
    const double lage = (position + 0.5) / teilung.positionen;
    const auto linse = [&](int64_t l) {
        return std::min(static_cast<int32_t>(std::floor((static_cast<double>(l) + lage) * q)), quer - 1);
    };
    const int32_t schrittQuer = aufgerundet(linsen, teilung.flip ? maxHoehe : maxBreite);
    const int32_t schrittLaengs = aufgerundet(laengs, teilung.flip ? maxBreite : maxHoehe);
    const int32_t anzahlQuer = aufgerundet(linsen, schrittQuer);
    const int32_t anzahlLaengs = aufgerundet(laengs, schrittLaengs);
    bild.breite = teilung.flip ? anzahlLaengs : anzahlQuer;
    bild.hoehe = teilung.flip ? anzahlQuer : anzahlLaengs;
    bild.bgr.assign(static_cast<size_t>(bild.breite) * static_cast<size_t>(bild.hoehe) * 3, 0);

    // The rows read: every step-th row (3D) or one row per lens (Flip).
    const auto quellZeile = [&](int32_t r) { return teilung.flip ? linse(int64_t{r} * schrittQuer) : r * schrittLaengs; };
    const int32_t abstand = teilung.flip ? static_cast<int32_t>(q * schrittQuer) : schrittLaengs;
    const bool ok = guarded(ctx, [&] {
        RasterSlot quelle = ergebnis;
        SlotCloser schliessen(quelle);
        OeffneLesen(quelle);
        // Rows far apart are read one by one rather than in bands.
        Leseband band(abstand > 1 ? 0 : size_t{1} << 20);
        ctx.setProgress(bild.hoehe, 0);
        for (int32_t r = 0; r < bild.hoehe; ++r) {
            const uint8_t* zeile = band.zeile(ctx, quelle, quellZeile(r));
            uint8_t* ziel = bild.bgr.data() + static_cast<size_t>(r) * static_cast<size_t>(bild.breite) * 3;
            for (int32_t c = 0; c < bild.breite; ++c) {
                const int32_t x = teilung.flip ? c * schrittLaengs : linse(int64_t{c} * schrittQuer);
                std::memcpy(ziel + static_cast<size_t>(c) * 3, zeile + static_cast<size_t>(x) * 3, 3);
            }
            ctx.rowDone(r + 1);
        }
    });
    if (!ok)
        bild = {};
    return ok;
}
