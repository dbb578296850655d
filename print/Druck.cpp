#include "print/Druck.h"

#include <algorithm>
#include <cstring>

#include "compose/Hilfen.h"
#include "core/Format.h"
#include "raster/RasterImage.h"

namespace {

constexpr int32_t KachelKante = 1500;
constexpr int64_t BandPixel = 2'500'000;

// The last index of tiles of length kachel over laenge pixels.
int32_t letzteKachel(int32_t laenge, int32_t kachel)
{
    const int32_t n = laenge / kachel;
    return std::max(0, laenge % kachel == 0 ? n - 1 : n);
}

// Band thickness of a kind-1 or kind-2 print: at least one row, also beyond 2,500,000 pixels across.
int32_t bandDicke(int32_t quer)
{
    return static_cast<int32_t>(std::max<int64_t>(1, BandPixel / std::max(quer, 1)));
}

// An image number as the L and R lists show it.
std::string bildNummer(const Programm& p, int n)
{
    return p.bilder.gueltig(n) ? formatInt(n, 3) : std::string();
}

std::string zahl(double wert)
{
    return formatShortest(wert);
}

std::string ganz(double wert)
{
    return std::to_string(roundEven(wert));
}

void infosDrucken(const Programm& p, Printers& drucker, const Geraet& g, const Bildlage& b, int32_t breite,
                  int32_t hoehe)
{
    const int64_t zeile = g.zeilenhoehe(9);
    const int64_t x = std::max<int64_t>(0, roundEven(b.links * g.dpcmX));
    const int64_t y0 = std::max<int64_t>(0, roundEven((b.oben + b.hoehe) * g.dpcmY));
    drucker.setFont("Courier New", 9);
    const std::vector<std::string> zeilen = Druckinfos(p, breite, hoehe, g, Druckername(drucker));
    for (size_t i = 0; i < zeilen.size(); ++i)
        if (!zeilen[i].empty() && !drucker.drawText(x, y0 + static_cast<int64_t>(i + 1) * zeile, zeilen[i]))
            throw Abbruch{};
}

}

Kachelung Kacheln(int32_t breite, int32_t hoehe, int art)
{
    Kachelung k{breite, hoehe, 0, 0};
    if (breite > KachelKante || hoehe > KachelKante) {
        if (art == 1) {
            k.hoehe = bandDicke(breite);
        } else if (art == 2) {
            k.breite = bandDicke(hoehe);
        } else {
            k.breite = KachelKante;
            k.hoehe = KachelKante;
        }
    }
    k.breite = std::max(k.breite, 1);
    k.hoehe = std::max(k.hoehe, 1);
    k.nx = letzteKachel(breite, k.breite);
    k.ny = letzteKachel(hoehe, k.hoehe);
    return k;
}

int64_t Geraet::x(double cm) const
{
    return roundEven((cm - versatzX) * dpcmX);
}

int64_t Geraet::y(double cm) const
{
    return roundEven((cm - versatzY) * dpcmY);
}

int64_t Geraet::zeilenhoehe(int punkte) const
{
    return roundEven(punkte * dpcmY * 2.54 / 72 * 1.2);
}

Geraet Geraet_Abfragen(const Printers& drucker)
{
    if (drucker.dpiX() <= 0 || drucker.dpiY() <= 0)
        throw Abbruch{};
    Geraet g;
    g.dpcmX = drucker.dpiX() / 2.54;
    g.dpcmY = drucker.dpiY() / 2.54;
    g.versatzX = drucker.offsetX() / g.dpcmX;
    g.versatzY = drucker.offsetY() / g.dpcmY;
    g.seitenbreite = drucker.pageWidth();
    return g;
}

std::string Druckername(const Printers& drucker)
{
    const std::vector<std::string> namen = drucker.names();
    const int i = drucker.current();
    return i >= 0 && static_cast<size_t>(i) < namen.size() ? namen[static_cast<size_t>(i)] : std::string();
}

Bildlage Bildlage_Berechnen(const PrintSettings& d, const Geraet& g)
{
    const double f = d.f();
    return {d.randX * f - g.versatzX, d.randY * f - g.versatzY, d.breite * f, d.hoehe * f};
}

DeviceRect Kachelrechteck(const Geraet& g, const Bildlage& b, int32_t breite, int32_t hoehe, int32_t x0,
                          int32_t y0, int32_t x1, int32_t y1)
{
    const double sx = b.breite / breite;
    const double sy = b.hoehe / hoehe;
    return {roundEven((b.links + x0 * sx) * g.dpcmX), roundEven((b.oben + y0 * sy) * g.dpcmY),
            roundEven((b.links + (x1 + 1) * sx) * g.dpcmX), roundEven((b.oben + (y1 + 1) * sy) * g.dpcmY)};
}

