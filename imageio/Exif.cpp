#include "imageio/Exif.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "imageio/Datei.h"
#include "imageio/Grenzen.h"

namespace {

enum Art { Haupt = 0, Interop = 1, Mp = 2, Herstellernotiz = 3 };

struct TagText {
    uint16_t tag;
    const char* name;
};

const TagText hauptNamen[] = {
    {0x0100, "ImageWidth"}, {0x0101, "ImageLength"}, {0x0102, "BitsPerSample"}, {0x0103, "Compression"},
    {0x0106, "PhotometricInterpretation"}, {0x010E, "ImageDescription"}, {0x010F, "Make"}, {0x0110, "Model"},
    {0x0111, "StripOffsets"}, {0x0112, "Orientation"}, {0x0115, "SamplesPerPixel"}, {0x0117, "StripByteCounts"},
    {0x011A, "XResolution"}, {0x011B, "YResolution"}, {0x011C, "PlanarConfiguration"}, {0x0128, "ResolutionUnit"},
    {0x012D, "TransferFunction"}, {0x0131, "Software"}, {0x0132, "DateTime"}, {0x013B, "Artist"},
    {0x013E, "WhitePoint"}, {0x013F, "PrimaryChromaticities"}, {0x0201, "JPEGInterchangeFormat"},
    {0x0202, "JPEGInterchangeFormatLength"}, {0x0211, "YCbCrCoefficients"}, {0x0212, "C YCbCrSubSampling"},
    {0x0213, "YCbCrPositioning"}, {0x0214, "ReferenceBlackWhite"}, {0x8298, "Copyright"}, {0x8769, "IFD Pointer"},
    {0x829A, "ExposureTime"}, {0x829D, "FNumber"}, {0x8822, "ExposureProgram"}, {0x8824, "SpectralSensitivity"},
    {0x8827, "ISOSpeedRatings"}, {0x8828, "OECF"}, {0x9000, "ExifVersion"}, {0x9003, "DateTimeOriginal"},
    {0x9004, "DateTimeDigitized"}, {0x9101, "ComponentsConfiguration"}, {0x9102, "CompressedBitsPerPixel"},
    {0x9201, "ShutterSpeedValue"}, {0x9202, "ApertureValue"}, {0x9203, "BrightnessValue"},
    {0x9204, "ExposureBiasValue"}, {0x9205, "MaxApertureValue"}, {0x9206, "SubjectDistance"},
    {0x9207, "MeteringMode"}, {0x9208, "LightSource"}, {0x9209, "Flash"}, {0x920A, "FocalLength"},
    {0x9214, "SubjectArea"}, {0x927C, "MakerNote"}, {0xA000, "FlashpixVersion"}, {0xA001, "ColorSpace"},
    {0xA002, "PixelXDimension"}, {0xA003, "PixelYDimension"}, {0xA005, "Interoperability_IFD_Pointer"},
    {0xA20B, "FlashEnergy"}, {0xA20C, "SpatialFrequencyResponse"}, {0xA20E, "FocalPlaneXResolution"},
    {0xA20F, "FocalPlaneYResolution"}, {0xA210, "FocalPlaneResolutionUnit"}, {0xA214, "SubjectLocation"},
    {0xA215, "ExposureIndex"}, {0xA217, "SensingMethod"}, {0xA300, "FileSource"}, {0xA301, "SceneType"},
    {0xA302, "CFAPattern"}, {0xA401, "CustomRendered"}, {0xA402, "ExposureMode"}, {0xA403, "WhiteBalance"},
    {0xA404, "DigitalZoomRatio"}, {0xA405, "FocalLengthIn35mmFil"}, {0xA406, "SceneCaptureType"},
    {0xA407, "GainControl"}, {0xA408, "Contrast"}, {0xA409, "Saturation"}, {0xA40A, "Sharpness"},
    {0xA40B, "DeviceSettingDescription"}, {0xA40C, "SubjectDistanceRange"}, {0xC4A5, "Unbekannt_1_PrintIM?"},
};

const TagText interopNamen[] = {{0x0001, "Iop_InteroperabilityIndex"}, {0x0002, "Iop_InteroperabilityVersion"}};

const TagText mpNamen[] = {
    {0xB000, "MPO_MPFVersion"},       {0xB001, "MPO_NumberOfImages"},    {0xB002, "MPO_MPEntry"},
    {0xB101, "MPO_MPIndividualNum"},  {0xB204, "MPO_BaseViewPointNum"}, {0xB205, "MPO_VonvergenceAngle"},
    {0xB206, "MPO_BaseLineLength"},
};

const TagText fujiNamen[] = {
    {0x0000, "Version"}, {0x0010, "SerialNumber"}, {0x1000, "Quality"}, {0x1001, "Sharpness"},
    {0x1002, "WhiteBalance"}, {0x1003, "Color"}, {0x1004, "Tone"}, {0x1010, "FlashMode"},
    {0x1011, "FlashStrength"}, {0x1020, "Macro"}, {0x1021, "FocusMode"}, {0x1022, "1022_?"},
    {0x1023, "1023_?"}, {0x1030, "SlowSync"}, {0x1031, "PictureMode"}, {0x1040, "1040_?"}, {0x1050, "1050_?"},
    {0x1100, "Continuous"}, {0x1101, "SequenceNumber"}, {0x1150, "1150_?"}, {0x1151, "1151_?"},
    {0x1152, "1152_?"}, {0x1210, "FinePixColor"}, {0x1300, "BlurWarning"}, {0x1301, "FocusWarning"},
    {0x1302, "ExposureWarning"}, {0x1304, "1304_?"}, {0x1400, "DynamicRange"}, {0x1401, "FilmMode"},
    {0x1402, "DynamicRangeSetting"}, {0x1403, "DevelopmentDynamicRange"}, {0x1404, "MinFocalLength"},
    {0x1405, "MaxFocalLength"}, {0x1406, "MaxApertureAtMinFocal"}, {0x1407, "MaxApertureAtMaxFocal"},
    {0x1408, "1408_?"}, {0x1409, "1409_?"}, {0x140A, "140A_?"}, {0x4100, "4100_?"}, {0x4800, "4800_?"},
    {0xB211, "B211_?"}, {0xB212, "B212_?"},
};

std::string hex4(uint32_t wert)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", wert);
    return text;
}

