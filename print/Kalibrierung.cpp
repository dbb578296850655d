#include "print/Kalibrierung.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "compose/Hilfen.h"
#include "compose/Pipeline.h"
#include "core/Format.h"
#include "print/Druck.h"

namespace {

using Sprache::MeldungNr;
using Sprache::Titel;

constexpr double MinLpi = 5;
constexpr double MaxLpi = 999;
constexpr int32_t MaxKalibBilder = 100;
// An image less than a centimetre across would have no whole lens or row.
constexpr double MinKalibCm = 1;
constexpr double MaxKalibCm = 999;
constexpr int MarkenAbstand = 10;  // the stripes of the lens test lie at lpi0 ± 10 steps

const Farbe Rot{255, 0, 0};
const Farbe Cyan{0, 255, 255};
const Farbe Weiss{255, 255, 255};
const Farbe Schwarz{0, 0, 0};

PrintImage einfarbig(int32_t breite, int32_t hoehe, const Farbe& farbe)
{
    PrintImage bild{breite, hoehe, {}};
    bild.bgr.resize(3 * static_cast<size_t>(breite) * static_cast<size_t>(hoehe));
    ZeileFuellen(bild.bgr.data(), 0, breite * hoehe, farbe);
    return bild;
}

void setzen(PrintImage& bild, int64_t i, const Farbe& farbe)
{
    ZeileFuellen(bild.bgr.data(), static_cast<int32_t>(i), static_cast<int32_t>(i + 1), farbe);
}

void text(Printers& drucker, int64_t x, int64_t y, const std::string& t)
{
    if (!drucker.drawText(x, y, t))
        throw Abbruch{};
}

void bild(Printers& drucker, const PrintImage& b, const DeviceRect& r)
{
    if (!drucker.drawImage(b, r))
        throw Abbruch{};
}

// The title of the sheets, centred in Arial 16 one line below the top.
void titel(Printers& drucker, const Geraet& g)
{
    drucker.setFont("Arial", 16);
    const std::string t = std::string(Sprache::Produkttitel) + Sprache::KalibTitel;
    text(drucker, g.seitenbreite / 2 - drucker.textWidth(t) / 2, g.zeilenhoehe(16), t);
}

// A pitch as the labels of the lens test show it: the digits of the value
// meant, without the last binary digits of the sum.
std::string lpiText(double lpi)
{
    return formatShortest(std::round(lpi * 1e9) / 1e9);
}

// Runs body on an open document, which it ends; false after a reported failure.
template <class Body>
bool blatt(Programm& p, Printers& drucker, Body&& body)
{
    return guarded(p.ctx, [&] {
        Dokument dokument(drucker);
        if (!dokument.offen())
            throw Abbruch{};
        const Geraet g = Geraet_Abfragen(drucker);
        body(g);
        if (!dokument.beenden())
            throw Abbruch{};
    });
}

}

bool Test_MaxKalibDruck(Context& ctx, double lpi)
{
    const bool ok = Grenze_Pruefen(ctx, lpi, MinLpi, MaxLpi, "", MeldungNr::KalibLinsenrastertypZuKlein,
                                   MeldungNr::KalibLinsenrastertypZuGross);
    if (!ok)
        ctx.message(Titel::Warnung, MeldungNr::BerechnungAbgebrochen);
    return ok;
}

bool Test_MaxKalibBitmap(Context& ctx, const KalibBild& k)
{
    bool ok = Grenze_Pruefen(ctx, k.lpi, MinLpi, MaxLpi, "", MeldungNr::KalibLinsenrastertypZuKlein,
                             MeldungNr::KalibLinsenrastertypZuGross);
    if (k.bilder > MaxKalibBilder) {
        Grenze_Verletzt(ctx, Sprache::Meldung(MeldungNr::ZuVieleKalibBilder), false, std::to_string(MaxKalibBilder));
        ok = false;
    }
    ok = Grenze_Pruefen(ctx, k.breite * k.f(), MinKalibCm, MaxKalibCm, "", MeldungNr::DruckbreiteZuKlein,
                        MeldungNr::DruckbreiteZuGross) && ok;
    ok = Grenze_Pruefen(ctx, k.hoehe * k.f(), MinKalibCm, MaxKalibCm, "", MeldungNr::DruckhoeheZuKlein,
                        MeldungNr::DruckhoeheZuGross) && ok;
    if (!ok)
        ctx.message(Titel::Warnung, MeldungNr::BerechnungAbgebrochen);
    return ok;
}

