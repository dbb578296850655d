#include "imageio/Mpo.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "imageio/Datei.h"
#include "imageio/Grenzen.h"
#include "imageio/Jpeg.h"
#include "imageio/Schreiben.h"

namespace {

const char* markerName(uint8_t m)
{
    switch (m) {
    case 0xE0: return "JFIF";
    case 0xE1: return "EXIF";
    case 0xDB: return "DQT ";
    case 0xC0: return "SOF0";
    case 0xC4: return "SOF4";
    case 0xE2: return "APP2";
    case 0xDD: return "DD??";
    case 0xD8: return "SOI ";
    case 0xDA: return "SOS ";
    case 0xD9: return "EOI ";
    default: return "????";
    }
}

std::string hex(uint64_t wert, int stellen)
{
    char text[24];
    std::snprintf(text, sizeof text, "%0*llX", stellen, static_cast<unsigned long long>(wert));
    return text;
}

// The listing line of a marker at index pos (positions are shown counting from 1).
std::string markerZeile(uint8_t m, size_t pos)
{
    const unsigned code = 0xFF00u | m;
    return std::to_string(code) + " $" + hex(code, 4) + " " + markerName(m) + "  Pos: " + std::to_string(pos + 1);
}

bool standalone(uint8_t m)
{
    return m == 0xD8 || m == 0x01 || (m >= 0xD0 && m <= 0xD7);
}

// In entropy-coded data a 0xFF is followed by a stuffed zero, a restart marker
// or fill bytes; anything else is the next marker. Returns its index, or the size.
size_t naechsterMarker(const std::vector<uint8_t>& d, size_t p)
{
    for (; p + 1 < d.size(); ++p) {
        if (d[p] != 0xFF)
            continue;
        const uint8_t m = d[p + 1];
        if (m != 0x00 && m != 0xFF && !(m >= 0xD0 && m <= 0xD7))
            return p;
    }
    return d.size();
}

bool teilSchreiben(const Files& files, const std::string& pfad, const std::vector<uint8_t>& d, size_t von, size_t bis)
{
    ZielDatei ziel(files, pfad);
    return ziel.schreiben(d.data() + von, bis - von) && ziel.fertig();
}

}

MpoErgebnis MPO_Zerlegen(const Files& files, const std::string& datei, const std::string& basis, const std::string& spur,
                         std::vector<std::string>* liste, int maxTeile)
{
    MpoErgebnis e;
    std::vector<std::string> zeilen;
    std::vector<std::string> teile;
    std::vector<uint8_t> d;
    bool fehler = false;
    if (DateiLesen(datei, d, LeseGrenzen().maxMpoBytes) && d.size() >= 2 && d[0] == 0xFF && d[1] == 0xD8) {
        size_t start = 0;
        size_t next = 0;
        while (next + 1 < d.size() && e.anzahl < maxTeile && d[next] == 0xFF) {
            const uint8_t m = d[next + 1];
            if (m == 0xFF) {  // a fill byte before a marker
                ++next;
                continue;
            }
            std::string zeile = markerZeile(m, next);
            const size_t laengeAn = next + 2;
            if (standalone(m)) {
                zeilen.push_back(zeile);
                next = laengeAn;
                continue;
            }
            // An end of image before any scan data, or a length that does not fit, ends the walk.
            if (m == 0xD9 || laengeAn + 2 > d.size()) {
                zeilen.push_back(zeile);
                break;
            }
            const size_t laenge = be16(&d[laengeAn]);
            zeile += "  Länge: " + std::to_string(laenge) + "  Ziel: " + std::to_string(laengeAn + laenge + 1);
            zeilen.push_back(zeile);
            if (laenge < 2 || laengeAn + laenge > d.size())
                break;
            next = laengeAn + laenge;
            if (m != 0xDA)
                continue;
            const size_t p = naechsterMarker(d, next);
            if (p >= d.size())
                break;
            if (d[p + 1] != 0xD9) {  // the next scan of a progressive picture, or its tables
                next = p;
                continue;
            }
            zeilen.push_back(markerZeile(0xD9, p));
            ++e.anzahl;
            const std::string teil = basis + "_" + std::to_string(e.anzahl) + ".JPG";
            zeilen.push_back(std::to_string(e.anzahl) + ". Datei wird geschrieben ...");
            if (!teilSchreiben(files, teil, d, start, p + 2)) {
                fehler = true;
                break;
            }
            teile.push_back(teil);
            zeilen.push_back("  Datei fertig ...Weiter: $ " + hex(p + 3, 4));
            // Padding may stand between one picture's end and the next one's start.
            size_t q = p + 2;
            while (q + 1 < d.size() && !(d[q] == 0xFF && d[q + 1] == 0xD8))
                ++q;
            if (q + 1 >= d.size())
                break;
            start = q;
            next = q;
        }
    }
    if (fehler) {
        std::error_code ec;
        for (const std::string& t : teile)
            std::filesystem::remove(t, ec);
        e.anzahl = 0;
    }
    e.ok = e.anzahl > 0;
    if (!spur.empty())
        SpurSchreiben(files, spur, zeilen);
    if (liste)
        liste->insert(liste->end(), zeilen.begin(), zeilen.end());
    return e;
}