template <size_t N>
const char* suchen(const TagText (&tabelle)[N], uint16_t tag)
{
    for (const TagText& t : tabelle)
        if (t.tag == tag)
            return t.name;
    return nullptr;
}

// Bytes of one value of each TIFF field type; 0 for an unknown type.
uint64_t typGroesse(uint16_t typ)
{
    switch (typ) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

struct Wert {
    uint16_t tag = 0;
    uint16_t typ = 0;
    uint32_t anzahl = 0;
    uint32_t roh = 0;  // the value field as a number: value or offset
    uint64_t pos = 0;  // where the value's bytes lie, from the TIFF header
    bool ok = false;   // they lie inside the block
};

// A TIFF structure inside the file: offsets count from basis, nothing beyond ende is read.
class Block {
public:
    Block(const std::vector<uint8_t>& d, size_t basis, size_t ende) : d_(d), basis_(basis), ende_(ende) {}
    bool intel = true;

    bool passt(uint64_t off, uint64_t n) const { return off <= ende_ - basis_ && n <= ende_ - basis_ - off; }
    const uint8_t* bei(uint64_t off) const { return &d_[basis_ + static_cast<size_t>(off)]; }
    uint16_t u16(uint64_t off) const { return intel ? le16(bei(off)) : be16(bei(off)); }
    uint32_t u32(uint64_t off) const { return intel ? le32(bei(off)) : be32(bei(off)); }
    size_t absolut(uint64_t off) const { return basis_ + static_cast<size_t>(off); }

    // The byte order mark, 42 and the first directory's offset; false when they are not there.
    bool kopf(uint32_t& ersteIfd)
    {
        if (!passt(0, 8))
            return false;
        if (bei(0)[0] == 'I' && bei(0)[1] == 'I')
            intel = true;
        else if (bei(0)[0] == 'M' && bei(0)[1] == 'M')
            intel = false;
        else
            return false;
        ersteIfd = u32(4);
        return u16(2) == 42;
    }

    int64_t zahl(const Wert& w) const
    {
        if (!w.ok || w.anzahl == 0)
            return 0;
        switch (w.typ) {
        case 1: case 7: return *bei(w.pos);
        case 6: return static_cast<int8_t>(*bei(w.pos));
        case 3: return u16(w.pos);
        case 8: return static_cast<int16_t>(u16(w.pos));
        case 4: return u32(w.pos);
        case 9: return static_cast<int32_t>(u32(w.pos));
        default: return 0;
        }
    }

    double rational(const Wert& w) const
    {
        if (!w.ok || w.anzahl == 0 || (w.typ != 5 && w.typ != 10))
            return 0.0;
        const uint32_t z = u32(w.pos);
        const uint32_t n = u32(w.pos + 4);
        if (n == 0)
            return 0.0;
        if (w.typ == 10)
            return static_cast<double>(static_cast<int32_t>(z)) / static_cast<int32_t>(n);
        return static_cast<double>(z) / n;
    }

    std::string text(const Wert& w, size_t ab = 0) const
    {
        if (!w.ok || w.anzahl <= ab)
            return {};
        std::string s(reinterpret_cast<const char*>(bei(w.pos + ab)), w.anzahl - ab);
        return s.substr(0, s.find('\0'));
    }

    // Reads the directory at off, tracing each entry; returns the next directory's offset, 0 for none.
    uint32_t ifd(uint32_t off, int art, std::vector<std::string>& spur, const std::function<void(const Wert&)>& f) const
    {
        if (off == 0 || !passt(off, 2))
            return 0;
        const uint16_t n = u16(off);
        spur.push_back("IFD @" + std::to_string(off) + ": " + std::to_string(n) + " Einträge");
        if (!passt(uint64_t{off} + 2, uint64_t{n} * 12))
            return 0;
        for (uint16_t i = 0; i < n; ++i) {
            const uint64_t e = uint64_t{off} + 2 + uint64_t{i} * 12;
            Wert w;
            w.tag = u16(e);
            w.typ = u16(e + 2);
            w.anzahl = u32(e + 4);
            w.roh = u32(e + 8);
            const uint64_t bytes = typGroesse(w.typ) * w.anzahl;
            w.pos = bytes <= 4 ? e + 8 : w.roh;
            w.ok = typGroesse(w.typ) > 0 && passt(w.pos, bytes);
            if (w.typ == 3 && w.anzahl == 1)
                w.roh = u16(e + 8);
            std::string zeile = hex4(w.tag) + " " + TagName(w.tag, art) + "  Typ " + std::to_string(w.typ)
                + "  Anzahl " + std::to_string(w.anzahl) + "  Wert/Offset " + std::to_string(w.roh);
            if (w.typ == 2)
                zeile += "  \"" + text(w) + "\"";
            spur.push_back(zeile);
            f(w);
        }
        const uint64_t next = uint64_t{off} + 2 + uint64_t{n} * 12;
        return passt(next, 4) ? u32(next) : 0;
    }

private:
    const std::vector<uint8_t>& d_;
    size_t basis_;
    size_t ende_;
};

bool beginntMit(const std::vector<uint8_t>& d, size_t at, size_t ende, const char* muster, size_t n)
{
    return at + n <= ende && std::equal(muster, muster + n, d.begin() + static_cast<long>(at));
}

// Finds the pair a, b from index p on; the index of a, or the size.
size_t suchePaar(const std::vector<uint8_t>& d, size_t p, uint8_t a, uint8_t b)
{
    for (; p + 1 < d.size(); ++p)
        if (d[p] == a && d[p + 1] == b)
            return p;
    return d.size();
}

}