KalibErgebnis Kalib_Geometrie(const KalibBild& k)
{
    KalibErgebnis e;
    const double f = k.f();
    const int32_t n = std::max(k.bilder, 1);
    e.linsen = roundEven(k.breite * f / 2.54 * k.lpi);
    e.exakteBreite = 2.54 * static_cast<double>(e.linsen) / f / k.lpi;
    e.pixelProBild = k.pixel > 0 ? k.pixel : std::max(1, static_cast<int32_t>(400 / (n * k.lpi)));
    e.pixelProLinse = n * e.pixelProBild;
    e.breite = e.linsen * e.pixelProLinse;
    e.dpiX = 2.54 * static_cast<double>(e.breite) / e.exakteBreite / f;
    e.hoehe = roundEven(k.hoehe / e.exakteBreite * static_cast<double>(e.breite));
    e.exakteHoehe = static_cast<double>(e.hoehe) / static_cast<double>(e.breite) * e.exakteBreite;
    e.streifenhoehe = e.exakteHoehe / std::max(k.streifen, 1);
    e.dpiY = 2.54 * static_cast<double>(e.hoehe) / e.exakteHoehe / f;
    return e;
}

std::vector<Farbe> Kalib_Farben(int32_t bilder, bool weiss)
{
    static const Farbe tafel[8] = {{0, 0, 0},   {255, 255, 255}, {255, 0, 0},   {0, 255, 0},
                                   {0, 0, 255}, {255, 255, 0},   {0, 255, 255}, {255, 0, 255}};
    std::vector<Farbe> farben;
    int c = 0;
    for (int32_t i = 0; i < bilder; ++i) {
        c = i == 0 ? 1 : (c == 8 ? 3 : c + 1);
        farben.push_back(weiss && c != 1 ? Weiss : tafel[c - 1]);
    }
    return farben;
}

std::vector<uint8_t> Referenzzeile(const KalibErgebnis& e, const std::vector<Farbe>& farben)
{
    std::vector<uint8_t> zeile(static_cast<size_t>(6 * e.breite));
    for (int64_t x = 0; x < 2 * e.breite; ++x)
        ZeileFuellen(zeile.data(), static_cast<int32_t>(x), static_cast<int32_t>(x + 1),
                     farben[static_cast<size_t>((x % e.pixelProLinse) / e.pixelProBild)]);
    return zeile;
}

void Streifenzeile(const std::vector<uint8_t>& referenz, int64_t breite, double lpiStreifen, double lpi,
                   bool kontinuierlich, uint8_t* zeile)
{
    const auto laenge = static_cast<int64_t>(referenz.size() / 3);
    const auto kanal = [&](int64_t i, int k) -> double { return i >= 0 && i < laenge ? referenz[3 * i + k] : 255; };
    for (int64_t x = 0; x < breite; ++x) {
        const double pos = static_cast<double>(x) * lpiStreifen / lpi;
        uint8_t* px = zeile + 3 * x;
        if (!kontinuierlich) {
            const int64_t i = roundEven(pos);
            for (int k = 0; k < 3; ++k)
                px[k] = static_cast<uint8_t>(kanal(i, k));
            continue;
        }
        const auto i = static_cast<int64_t>(std::floor(pos));
        const double t = pos - static_cast<double>(i);
        for (int k = 0; k < 3; ++k)
            px[k] = roundByte(kanal(i, k) * (1 - t) + kanal(i + 1, k) * t);
    }
}

PrintImage Testmuster(int64_t c, bool flip)
{
    const auto laenge = static_cast<int32_t>(c);
    PrintImage muster = einfarbig(flip ? 1 : laenge, flip ? laenge : 1, Schwarz);
    for (int64_t i = 1; i < c; i += 2)
        setzen(muster, i, Weiss);
    const Farbe anfang[4] = {Rot, Cyan, Weiss, Weiss};
    for (int64_t i = 0; i < std::min<int64_t>(c, 4); ++i)
        setzen(muster, i, anfang[i]);
    return muster;
}

PrintImage Barriermuster(int64_t n, int32_t q)
{
    PrintImage muster = einfarbig(static_cast<int32_t>(n), 1, Schwarz);
    for (int64_t x = q / 2; x < n; x += q)
        setzen(muster, x, Weiss);
    for (int64_t x = 0; x < std::min<int64_t>(n, q); ++x)
        setzen(muster, x, Rot);
    return muster;
}

