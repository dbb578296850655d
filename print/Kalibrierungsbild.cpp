#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "compose/Hilfen.h"
#include "core/Format.h"
#include "print/Kalibrierung.h"
#include "raster/Drehen.h"
#include "raster/RasterImage.h"

namespace {

const Farbe Rot{255, 0, 0};
const Farbe Cyan{0, 255, 255};
const Farbe Weiss{255, 255, 255};
const Farbe Schwarz{0, 0, 0};

// Grey values below this are the text itself; the rest of a label's box is lightened.
constexpr uint8_t TextGrau = 128;
constexpr int Aufhellung = 150;
constexpr int MinTextHoehe = 8;

// A rendered text and where its top-left corner lies in the image.
struct Beschriftung {
    int64_t x = 0, y = 0;
    GreyImage text;
};

// Lays a text over row y: its dark pixels are copied, the rest of the box is lightened.
void auflegen(const Beschriftung& b, int64_t y, int64_t breite, uint8_t* zeile)
{
    const int64_t r = y - b.y;
    if (r < 0 || r >= b.text.height)
        return;
    const uint8_t* grau = b.text.pixels.data() + r * b.text.width;
    for (int64_t i = std::max<int64_t>(0, -b.x); i < b.text.width && b.x + i < breite; ++i) {
        uint8_t* px = zeile + 3 * (b.x + i);
        if (grau[i] < TextGrau)
            px[0] = px[1] = px[2] = grau[i];
        else
            for (int k = 0; k < 3; ++k)
                px[k] = clampByte(px[k] + Aufhellung);
    }
}

// The first row of stripe s.
int64_t streifenAnfang(int64_t s, int64_t hoehe, int32_t streifen)
{
    return (s * hoehe + streifen - 1) / streifen;
}

std::vector<std::string> informationen(const KalibBild& k, const KalibErgebnis& e)
{
    const double cmB = e.exakteBreite * k.f();
    const double cmH = e.exakteHoehe * k.f();
    const auto paar = [](double a, double b, int stellen) {
        return formatFixed(a, 7, stellen) + " x " + formatFixed(b, 7, stellen);
    };
    return {paar(cmB, cmH, 3) + " cm",
            paar(cmB / 2.54, cmH / 2.54, 3) + " inch",
            std::to_string(e.breite) + " x " + std::to_string(e.hoehe) + " pixel",
            paar(e.dpiX, e.dpiY, 2) + " dpi",
            Sprache::KalibLinsen + std::to_string(e.linsen),
            Sprache::KalibBilderPixel + std::to_string(k.bilder) + Sprache::KalibPixelProLinse
                + std::to_string(e.pixelProLinse),
            std::string(Sprache::Produkttitel) + Sprache::KalibTitel};
}

// The label of stripe s at its left end, its information line at its right end.
std::vector<Beschriftung> beschriften(Context& ctx, const KalibBild& k, const KalibErgebnis& e,
                                      const std::vector<std::string>& infos, int64_t s, double lpiStreifen)
{
    const int32_t streifen = std::max(k.streifen, 1);
    const int64_t oben = streifenAnfang(s, e.hoehe, streifen);
    const int64_t zeilen = streifenAnfang(s + 1, e.hoehe, streifen) - oben;
    const auto hoehe = static_cast<int>(std::min<int64_t>(zeilen * 6 / 10, 1000));
    std::vector<Beschriftung> b;
    if (!k.beschriftung || hoehe < MinTextHoehe)
        return b;
    const int64_t rand = 2 * int64_t{e.pixelProLinse};
    const auto setzen = [&](const std::string& text, bool rechts) {
        GreyImage g = ctx.textRaster().render(text, "Arial", hoehe);
        if (g.width <= 0 || g.height <= 0 || g.pixels.size() != static_cast<size_t>(g.width) * g.height)
            return;
        const int64_t x = rechts ? e.breite - rand - g.width : rand;
        b.push_back({x, oben + (zeilen - g.height) / 2, std::move(g)});
    };
    setzen(formatFixed(lpiStreifen, 7, 3) + " lpi", false);
    if (static_cast<size_t>(s) < infos.size())
        setzen(infos[static_cast<size_t>(s)], true);
    return b;
}

// Red and cyan halves of one lens and a white lens at both ends of the row.
void endmarken(uint8_t* zeile, int64_t breite, int64_t linse)
{
    for (int64_t x = 0; x < std::min(2 * linse, breite); ++x) {
        Farbe farbe = Weiss;
        if (x < linse / 2)
            farbe = Rot;
        else if (x < linse && !(linse % 2 == 1 && x == linse / 2))
            farbe = Cyan;
        for (int64_t ziel : {x, breite - 1 - x})
            ZeileFuellen(zeile, static_cast<int32_t>(ziel), static_cast<int32_t>(ziel + 1), farbe);
    }
}

bool vielfaches(double wert, double von)
{
    const double q = wert / von;
    return std::fabs(q - std::round(q)) < 1e-6;
}

void streifenSchreiben(Context& ctx, const KalibBild& k, const KalibErgebnis& e, const std::vector<uint8_t>& referenz,
                       const RasterSlot& ziel)
{
    const int64_t breite = e.breite;
    const int64_t hoehe = e.hoehe;
    const int64_t linse = e.pixelProLinse;
    const int32_t streifen = std::max(k.streifen, 1);
    // The dimension runs are 1 cm (10-lpi lines) and 0.5 cm (5-lpi lines) long.
    const int64_t lauf10 = roundEven(e.dpiX / 2.54);
    const int64_t lauf5 = roundEven(0.5 * e.dpiX / 2.54);
    const std::vector<std::string> infos = informationen(k, e);
    Schreibband schreiben;
    int64_t aktuell = -1;
    double lpiStreifen = 0;
    int64_t lauf = 0;
    std::vector<Beschriftung> texte;
    ctx.setProgress(static_cast<int32_t>(hoehe - 1), 0);
    for (int64_t y = 0; y < hoehe; ++y) {
        const int64_t s = y * streifen / hoehe;
        if (s != aktuell) {
            aktuell = s;
            lpiStreifen = k.lpi + static_cast<double>(s - streifen / 2) * k.schritt;
            lauf = 0;
            if (lpiStreifen > 0 && k.bemassung5 && vielfaches(lpiStreifen, 5))
                lauf = lauf5;
            if (lpiStreifen > 0 && k.bemassung10 && vielfaches(lpiStreifen, 10))
                lauf = lauf10;
            texte = beschriften(ctx, k, e, infos, s, lpiStreifen);
        }
        uint8_t* zeile = schreiben.zeile(ctx, ziel, static_cast<int32_t>(y));
        std::memset(zeile, 255, static_cast<size_t>(3 * breite));
        if (lpiStreifen > 0)
            Streifenzeile(referenz, breite, lpiStreifen, k.lpi, k.methode == 1, zeile);
        endmarken(zeile, breite, linse);
        ZeileFuellen(zeile, 0, static_cast<int32_t>(std::min(lauf, breite)), Schwarz);
        if (y < linse || y >= hoehe - linse)
            ZeileFuellen(zeile, 0, static_cast<int32_t>(breite), Schwarz);
        for (const Beschriftung& b : texte)
            auflegen(b, y, breite, zeile);
        ctx.rowDone(static_cast<int32_t>(y));
    }
}

}

