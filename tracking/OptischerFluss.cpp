#include "tracking/OptischerFluss.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>

#include "raster/Matrix4Ops.h"
#include "raster/Uebertragung.h"

namespace {

constexpr int Fenster = 7;          // the tracking window reaches 7 pixels each way
constexpr int Schritte = 10;        // refinement steps per pyramid level
constexpr int Mindestabstand = 8;   // between two corners, and of a corner from the border
constexpr double Flach = 1e-8;      // a gradient matrix with a smaller determinant is not solved
constexpr double Genau = 0.01;      // pixels: a refinement step this small ends the level's steps
constexpr double Kurz = 0.5;        // pixels: the shift tolerance of convergence
// A window whose smaller gradient eigenvalue is below this share of their sum lies on a straight edge.
constexpr double Kante = 0.1;
constexpr int Versuche = 300;       // fields through three pairs tried for the vertical field
constexpr double Einig = 1.0;       // pixels: a pair this close to a vertical field agrees with it

size_t index(int32_t x, int32_t y, int32_t breite)
{
    return static_cast<size_t>(y) * static_cast<size_t>(breite) + static_cast<size_t>(x);
}

double grad(double rad)
{
    return rad * 180.0 / std::numbers::pi;
}

// Least-squares line v = steigung · u + achse.
struct Gerade {
    double steigung = 0.0;
    double achse = 0.0;
};

template <class U, class V>
Gerade Ausgleichsgerade(const std::vector<Paar>& paare, U u, V v)
{
    const auto n = static_cast<double>(paare.size());
    double su = 0.0, sv = 0.0;
    for (const Paar& p : paare) {
        su += u(p);
        sv += v(p);
    }
    const double mu = su / n, mv = sv / n;
    double suu = 0.0, suv = 0.0;
    for (const Paar& p : paare) {
        suu += (u(p) - mu) * (u(p) - mu);
        suv += (u(p) - mu) * (v(p) - mv);
    }
    Gerade g;
    g.steigung = suu > 0.0 ? suv / suu : 0.0;
    g.achse = mv - g.steigung * mu;
    return g;
}

// Directions within 3 degrees of the horizontal.
bool waagerecht(int richtung)
{
    return richtung <= 3 || richtung >= 357 || (richtung >= 177 && richtung <= 183);
}

int winkelabstand(int a, int b)
{
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

struct Klasse {
    int laenge = 0;
    int richtung = 0;
};

bool benachbart(const Klasse& k, const Klasse& mitte)
{
    return std::abs(k.laenge - mitte.laenge) <= NachbarLaenge &&
           (k.laenge <= NachbarLaenge || mitte.laenge <= NachbarLaenge ||
            winkelabstand(k.richtung, mitte.richtung) <= NachbarRichtung);
}

Klasse klasse(const Paar& p, double diagonale)
{
    const double dx = p.x2 - p.x1, dy = p.y2 - p.y1;
    Klasse k;
    k.laenge = static_cast<int>(std::clamp(std::nearbyint(100.0 * std::hypot(dx, dy) / diagonale), 0.0, 100.0));
    if (dx != 0.0 || dy != 0.0)
        k.richtung = (static_cast<int>(std::nearbyint(grad(std::atan2(dy, dx)))) + 360) % 360;
    return k;
}

// The pairs near the displacement that has the most pairs in its neighbourhood.
std::vector<Paar> umDieHaeufigsteVerschiebung(const std::vector<Paar>& paare, double diagonale)
{
    std::vector<Klasse> klassen;
    klassen.reserve(paare.size());
    std::vector<std::array<int, 360>> histogramm(101, std::array<int, 360>{});
    std::array<int, 101> zeilensumme{};
    for (const Paar& p : paare) {
        klassen.push_back(klasse(p, diagonale));
        ++histogramm[static_cast<size_t>(klassen.back().laenge)][static_cast<size_t>(klassen.back().richtung)];
        ++zeilensumme[static_cast<size_t>(klassen.back().laenge)];
    }
    auto anzahl = [&](const Klasse& mitte) {
        int summe = 0;
        for (int l = std::max(0, mitte.laenge - NachbarLaenge); l <= std::min(100, mitte.laenge + NachbarLaenge); ++l) {
            if (l <= NachbarLaenge || mitte.laenge <= NachbarLaenge) {
                summe += zeilensumme[static_cast<size_t>(l)];
                continue;
            }
            for (int a = -NachbarRichtung; a <= NachbarRichtung; ++a)
                summe += histogramm[static_cast<size_t>(l)][static_cast<size_t>((mitte.richtung + a + 360) % 360)];
        }
        return summe;
    };
    Klasse beste;
    int besteAnzahl = -1;
    for (const Klasse& k : klassen) {
        const int n = anzahl(k);
        if (n > besteAnzahl) {
            besteAnzahl = n;
            beste = k;
        }
    }
    std::vector<Paar> behalten;
    for (size_t i = 0; i < paare.size(); ++i)
        if (benachbart(klassen[i], beste))
            behalten.push_back(paare[i]);
    return behalten;
}

// The vertical displacement as a plane over the picture: a turn, a scaling and a shift.
struct Senkrechtfeld {
    double a = 0.0, b = 0.0, c = 0.0;  // dy = a · (x − cx) + b · y + c
    double cx = 0.0;
    double bei(const Paar& p) const { return a * (p.x1 - cx) + b * p.y1 + c; }
};

Senkrechtfeld senkrechtfeld(const std::vector<Paar>& paare, double cx)
{
    // Least squares over the three unknowns, solved by Cramer's rule.
    double s[3][3] = {}, r[3] = {};
    for (const Paar& p : paare) {
        const double v[3] = {p.x1 - cx, p.y1, 1.0};
        for (int i = 0; i < 3; ++i) {
            r[i] += v[i] * (p.y2 - p.y1);
            for (int j = 0; j < 3; ++j)
                s[i][j] += v[i] * v[j];
        }
    }
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    Senkrechtfeld f;
    f.cx = cx;
    const double d = det(s);
    if (std::fabs(d) < 1e-9)
        return f;
    double loesung[3];
    for (int k = 0; k < 3; ++k) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = j == k ? r[i] : s[i][j];
        loesung[k] = det(m) / d;
    }
    f.a = loesung[0];
    f.b = loesung[1];
    f.c = loesung[2];
    return f;
}

// The field that most pairs agree with. Mismatched pairs would pull a fit
// over all of them anywhere, so fields through three pairs at a time are
// tried (in a fixed order, for repeatable results); the one with the most
// pairs within Einig of it wins, and the fit over those pairs is the result.
Senkrechtfeld mehrheitsfeld(const std::vector<Paar>& paare, double cx)
{
    auto einig = [](const Senkrechtfeld& f) {
        return [&f](const Paar& p) { return std::fabs(p.y2 - p.y1 - f.bei(p)) <= Einig; };
    };
    const size_t n = paare.size();
    if (n < 3)
        return senkrechtfeld(paare, cx);
    uint32_t z = 1;
    auto zufall = [&] {
        z = z * 1664525u + 1013904223u;
        return static_cast<size_t>(z >> 8) % n;
    };
    Senkrechtfeld bestes = senkrechtfeld(paare, cx);
    auto besteAnzahl = std::count_if(paare.begin(), paare.end(), einig(bestes));
    for (int v = 0; v < Versuche; ++v) {
        const Senkrechtfeld f = senkrechtfeld({paare[zufall()], paare[zufall()], paare[zufall()]}, cx);
        const auto anzahl = std::count_if(paare.begin(), paare.end(), einig(f));
        if (anzahl > besteAnzahl) {
            besteAnzahl = anzahl;
            bestes = f;
        }
    }
    if (besteAnzahl < 3)
        return bestes;
    std::vector<Paar> einige;
    std::copy_if(paare.begin(), paare.end(), std::back_inserter(einige), einig(bestes));
    return senkrechtfeld(einige, cx);
}

// The transform that shows a picture seen through g0 as g shows it.
Abbildung relativ(const Matrix4& g0, const Matrix4& g, int32_t breite, int32_t hoehe)
{
    const Matrix4 r = Matrix_4_Produkt(Matrix_4_Inverse(g0), g);
    const bool kippung = r.m[2][0] != 0.0 || r.m[2][1] != 0.0 || r.m[0][2] != 0.0 || r.m[1][2] != 0.0;
    Abbildung a = Abbildung_Aus(Matrix_4_Inverse(r), kippung, false, breite, hoehe);
    a.g = r;
    return a;
}

Bitmap24 verzerren(const Bitmap24& bild, const Matrix4& g0, const Matrix4& g, bool bikubisch)
{
    if (g == g0)
        return bild;
    Bitmap24 aus(bild.breite, bild.hoehe);
    ResampleOptionen o;
    o.bikubisch = bikubisch;
    Resampeln(bild, aus, relativ(g0, g, bild.breite, bild.hoehe), o);
    return aus;
}

// The detail view: both pictures blended, each pair's displacement drawn in red, ten times longer.
Bitmap24 detailBild(const Bitmap24& a, const Bitmap24& b, const std::vector<Paar>& paare)
{
    Bitmap24 bild(a.breite, a.hoehe);
    for (size_t i = 0; i < bild.pixel.size(); ++i)
        bild.pixel[i] = static_cast<uint8_t>((a.pixel[i] + b.pixel[i]) / 2);
    for (const Paar& p : paare)
        for (int t = 0; t <= 20; ++t) {
            const auto x = static_cast<int32_t>(std::lround(p.x1 + (p.x2 - p.x1) * t / 2.0));
            const auto y = static_cast<int32_t>(std::lround(p.y1 + (p.y2 - p.y1) * t / 2.0));
            if (x < 0 || y < 0 || x >= bild.breite || y >= bild.hoehe)
                break;
            uint8_t* px = bild.zeile(y) + 3 * static_cast<size_t>(x);
            px[0] = 0;
            px[1] = 0;
            px[2] = 255;
        }
    return bild;
}

// How far a measurement is from convergence, per parameter: 1 is the tolerance.
std::vector<double> normiert(const Schaetzung& s, const FlussParameter& wahl)
{
    std::vector<double> n;
    if (wahl.dx)
        n.push_back(std::fabs(s.tx) / 0.5);
    if (wahl.dy)
        n.push_back(std::fabs(s.ty) / 0.5);
    if (wahl.rot)
        n.push_back(std::fabs(s.rot) / 0.1);
    if (wahl.skal)
        n.push_back(std::fabs(s.skal - 1.0) / 0.001);
    return n;
}

// Only the chosen parameters are corrected.
Schaetzung gewaehlt(const Schaetzung& s, const FlussParameter& wahl)
{
    Schaetzung k;
    k.tx = wahl.dx ? s.tx : 0.0;
    k.ty = wahl.dy ? s.ty : 0.0;
    k.rot = wahl.rot ? s.rot : 0.0;
    k.skal = wahl.skal ? s.skal : 1.0;
    return k;
}

Schaetzung haelfte(const Schaetzung& s, double richtung)
{
    return {richtung * s.tx / 2.0, richtung * s.ty / 2.0, richtung * s.rot / 2.0, 1.0 + richtung * (s.skal - 1.0) / 2.0};
}

// The disparity of the nearest points less the mean: a twentieth of the pairs lies nearer still.
double naechsteDisparitaet(const std::vector<Paar>& paare, bool zweitesRechts)
{
    std::vector<double> d;
    for (const Paar& p : paare)
        d.push_back(p.x2 - p.x1);
    const double mittel = std::accumulate(d.begin(), d.end(), 0.0) / static_cast<double>(d.size());
    const size_t k = zweitesRechts ? d.size() / 20 : d.size() - 1 - d.size() / 20;
    std::nth_element(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(k), d.end());
    return d[k] - mittel;
}

}