std::string TagName(uint16_t tag, int art)
{
    const char* name = nullptr;
    switch (art) {
    case Interop: name = suchen(interopNamen, tag); break;
    case Mp: name = suchen(mpNamen, tag); break;
    case Herstellernotiz:
        if (const char* fuji = suchen(fujiNamen, tag))
            return std::string("Fuji_") + fuji;
        break;
    default: name = suchen(hauptNamen, tag); break;
    }
    return name ? name : "Tag_" + hex4(tag);
}

TExif::TExif(const std::vector<uint8_t>& daten)
{
    parse(daten);
}

TExif::TExif(const std::string& datei)
{
    std::vector<uint8_t> d;
    if (DateiLesen(datei, d, LeseGrenzen().maxExifBytes))
        parse(d);
}

void EXIF_Spuren_Schreiben(const Files& files, const TExif& exif, const std::filesystem::path& spurOrdner)
{
    SpurSchreiben(files, (spurOrdner / ExifSpurDateien[0]).string(), exif.spur1);
    SpurSchreiben(files, (spurOrdner / ExifSpurDateien[1]).string(), exif.spur2);
}

void TExif::parse(const std::vector<uint8_t>& d)
{
    if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return;
    // The segments before the first scan: the EXIF block and the MP index.
    size_t exifAb = 0, exifEnde = 0, mpfAb = 0, mpfEnde = 0, scan = 0;
    size_t pos = 2;
    while (pos + 4 <= d.size() && d[pos] == 0xFF) {
        const uint8_t m = d[pos + 1];
        if (m == 0xFF || m == 0xD8 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            pos += m == 0xFF ? 1 : 2;
            continue;
        }
        if (m == 0xD9)
            break;
        const size_t laenge = be16(&d[pos + 2]);
        if (laenge < 2 || pos + 2 + laenge > d.size())
            break;
        const size_t ab = pos + 4;
        const size_t ende = pos + 2 + laenge;
        if (m == 0xDA) {
            scan = ende;
            break;
        }
        if (m == 0xE1 && exifEnde == 0 && beginntMit(d, ab, ende, "Exif\0\0", 6)) {
            exifAb = ab + 6;
            exifEnde = ende;
        }
        if (m == 0xE2 && mpfEnde == 0 && beginntMit(d, ab, ende, "MPF\0", 4)) {
            mpfAb = ab + 4;
            mpfEnde = ende;
        }
        pos = ende;
    }
    multiPicture(d, mpfAb, mpfEnde, scan);
    if (exifEnde != 0)
        exif(d, exifAb, exifEnde);
}

