#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "model/ProjectFile.h"

// Mutates a project file of version 600 field by field, so that most inputs
// pass the reader and reach the loader with values at the edges of each
// field's range: integers and flags, doubles (NaN, infinities, 1e300), texts,
// the image count (with or without its records) and the end marker. Inputs of
// another layout, and every fourth call, get libFuzzer's own byte mutations.
extern "C" size_t LLVMFuzzerMutate(uint8_t* daten, size_t groesse, size_t maxGroesse);

namespace {

enum class Art { Version, Ganzzahl, Flag, Zahl, Text, Anzahl, Ende };

struct Feld {
    size_t offset;
    Art art;
};

// The fields from field 2 to field 58, in order.
constexpr Art Kopf[] = {
    Art::Ganzzahl, Art::Zahl,     Art::Ganzzahl, Art::Ganzzahl, Art::Zahl,     Art::Zahl,     Art::Zahl,
    Art::Zahl,     Art::Flag,     Art::Flag,     Art::Flag,     Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl,
    Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl,
    Art::Ganzzahl, Art::Ganzzahl, Art::Flag,     Art::Ganzzahl, Art::Flag,     Art::Flag,     Art::Flag,
    Art::Flag,     Art::Ganzzahl, Art::Ganzzahl, Art::Zahl,     Art::Zahl,     Art::Zahl,     Art::Zahl,
    Art::Zahl,     Art::Zahl,     Art::Zahl,     Art::Ganzzahl, Art::Flag,     Art::Flag,     Art::Flag,
    Art::Flag,     Art::Ganzzahl, Art::Ganzzahl, Art::Flag,     Art::Flag,     Art::Flag,     Art::Ganzzahl,
    Art::Ganzzahl, Art::Ganzzahl, Art::Text,     Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl, Art::Ganzzahl,
    Art::Ganzzahl};

constexpr Art Bild[] = {Art::Text,     Art::Text, Art::Ganzzahl, Art::Ganzzahl, Art::Zahl, Art::Zahl, Art::Zahl,
                        Art::Zahl,     Art::Ganzzahl, Art::Ganzzahl, Art::Flag, Art::Flag, Art::Flag, Art::Flag,
                        Art::Flag};

size_t laenge(Art art)
{
    switch (art) {
    case Art::Zahl: return 8;
    case Art::Text: return ProjektTextLaenge;
    default: return 4;
    }
}

int32_t i32An(const std::vector<uint8_t>& d, size_t at)
{
    int32_t v;
    std::memcpy(&v, &d[at], 4);
    return v;
}

// The fields of a complete version-600 file; empty for any other layout.
std::vector<Feld> felder(const std::vector<uint8_t>& d)
{
    std::vector<Feld> f{{0, Art::Version}};
    size_t at = 4;
    for (Art art : Kopf) {
        f.push_back({at, art});
        at += laenge(art);
    }
    if (d.size() < at + 8 || i32An(d, 0) != ProjektVersion)
        return {};
    const int32_t anzahl = i32An(d, at);
    f.push_back({at, Art::Anzahl});
    at += 4;
    if (anzahl < 0 || anzahl > 250 || d.size() < at + 4 + size_t(anzahl) * ProjektBildLaenge)
        return {};
    for (int32_t k = 0; k < anzahl; ++k)
        for (Art art : Bild) {
            f.push_back({at, art});
            at += laenge(art);
        }
    f.push_back({at, Art::Ende});
    return f;
}

template <class T>
void setzen(std::vector<uint8_t>& d, size_t at, T wert)
{
    std::memcpy(&d[at], &wert, sizeof wert);
}

int32_t ganzzahl(std::mt19937& z, int32_t alt)
{
    constexpr int32_t werte[] = {0, 1, -1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 26, 27, 99, 100, 101, 250, 251, 999, 1000,
                                 1001, 9999, 10000, 32767, 32768, 65535, 65536, 100000, 100001,
                                 std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
    switch (z() % 3) {
    case 0: return werte[z() % std::size(werte)];
    case 1: return static_cast<int32_t>(static_cast<uint32_t>(alt) + z() % 5 - 2);
    default: return static_cast<int32_t>(z());
    }
}

double zahl(std::mt19937& z, double alt)
{
    constexpr double werte[] = {0.0, -0.0, 1.0, -1.0, 0.5, 5.0, 999.0, 1000.0, 9999.0, 1e6, 2147483648.0,
                                -2147483649.0, 1e300, -1e300, 1e-300, 5e-324,
                                std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
    switch (z() % 3) {
    case 0: return werte[z() % std::size(werte)];
    case 1: return alt * (static_cast<double>(z() % 2001) / 100.0 - 10.0);
    default: {
        uint64_t u = (uint64_t{z()} << 32) | z();
        double d;
        std::memcpy(&d, &u, sizeof d);
        return d;
    }
    }
}

void text(std::mt19937& z, uint8_t* feld)
{
    constexpr const char* namen[] = {"a.bmp", "b.bmp", "c.jpg", "d.mpo", "x_1.JPG", "x_2.JPG", "x_3.JPG",
                                     "fehlt.bmp", "", "/", "..", "a.bmp/"};
    switch (z() % 3) {
    case 0: {
        const char* name = namen[z() % std::size(namen)];
        std::memset(feld, ' ', ProjektTextLaenge);
        feld[0] = static_cast<uint8_t>(std::strlen(name));
        std::memcpy(feld + 1, name, std::strlen(name));
        break;
    }
    case 1: feld[0] = static_cast<uint8_t>(z()); break;
    default: feld[1 + z() % (ProjektTextLaenge - 1)] = static_cast<uint8_t>(z()); break;
    }
}

// Another image count: alone, or with a record added (a copy of the first) or the last one taken away.
void anzahl(std::mt19937& z, std::vector<uint8_t>& d, size_t at, size_t maxGroesse)
{
    const int32_t n = i32An(d, at);
    const size_t bilder = at + 4;
    switch (z() % 3) {
    case 0:
        if (n > 0 && n < 250 && d.size() + ProjektBildLaenge <= maxGroesse) {
            d.insert(d.begin() + static_cast<std::ptrdiff_t>(bilder),
                     d.begin() + static_cast<std::ptrdiff_t>(bilder),
                     d.begin() + static_cast<std::ptrdiff_t>(bilder + ProjektBildLaenge));
            setzen(d, at, n + 1);
            return;
        }
        break;
    case 1:
        if (n > 0) {
            const size_t letztes = bilder + size_t(n - 1) * ProjektBildLaenge;
            d.erase(d.begin() + static_cast<std::ptrdiff_t>(letztes),
                    d.begin() + static_cast<std::ptrdiff_t>(letztes + ProjektBildLaenge));
            setzen(d, at, n - 1);
            return;
        }
        break;
    default: break;
    }
    setzen(d, at, ganzzahl(z, n));
}

// The end: another marker, bytes cut off, or bytes after it.
void ende(std::mt19937& z, std::vector<uint8_t>& d, size_t at, size_t maxGroesse)
{
    switch (z() % 3) {
    case 0: setzen(d, at, ganzzahl(z, ProjektVersion)); break;
    case 1: d.resize(z() % (at + 4)); break;
    default: d.resize(std::min(maxGroesse, d.size() + 1 + z() % 64), static_cast<uint8_t>(z())); break;
    }
}

void mutieren(std::mt19937& z, std::vector<uint8_t>& d, const Feld& f, size_t maxGroesse)
{
    constexpr int32_t versionen[] = {103, 104, 200, 300, 320, 401, 500, 1031, 0, 601, 599};
    switch (f.art) {
    case Art::Version: setzen(d, f.offset, versionen[z() % std::size(versionen)]); break;
    case Art::Ganzzahl: setzen(d, f.offset, ganzzahl(z, i32An(d, f.offset))); break;
    case Art::Flag: setzen(d, f.offset, static_cast<int32_t>(z() % 4) - 1); break;
    case Art::Zahl: {
        double alt;
        std::memcpy(&alt, &d[f.offset], sizeof alt);
        setzen(d, f.offset, zahl(z, alt));
        break;
    }
    case Art::Text: text(z, &d[f.offset]); break;
    case Art::Anzahl: anzahl(z, d, f.offset, maxGroesse); break;
    case Art::Ende: ende(z, d, f.offset, maxGroesse); break;
    }
}

}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* daten, size_t groesse, size_t maxGroesse, unsigned int seed)
{
    std::mt19937 z(seed);
    std::vector<uint8_t> d(daten, daten + groesse);
    const std::vector<Feld> f = felder(d);
    if (f.empty() || z() % 4 == 0)
        return LLVMFuzzerMutate(daten, groesse, maxGroesse);
    // Most changes touch one field; some touch several at once.
    const int anzahlFelder = z() % 4 == 0 ? 2 + static_cast<int>(z() % 3) : 1;
    for (int k = 0; k < anzahlFelder && felder(d).size() == f.size(); ++k)
        mutieren(z, d, f[z() % f.size()], maxGroesse);
    const size_t n = std::min(d.size(), maxGroesse);
    std::memcpy(daten, d.data(), n);
    return n;
}