std::vector<Paar> Paare_Filtern(std::vector<Paar> paare, int32_t breite, int32_t hoehe)
{
    if (paare.empty())
        return {};
    const double links = Randanteil * breite, rechts = (1.0 - Randanteil) * breite;
    const double oben = Randanteil * hoehe, unten = (1.0 - Randanteil) * hoehe;
    auto innen = [&](double x, double y) { return x >= links && x <= rechts && y >= oben && y <= unten; };
    std::erase_if(paare, [&](const Paar& p) { return !innen(p.x1, p.y1) || !innen(p.x2, p.y2); });

    if (paare.size() < MinPaare)
        return {};
    // A pair's direction is judged after the vertical displacement that a turn,
    // a scaling and a vertical shift explain is taken away: otherwise a scale
    // error would leave only the pairs it does not move, and hide itself.
    const double diagonale = std::hypot(static_cast<double>(breite), static_cast<double>(hoehe));
    const Senkrechtfeld feld = mehrheitsfeld(paare, breite / 2.0);
    // A displacement too short to have a direction counts when it stays within half a pixel.
    auto horizontal = [&](const Paar& p) {
        Paar r = p;
        r.y2 = p.y1 + (p.y2 - p.y1) - feld.bei(p);
        return std::fabs(r.y2 - r.y1) <= Kurz || waagerecht(klasse(r, diagonale).richtung);
    };
    const auto anzahl = std::count_if(paare.begin(), paare.end(), horizontal);
    if (10 * anzahl >= static_cast<std::ptrdiff_t>(paare.size()))
        std::erase_if(paare, [&](const Paar& p) { return !horizontal(p); });
    if (paare.size() < MinPaare)
        return {};
    paare = umDieHaeufigsteVerschiebung(paare, diagonale);
    if (paare.size() < MinPaare)
        return {};
    return paare;
}