int Kalibrierungsbild(Programm& p, const KalibBild& k, KalibErgebnis& e)
{
    Context& ctx = p.ctx;
    ImageEntry& ergebnis = p.bilder.ergebnis();
    int slot = -1;
    guarded(ctx, [&] {
        setPhase(ctx, "K1");
        const std::vector<Farbe> farben = Kalib_Farben(k.bilder, k.weiss);
        setPhase(ctx, "K2");
        e = Kalib_Geometrie(k);
        RasterSlot& bild = ergebnis.slot[SlotKalibrierung];
        bild.breite = rasterLength(ctx, e.breite);
        bild.hoehe = rasterLength(ctx, e.hoehe);
        if (bild.breite < 1 || bild.hoehe < 1)
            throw Abbruch{};
        // The raster's limits are checked before the reference row is allocated.
        setPhase(ctx, "K3");
        if (RasterAnlegenUeberschreiben(ctx, bild) != Angelegt::Ok)
            throw Abbruch{};
        setPhase(ctx, "K4");
        const std::vector<uint8_t> referenz = Referenzzeile(e, farben);
        {
            OeffneSchreiben(bild);
            const SlotCloser schliessen(bild);
            setPhase(ctx, "K5");
            streifenSchreiben(ctx, k, e, referenz, bild);
        }
        slot = SlotKalibrierung;
        if (k.richtung == 1) {
            setPhase(ctx, "KB");
            Vierteldrehung(ctx, bild, ergebnis.slot[SlotKalibGedreht]);
            slot = SlotKalibGedreht;
        }
    });
    return ctx.state.abort ? -1 : slot;
}