Farbe HSV_RGB(double h, double s, double v)
{
    const auto byte = [](double wert) { return static_cast<int32_t>(roundByte(255 * wert)); };
    if (s == 0)
        return {byte(v), byte(v), byte(v)};
    const int sektor = static_cast<int>(h / 60);
    const double f = h / 60 - sektor;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sektor) {
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    case 5: r = v, g = p, b = q; break;
    default: break;
    }
    return {byte(r), byte(g), byte(b)};
}

bool Testmuster_Drucken(Programm& p, Printers& drucker, const KalibDruck& k)
{
    return blatt(p, drucker, [&](const Geraet& g) {
        titel(drucker, g);
        drucker.setFont("Arial", 10);
        const int64_t h10 = g.zeilenhoehe(10);
        const int64_t links = g.x(3.0);
        const std::string zeilen[5] = {
            lpiText(k.lpi), Sprache::Tafel::KalibSchritte[k.schritt], Sprache::Tafel::KalibRichtungen[k.richtung],
            Druckername(drucker), std::to_string(roundEven(2.54 * g.dpcmX)) + " * " + std::to_string(roundEven(2.54 * g.dpcmY))};
        for (int i = 0; i < 5; ++i)
            text(drucker, links, (4 + i) * h10, Sprache::KalibDruckzeilen[i] + zeilen[i]);
        drucker.setFont("Arial", 8);
        const int64_t h8 = g.zeilenhoehe(8);
        const double schritt = KalibSchrittweiten[static_cast<size_t>(k.schritt)];
        const int64_t c = roundEven(k.lpi * k.laenge / 2.54) * 2;
        const double e = static_cast<double>(c) * 2.54 / k.lpi / 2;
        const bool flip = k.richtung == 1;
        const PrintImage muster = Testmuster(c, flip);
        const int64_t beschriftung = drucker.textWidth("160.000 ");
        for (int i = 0; i <= 2 * MarkenAbstand; ++i) {
            const double lpi = k.lpi + schritt * (i - MarkenAbstand);
            const double verhaeltnis = lpi / k.lpi;
            const double quer = 0.45 + 0.05;
            DeviceRect r;
            r.left = std::max<int64_t>(0, g.x(3.0 + (flip ? quer * i : 0)));
            r.top = std::max<int64_t>(0, g.y(flip ? 6.0 : 5.0 + quer * i));
            r.right = r.left + (flip ? roundEven(0.45 * g.dpcmX) : roundEven(e * g.dpcmX / verhaeltnis));
            r.bottom = r.top + (flip ? roundEven(e * g.dpcmY / verhaeltnis) : roundEven(0.45 * g.dpcmY));
            bild(drucker, muster, r);
            if (flip)
                text(drucker, r.left, r.top - (i % 3 + 1) * h8, lpiText(lpi));
            else
                text(drucker, r.left - beschriftung, r.top, lpiText(lpi));
        }
    });
}

bool Barrier_Drucken(Programm& p, Printers& drucker)
{
    return blatt(p, drucker, [&](const Geraet& g) {
        const Bildlage b = Bildlage_Berechnen(p.druck, g);
        const int32_t q = p.compose.barrierIndex + 2;
        const int64_t n = roundEven(p.druck.breite / 2.54 * p.druck.f() * p.compose.lpi * q);
        if (n < 1)
            throw Abbruch{};
        bild(drucker, Barriermuster(n, q),
             {roundEven(b.links * g.dpcmX), roundEven(b.oben * g.dpcmY), roundEven((b.links + b.breite) * g.dpcmX),
              roundEven((b.oben + b.hoehe) * g.dpcmY)});
    });
}

bool Farbtabelle_Drucken(Programm& p, Printers& drucker)
{
    return blatt(p, drucker, [&](const Geraet& g) {
        titel(drucker, g);
        drucker.setFont("Arial", 8);
        const int64_t h8 = g.zeilenhoehe(8);
        for (int zeile = 0; zeile < 15; ++zeile) {
            for (int spalte = 0; spalte < 12; ++spalte) {
                double ton = 2.0 * (zeile * 12 + spalte);
                while (ton >= 360)
                    ton -= 360;
                DeviceRect r;
                r.left = std::max<int64_t>(0, g.x(2.0 + 1.5 * spalte));
                r.top = std::max<int64_t>(0, g.y(6.0 + 1.5 * zeile));
                r.right = r.left + roundEven(1.0 * g.dpcmX);
                r.bottom = r.top + roundEven(0.5 * g.dpcmY);
                bild(drucker, einfarbig(10, 10, HSV_RGB(ton, 1, 1)), r);
                text(drucker, r.left, r.top - h8, formatShortest(ton));
            }
        }
    });
}