Schaetzung Schaetzen(const std::vector<Paar>& paare, double cx)
{
    Schaetzung s;
    if (paare.empty())
        return s;
    double summe = 0.0;
    for (const Paar& p : paare)
        summe += p.x2 - p.x1;
    s.tx = -summe / static_cast<double>(paare.size());
    const auto senkrecht = [](const Paar& p) { return p.y2 - p.y1; };
    const Gerade drehung = Ausgleichsgerade(paare, [cx](const Paar& p) { return p.x1 - cx; }, senkrecht);
    s.rot = -grad(std::atan(drehung.steigung));
    s.ty = -drehung.achse;
    const Gerade skalierung = Ausgleichsgerade(paare, [](const Paar& p) { return p.y1; }, senkrecht);
    s.skal = 1.0 / (1.0 + skalierung.steigung);
    return s;
}

Matrix4 Korrektur_Anwenden(const Matrix4& g, const Schaetzung& k, double cx, double cy)
{
    Matrix4 r = Matrix_4_UmZentrum(g, Matrix_4_Skalierung(1.0 / k.skal, 1.0 / k.skal), cx, cy);
    r = Matrix_4_UmZentrum(r, Matrix_4_DrehungZ(-k.rot), cx, cy);
    return Matrix_4_Produkt(r, Matrix_4_Verschiebung(-k.tx, -k.ty));
}

