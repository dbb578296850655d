#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "raster/RasterImage.h"
#include "raster/Stapel.h"

namespace {

// The colour reduction towards each pixel's grey value, as tables per channel
// indexed by grey value and channel value.
class Reduktion {
public:
    Reduktion(double c1, double c2, double c3)
        : aktiv_(!(c1 == 1.0 && c2 == 1.0 && c3 == 1.0)), grau_(c1 <= 0.0 && c2 <= 0.0 && c3 <= 0.0)
    {
        if (!aktiv_ || grau_)
            return;
        const double c[3] = {c3, c2, c1};  // blue, green, red as the pixels hold them
        tabelle_.resize(3 * 256 * 256);
        for (size_t k = 0; k < 3; ++k)
            for (int g = 0; g < 256; ++g)
                for (int v = 0; v < 256; ++v)
                    tabelle_[(k * 256 + static_cast<size_t>(g)) * 256 + static_cast<size_t>(v)] =
                        roundByte((v - g) * c[k] + g);
    }

    bool aktiv() const { return aktiv_; }

    void anwenden(uint8_t* px, int64_t anzahl) const
    {
        for (uint8_t* end = px + 3 * anzahl; px < end; px += 3) {
            const int g = (30 * px[2] + 59 * px[1] + 11 * px[0]) / 100;
            if (grau_) {
                px[0] = px[1] = px[2] = static_cast<uint8_t>(g);
                continue;
            }
            for (size_t k = 0; k < 3; ++k)
                px[k] = tabelle_[(k * 256 + static_cast<size_t>(g)) * 256 + px[k]];
        }
    }

private:
    bool aktiv_;
    bool grau_;
    std::vector<uint8_t> tabelle_;
};

// One source row at the result's width: the image's pixels, the background beyond them.
void holeZeile(Context& ctx, const RasterSlot& bild, int32_t y, int32_t breite, const Farbe& hintergrund,
               Leseband& band, uint8_t* ziel)
{
    int32_t gefuellt = 0;
    if (y < bild.hoehe) {
        gefuellt = std::min(bild.breite, breite);
        std::memcpy(ziel, band.zeile(ctx, bild, y), 3 * static_cast<size_t>(gefuellt));
    }
    ZeileFuellen(ziel, gefuellt, breite, hintergrund);
}

// Red, green, blue of the result from the left (l) and right (r) pixel, each blue, green, red.
template <int Schema>
void mische(const uint8_t* l, const uint8_t* r, uint8_t* out, int32_t breite)
{
    for (int32_t x = 0; x < breite; ++x, l += 3, r += 3, out += 3) {
        int rot = 0, gruen = 0, blau = 0;
        if constexpr (Schema == 0) {
            rot = l[2];
            gruen = l[1];
            blau = roundByte(0.15 * r[2] + 0.15 * r[1] + 0.7 * r[0]);
        } else if constexpr (Schema == 1) {
            rot = l[2];
            gruen = r[1];
            blau = r[0];
        } else if constexpr (Schema == 2) {
            rot = clampByte((437 * l[2] + 449 * l[1] + 164 * l[0] - 11 * r[2] - 32 * r[1] - 7 * r[0]) / 1000);
            gruen = clampByte((-62 * l[2] - 62 * l[1] - 24 * l[0] + 377 * r[2] + 761 * r[1] + 9 * r[0]) / 1000);
            blau = clampByte((-48 * l[2] - 50 * l[1] - 17 * l[0] - 26 * r[2] - 93 * r[1] + 1234 * r[0]) / 1000);
        } else if constexpr (Schema == 3) {
            rot = l[2];
            blau = r[0];
        } else if constexpr (Schema == 4) {
            rot = l[2];
            gruen = r[1];
        } else if constexpr (Schema == 5) {
            rot = r[2];
            gruen = l[1];
            blau = r[0];
        } else {
            gruen = l[1];
            blau = r[0];
        }
        out[0] = static_cast<uint8_t>(blau);
        out[1] = static_cast<uint8_t>(gruen);
        out[2] = static_cast<uint8_t>(rot);
    }
}

using Mischer = void (*)(const uint8_t*, const uint8_t*, uint8_t*, int32_t);
constexpr std::array<Mischer, 7> mischer{mische<0>, mische<1>, mische<2>, mische<3>, mische<4>, mische<5>, mische<6>};

void anaglyph(Programm& p, int links, int rechts, int schema, double c1, double c2, double c3)
{
    Context& ctx = p.ctx;
    if (!p.bilder.gueltig(links) || !p.bilder.gueltig(rechts) || schema < 0 || schema > 6)
        throw Abbruch{};
    setPhase(ctx, "A");
    ctx.setProgress(1, 0);
    const Groesse g = p.bilder.Ermittle_MaxDim();
    RasterSlot& ziel = p.bilder.ergebnis().slot[SlotErgebnis];
    // Every row is mixed in full, the background standing in beyond a smaller image.
    LegeRasterAn(ctx, ziel, g.breite, g.hoehe, Anlage::Ueberschreiben);
    const bool einBild = links == rechts;
    RasterSlot l = p.bilder.bild[static_cast<size_t>(links)].slot[SlotJustiert];
    RasterSlot r = p.bilder.bild[static_cast<size_t>(rechts)].slot[SlotJustiert];
    OeffneLesen(l);
    if (!einBild)
        OeffneLesen(r);
    SlotCloser schliessen(ziel);
    OeffneSchreiben(ziel);
    // ColorCode uses the full colours of both images.
    const Reduktion reduktion(schema == 0 ? 1.0 : c1, schema == 0 ? 1.0 : c2, schema == 0 ? 1.0 : c3);
    const Farbe& hintergrund = p.compose.Hintergrundfarbe;
    // Rows are read and written by the calling thread; it and a helper mix each batch in between.
    const auto bytes = 3 * static_cast<size_t>(g.breite);
    constexpr int32_t Stapel = 32;
    struct Puffer {
        std::vector<uint8_t> l, r, aus;
    };
    Puffer puffer[2];
    for (Puffer& b : puffer) {
        b.l.resize(Stapel * bytes);
        b.r.resize(einBild ? 0 : Stapel * bytes);
        b.aus.resize(Stapel * bytes);
    }
    const auto zeile = [&](std::vector<uint8_t>& v, int32_t i) { return v.data() + bytes * static_cast<size_t>(i); };
    Leseband bandL, bandR;
    Schreibband bandZiel;
    ctx.setProgress(g.hoehe - 1, 0);
    inBatches(
        g.hoehe, Stapel,
        [&](int32_t y0, int32_t anzahl, int set) {
            for (int32_t i = 0; i < anzahl; ++i) {
                holeZeile(ctx, l, y0 + i, g.breite, hintergrund, bandL, zeile(puffer[set].l, i));
                if (!einBild)
                    holeZeile(ctx, r, y0 + i, g.breite, hintergrund, bandR, zeile(puffer[set].r, i));
            }
        },
        [&](int32_t, int set, int32_t i) {
            uint8_t* zl = zeile(puffer[set].l, i);
            uint8_t* zr = einBild ? zl : zeile(puffer[set].r, i);
            if (reduktion.aktiv()) {
                reduktion.anwenden(zl, g.breite);
                if (!einBild)
                    reduktion.anwenden(zr, g.breite);
            }
            mischer[static_cast<size_t>(schema)](zl, zr, zeile(puffer[set].aus, i), g.breite);
        },
        [&](int32_t y0, int32_t anzahl, int set) {
            for (int32_t i = 0; i < anzahl; ++i) {
                std::memcpy(bandZiel.zeile(ctx, ziel, y0 + i), zeile(puffer[set].aus, i), bytes);
                ctx.rowDone(y0 + i);
            }
        });
    bandZiel.schreiben();
}

}

bool Anaglyph(Programm& p, int links, int rechts, int schema, double c1, double c2, double c3)
{
    if (p.ctx.state.abort)
        return false;
    return guarded(p.ctx, [&] { anaglyph(p, links, rechts, schema, c1, c2, c3); });
}
