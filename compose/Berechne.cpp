#include <string>

#include "compose/Komponisten.h"
#include "compose/Pipeline.h"

namespace {

constexpr int32_t MinPixel = 16;
constexpr int32_t MaxPixel = 99999;

using Sprache::MeldungNr;
using Sprache::Titel;

// Copies the aligned image n into the result.
bool bildKopieren(Programm& p, int n)
{
    ImageEntry& quelle = p.bilder.bild[static_cast<size_t>(n)];
    return guarded(p.ctx, [&] {
        RasterKopieren(p.ctx, quelle.slot[SlotJustiert], p.bilder.ergebnis().slot[SlotErgebnis]);
    });
}

// The print height follows the result's proportions when asked to.
void proportionaleDruckgroesse(Programm& p)
{
    const RasterSlot& r = p.bilder.ergebnis().slot[SlotErgebnis];
    const double verhaeltnis = r.breite > 0 ? static_cast<double>(r.hoehe) / r.breite : 0.0;
    p.druck.breite = p.druck.breiteGesetzt;
    if (p.druck.proportional)
        p.druck.hoehe = p.druck.breite * verhaeltnis;
}

}

void Grenze_Verletzt(Context& ctx, const std::string& fehler, bool zuKlein, const std::string& grenze)
{
    ctx.message(Titel::Fehler, fehler);
    ctx.message(Titel::Information,
                std::string(Sprache::Meldung(zuKlein ? MeldungNr::Minimum : MeldungNr::Maximum)) + grenze);
}

bool Grenze_Pruefen(Context& ctx, double wert, double min, double max, const std::string& vorsatz,
                    Sprache::MeldungNr zuKlein, Sprache::MeldungNr zuGross)
{
    if (wert < min) {
        Grenze_Verletzt(ctx, vorsatz + Sprache::Meldung(zuKlein), true, std::to_string(static_cast<int>(min)));
        return false;
    }
    if (wert > max) {
        Grenze_Verletzt(ctx, vorsatz + Sprache::Meldung(zuGross), false, std::to_string(static_cast<int>(max)));
        return false;
    }
    return true;
}

bool Test_Max1(Programm& p, int n)
{
    const RasterSlot& s = p.bilder.bild[static_cast<size_t>(n)].slot[SlotQuelle];
    const std::string vorsatz = s.name + ": ";
    bool ok = Grenze_Pruefen(p.ctx, s.breite, MinPixel, MaxPixel, vorsatz, MeldungNr::BreiteZuKlein,
                             MeldungNr::BreiteZuGross);
    ok = Grenze_Pruefen(p.ctx, s.hoehe, MinPixel, MaxPixel, vorsatz, MeldungNr::HoeheZuKlein,
                        MeldungNr::HoeheZuGross) && ok;
    return ok;
}

bool Test_MaxAll(Programm& p)
{
    const double f = p.druck.f();
    bool ok = p.bilder.anzahl <= MaxBilder;
    if (!ok)
        Grenze_Verletzt(p.ctx, Sprache::Meldung(MeldungNr::ZuVieleBilder), false, std::to_string(MaxBilder));
    ok = Grenze_Pruefen(p.ctx, p.druck.breite * f, 2, 999, "", MeldungNr::DruckbreiteZuKlein,
                        MeldungNr::DruckbreiteZuGross) && ok;
    ok = Grenze_Pruefen(p.ctx, p.druck.hoehe * f, 2, 999, "", MeldungNr::DruckhoeheZuKlein,
                        MeldungNr::DruckhoeheZuGross) && ok;
    ok = Grenze_Pruefen(p.ctx, p.compose.lpi, 5, 999, "", MeldungNr::LinsenrastertypZuKlein,
                        MeldungNr::LinsenrastertypZuGross) && ok;
    for (int n = 1; n <= p.bilder.anzahl && n <= MaxBilder; ++n)
        ok = Test_Max1(p, n) && ok;
    if (!ok)
        p.ctx.message(Titel::Warnung, MeldungNr::BerechnungAbgebrochen);
    return ok;
}

bool BERECHNE(Programm& p)
{
    Context& ctx = p.ctx;
    ctx.events().setBusyCursor(true);
    if (ctx.state.abort)
        return false;
    p.druck.breite = p.druck.breiteGesetzt;
    p.druck.hoehe = p.druck.hoeheGesetzt;
    const int32_t modus = p.auswahl.vorschau;
    if (modus >= VorschauAnaglyph && modus <= VorschauStreifen && !Test_MaxAll(p)) {
        Abbruch_Behandlung(p);
        return false;
    }
    bool ok = true;
    switch (modus) {
    case VorschauBildL:
    case VorschauBildR: {
        const int n = modus == VorschauBildL ? p.auswahl.bildL : p.auswahl.bildR;
        if (!p.bilder.gueltig(n))
            return false;
        Test_Max1(p, n);
        ok = bildKopieren(p, n);
        if (ok)
            proportionaleDruckgroesse(p);
        break;
    }
    case VorschauAnaglyph:
    case VorschauStereo:
    case VorschauStreifen: {
        const int l = p.auswahl.bildL;
        const int r = p.auswahl.bildR;
        if (!p.bilder.gueltig(l) || !p.bilder.gueltig(r))
            return false;
        if (modus == VorschauAnaglyph) {
            const ComposeSettings& c = p.compose;
            ok = Anaglyph(p, l, r, c.anaglyphSchema, 1 - c.C1 / 100.0, 1 - c.C2 / 100.0, 1 - c.C3 / 100.0);
        } else if (modus == VorschauStreifen) {
            const StreifenSettings& s = p.compose.streifen;
            ok = Streifenbild(p, l, r, s.breite, s.hoehe, s.richtung, s.beginn);
        } else {
            ok = Stereobild(p, l, r);
        }
        if (!ok)
            break;
        if (modus == VorschauStereo) {
            p.druck.breite = p.compose.stereo.xr / 10.0 / p.druck.f();
            p.druck.hoehe = p.compose.stereo.yr / 10.0 / p.druck.f();
        } else {
            proportionaleDruckgroesse(p);
        }
        break;
    }
    case VorschauLinsenraster:
        ok = Linsenraster_Angepasst(p);
        break;
    default:
        ctx.display().clearPreview();
        return false;
    }
    if (!ok || ctx.state.abort) {
        Abbruch_Behandlung(p);
        return false;
    }
    if (p.druck.seitenverkehrt)
        guarded(ctx, [&] { Spiegeln(ctx, p.bilder.ergebnis().slot[SlotErgebnis]); });
    if (!ctx.state.abort) {
        ZOOM_Anpassen(p);
        return true;
    }
    Abbruch_Behandlung(p);
    return false;
}