void TOptischerFluss::Anlegen(int32_t breite, int32_t hoehe, int ebenen)
{
    breite_ = breite;
    hoehe_ = hoehe;
    ebenen_ = ebenen;
    const size_t n = static_cast<size_t>(breite) * static_cast<size_t>(hoehe);
    for (Pyramide* p : {&erste_, &zweite_}) {
        p->assign(static_cast<size_t>(ebenen), Graubild{});
        int32_t b = breite, h = hoehe;
        for (Graubild& e : *p) {
            e.breite = b;
            e.hoehe = h;
            e.wert.assign(static_cast<size_t>(b) * static_cast<size_t>(h), 0);
            b = (b + 1) / 2;
            h = (h + 1) / 2;
        }
    }
    grau_.assign(n, 0);
    gx_.assign(n, 0);
    gy_.assign(n, 0);
    gd_.assign(n, 0);
    staerke_.assign(n, 0.0);
    arbeit_ = Bitmap24(breite, hoehe);
    punkte_.clear();
}

void TOptischerFluss::Freigeben()
{
    erste_ = {};
    zweite_ = {};
    grau_ = {};
    gx_ = {};
    gy_ = {};
    gd_ = {};
    staerke_ = {};
    arbeit_ = {};
    punkte_ = {};
}

void TOptischerFluss::schritt()
{
    ctx_.pump();
    ctx_.throwIfAborted();
}

std::vector<int32_t> TOptischerFluss::grauwerte(const Bitmap24& bild)
{
    const Bitmap24* quelle = &bild;
    if (bild.breite != breite_ || bild.hoehe != hoehe_) {
        ResampleOptionen o;
        const Matrix4 f = Matrix_4_Skalierung(static_cast<double>(breite_) / bild.breite,
                                              static_cast<double>(hoehe_) / bild.hoehe);
        Resampeln(bild, arbeit_, Abbildung_Aus(f, false, false, breite_, hoehe_), o);
        quelle = &arbeit_;
    }
    std::vector<int32_t> grau(static_cast<size_t>(breite_) * static_cast<size_t>(hoehe_));
    for (int32_t y = 0; y < hoehe_; ++y) {
        const uint8_t* px = quelle->zeile(y);
        for (int32_t x = 0; x < breite_; ++x, px += 3)
            grau[index(x, y, breite_)] = (11 * px[0] + 59 * px[1] + 30 * px[2]) / 100;
        schritt();
    }
    return grau;
}

void TOptischerFluss::verzerrteGrauwerte(const std::vector<int32_t>& grau, const Matrix4& r, Graubild& ziel)
{
    if (r == Matrix4::Einheit()) {
        ziel.wert = grau;
        return;
    }
    // Bilinear, white outside: between measurements only the grey values need to follow the correction.
    const auto& m = r.m;
    const size_t b = static_cast<size_t>(breite_);
    for (int32_t y = 0; y < hoehe_; ++y) {
        const double zx = m[0][1] * y, zy = m[1][1] * y;
        for (int32_t x = 0; x < breite_; ++x) {
            const double sx = m[0][0] * x + zx + m[0][3];
            const double sy = m[1][0] * x + zy + m[1][3];
            int32_t wert = 255;
            if (sx >= 0.0 && sy >= 0.0 && sx <= breite_ - 1.0 && sy <= hoehe_ - 1.0) {
                const auto x0 = std::min(static_cast<int32_t>(sx), breite_ - 2);
                const auto y0 = std::min(static_cast<int32_t>(sy), hoehe_ - 2);
                const double fx = sx - x0, fy = sy - y0;
                const size_t k = index(x0, y0, breite_);
                const double oben = grau[k] + fx * (grau[k + 1] - grau[k]);
                const double unten = grau[k + b] + fx * (grau[k + b + 1] - grau[k + b]);
                // Grey values are not negative: adding a half and truncating rounds.
                wert = static_cast<int32_t>(oben + fy * (unten - oben) + 0.5);
            }
            ziel.wert[index(x, y, breite_)] = wert;
        }
        schritt();
    }
}

