#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "imageio/Datei.h"
#include "imageio/Schreiben.h"
#include "imageio/Tiff.h"
#include "raster/Byte.h"

namespace {

using Sprache::MeldungNr;
using Sprache::Titel;

constexpr uint32_t DatenBeginn = 24;  // the BitsPerSample values follow the two resolutions
constexpr size_t SoftwareLaenge = 16;
constexpr size_t DateTimeLaenge = 20;
constexpr uint32_t IfdEintraege = 16;

// A resolution as numerator and denominator: 10,000ths of a dot per inch.
void aufloesung(Bytes& b, double dpi, bool gueltig)
{
    const double zaehler = std::nearbyint(dpi * 10000.0);
    if (!gueltig) {
        b.u32(300);
        b.u32(1);
    } else if (zaehler <= 4294967295.0) {
        b.u32(static_cast<uint32_t>(zaehler));
        b.u32(10000);
    } else {
        b.u32(static_cast<uint32_t>(std::min(std::nearbyint(dpi), 4294967295.0)));
        b.u32(1);
    }
}

std::string datumZeit()
{
    const std::time_t t = std::time(nullptr);
    std::tm lokal{};
    localtime_r(&t, &lokal);
    char text[32];
    std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &lokal);
    return text;
}

void eintrag(Bytes& b, uint16_t tag, uint16_t typ, uint32_t anzahl, uint32_t wert)
{
    b.u16(tag);
    b.u16(typ);
    b.u32(anzahl);
    if (typ == 3) {
        b.u16(wert);
        b.u16(0);
    } else {
        b.u32(wert);
    }
}

// The layout of the file: header, the BitsPerSample values, the resolutions and
// texts, the pixels in one strip, then the directory.
struct TiffPlan {
    bool cmyk = false;
    uint32_t proPixel = 3;
    uint64_t breite = 0, hoehe = 0, pixelBytes = 0;
    uint32_t pixelBeginn = 0;
    uint64_t ifd = 0;
};

TiffPlan planen(const RasterSlot& von, bool cmyk)
{
    TiffPlan p;
    p.cmyk = cmyk;
    p.proPixel = cmyk ? 4 : 3;
    p.breite = static_cast<uint64_t>(std::max(von.breite, 0));
    p.hoehe = static_cast<uint64_t>(std::max(von.hoehe, 0));
    p.pixelBytes = p.breite * p.hoehe * p.proPixel;
    p.pixelBeginn = DatenBeginn + 2 * p.proPixel + SoftwareLaenge + DateTimeLaenge;
    p.ifd = p.pixelBeginn + p.pixelBytes;
    return p;
}

// Every offset of the file fits 32 bits.
bool passt(const TiffPlan& p)
{
    return p.ifd + 2 + 12 * IfdEintraege + 4 <= 4294967295ULL;
}

Bytes kopf(const TiffPlan& p, double vertikal, double horizontal)
{
    Bytes k;
    k.text("II");
    k.u16(42);
    k.u32(static_cast<uint32_t>(p.ifd));
    const bool gueltig = vertikal > 0 && horizontal > 0 && std::isfinite(vertikal) && std::isfinite(horizontal);
    aufloesung(k, horizontal, gueltig);
    aufloesung(k, vertikal, gueltig);
    for (uint32_t s = 0; s < p.proPixel; ++s)
        k.u16(8);
    // Blank-padded, the last byte the zero that ends every TIFF text.
    std::string software = p.cmyk ? "Lumivex 32" : "Lumivex 4";
    software.resize(SoftwareLaenge - 1, ' ');
    k.text(software);
    k.u8(0);
    k.text(datumZeit());
    k.u8(0);
    return k;
}

Bytes verzeichnis(const TiffPlan& p)
{
    // Wide or tall pictures do not fit a SHORT; they take a LONG.
    const auto masz = [](uint64_t v) { return static_cast<uint16_t>(v > 65535 ? 4 : 3); };
    Bytes b;
    b.u16(IfdEintraege);
    eintrag(b, 254, 4, 1, 0);
    eintrag(b, 256, masz(p.breite), 1, static_cast<uint32_t>(p.breite));
    eintrag(b, 257, masz(p.hoehe), 1, static_cast<uint32_t>(p.hoehe));
    eintrag(b, 258, 3, p.proPixel, DatenBeginn);
    eintrag(b, 259, 3, 1, 1);
    eintrag(b, 262, 3, 1, p.cmyk ? 5 : 2);
    eintrag(b, 273, 4, 1, p.pixelBeginn);
    eintrag(b, 277, 3, 1, p.proPixel);
    eintrag(b, 278, 4, 1, static_cast<uint32_t>(p.hoehe));
    eintrag(b, 279, 4, 1, static_cast<uint32_t>(p.pixelBytes));
    eintrag(b, 282, 5, 1, 8);
    eintrag(b, 283, 5, 1, 16);
    eintrag(b, 284, 3, 1, 1);
    eintrag(b, 296, 3, 1, 2);
    eintrag(b, 305, 2, SoftwareLaenge, DatenBeginn + 2 * p.proPixel);
    eintrag(b, 306, 2, DateTimeLaenge, DatenBeginn + 2 * p.proPixel + SoftwareLaenge);
    b.u32(0);
    return b;
}

bool schreiben(Context& ctx, const std::string& datei, const RasterSlot& von, double vertikal, double horizontal,
               bool cmyk)
{
    const TiffPlan p = planen(von, cmyk);
    if (!passt(p)) {
        ctx.message(Titel::Fehler, Sprache::TiffZuGross);
        return false;
    }
    std::vector<uint8_t> zeile(static_cast<size_t>(p.breite * p.proPixel));
    return RasterDateiSchreiben(ctx, datei, MeldungNr::TifSpeicherFehler, von, kopf(p, vertikal, horizontal).daten,
                                false,
                                [&](const uint8_t* px) {
                                    uint8_t* q = zeile.data();
                                    for (uint64_t x = 0; x < p.breite; ++x, px += 3, q += p.proPixel) {
                                        if (cmyk) {
                                            RGB_to_CMYK(px[2], px[1], px[0], q[0], q[1], q[2], q[3]);
                                        } else {
                                            q[0] = px[2];
                                            q[1] = px[1];
                                            q[2] = px[0];
                                        }
                                    }
                                    return std::span<const uint8_t>(zeile);
                                },
                                verzeichnis(p).daten);
}

}

void RGB_to_CMYK(uint8_t r, uint8_t g, uint8_t b, uint8_t& c, uint8_t& m, uint8_t& y, uint8_t& k)
{
    const int c1 = 255 - r;
    const int m1 = 255 - g;
    const int y1 = 255 - b;
    const int k1 = std::min({c1, m1, y1});
    k = static_cast<uint8_t>(k1);
    if (k1 == 255) {
        c = m = y = 0;
        return;
    }
    const auto kanal = [&](int v) { return roundByte((v - k1) / (255.0 - k1) * 255.0); };
    c = kanal(c1);
    m = kanal(m1);
    y = kanal(y1);
}

bool TIFF_RGB_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle, double vertikal,
                        double horizontal)
{
    return schreiben(ctx, datei, quelle, vertikal, horizontal, false);
}

bool TIFF_CMYK_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle, double vertikal,
                         double horizontal)
{
    return schreiben(ctx, datei, quelle, vertikal, horizontal, true);
}
