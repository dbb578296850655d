#include "demo/Szene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Vec {
    double x, y, z;
};

Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Farbe {
    double r, g, b;
};

struct Kugel {
    Vec mitte;
    double radius;
    Farbe a, b;  // the two colours of its stripes
};

struct Karte {  // an upright textured rectangle facing the camera
    double x0, x1, y0, y1, z;
    Farbe a, b;
};

const std::array<Kugel, 3> kugeln{{
    {{-1.6, 0.4, 6.0}, 1.0, {0.9, 0.2, 0.1}, {1.0, 0.85, 0.2}},
    {{0.4, 1.0, 4.0}, 0.55, {0.1, 0.4, 0.9}, {0.9, 0.9, 1.0}},
    {{2.6, -0.6, 12.0}, 1.4, {0.2, 0.7, 0.3}, {0.95, 0.95, 0.6}},
}};

const std::array<Karte, 2> karten{{
    {0.9, 2.5, -1.2, 1.3, 8.0, {0.55, 0.2, 0.6}, {0.95, 0.8, 0.95}},
    {-3.4, -1.9, -2.4, 0.2, 15.0, {0.9, 0.5, 0.1}, {0.2, 0.15, 0.1}},
}};

constexpr double wandZ = 20.0;
constexpr double bodenY = 1.6;  // y grows downwards

Farbe mischen(Farbe a, Farbe b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double welle(double v)
{
    return 0.5 + 0.5 * std::sin(v);
}

Farbe wand(double x, double y)
{
    const Farbe oben{0.35, 0.55, 0.85};
    const Farbe unten{0.85, 0.9, 0.95};
    Farbe f = mischen(oben, unten, std::clamp((y + 8.0) / 12.0, 0.0, 1.0));
    const double muster = welle(x * 1.7 + std::sin(y * 0.9) * 2.0) * welle(y * 2.3 + x * 0.4);
    return mischen(f, Farbe{1.0, 1.0, 1.0}, 0.35 * muster);
}

Farbe boden(double x, double z)
{
    const bool feld = (static_cast<int>(std::floor(x * 1.5)) + static_cast<int>(std::floor(z * 1.5))) % 2 == 0;
    const Farbe hell{0.85, 0.8, 0.7};
    const Farbe dunkel{0.35, 0.3, 0.25};
    return mischen(feld ? hell : dunkel, Farbe{0.6, 0.65, 0.75}, std::clamp((z - 3.0) / 25.0, 0.0, 0.6));
}

// Nearest hit along the ray from o in direction d; the colour of what it sees.
Farbe strahl(Vec o, Vec d)
{
    double naechste = std::numeric_limits<double>::max();
    Farbe farbe = wand(o.x + d.x * (wandZ - o.z) / d.z, o.y + d.y * (wandZ - o.z) / d.z);
    naechste = (wandZ - o.z) / d.z;
    if (d.y > 0) {
        const double t = (bodenY - o.y) / d.y;
        if (t > 0 && t < naechste) {
            naechste = t;
            const Vec p = o + d * t;
            farbe = boden(p.x, p.z);
        }
    }
    for (const Karte& k : karten) {
        const double t = (k.z - o.z) / d.z;
        const Vec p = o + d * t;
        if (t > 0 && t < naechste && p.x >= k.x0 && p.x <= k.x1 && p.y >= k.y0 && p.y <= k.y1) {
            naechste = t;
            const double u = (p.x - k.x0) * 6.0;
            const double v = (p.y - k.y0) * 6.0;
            farbe = mischen(k.a, k.b, welle(u * 2.1) * welle(v * 1.3 + u));
        }
    }
    for (const Kugel& s : kugeln) {
        const Vec oc = o - s.mitte;
        const double b = dot(oc, d);
        const double c = dot(oc, oc) - s.radius * s.radius;
        const double disk = b * b - dot(d, d) * c;
        if (disk < 0)
            continue;
        const double t = (-b - std::sqrt(disk)) / dot(d, d);
        if (t <= 0 || t >= naechste)
            continue;
        naechste = t;
        const Vec n = (o + d * t - s.mitte) * (1.0 / s.radius);
        const double licht = std::clamp(0.25 + 0.75 * dot(n, Vec{-0.45, -0.6, -0.65}), 0.15, 1.0);
        const double streifen = welle(std::atan2(n.z, n.x) * 8.0 + n.y * 6.0);
        const Farbe f = mischen(s.a, s.b, streifen > 0.5 ? 1.0 : 0.0);
        farbe = {f.r * licht, f.g * licht, f.b * licht};
    }
    return farbe;
}

uint8_t kanal(double v)
{
    return static_cast<uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

}

void AnsichtRendern(const Szene& szene, int k, const std::function<void(int y, const uint8_t* bgr)>& zeile)
{
    const double brennweite = szene.breite * 0.9;
    const double schritt = szene.basis / std::max(szene.ansichten - 1, 1);
    const Vec auge{(k - (szene.ansichten - 1) / 2.0) * schritt, -0.2, 0.0};
    std::vector<uint8_t> puffer(static_cast<size_t>(szene.breite) * 3);
    // 2 × 2 samples per pixel keep the edges free of stair steps.
    constexpr double versatz[2] = {0.25, 0.75};
    for (int y = 0; y < szene.hoehe; ++y) {
        for (int x = 0; x < szene.breite; ++x) {
            Farbe summe{0, 0, 0};
            for (double sy : versatz)
                for (double sx : versatz) {
                    const Vec d{(x + sx - szene.breite / 2.0) / brennweite, (y + sy - szene.hoehe / 2.0) / brennweite,
                                1.0};
                    const Farbe f = strahl(auge, d);
                    summe = {summe.r + f.r / 4, summe.g + f.g / 4, summe.b + f.b / 4};
                }
            uint8_t* p = &puffer[static_cast<size_t>(x) * 3];
            p[0] = kanal(summe.b);
            p[1] = kanal(summe.g);
            p[2] = kanal(summe.r);
        }
        zeile(y, puffer.data());
    }
}