void TOptischerFluss::pyramideAufbauen(Pyramide& pyramide)
{
    std::vector<int32_t> spalten;  // the rows 2y − 1, 2y, 2y + 1 weighted 1 2 1, per column
    for (size_t k = 1; k < pyramide.size(); ++k) {
        const Graubild& unten = pyramide[k - 1];
        Graubild& e = pyramide[k];
        spalten.resize(static_cast<size_t>(unten.breite));
        for (int32_t y = 0; y < e.hoehe; ++y) {
            const int32_t* o = &unten.wert[index(0, std::max(2 * y - 1, 0), unten.breite)];
            const int32_t* m = &unten.wert[index(0, 2 * y, unten.breite)];
            const int32_t* u = &unten.wert[index(0, std::min(2 * y + 1, unten.hoehe - 1), unten.breite)];
            for (size_t x = 0; x < spalten.size(); ++x)
                spalten[x] = o[x] + 2 * m[x] + u[x];
            for (int32_t x = 0; x < e.breite; ++x) {
                const auto links = static_cast<size_t>(std::max(2 * x - 1, 0));
                const auto rechts = static_cast<size_t>(std::min(2 * x + 1, unten.breite - 1));
                e.wert[index(x, y, e.breite)] = (spalten[links] + 2 * spalten[static_cast<size_t>(2 * x)] + spalten[rechts]) >> 4;
            }
            schritt();
        }
    }
}

void TOptischerFluss::merkmaleSuchen(double qualitaet)
{
    const int32_t w = breite_, h = hoehe_;
    auto I = [&](int32_t x, int32_t y) { return grau_[index(x, y, w)]; };
    for (int32_t y = 1; y < h - 1; ++y)
        for (int32_t x = 1; x < w - 1; ++x) {
            const size_t k = index(x, y, w);
            gx_[k] = (I(x - 1, y - 1) + 2 * I(x - 1, y) + I(x - 1, y + 1)) - (I(x + 1, y - 1) + 2 * I(x + 1, y) + I(x + 1, y + 1));
            gy_[k] = (I(x - 1, y + 1) + 2 * I(x, y + 1) + I(x + 1, y + 1)) - (I(x - 1, y - 1) + 2 * I(x, y - 1) + I(x + 1, y - 1));
            gd_[k] = (I(x + 1, y - 1) + I(x - 1, y + 1)) - (I(x - 1, y - 1) + I(x + 1, y + 1));
        }
    std::fill(staerke_.begin(), staerke_.end(), 0.0);
    // The sums over the 3 × 3 window: along each row first, three rows kept. A
    // Sobel difference is at most 4 · 255, so nine squares stay below 2^31.
    struct Zeilensummen {
        std::vector<int32_t> a, c, b;
    };
    std::array<Zeilensummen, 3> ring;
    auto zeilensummen = [&](int32_t y, Zeilensummen& z) {
        z.a.assign(static_cast<size_t>(w), 0);
        z.c.assign(static_cast<size_t>(w), 0);
        z.b.assign(static_cast<size_t>(w), 0);
        for (int32_t x = 1; x < w - 1; ++x)
            for (int i = -1; i <= 1; ++i) {
                const size_t k = index(x + i, y, w);
                z.a[static_cast<size_t>(x)] += gx_[k] * gx_[k];
                z.c[static_cast<size_t>(x)] += gy_[k] * gy_[k];
                z.b[static_cast<size_t>(x)] += gd_[k];
            }
    };
    double groesste = 0.0;
    for (int32_t y = 1; y < h - 1; ++y) {
        zeilensummen(y + 1, ring[static_cast<size_t>((y + 1) % 3)]);
        if (y < 2 || y >= h - 2)
            continue;
        if (y == 2)
            zeilensummen(1, ring[1]);
        const Zeilensummen &o = ring[static_cast<size_t>((y - 1) % 3)], &m = ring[static_cast<size_t>(y % 3)],
                           &u = ring[static_cast<size_t>((y + 1) % 3)];
        for (int32_t x = 2; x < w - 2; ++x) {
            const auto i = static_cast<size_t>(x);
            const double a = (o.a[i] + m.a[i] + u.a[i]) / 2.0;
            const double c = (o.c[i] + m.c[i] + u.c[i]) / 2.0;
            const double b = static_cast<double>(o.b[i]) + m.b[i] + u.b[i];
            const double st = a + c - std::sqrt((a - c) * (a - c) + b * b);
            staerke_[index(x, y, w)] = st;
            groesste = std::max(groesste, st);
        }
        schritt();
    }

    std::vector<size_t> kandidaten;
    const double schwelle = groesste * qualitaet;
    for (int32_t y = Mindestabstand; y < h - Mindestabstand; ++y)
        for (int32_t x = Mindestabstand; x < w - Mindestabstand; ++x) {
            const size_t k = index(x, y, w);
            if (staerke_[k] > 0.0 && staerke_[k] >= schwelle)
                kandidaten.push_back(k);
        }
    std::stable_sort(kandidaten.begin(), kandidaten.end(), [&](size_t a, size_t b) { return staerke_[a] > staerke_[b]; });

    // The still marked candidates at least as strong as the one at hand are the
    // corners kept so far and the undecided ones of equal strength: they wait in
    // cells of the minimum distance, so only the neighbouring cells are searched.
    constexpr int32_t r = Mindestabstand;
    const int32_t zellenBreite = w / r + 1;
    std::vector<std::vector<size_t>> zellen(static_cast<size_t>(zellenBreite) * static_cast<size_t>(h / r + 1));
    auto zelle = [&](size_t k) -> std::vector<size_t>& {
        return zellen[index(static_cast<int32_t>(k % static_cast<size_t>(w)) / r,
                            static_cast<int32_t>(k / static_cast<size_t>(w)) / r, zellenBreite)];
    };
    auto verdraengt = [&](size_t k) {
        const auto x = static_cast<int32_t>(k % static_cast<size_t>(w)), y = static_cast<int32_t>(k / static_cast<size_t>(w));
        for (int32_t j = std::max(0, y / r - 1); j <= std::min(h / r, y / r + 1); ++j)
            for (int32_t i = std::max(0, x / r - 1); i <= std::min(w / r, x / r + 1); ++i)
                for (const size_t n : zellen[index(i, j, zellenBreite)]) {
                    const auto nx = static_cast<int32_t>(n % static_cast<size_t>(w)), ny = static_cast<int32_t>(n / static_cast<size_t>(w));
                    if (n != k && (nx - x) * (nx - x) + (ny - y) * (ny - y) <= r * r)
                        return true;
                }
        return false;
    };
    punkte_.clear();
    for (size_t g = 0; g < kandidaten.size();) {
        size_t ende = g;
        for (; ende < kandidaten.size() && staerke_[kandidaten[ende]] == staerke_[kandidaten[g]]; ++ende)
            zelle(kandidaten[ende]).push_back(kandidaten[ende]);
        for (; g < ende; ++g) {
            const size_t k = kandidaten[g];
            if (verdraengt(k)) {
                std::erase(zelle(k), k);
                continue;
            }
            Punkt p;
            p.x = static_cast<double>(k % static_cast<size_t>(w));
            p.y = static_cast<double>(k / static_cast<size_t>(w));
            p.staerke = staerke_[k];
            punkte_.push_back(p);
        }
    }
}