void TExif::multiPicture(const std::vector<uint8_t>& d, size_t mpfAb, size_t mpfEnde, size_t scan)
{
    if (mpfEnde != 0) {
        Block mp(d, mpfAb, mpfEnde);
        uint32_t indexIfd = 0;
        if (mp.kopf(indexIfd)) {
            spur2.push_back(std::string("MP-Kopf @") + std::to_string(mpfAb) + ": " + (mp.intel ? "II" : "MM"));
            const uint32_t attribute = mp.ifd(indexIfd, Mp, spur2, [&](const Wert& w) {
                if (w.tag != 0xB002 || !w.ok)
                    return;
                for (uint32_t i = 0; i < w.anzahl / 16; ++i) {
                    const uint64_t e = w.pos + uint64_t{i} * 16;
                    spur2.push_back("MP-Eintrag " + std::to_string(i + 1) + ": Attribut $" + hex4(mp.u32(e) >> 16)
                                    + hex4(mp.u32(e) & 0xFFFF) + "  Größe " + std::to_string(mp.u32(e + 4))
                                    + "  Offset " + std::to_string(mp.u32(e + 8)));
                }
            });
            mp.ifd(attribute, Mp, spur2, [](const Wert&) {});
        }
    }
    if (scan != 0) {
        const size_t ende = suchePaar(d, scan, 0xFF, 0xD9);
        if (ende < d.size()) {
            spur2.push_back("Ende des ersten Bildes (FFD9) @" + std::to_string(ende));
            const size_t naechstes = suchePaar(d, ende + 2, 0xFF, 0xD8);
            if (naechstes < d.size())
                spur2.push_back("Beginn des zweiten Bildes (FFD8) @" + std::to_string(naechstes) + " nach "
                                + std::to_string(naechstes - ende - 2) + " Füllbytes");
        }
    }
}

