#include "model/ProjectFile.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "model/ImageSet.h"

namespace {

bool in(int32_t version, std::initializer_list<int32_t> versionen)
{
    return std::find(versionen.begin(), versionen.end(), version) != versionen.end();
}

bool altesFormat(int32_t v)
{
    return in(v, {103, 104, 200, 1031});
}

class Schreiber {
public:
    std::vector<uint8_t> bytes;

    void i32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        for (int k = 0; k < 4; ++k)
            bytes.push_back(static_cast<uint8_t>(u >> (8 * k)));
    }
    void flag(bool b) { i32(b ? 1 : 0); }
    void f64(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, sizeof u);
        for (int k = 0; k < 8; ++k)
            bytes.push_back(static_cast<uint8_t>(u >> (8 * k)));
    }
    void text(const std::string& t)
    {
        const auto feld = ProjektTextSchreiben(t);
        bytes.insert(bytes.end(), feld.begin(), feld.end());
    }
};

// Reads fields in order; a read beyond the end marks the whole load as failed.
class Leser {
public:
    explicit Leser(const std::vector<uint8_t>& b) : bytes_(b) {}
    bool ok() const { return ok_; }

    const uint8_t* nimm(size_t n)
    {
        if (!ok_ || bytes_.size() - pos_ < n) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }
    int32_t i32()
    {
        const uint8_t* p = nimm(4);
        if (!p)
            return 0;
        return static_cast<int32_t>(p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24));
    }
    bool flag() { return i32() == 1; }
    double f64()
    {
        const uint8_t* p = nimm(8);
        if (!p)
            return 0.0;
        uint64_t u = 0;
        for (int k = 7; k >= 0; --k)
            u = (u << 8) | p[k];
        double d;
        std::memcpy(&d, &u, sizeof d);
        return d;
    }
    std::string text()
    {
        const uint8_t* p = nimm(ProjektTextLaenge);
        return p ? ProjektTextLesen(p) : std::string();
    }
    uint8_t byte()
    {
        const uint8_t* p = nimm(1);
        return p ? *p : 0;
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

void bildSchreiben(Schreiber& s, const ProjektBild& b)
{
    s.text(b.pfad);
    s.text(b.mpoPfad);
    s.i32(b.breite);
    s.i32(b.hoehe);
    s.f64(b.dx);
    s.f64(b.dy);
    s.f64(b.rot);
    s.f64(b.skal);
    s.i32(b.refX);
    s.i32(b.refY);
    s.flag(b.istReferenzbild);
    s.flag(b.refModus);
    s.flag(b.spiegelX);
    s.flag(b.spiegelY);
    s.flag(b.konturen);
}

// The ten fixed records of the oldest versions; only used and valid ones are images.
void alteBilderLesen(Leser& l, int32_t version, std::vector<ProjektBild>& bilder)
{
    for (int k = 0; k < 10 && l.ok(); ++k) {
        const uint8_t benutzt = l.byte();
        const uint8_t gueltig = l.byte();
        ProjektBild b;
        b.pfad = l.text();
        b.dx = l.i32();
        b.dy = l.i32();
        if (in(version, {104, 200}))
            b.rot = l.f64();
        if (benutzt != 0 && gueltig != 0)
            bilder.push_back(b);
    }
}

bool bilderLesen(Leser& l, int32_t version, std::vector<ProjektBild>& bilder)
{
    const int32_t anzahl = l.i32();
    if (!l.ok() || anzahl < 0 || anzahl > MaxBilder)
        return false;
    for (int32_t k = 0; k < anzahl && l.ok(); ++k) {
        ProjektBild b;
        b.pfad = l.text();
        if (version >= 600)
            b.mpoPfad = l.text();
        b.breite = l.i32();
        b.hoehe = l.i32();
        if (version >= 500) {
            b.dx = l.f64();
            b.dy = l.f64();
        } else {
            b.dx = l.i32();
            b.dy = l.i32();
        }
        b.rot = l.f64();
        b.skal = l.f64();
        if (version >= 401) {
            b.refX = l.i32();
            b.refY = l.i32();
            b.istReferenzbild = l.flag();
            b.refModus = l.flag();
            b.spiegelX = l.flag();
            b.spiegelY = l.flag();
            b.konturen = l.flag();
        }
        bilder.push_back(b);
    }
    return l.ok();
}

void kopfLesen(Leser& l, ProjektDaten& d)
{
    const int32_t v = d.version;
    d.linsenrichtung = l.i32();
    d.lpi = l.f64();
    const int32_t auswahl = l.i32();
    if (!altesFormat(v))
        d.listenAuswahl = auswahl;
    d.vorschau = l.i32();
    d.randX = l.f64();
    d.randY = l.f64();
    d.breite = l.f64();
    d.hoehe = l.f64();
    d.proportional = l.flag();
    if (altesFormat(v)) {
        l.f64();
        l.f64();
    }
    d.druckInfos = l.flag();
    d.seitenverkehrt = l.flag();
    d.comboA = l.i32();
    d.comboB = l.i32();
    d.hintergrund = static_cast<uint32_t>(l.i32());
    if (v >= 401 && v != 1031)
        d.gamma = l.i32();
    d.hell = l.i32();
    if (v != 103 && v != 1031)
        d.kontrast = l.i32();
    if (v >= 300 && v != 1031)
        d.saettigung = l.i32();
    if (v != 103 && v != 1031)
        d.anaglyphArt = l.i32();
    if (v >= 320 && v != 1031)
        d.anaglyphSchema = l.i32();
    if (v >= 401 && v != 1031) {
        for (int32_t& c : d.c)
            c = l.i32();
        d.verbinden = l.flag();
    }
    if (in(v, {104, 200}))
        for (int k = 0; k < 9; ++k)
            l.i32();
    if (v != 103 && v != 1031)
        d.einheit = l.i32();
    if (v >= 200 && v != 1031) {
        d.viewerVorlage = l.flag();
        d.viewerFrei = l.flag();
        d.gesamtRahmen = l.flag();
        d.rahmen = l.flag();
        l.i32();
        d.viewerIndex = l.i32();
        for (double& w : d.viewer)
            w = l.f64();
        d.barrierIndex = l.i32();
        d.linseInvers = l.flag();
    }
    if (v >= 300 && v != 1031) {
        d.streifenLO = l.flag();
        d.streifenRU = l.flag();
        d.streifenQuer = l.flag();
    }
    if (v >= 401 && v != 1031) {
        d.komprimierung = l.i32();
        d.pixelProLinse = l.i32();
        d.druckOptimierung = l.flag();
        d.dpiAuto = l.flag();
        d.dpiManuell = l.flag();
        d.dpiIndex = l.i32();
        d.biKubIndex = l.i32();
        d.druckerIndex = l.i32();
        d.druckerName = l.text();
        d.lcdGroesse = l.i32();
        d.lcdRichtung = l.i32();
        d.lcdBeginn = l.i32();
        d.lcdX = l.i32();
        d.lcdY = l.i32();
    }
}

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t cp1252[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void utf8Anfuegen(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool istUtf8(const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n;) {
        size_t folge = 0;
        if (p[i] < 0x80)
            folge = 0;
        else if (p[i] >= 0xC2 && p[i] < 0xE0)
            folge = 1;
        else if (p[i] >= 0xE0 && p[i] < 0xF0)
            folge = 2;
        else if (p[i] >= 0xF0 && p[i] < 0xF5)
            folge = 3;
        else
            return false;
        for (size_t k = 1; k <= folge; ++k)
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
        i += folge + 1;
    }
    return true;
}

}

bool ProjektVersionBekannt(int32_t version)
{
    return in(version, {103, 104, 200, 300, 320, 401, 500, 600, 1031});
}

std::string ProjektTextLesen(const uint8_t* feld)
{
    const size_t laenge = feld[0];
    const uint8_t* p = feld + 1;
    if (istUtf8(p, laenge))
        return std::string(reinterpret_cast<const char*>(p), laenge);
    std::string s;
    for (size_t i = 0; i < laenge; ++i)
        utf8Anfuegen(s, p[i] >= 0x80 && p[i] < 0xA0 ? cp1252[p[i] - 0x80] : char32_t{p[i]});
    return s;
}

std::array<uint8_t, ProjektTextLaenge> ProjektTextSchreiben(const std::string& text)
{
    std::array<uint8_t, ProjektTextLaenge> feld;
    feld.fill(' ');
    size_t laenge = std::min<size_t>(text.size(), 255);
    // Never cut a character in two.
    while (laenge > 0 && laenge < text.size() && (static_cast<uint8_t>(text[laenge]) & 0xC0) == 0x80)
        --laenge;
    feld[0] = static_cast<uint8_t>(laenge);
    std::memcpy(feld.data() + 1, text.data(), laenge);
    return feld;
}

double ZiffernUndKomma(const std::string& text)
{
    std::string zahl;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            zahl += c;
        else if (c == ',')
            zahl += '.';
    }
    if (zahl.empty())
        return 0.0;
    // Only the first comma counts as the decimal point; what follows a second one is ignored.
    const size_t zweites = zahl.find('.', zahl.find('.') + 1);
    if (zweites != std::string::npos && zahl.find('.') != std::string::npos)
        zahl.resize(zweites);
    return std::strtod(zahl.c_str(), nullptr);
}