void TOptischerFluss::ErstesBildLaden(const Bitmap24& bild, double qualitaet)
{
    erste_[0].wert = grauwerte(bild);
    pyramideAufbauen(erste_);
    grau_ = erste_[0].wert;
    merkmaleSuchen(qualitaet);
}

void TOptischerFluss::verfolgen(Punkt& punkt) const
{
    constexpr int seite = 2 * Fenster + 1;
    std::array<double, seite * seite> ix{}, iy{};
    std::array<int32_t, seite * seite> wert{};
    double vx = 0.0, vy = 0.0;  // displacement at the current level
    for (int ebene = ebenen_ - 1; ebene >= 0; --ebene) {
        const Graubild& I = erste_[static_cast<size_t>(ebene)];
        const Graubild& J = zweite_[static_cast<size_t>(ebene)];
        const auto px = static_cast<int32_t>(punkt.x) >> ebene;
        const auto py = static_cast<int32_t>(punkt.y) >> ebene;
        const int32_t x0 = std::max(px - Fenster, 1), x1 = std::min(px + Fenster, I.breite - 2);
        const int32_t y0 = std::max(py - Fenster, 1), y1 = std::min(py + Fenster, I.hoehe - 2);
        double gxx = 0.0, gxy = 0.0, gyy = 0.0;
        size_t n = 0;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x, ++n) {
                ix[n] = (I.at(x + 1, y) - I.at(x - 1, y)) / 2.0;
                iy[n] = (I.at(x, y + 1) - I.at(x, y - 1)) / 2.0;
                wert[n] = I.at(x, y);
                gxx += ix[n] * ix[n];
                gxy += ix[n] * iy[n];
                gyy += iy[n] * iy[n];
            }
        const double det = gxx * gyy - gxy * gxy;
        // On a straight edge only the displacement across it can be measured:
        // such a point would drift along the edge, so it is not tracked.
        const double spur = gxx + gyy;
        const double kleinster = (spur - std::sqrt((gxx - gyy) * (gxx - gyy) + 4.0 * gxy * gxy)) / 2.0;
        if (ebene == 0 && kleinster < Kante * spur) {
            punkt.verloren = true;
            return;
        }
        if (n > 0 && std::fabs(det) > Flach) {
            for (int s = 0; s < Schritte; ++s) {
                const double links = x0 + vx, rechts = x1 + vx, oben = y0 + vy, unten = y1 + vy;
                const bool innen = links >= 0.0 && oben >= 0.0 && rechts < J.breite - 1.0 && unten < J.hoehe - 1.0;
                // At the finest level the window must lie inside the second picture. At a
                // coarse level a window covers much of the small picture, and a large
                // displacement would lose most points there: its border pixels repeat,
                // and only a window whose centre has left the picture stops refining.
                if (!innen && ebene == 0) {
                    punkt.verloren = true;
                    return;
                }
                if (!innen && (px + vx < 0.0 || py + vy < 0.0 || px + vx > J.breite - 1.0 || py + vy > J.hoehe - 1.0))
                    break;
                const double bx0 = std::floor(vx), by0 = std::floor(vy);
                const auto nx = static_cast<int32_t>(bx0), ny = static_cast<int32_t>(by0);
                // Bilinear between the pixels of the second picture: whole-pixel steps
                // cannot settle finer than a pixel of the level.
                const double ax = vx - bx0, ay = vy - by0;
                const double w00 = (1.0 - ax) * (1.0 - ay), w01 = ax * (1.0 - ay), w10 = (1.0 - ax) * ay, w11 = ax * ay;
                double bx = 0.0, by = 0.0;
                size_t k = 0;
                if (innen) {
                    const int32_t breite = x1 - x0 + 1;
                    for (int32_t y = y0; y <= y1; ++y, k += static_cast<size_t>(breite)) {
                        const int32_t* a = &J.wert[index(x0 + nx, y + ny, J.breite)];
                        const int32_t* b = a + J.breite;
                        for (int32_t i = 0; i < breite; ++i) {
                            const double d = wert[k + static_cast<size_t>(i)] - (w00 * a[i] + w01 * a[i + 1] + w10 * b[i] + w11 * b[i + 1]);
                            bx += ix[k + static_cast<size_t>(i)] * d;
                            by += iy[k + static_cast<size_t>(i)] * d;
                        }
                    }
                } else {
                    auto J_at = [&](int32_t x, int32_t y) { return J.at(std::clamp(x, 0, J.breite - 1), std::clamp(y, 0, J.hoehe - 1)); };
                    for (int32_t y = y0 + ny; y <= y1 + ny; ++y)
                        for (int32_t x = x0 + nx; x <= x1 + nx; ++x, ++k) {
                            const double d = wert[k] - (w00 * J_at(x, y) + w01 * J_at(x + 1, y) + w10 * J_at(x, y + 1) + w11 * J_at(x + 1, y + 1));
                            bx += ix[k] * d;
                            by += iy[k] * d;
                        }
                }
                const double sx = (gyy * bx - gxy * by) / det;
                const double sy = (gxx * by - gxy * bx) / det;
                vx += sx;
                vy += sy;
                if (std::fabs(sx) < Genau && std::fabs(sy) < Genau)
                    break;
            }
        }
        if (ebene > 0) {
            vx *= 2.0;
            vy *= 2.0;
        }
    }
    punkt.dx = vx;
    punkt.dy = vy;
}