std::vector<std::string> Druckinfos(const Programm& p, int32_t breite, int32_t hoehe, const Geraet& g,
                                    const std::string& drucker)
{
    using Sprache::Druckinfo;
    const PrintSettings& d = p.druck;
    const AppState& st = p.ctx.state;
    std::vector<std::string> z;
    z.push_back(Druckinfo[0] + (st.projectFile.empty() ? std::string(Sprache::KeineProjektdatei) : st.projectFile));
    z.push_back(Druckinfo[1] + zahl(p.compose.lpi));
    z.push_back(Druckinfo[2] + std::string(Sprache::VorschauModi[std::clamp(p.auswahl.vorschau, 0, 6)]));
    z.push_back(Druckinfo[3] + std::string(Sprache::Tafel::Richtung3DFlip[p.compose.Linsenrichtung == 1 ? 1 : 0]));
    z.push_back(Druckinfo[4] + bildNummer(p, p.auswahl.bildL) + " / " + bildNummer(p, p.auswahl.bildR));
    z.emplace_back();
    z.push_back(Druckinfo[5] + std::to_string(p.bilder.anzahl));
    z.push_back(Druckinfo[6] + std::to_string(breite) + " * " + std::to_string(hoehe));
    z.push_back(Druckinfo[7]);
    for (int i = 1; i <= p.bilder.anzahl; ++i) {
        const ImageEntry& e = p.bilder.bild[static_cast<size_t>(i)];
        const RasterSlot& q = e.slot[SlotQuelle];
        z.push_back("  " + std::to_string(i) + ". Bild " + std::to_string(q.breite) + "*" + std::to_string(q.hoehe)
                    + " x:" + zahl(e.dx) + " y:" + zahl(e.dy) + " rot:" + zahl(e.rot) + " scale:" + zahl(e.skal)
                    + ", " + q.name);
    }
    z.emplace_back();
    z.push_back(Druckinfo[8] + drucker);
    const double f = d.f();
    z.push_back(Druckinfo[9] + ganz(breite / d.breite * 2.54 / f) + " * " + ganz(hoehe / d.hoehe * 2.54 / f));
    z.push_back(Druckinfo[10] + ganz(2.54 * g.dpcmX) + " * " + ganz(2.54 * g.dpcmY));
    z.push_back(Druckinfo[11] + zahl(d.randX) + " * " + zahl(d.randY));
    z.push_back(Druckinfo[12] + zahl(d.breite) + " * " + zahl(d.hoehe));
    return z;
}

bool Druckroutine(Programm& p, Printers& drucker, const RasterSlot& raster, int art)
{
    Context& ctx = p.ctx;
    if (ctx.state.abort)
        return false;
    const int32_t breite = raster.breite;
    const int32_t hoehe = raster.hoehe;
    const Kachelung k = Kacheln(breite, hoehe, art);
    return guarded(ctx, [&] {
        Dokument dokument(drucker);
        if (!dokument.offen())
            throw Abbruch{};
        const Geraet g = Geraet_Abfragen(drucker);
        const Bildlage b = Bildlage_Berechnen(p.druck, g);
        // A handle of its own: the slot may stay open for others meanwhile.
        RasterSlot quelle = raster;
        quelle.datei.reset();
        OeffneLesen(quelle);
        const SlotCloser schliessen(quelle);
        ctx.setProgress(k.ny + 1, 0);
        PrintImage kachel;
        Zeile zeile;
        for (int32_t r = 0; r <= k.ny; ++r) {
            for (int32_t c = 0; c <= k.nx; ++c) {
                const int32_t x0 = c * k.breite;
                const int32_t x1 = std::min(x0 + k.breite - 1, breite - 1);
                const int32_t y0 = r * k.hoehe;
                const int32_t y1 = std::min(y0 + k.hoehe - 1, hoehe - 1);
                kachel.width = x1 - x0 + 1;
                kachel.height = y1 - y0 + 1;
                const size_t bytes = 3 * static_cast<size_t>(kachel.width);
                kachel.bgr.resize(bytes * static_cast<size_t>(kachel.height));
                for (int32_t y = y0; y <= y1; ++y) {
                    const uint8_t* q = LeseZeile(ctx, quelle, y, zeile) + 3 * int64_t{x0};
                    std::memcpy(kachel.bgr.data() + static_cast<size_t>(y - y0) * bytes, q, bytes);
                    ctx.throwIfAborted();
                }
                if (!drucker.drawImage(kachel, Kachelrechteck(g, b, breite, hoehe, x0, y0, x1, y1)))
                    throw Abbruch{};
            }
            ctx.rowDone(r + 1);
        }
        if (p.druck.druckInfos)
            infosDrucken(p, drucker, g, b, breite, hoehe);
        if (!dokument.beenden())
            throw Abbruch{};
    });
}