std::vector<uint8_t> ProjektKodieren(const ProjektDaten& d)
{
    Schreiber s;
    s.i32(ProjektVersion);
    s.i32(d.linsenrichtung);
    s.f64(d.lpi);
    s.i32(d.listenAuswahl);
    s.i32(d.vorschau);
    s.f64(d.randX);
    s.f64(d.randY);
    s.f64(d.breite);
    s.f64(d.hoehe);
    s.flag(d.proportional);
    s.flag(d.druckInfos);
    s.flag(d.seitenverkehrt);
    s.i32(d.comboA);
    s.i32(d.comboB);
    s.i32(static_cast<int32_t>(d.hintergrund));
    s.i32(d.gamma);
    s.i32(d.hell);
    s.i32(d.kontrast);
    s.i32(d.saettigung);
    s.i32(d.anaglyphArt);
    s.i32(d.anaglyphSchema);
    for (int32_t c : d.c)
        s.i32(c);
    s.flag(d.verbinden);
    s.i32(d.einheit);
    s.flag(d.viewerVorlage);
    s.flag(d.viewerFrei);
    s.flag(d.gesamtRahmen);
    s.flag(d.rahmen);
    s.i32(1);
    s.i32(d.viewerIndex);
    for (double w : d.viewer)
        s.f64(w);
    s.i32(d.barrierIndex);
    s.flag(d.linseInvers);
    s.flag(d.streifenLO);
    s.flag(d.streifenRU);
    s.flag(d.streifenQuer);
    s.i32(d.komprimierung);
    s.i32(static_cast<int16_t>(d.pixelProLinse));
    s.flag(d.druckOptimierung);
    s.flag(d.dpiAuto);
    s.flag(d.dpiManuell);
    s.i32(d.dpiIndex);
    s.i32(d.biKubIndex);
    s.i32(d.druckerIndex);
    s.text(d.druckerName);
    s.i32(d.lcdGroesse);
    s.i32(d.lcdRichtung);
    s.i32(d.lcdBeginn);
    s.i32(d.lcdX);
    s.i32(d.lcdY);
    s.i32(static_cast<int32_t>(d.bilder.size()));
    for (const ProjektBild& b : d.bilder)
        bildSchreiben(s, b);
    s.i32(ProjektVersion);
    return std::move(s.bytes);
}

ProjektFehler ProjektDekodieren(const std::vector<uint8_t>& bytes, const ProjektDaten& vorgaben, ProjektDaten& daten)
{
    Leser l(bytes);
    const int32_t version = l.i32();
    if (!l.ok())
        return ProjektFehler::Lesefehler;
    if (!ProjektVersionBekannt(version))
        return ProjektFehler::FalscheDatei;
    ProjektDaten d = vorgaben;
    d.version = version;
    d.bilder.clear();
    kopfLesen(l, d);
    if (altesFormat(version))
        alteBilderLesen(l, version, d.bilder);
    else if (!bilderLesen(l, version, d.bilder))
        return ProjektFehler::Lesefehler;
    if ((version >= 401 || version == 1031) && l.i32() != version)
        return ProjektFehler::Lesefehler;
    if (!l.ok())
        return ProjektFehler::Lesefehler;
    daten = std::move(d);
    return ProjektFehler::Keiner;
}