void TOptischerFluss::ZweitesBildVerfolgen(const Bitmap24& bild)
{
    zweite_[0].wert = grauwerte(bild);
    pyramideAufbauen(zweite_);
    allesVerfolgen();
}

void TOptischerFluss::allesVerfolgen()
{
    // Row by row through the pictures, so that neighbouring windows share the cache;
    // the list keeps its order.
    std::vector<size_t> reihe(punkte_.size());
    std::iota(reihe.begin(), reihe.end(), size_t{0});
    std::sort(reihe.begin(), reihe.end(), [&](size_t a, size_t b) {
        return std::pair{punkte_[a].y, punkte_[a].x} < std::pair{punkte_[b].y, punkte_[b].x};
    });
    for (const size_t i : reihe) {
        Punkt& p = punkte_[i];
        p.verloren = false;
        p.dx = p.dy = 0.0;
        verfolgen(p);
        const double x = p.x + p.dx, y = p.y + p.dy;
        p.verloren = p.verloren || x < 0.0 || y < 0.0 || x > breite_ - 1.0 || y > hoehe_ - 1.0;
        schritt();
    }
    std::erase_if(punkte_, [](const Punkt& p) { return p.verloren; });
}

std::vector<Paar> TOptischerFluss::Paare() const
{
    std::vector<Paar> paare;
    paare.reserve(punkte_.size());
    for (const Punkt& p : punkte_)
        paare.push_back({p.x, p.y, p.x + p.dx, p.y + p.dy, true, p.staerke});
    return paare;
}