namespace {

// An entry of IFD0; the EXIF directory's offset goes to exifIfd.
void hauptWert(TExif& e, Block& t, const Wert& w, uint32_t& exifIfd)
{
    switch (w.tag) {
    case 0x010E: e.Bildbeschreibung = t.text(w); break;
    case 0x010F: e.Hersteller = t.text(w); break;
    case 0x0110: e.Modell = t.text(w); break;
    case 0x0112: e.Ausrichtung = t.zahl(w); break;
    case 0x011A: e.XAufloesung = t.rational(w); break;
    case 0x011B: e.YAufloesung = t.rational(w); break;
    case 0x0128: e.Einheit = t.zahl(w); break;
    case 0x0131: e.Software = t.text(w); break;
    case 0x0132: e.DatumZeit = t.text(w); break;
    case 0x013B: e.Kuenstler = t.text(w); break;
    case 0x0213: e.YCbCrPositionierung = t.zahl(w); break;
    case 0x8298: e.Copyright = t.text(w); break;
    case 0x8769:
        e.ExifZeiger = t.zahl(w);
        exifIfd = static_cast<uint32_t>(e.ExifZeiger);
        break;
    case 0xC4A5: e.PrintIMLaenge = w.anzahl; break;
    default: break;
    }
}

// An entry of the EXIF directory; the interoperability directory's offset
// goes to interopIfd, the maker note to herstellerNotiz.
void exifWert(TExif& e, Block& t, const Wert& w, uint32_t& interopIfd, Wert& herstellerNotiz)
{
    switch (w.tag) {
    case 0x829A: e.Belichtungszeit = t.rational(w); break;
    case 0x829D: e.Blende = t.rational(w); break;
    case 0x8822: e.Belichtungsprogramm = t.zahl(w); break;
    case 0x8827: e.ISO = t.zahl(w); break;
    case 0x9000: e.ExifVersion = t.text(w); break;
    case 0x9003: e.DatumOriginal = t.text(w); break;
    case 0x9004: e.DatumDigitalisiert = t.text(w); break;
    case 0x9101:
        if (w.ok && w.anzahl == 4) {
            const uint8_t* k = t.bei(w.pos);
            e.Komponenten = k[0] == 1 && k[1] == 2 && k[2] == 3 && k[3] == 0
                ? std::string("YCbCr")
                : std::to_string(k[0]) + " " + std::to_string(k[1]) + " " + std::to_string(k[2]) + " "
                    + std::to_string(k[3]);
        }
        break;
    case 0x9102: e.KomprimierteBits = t.rational(w); break;
    case 0x9201: e.Verschlusswert = t.rational(w); break;
    case 0x9202: e.Blendenwert = t.rational(w); break;
    case 0x9203: e.Helligkeit = t.rational(w); break;
    case 0x9204: e.Belichtungskorrektur = t.rational(w); break;
    case 0x9205: e.MaxBlendenwert = t.rational(w); break;
    case 0x9207: e.Messmethode = t.zahl(w); break;
    case 0x9208: e.Lichtquelle = t.zahl(w); break;
    case 0x9209: e.Blitz = t.zahl(w); break;
    case 0x920A: e.Brennweite = t.rational(w); break;
    case 0x927C:
        e.HerstellerInfoLaenge = w.anzahl;
        herstellerNotiz = w;
        break;
    // The comment starts with 8 bytes naming its character code.
    case 0x9286: e.Benutzerkommentar = t.text(w, 8); break;
    case 0xA000: e.FlashpixVersion = t.text(w); break;
    case 0xA001: e.Farbraum = t.zahl(w); break;
    case 0xA002: e.PixelX = t.zahl(w); break;
    case 0xA003: e.PixelY = t.zahl(w); break;
    case 0xA005: interopIfd = static_cast<uint32_t>(t.zahl(w)); break;
    default: break;
    }
}

// A maker note of the FUJIFILM kind is a little-endian directory whose
// offsets count from the note's own start.
void herstellerNotizLesen(TExif& e, const std::vector<uint8_t>& d, Block& t, const Wert& notiz, size_t exifEnde)
{
    if (!notiz.ok || notiz.anzahl < 12 || !beginntMit(d, t.absolut(notiz.pos), exifEnde, "FUJIFILM", 8))
        return;
    const size_t ab = t.absolut(notiz.pos);
    Block block(d, ab, ab + notiz.anzahl);
    e.spur1.push_back("Herstellernotiz @" + std::to_string(notiz.pos));
    block.ifd(le32(&d[ab + 8]), Herstellernotiz, e.spur1, [](const Wert&) {});
}

// IFD1 and the thumbnail it points to.
void vorschauLesen(TExif& e, Block& t, uint32_t ifd1)
{
    uint32_t vorschau = 0, vorschauLaenge = 0;
    t.ifd(ifd1, Haupt, e.spur1, [&](const Wert& w) {
        if (w.tag == 0x0201)
            vorschau = static_cast<uint32_t>(t.zahl(w));
        if (w.tag == 0x0202)
            vorschauLaenge = static_cast<uint32_t>(t.zahl(w));
    });
    if (vorschau == 0 || vorschauLaenge < 4 || !t.passt(vorschau, vorschauLaenge))
        return;
    const uint8_t* a = t.bei(vorschau);
    const uint8_t* z = t.bei(uint64_t{vorschau} + vorschauLaenge - 2);
    const bool anfang = a[0] == 0xFF && a[1] == 0xD8 && a[2] == 0xFF && a[3] == 0xDB;
    e.spur1.push_back("Vorschaubild @" + std::to_string(vorschau) + "  Länge " + std::to_string(vorschauLaenge)
                      + (anfang ? "  FFD8 FFDB" : "  ohne FFD8 FFDB") + (z[0] == 0xFF && z[1] == 0xD9 ? "  FFD9" : ""));
}

}