namespace {

constexpr uint32_t Disparitaet = 0x020002;  // multi-frame image, disparity type
constexpr uint32_t Repraesentativ = 0x20000000;
constexpr size_t MpKopfAb = 4;  // the MP header follows "MPF\0"
constexpr size_t EintraegeAb = MpKopfAb + 8 + 2 + 3 * 12 + 4;

void ifdEintrag(Bytes& b, uint16_t tag, uint16_t typ, uint32_t anzahl, uint32_t wert)
{
    b.u16(tag);
    b.u16(typ);
    b.u32(anzahl);
    b.u32(wert);
}

void version(Bytes& b)
{
    b.u16(0xB000);
    b.u16(7);
    b.u32(4);
    b.text("0100");
}

// The attribute directory of image nummer.
void attribute(Bytes& b, uint32_t nummer)
{
    b.u16(3);
    version(b);
    ifdEintrag(b, 0xB101, 4, 1, nummer);  // MPIndividualNum
    ifdEintrag(b, 0xB204, 4, 1, 1);       // BaseViewpointNum: the left image
    b.u32(0);
}

Bytes mpKopf()
{
    Bytes b;
    b.text(std::string("MPF\0", 4));
    b.text("II");
    b.u16(42);
    b.u32(8);
    return b;
}

// The APP2 of the first image: MP index with both entries (sizes and the
// second offset patched once known), then the first image's attributes.
Bytes indexSegment()
{
    Bytes b = mpKopf();
    b.u16(3);
    version(b);
    ifdEintrag(b, 0xB001, 4, 1, 2);                                                // NumberOfImages
    ifdEintrag(b, 0xB002, 7, 32, static_cast<uint32_t>(EintraegeAb - MpKopfAb));  // MPEntry
    b.u32(static_cast<uint32_t>(EintraegeAb + 32 - MpKopfAb));                    // the attribute directory
    b.u32(Repraesentativ | Disparitaet);
    b.u32(0);
    b.u32(0);
    b.u16(0);
    b.u16(0);
    b.u32(Disparitaet);
    b.u32(0);
    b.u32(0);
    b.u16(0);
    b.u16(0);
    attribute(b, 1);
    return b;
}

// Where the APP2 segment written after the JFIF header starts its payload.
bool segmentFinden(ZielDatei& ziel, uint64_t bildBeginn, const std::vector<uint8_t>& payload, uint64_t& at)
{
    std::vector<uint8_t> kopf(256);
    const uint64_t ende = ziel.position();
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kopf.size(), ende - bildBeginn));
    kopf.resize(n);
    if (!ziel.lesenAn(bildBeginn, kopf.data(), n))
        return false;
    for (size_t i = 0; i + 4 + 8 <= n; ++i) {
        if (kopf[i] == 0xFF && kopf[i + 1] == 0xE2 && std::equal(payload.begin(), payload.begin() + 8, &kopf[i + 4])) {
            at = bildBeginn + i + 4;
            return true;
        }
    }
    return false;
}

}

bool MPO_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& links, const RasterSlot& rechts)
{
    Bytes index = indexSegment();
    Bytes zweites = mpKopf();
    attribute(zweites, 2);
    return DateiSchreiben(ctx, datei, Sprache::MeldungNr::DateiSpeicherFehler, [&](ZielDatei& ziel) {
        if (!JPEG_Kodieren(ctx, links, ziel.datei(), index.daten))
            return false;
        const uint64_t groesse1 = ziel.position();
        if (!JPEG_Kodieren(ctx, rechts, ziel.datei(), zweites.daten))
            return false;
        const uint64_t groesse2 = ziel.position() - groesse1;
        uint64_t segment = 0;
        if (!segmentFinden(ziel, 0, index.daten, segment) || ziel.position() > UINT32_MAX)
            return false;
        const uint64_t mpKopfPos = segment + MpKopfAb;
        index.u32An(EintraegeAb + 4, static_cast<uint32_t>(groesse1));
        index.u32An(EintraegeAb + 16 + 4, static_cast<uint32_t>(groesse2));
        index.u32An(EintraegeAb + 16 + 8, static_cast<uint32_t>(groesse1 - mpKopfPos));
        return ziel.schreibenAn(segment, index.daten.data(), index.size());
    });
}