FlussErgebnis TOptischerFluss::Berechnen(const Bitmap24& bild1, const Bitmap24& bild2, Bitmap24& aus1, Bitmap24& aus2,
                                         const Matrix4& g1, const Matrix4& g2, const FlussAuftrag& auftrag,
                                         AutoJustAnzeige& anzeige)
{
    FlussErgebnis e;
    e.matrix1 = g1;
    e.matrix2 = g2;
    const double cx = bild1.breite / 2.0, cy = bild1.hoehe / 2.0;
    anzeige.ebenen = Pyramidenebenen;
    Matrix4 m1 = g1, m2 = g2;
    Matrix4 best1 = g1, best2 = g2;
    double besterFehler = -1.0;
    int besteIteration = 0;
    bool vorherKonvergiert = false;
    std::vector<Paar> paare;
    try {
        Anlegen(bild1.breite, bild1.hoehe, Pyramidenebenen);
        const std::vector<int32_t> grau1 = grauwerte(bild1);
        const std::vector<int32_t> grau2 = grauwerte(bild2);
        std::vector<Punkt> merkmale;
        for (int it = 1; it <= auftrag.maxIterationen; ++it) {
            anzeige.schleife = it;
            // The first picture changes only in symmetric mode: its corners are found once otherwise.
            if (it == 1 || auftrag.symmetrisch) {
                verzerrteGrauwerte(grau1, Matrix_4_Produkt(Matrix_4_Inverse(g1), m1), erste_[0]);
                pyramideAufbauen(erste_);
                grau_ = erste_[0].wert;
                merkmaleSuchen(auftrag.qualitaet);
                merkmale = punkte_;
            }
            verzerrteGrauwerte(grau2, Matrix_4_Produkt(Matrix_4_Inverse(g2), m2), zweite_[0]);
            pyramideAufbauen(zweite_);
            punkte_ = merkmale;
            allesVerfolgen();
            paare = Paare_Filtern(Paare(), bild1.breite, bild1.hoehe);
            if (auftrag.detail)
                auftrag.detail(detailBild(verzerren(bild1, g1, m1, auftrag.bikubisch),
                                          verzerren(bild2, g2, m2, auftrag.bikubisch), paare));
            if (paare.empty())
                break;
            const Schaetzung s = Schaetzen(paare, cx);
            const std::vector<double> n = normiert(s, auftrag.parameter);
            const double fehler = std::accumulate(n.begin(), n.end(), 0.0) / static_cast<double>(n.size());
            if (besterFehler < 0.0 || fehler < besterFehler) {
                besterFehler = fehler;
                besteIteration = it;
                best1 = m1;
                best2 = m2;
            }
            const bool konvergiert = *std::max_element(n.begin(), n.end()) <= 1.0;
            if (konvergiert && it == 1) {
                e.status = "1";
                e.iterationen = 1;
                break;
            }
            // The last measurement is applied too: the tolerances of convergence
            // leave up to a pixel at the corners, the measurement far less.
            const Schaetzung k = gewaehlt(s, auftrag.parameter);
            if (auftrag.symmetrisch) {
                m1 = Korrektur_Anwenden(m1, haelfte(k, -1.0), cx, cy);
                m2 = Korrektur_Anwenden(m2, haelfte(k, 1.0), cx, cy);
            } else {
                m2 = Korrektur_Anwenden(m2, k, cx, cy);
            }
            e.iterationen = it;
            if (konvergiert && vorherKonvergiert) {
                e.status = "+";
                e.iterationen = it - 1;
                break;
            }
            vorherKonvergiert = konvergiert;
        }
        // Never settled, but one state was within the tolerance on average: uncertain.
        if (e.status == "-" && besterFehler >= 0.0 && besterFehler <= 1.0) {
            e.status = "?";
            e.iterationen = besteIteration;
            m1 = best1;
            m2 = best2;
        }
    } catch (const Abbruch&) {
        e.status = "-";
    }
    if (e.status == "-") {
        aus1 = bild1;
        aus2 = bild2;
        return e;
    }
    e.matrix1 = m1;
    e.matrix2 = m2;
    aus1 = verzerren(bild1, g1, m1, auftrag.bikubisch);
    aus2 = verzerren(bild2, g2, m2, auftrag.bikubisch);
    if (!paare.empty()) {
        const double d = naechsteDisparitaet(paare, auftrag.zweitesRechts);
        e.versatz1 = auftrag.symmetrisch ? -d / 2.0 : 0.0;
        e.versatz2 = auftrag.symmetrisch ? d / 2.0 : d;
    }
    return e;
}