void TExif::exif(const std::vector<uint8_t>& d, size_t exifAb, size_t exifEnde)
{
    Block t(d, exifAb, exifEnde);
    uint32_t ifd0 = 0;
    if (!t.kopf(ifd0))
        return;
    gueltig = true;
    spur1.push_back(std::string("TIFF-Kopf: ") + (t.intel ? "II" : "MM") + "  IFD0 @" + std::to_string(ifd0));
    uint32_t exifIfd = 0, interopIfd = 0;
    Wert herstellerNotiz;
    const uint32_t ifd1 = t.ifd(ifd0, Haupt, spur1, [&](const Wert& w) { hauptWert(*this, t, w, exifIfd); });
    t.ifd(exifIfd, Haupt, spur1, [&](const Wert& w) { exifWert(*this, t, w, interopIfd, herstellerNotiz); });
    t.ifd(interopIfd, Interop, spur1, [](const Wert&) {});
    herstellerNotizLesen(*this, d, t, herstellerNotiz, exifEnde);
    vorschauLesen(*this, t, ifd1);
}

namespace {

// A number in decimal with the program's comma and at most four places.
std::string dezimal(double v)
{
    if (!std::isfinite(v))
        return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s == "-0" ? "0" : s;
}

struct WortText {
    int64_t wert;
    const char* wort;
};

template <size_t N>
std::string wort(const WortText (&tabelle)[N], int64_t wert)
{
    for (const WortText& w : tabelle)
        if (w.wert == wert)
            return w.wort;
    return "unbekannt";
}

const WortText ausrichtungen[] = {{1, "oben-links"},  {2, "oben-rechts"}, {3, "unten-rechts"}, {4, "unten-links"},
                                  {5, "links-oben"},  {6, "rechts-oben"}, {7, "rechts-unten"}, {8, "links-unten"}};
const WortText programme[] = {{0, "nicht definiert"},
                              {1, "manuell"},
                              {2, "Normalprogramm"},
                              {3, "Zeitautomatik (Blendenvorwahl)"},
                              {4, "Blendenautomatik (Zeitvorwahl)"},
                              {5, "Kreativprogramm"},
                              {6, "Actionprogramm"},
                              {7, "Porträt"},
                              {8, "Landschaft"}};
const WortText lichtquellen[] = {{0, "Unknown"},          {1, "Daylight"},         {2, "Flourescent"},
                                 {3, "Tungsten"},         {4, "Flash"},            {17, "Standard Light A"},
                                 {18, "Standard Light B"}, {19, "Standard Light C"}, {20, "D55"},
                                 {21, "D65"},             {22, "D75"},             {255, "Other"}};
const WortText blitze[] = {{0, "No Flash"}, {1, "Flash"}, {5, "Flash No Strobe"}, {7, "Flash Strobe"},
                           {25, "Flash (Auto)"}};

std::string mitWort(const char* label, int64_t wert, const std::string& w)
{
    return label + std::to_string(wert) + " (" + w + ")";
}

}

