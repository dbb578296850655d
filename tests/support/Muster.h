#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/Bitmap24.h"

// A picture with corners everywhere: rectangles of random grey on a mid-grey
// ground, defined in continuous coordinates so that a test can draw it moved.
struct Muster {
    struct Rechteck {
        double x0, y0, x1, y1;
        uint8_t grau;
    };
    std::vector<Rechteck> rechtecke;

    Muster(double breite, double hoehe, int anzahl = 400, uint32_t saat = 12345)
    {
        uint32_t z = saat;
        auto zufall = [&z] {
            z = z * 1664525u + 1013904223u;
            return static_cast<double>(z >> 8) / static_cast<double>(1u << 24);
        };
        for (int i = 0; i < anzahl; ++i) {
            const double x = zufall() * breite * 1.2 - breite * 0.1;
            const double y = zufall() * hoehe * 1.2 - hoehe * 0.1;
            const double w = 6.0 + zufall() * 40.0;
            const double h = 6.0 + zufall() * 40.0;
            rechtecke.push_back({x, y, x + w, y + h, static_cast<uint8_t>(zufall() * 255.0)});
        }
    }

    uint8_t grau(double x, double y) const
    {
        uint8_t g = 128;
        for (const Rechteck& r : rechtecke)
            if (x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1)
                g = r.grau;
        return g;
    }

    // Pixel (x, y) shows the pattern at ((x − cx) / s, rotated by −grad about the centre) − shift:
    // the pattern moved by (dx, dy), turned by grad degrees and scaled by s about (cx, cy).
    Bitmap24 zeichnen(int32_t breite, int32_t hoehe, double dx = 0.0, double dy = 0.0, double grad = 0.0,
                      double s = 1.0) const
    {
        Bitmap24 b(breite, hoehe);
        const double cx = breite / 2.0, cy = hoehe / 2.0;
        const double a = -grad * 3.14159265358979323846 / 180.0;
        for (int32_t y = 0; y < hoehe; ++y)
            for (int32_t x = 0; x < breite; ++x) {
                const double u = (x - dx - cx) / s, v = (y - dy - cy) / s;
                const double px = cx + std::cos(a) * u - std::sin(a) * v;
                const double py = cy + std::sin(a) * u + std::cos(a) * v;
                const uint8_t g = grau(px, py);
                uint8_t* p = b.zeile(y) + 3 * x;
                p[0] = p[1] = p[2] = g;
            }
        return b;
    }
};
