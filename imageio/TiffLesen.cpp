#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "imageio/Arbeitskopie.h"
#include "imageio/Datei.h"
#include "imageio/Tiff.h"
#include "raster/Byte.h"

namespace {

using Sprache::Titel;

using enum Sprache::MeldungNr;

// Longest Software text taken; a longer count is cut.
constexpr uint32_t MaxTextLaenge = 4096;

class TiffDatei {
public:
    TiffDatei(const std::string& pfad) : f_(pfad) {}
    bool intel = true;

    uint64_t groesse() const { return f_.groesse(); }
    bool offen() const { return f_.offen(); }
    bool lesen(uint64_t at, void* p, size_t n) const { return f_.lesen(at, p, n); }
    uint16_t u16(const uint8_t* p) const { return intel ? le16(p) : be16(p); }
    uint32_t u32(const uint8_t* p) const { return intel ? le32(p) : be32(p); }
    // A SHORT or LONG at offset at, as wide as v.
    template <class Zahl>
    bool zahlAn(uint64_t at, Zahl& v) const
    {
        static_assert(sizeof(Zahl) == 2 || sizeof(Zahl) == 4);
        uint8_t b[sizeof(Zahl)];
        if (!lesen(at, b, sizeof b))
            return false;
        if constexpr (sizeof(Zahl) == 2)
            v = u16(b);
        else
            v = u32(b);
        return true;
    }

private:
    LeseDatei f_;
};

struct Eintrag {
    uint16_t tag = 0;
    uint16_t typ = 0;
    uint32_t anzahl = 0;
    uint32_t wert = 0;        // a single SHORT or LONG, else the offset
    uint64_t wertPosition = 0;  // where the value field lies in the file
};

// A resolution in dots per inch: 0 when the unit is neither inch nor centimetre.
bool aufloesung(const TiffDatei& f, uint32_t offset, uint32_t einheit, double& dpi)
{
    uint32_t zaehler = 0;
    uint32_t nenner = 0;
    if (offset == 0 || !f.zahlAn(offset, zaehler) || !f.zahlAn(uint64_t{offset} + 4, nenner))
        return false;
    if (nenner != 0) {
        const double wert = static_cast<double>(zaehler) / nenner;
        if (einheit == 2)
            dpi = wert;
        else if (einheit == 3)
            dpi = wert * 2.54;
    }
    return true;
}

// True when zeilen rows of zeilenBytes from offset on lie inside a file of groesse bytes.
bool imDatei(uint64_t offset, uint64_t zeilen, uint64_t zeilenBytes, uint64_t groesse)
{
    return offset <= groesse && (zeilenBytes == 0 || (groesse - offset) / zeilenBytes >= zeilen);
}

std::string text(const TiffDatei& f, const Eintrag& e, uint32_t laenge)
{
    laenge = std::min(laenge, MaxTextLaenge);
    std::string s(laenge, '\0');
    const uint64_t at = laenge <= 4 ? e.wertPosition : e.wert;
    if (laenge == 0 || !f.lesen(at, s.data(), laenge))
        return {};
    return s.substr(0, s.find('\0'));
}

}