std::vector<std::string> EXIF_Liste(const TExif& e)
{
    if (!e.gueltig)
        return {"Exif Header is not valid"};
    const auto z = [](int64_t v) { return std::to_string(v); };
    return {
        "***** Kamera-Parameter *******",
        "010F Kamerahersteller: " + e.Hersteller,
        "0110 Kameramodell: " + e.Modell,
        mitWort("0112 Ausrichtung: ", e.Ausrichtung, wort(ausrichtungen, e.Ausrichtung)),
        "011A X-Auflösung (Pixel / Einheit): " + dezimal(e.XAufloesung),
        "011B Y-Auflösung (Pixel / Einheit): " + dezimal(e.YAufloesung),
        "0128 Einheit der Auflösung: " + z(e.Einheit),
        "0131 Software/Firmware: " + e.Software,
        "0132 Änderungsdatum / Uhrzeit: " + e.DatumZeit,
        "0213 YCbCr-Positionierung: " + z(e.YCbCrPositionierung),
        "8298 Copyright: " + e.Copyright,
        "8769 ifdp-Pointer:" + z(e.ExifZeiger),
        "C4A5 PrintIMData: " + z(e.PrintIMLaenge),
        "***** Bild-Parameter *******",
        "829A Belichtungszeit: " + dezimal(e.Belichtungszeit),
        "829D Blende: " + dezimal(e.Blende),
        mitWort("8822 Belichtungsprogramm: ", e.Belichtungsprogramm, wort(programme, e.Belichtungsprogramm)),
        "8827 Filmempfindlichkeit (ISO): " + z(e.ISO),
        "9000 EXIF-Version: " + e.ExifVersion,
        "9003 Aufnahmedatum / Uhrzeit: " + e.DatumOriginal,
        "9004 Digitalisierungsdatum / Uhrzeit: " + e.DatumDigitalisiert,
        "9101 Komponenten des Farbmodells: " + e.Komponenten,
        "9102 Komprimierte Bits pro Pixel: " + dezimal(e.KomprimierteBits),
        "9201 Verschlussgeschwindigkeit: " + dezimal(e.Verschlusswert),
        "9202 Blendenwert: " + dezimal(e.Blendenwert),
        "9203 Helligkeit: " + dezimal(e.Helligkeit),
        "9204 Belichtungskorrektur: " + dezimal(e.Belichtungskorrektur),
        "9205 Max. Blendenwert: " + dezimal(e.MaxBlendenwert),
        "9207 Bellichtungsmessung: " + z(e.Messmethode),
        mitWort("9208 Lichtquelle: ", e.Lichtquelle, wort(lichtquellen, e.Lichtquelle)),
        mitWort("9209 Blitz: ", e.Blitz, wort(blitze, e.Blitz)),
        "920A Brennweite (mm): " + dezimal(e.Brennweite),
        "927C Hersteller-Info: " + z(e.HerstellerInfoLaenge),
        "A000 FlashPix-Version: " + e.FlashpixVersion,
        "A001 Farbraum (1=sRGB): " + z(e.Farbraum),
        "A002 EXIF-Bildbreite: " + z(e.PixelX),
        "A003 EXIF-Bildhöhe  : " + z(e.PixelY),
        "PixelXDimension: " + z(e.PixelX),
        "!!! 9286 Image Desk: " + e.Bildbeschreibung,
        "UserComments: " + e.Benutzerkommentar,
        "Artist: " + e.Kuenstler,
        "MeteringMode: " + z(e.Messmethode),
    };
}