namespace {

// What the directory gives beyond TiffInfo: where the resolutions and texts lie.
struct Verzeichnis {
    uint32_t xOffset = 0, yOffset = 0;
    Eintrag software, dateTime;
    bool zeilenProStreifenGesetzt = false;
};

void eintragUebernehmen(const Eintrag& e, TiffInfo& info, Verzeichnis& v)
{
    switch (e.tag) {
    case 254: info.NewSubfileType = e.wert; break;
    case 256: info.ImageWidth = e.wert; break;
    case 257: info.ImageLength = e.wert; break;
    case 258:
        info.BitsPerSampleCount = e.anzahl;
        info.BitsPerSampleWert = e.wert;
        break;
    case 259: info.Compression = e.wert; break;
    case 262: info.PhotometricInterpretation = e.wert; break;
    case 273:
        info.StripOffsetsAnzahl = e.anzahl;
        info.StripOffsetsTyp = e.typ;
        // A table of several SHORT offsets fits the value field when there are two.
        info.StripOffsetsWert = e.anzahl > 1 && e.typ == 3 && e.anzahl <= 2 ? e.wertPosition : e.wert;
        break;
    case 277: info.SamplesPerPixel = e.wert; break;
    case 278:
        info.RowsPerStrip = e.wert;
        v.zeilenProStreifenGesetzt = true;
        break;
    case 282: v.xOffset = e.wert; break;
    case 283: v.yOffset = e.wert; break;
    case 296: info.ResolutionUnit = e.wert; break;
    case 305: v.software = e; break;
    case 306: v.dateTime = e; break;
    case 332: info.InkSet = e.wert; break;
    default: break;
    }
}

// The header and the first directory; the fault found, if any.
std::optional<Sprache::MeldungNr> verzeichnisLesen(TiffDatei& f, TiffInfo& info, Verzeichnis& v)
{
    uint8_t kopf[8];
    if (!f.lesen(0, kopf, sizeof kopf))
        return TiffKopfFehlerhaft;
    if (kopf[0] == 'I' && kopf[1] == 'I')
        f.intel = true;
    else if (kopf[0] == 'M' && kopf[1] == 'M')
        f.intel = false;
    else
        return TiffKopfFehlerhaft;
    info.Intel = f.intel;
    const uint32_t ifd = f.u32(kopf + 4);
    uint16_t eintraege = 0;
    if (f.u16(kopf + 2) != 42 || ifd >= f.groesse() || !f.zahlAn(ifd, eintraege))
        return TiffKopfFehlerhaft;
    info.Eintraege = eintraege;
    std::vector<uint8_t> tabelle(size_t{eintraege} * 12);
    if (!f.lesen(uint64_t{ifd} + 2, tabelle.data(), tabelle.size()))
        return TiffKopfFehlerhaft;
    for (uint16_t i = 0; i < eintraege; ++i) {
        const uint8_t* p = &tabelle[size_t{i} * 12];
        Eintrag e;
        e.tag = f.u16(p);
        e.typ = f.u16(p + 2);
        e.anzahl = f.u32(p + 4);
        e.wertPosition = uint64_t{ifd} + 2 + size_t{i} * 12 + 8;
        // A SHORT stands in the first two bytes of the value field, in either byte order.
        e.wert = e.typ == 3 && e.anzahl <= 2 ? f.u16(p + 8) : f.u32(p + 8);
        if (e.typ >= 2 && e.typ <= 5)
            eintragUebernehmen(e, info, v);
    }
    return std::nullopt;
}

// The pixel format: what this reader takes. Reads the resolutions and texts.
std::optional<Sprache::MeldungNr> formatPruefen(const TiffDatei& f, TiffInfo& info, const Verzeichnis& v)
{
    if (info.ImageWidth < 1)
        return BreiteZuKlein;
    if (info.ImageLength < 1)
        return HoeheZuKlein;
    if (info.Compression != 1)
        return KompressionNichtUnterstuetzt;
    if (info.PhotometricInterpretation != 2 && info.PhotometricInterpretation != 5)
        return WederRgbNochCmyk;
    if (info.StripOffsetsAnzahl < 1 || info.StripOffsetsWert >= f.groesse())
        return GroesseWiderspruch;
    if (info.SamplesPerPixel != 3 && info.SamplesPerPixel != 4)
        return WederRgbNochCmyk;
    info.RGB = info.PhotometricInterpretation == 2;
    // Separated with three inks is no CMYK, and read as RGB it would give wrong colours.
    if (!info.RGB && (info.SamplesPerPixel != 4 || info.InkSet == 2))
        return WederRgbNochCmyk;
    if (info.BitsPerSampleCount != info.SamplesPerPixel)
        return WederRgbNochCmyk;
    // Three or four SHORTs never fit the value field: they lie at the offset.
    for (uint32_t s = 0; s < info.BitsPerSampleCount; ++s) {
        uint16_t bits = 0;
        if (!f.zahlAn(uint64_t{info.BitsPerSampleWert} + 2 * s, bits))
            return TiffKopfFehlerhaft;
        if (bits != 8)
            return NichtAchtBit;
    }
    if (!aufloesung(f, v.xOffset, info.ResolutionUnit, info.XAufloesung))
        return DpiWiderspruch;
    if (!aufloesung(f, v.yOffset, info.ResolutionUnit, info.YAufloesung))
        return DpiWiderspruch;
    if (v.software.tag != 0)
        info.Software = text(f, v.software, v.software.anzahl);
    if (v.dateTime.tag != 0)
        info.DateTime = text(f, v.dateTime, 20);
    return std::nullopt;
}

// Where the pixels lie must be known and inside the file.
std::optional<Sprache::MeldungNr> streifenPruefen(const TiffDatei& f, const TiffInfo& info, const Verzeichnis& v)
{
    const uint64_t zeilenBytes = uint64_t{info.ImageWidth} * info.SamplesPerPixel;
    if (info.StripOffsetsAnzahl == 1)
        return imDatei(info.StripOffsetsWert, info.ImageLength, zeilenBytes, f.groesse())
            ? std::nullopt
            : std::optional(GroesseWiderspruch);
    // Every row comes from the file: one longer than the file cannot be there.
    if (zeilenBytes > f.groesse())
        return GroesseWiderspruch;
    if (!v.zeilenProStreifenGesetzt || info.RowsPerStrip == 0)
        return TiffKopfFehlerhaft;
    const uint64_t noetig = (uint64_t{info.ImageLength} + info.RowsPerStrip - 1) / info.RowsPerStrip;
    const uint64_t eintragBytes = info.StripOffsetsTyp == 3 ? 2 : 4;
    if ((info.StripOffsetsTyp != 3 && info.StripOffsetsTyp != 4) || info.StripOffsetsAnzahl < noetig
        || info.StripOffsetsWert + noetig * eintragBytes > f.groesse())
        return TiffKopfFehlerhaft;
    return std::nullopt;
}

}

TiffInfo TIFF_Kopf_Lesen(Context& ctx, const std::string& datei)
{
    TiffInfo info;
    TiffDatei f(datei);
    info.Dateigroesse = f.groesse();
    Verzeichnis v;
    std::optional<Sprache::MeldungNr> fehler = verzeichnisLesen(f, info, v);
    if (!fehler)
        fehler = formatPruefen(f, info, v);
    if (!fehler)
        fehler = streifenPruefen(f, info, v);
    if (fehler)
        ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(*fehler), datei, false));
    info.ok = !fehler;
    return info;
}

void CMYK_to_RGB(uint8_t c, uint8_t m, uint8_t y, uint8_t k, uint8_t& r, uint8_t& g, uint8_t& b)
{
    const double f = (255.0 - k) / 255.0;
    const auto kanal = [&](uint8_t v) { return static_cast<uint8_t>(255 - roundByte(v * f + k)); };
    r = kanal(c);
    g = kanal(m);
    b = kanal(y);
}

Ladeergebnis TIFF_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel)
{
    const TiffInfo info = TIFF_Kopf_Lesen(ctx, datei);
    if (!info.ok)
        return Ladeergebnis::Fehler;
    TiffDatei f(datei);
    f.intel = info.Intel;
    const auto breite = static_cast<int32_t>(std::min<uint32_t>(info.ImageWidth, INT32_MAX));
    const auto hoehe = static_cast<int32_t>(std::min<uint32_t>(info.ImageLength, INT32_MAX));
    if (const Ladeergebnis r = ArbeitskopieAnlegen(ctx, ziel, breite, hoehe); r != Ladeergebnis::Ok)
        return r;
    const uint32_t proPixel = info.SamplesPerPixel;
    const uint64_t zeilenBytes = uint64_t{info.ImageWidth} * proPixel;
    // Rows of one strip lie one after another: they are read many at a time.
    std::vector<uint8_t> puffer;
    uint64_t pufferAnfang = 0;
    const auto zeileHolen = [&](uint64_t position, uint64_t zeilenImStrip) -> const uint8_t* {
        if (position >= pufferAnfang && position + zeilenBytes <= pufferAnfang + puffer.size())
            return puffer.data() + (position - pufferAnfang);
        const uint64_t zeilen = std::clamp<uint64_t>((uint64_t{1} << 20) / std::max<uint64_t>(zeilenBytes, 1), 1,
                                                     std::max<uint64_t>(zeilenImStrip, 1));
        const uint64_t laenge = std::max(zeilenBytes, std::min(zeilen * zeilenBytes, f.groesse() - std::min(position, f.groesse())));
        puffer.resize(static_cast<size_t>(laenge));
        pufferAnfang = position;
        if (!f.lesen(position, puffer.data(), puffer.size())) {
            puffer.clear();
            return nullptr;
        }
        return puffer.data();
    };
    uint64_t position = info.StripOffsetsWert;
    uint32_t strip = 0;
    return ArbeitskopieFuellen(ctx, ziel, false, [&](int32_t k, uint8_t* zeile) {
        const auto r = static_cast<uint32_t>(k);
        if (info.StripOffsetsAnzahl > 1 && r % info.RowsPerStrip == 0) {
            uint32_t offset = 0;
            bool gelesen;
            if (info.StripOffsetsTyp == 3) {
                uint16_t kurz = 0;
                gelesen = f.zahlAn(info.StripOffsetsWert + 2 * uint64_t{strip}, kurz);
                offset = kurz;
            } else {
                gelesen = f.zahlAn(info.StripOffsetsWert + 4 * uint64_t{strip}, offset);
            }
            ++strip;
            const uint64_t zeilen = std::min<uint64_t>(info.RowsPerStrip, info.ImageLength - r);
            if (!gelesen || !imDatei(offset, zeilen, zeilenBytes, f.groesse())) {
                ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(GroesseWiderspruch), datei, false));
                return false;
            }
            position = offset;
        }
        const uint64_t imStrip = info.StripOffsetsAnzahl > 1 ? info.RowsPerStrip - r % info.RowsPerStrip : info.ImageLength - r;
        const uint8_t* q = zeileHolen(position, std::min<uint64_t>(imStrip, info.ImageLength - r));
        if (!q) {
            ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(GroesseWiderspruch), datei, false));
            return false;
        }
        position += zeilenBytes;
        if (info.RGB && proPixel == 3) {
            // The common case in a loop of fixed stride, which the compiler vectorises.
            for (int64_t i = 0; i < 3 * int64_t{breite}; i += 3) {
                zeile[i] = q[i + 2];
                zeile[i + 1] = q[i + 1];
                zeile[i + 2] = q[i];
            }
        } else if (info.RGB) {
            for (int32_t x = 0; x < breite; ++x, q += proPixel, zeile += 3) {
                zeile[0] = q[2];
                zeile[1] = q[1];
                zeile[2] = q[0];
            }
        } else {
            for (int32_t x = 0; x < breite; ++x, q += 4, zeile += 3)
                CMYK_to_RGB(q[0], q[1], q[2], q[3], zeile[2], zeile[1], zeile[0]);
        }
        return true;
    });
}
