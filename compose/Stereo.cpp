#include <algorithm>
#include <cstring>

#include "compose/Hilfen.h"
#include "compose/Komponisten.h"
#include "compose/Resize.h"
#include "core/Format.h"
#include "raster/RasterImage.h"

const std::array<ViewerVorlage, 13> ViewerVorlagen{{
    {"Postcard  115x 60mm   50x 50mm -  55mm", 115, 60, 50, 50, 55, 0},
    {"Lorgn. 1  135x 90mm   60x 80mm -  65mm", 135, 90, 60, 80, 65, 0},
    {"Lorgn. 2  175x110mm   80x100mm -  85mm", 175, 110, 80, 100, 85, 0},
    {"Dia       101x 41mm   41x 41mm -  59mm", 101, 41, 41, 41, 59, 0},
    {"Loreo 1   130x 90mm   65x 90mm -  65mm", 130, 90, 65, 90, 65, 0},
    {"Loreo 2   150x100mm   75x100mm -  75mm", 150, 100, 75, 100, 75, 0},
    {"KMQ 1     140x200mm  130x 90mm | 100mm", 140, 200, 130, 90, 0, 100},
    {"KMQ 2     160x220mm  150x100mm | 110mm", 160, 220, 150, 100, 0, 110},
    {"KMQ 3     190x280mm  180x130mm | 140mm", 190, 280, 180, 130, 0, 140},
    {"Amazing   144x 37mm   40x 27mm -  62mm", 144, 37, 40, 27, 62, 0},
    {"Paperview 130x 40mm   54x 35mm -  57mm", 130, 40, 54, 35, 57, 0},
    {"3D-Frame  100x 30mm   50x 30mm -  50mm", 100, 30, 50, 30, 50, 0},
    {"3D-TV    3840x 1080 1920x 1080 -   0  ", 3840, 1080, 1920, 1080, 1920, 0},
}};

namespace {

// The digital photo frame preset: no lines, black, squeezed to its panel.
constexpr int RahmenVorlage = 11;

}

std::vector<std::string> ALL_Viewer()
{
    std::vector<std::string> items;
    for (size_t i = 0; i < ViewerVorlagen.size(); ++i)
        items.push_back(formatInt(static_cast<int64_t>(i) + 1, 2) + ": " + ViewerVorlagen[i].text);
    return items;
}

void Viewer_Uebernehmen(StereoSettings& s, int index)
{
    const ViewerVorlage& v = ViewerVorlagen.at(static_cast<size_t>(index));
    s.viewerIndex = index;
    s.xr = v.xr;
    s.yr = v.yr;
    s.xd = v.xd;
    s.yd = v.yd;
    s.xm = v.xm;
    s.ym = v.ym;
    const bool panel = index == RahmenVorlage;
    s.gesamtRahmen = s.rahmen = !panel;
    s.hintergrund = panel ? Farbe{0, 0, 0} : Farbe{255, 255, 255};
    s.rahmenFarbe = Farbe{0, 0, 0};
    s.stauchen = s.festePixel = panel;
    if (panel) {
        s.pixelBreite = 800;
        s.pixelHoehe = 480;
    } else if (s.linienBreite == 0) {
        s.linienBreite = 5;
    }
}

bool Viewer_Pruefen(Context& ctx, int32_t xd, int32_t yd, int32_t xm, int32_t ym, int32_t xr, int32_t yr)
{
    using Sprache::MeldungNr;
    using Sprache::Titel;
    bool ok = true;
    const auto fehler = [&](MeldungNr nummer) {
        ctx.message(Titel::Fehler, nummer);
        ok = false;
    };
    const auto grenze = [&](MeldungNr nummer, bool zuKlein, int32_t wert) {
        fehler(nummer);
        const MeldungNr schranke = zuKlein ? MeldungNr::Minimum : MeldungNr::Maximum;
        ctx.message(Titel::Information, std::string(Sprache::Meldung(schranke)) + std::to_string(wert));
    };
    if (xd > xm && yd > ym) {
        fehler(MeldungNr::XdGroesserXm);
        fehler(MeldungNr::YdGroesserYm);
    }
    if (xm + xd > xr)
        fehler(MeldungNr::XrKleinerXmXd);
    if (ym + yd > yr)
        fehler(MeldungNr::YrKleinerYmYd);
    if (xr < 10)
        grenze(MeldungNr::XrZuKlein, true, 10);
    if (xr > 9999)
        grenze(MeldungNr::XrZuGross, false, 9999);
    if (yr < 10)
        grenze(MeldungNr::YrZuKlein, true, 10);
    if (yr > 9999)
        grenze(MeldungNr::YrZuGross, false, 9999);
    if (xd < 10)
        grenze(MeldungNr::XdZuKlein, true, 10);
    if (yd < 10)
        grenze(MeldungNr::YdZuKlein, true, 10);
    if (!ok)
        ctx.message(Titel::Warnung, Sprache::MeldungNr::BerechnungAbgebrochen);
    return ok;
}

namespace {

// Pixel bounds, both inclusive, of a w × h rectangle centred at (cx, cy), kept on the card.
struct Box {
    int32_t x0, y0, x1, y1;
};

Box centred(double cx, double cy, double w, double h, int32_t breite, int32_t hoehe)
{
    const auto on = [](int64_t v, int32_t length) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, length - 1)); };
    return {on(roundEven(cx - w / 2), breite), on(roundEven(cy - h / 2), hoehe), on(roundEven(cx + w / 2) - 1, breite),
            on(roundEven(cy + h / 2) - 1, hoehe)};
}

// Lines t thick inside the box, in row y.
void boxLines(uint8_t* row, int32_t y, const Box& b, int32_t t, const Farbe& farbe)
{
    if (y < b.y0 || y > b.y1)
        return;
    if (y < b.y0 + t || y > b.y1 - t) {
        ZeileFuellen(row, b.x0, b.x1 + 1, farbe);
        return;
    }
    ZeileFuellen(row, b.x0, std::min(b.x0 + t, b.x1 + 1), farbe);
    ZeileFuellen(row, std::max(b.x1 + 1 - t, b.x0), b.x1 + 1, farbe);
}

// Copies image row y − top unscaled into the card row at column left.
void placeRow(Context& ctx, const RasterSlot& bild, int32_t y, const Box& b, int32_t breite, Zeile& view, uint8_t* row)
{
    const int32_t sy = y - b.y0;
    if (sy < 0 || sy >= bild.hoehe)
        return;
    const int32_t n = std::min(bild.breite, breite - b.x0);
    std::memcpy(row + 3 * int64_t{b.x0}, LeseZeile(ctx, bild, sy, view), 3 * static_cast<size_t>(n));
}

void stereobild(Programm& p, int links, int rechts)
{
    Context& ctx = p.ctx;
    const StereoSettings& s = p.compose.stereo;
    if (!p.bilder.gueltig(links) || !p.bilder.gueltig(rechts))
        throw Abbruch{};
    RasterSlot l = p.bilder.bild[static_cast<size_t>(links)].slot[SlotJustiert];
    RasterSlot r = p.bilder.bild[static_cast<size_t>(rechts)].slot[SlotJustiert];
    const double w2 = std::max(l.breite, r.breite);
    const double h2 = std::max(l.hoehe, r.hoehe);
    const double a = h2 / w2;
    const double xr = s.xr, yr = s.yr, xd = s.xd, yd = s.yd, xm = s.xm, ym = s.ym;
    double wc, hc, bildB, bildH;
    if (a < yd / xd) {
        wc = w2 * xr / xd;
        hc = yr * wc / xr;
        bildB = xd;
        bildH = xd * a;
    } else {
        hc = h2 * yr / yd;
        wc = xr * hc / yr;
        bildB = yd / a;
        bildH = yd;
    }
    const int32_t w = rasterLength(ctx, roundEven(wc));
    const int32_t h = rasterLength(ctx, roundEven(hc));
    const double mx = (xr - xm - xd) / 2;
    const double my = (yr - ym - yd) / 2;
    const double lx = (xd / 2 + mx) / xr * wc, ly = (ym + yd / 2 + my) / yr * hc;
    const double rx = (xm + xd / 2 + mx) / xr * wc, ry = (yd / 2 + my) / yr * hc;
    const double fw = xd / xr * wc, fh = yd / yr * hc;
    const double bw = bildB / xr * wc, bh = bildH / yr * hc;
    const Box rahmenL = centred(lx, ly, fw, fh, w, h), rahmenR = centred(rx, ry, fw, fh, w, h);
    const Box bildL = centred(lx, ly, bw, bh, w, h), bildR = centred(rx, ry, bw, bh, w, h);
    const int32_t t = static_cast<int32_t>(std::min<int64_t>({roundEven(static_cast<double>(w) * s.linienBreite / xr / 10), w, h}));

    ImageEntry& e = p.bilder.ergebnis();
    Zeile viewL, viewR;
    composeRows(ctx, e.slot[SlotErgebnis], w, h, s.hintergrund, l, r, [&](int32_t y, uint8_t* row) {
        placeRow(ctx, l, y, bildL, w, viewL, row);
        placeRow(ctx, r, y, bildR, w, viewR, row);
        if (s.rahmen && t > 0) {
            boxLines(row, y, rahmenL, t, s.rahmenFarbe);
            boxLines(row, y, rahmenR, t, s.rahmenFarbe);
        }
        if (s.gesamtRahmen && t > 0)
            boxLines(row, y, Box{0, 0, w - 1, h - 1}, t, s.rahmenFarbe);
    });
    const auto check = [&](bool ok) {
        if (!ok || ctx.state.abort)
            throw Abbruch{};
    };
    if (s.stauchen) {
        const int32_t h2x = rasterLength(ctx, 2 * int64_t{h});
        check(NaechsterNachbar(ctx, e, SlotErgebnis, SlotVollbild, w, h2x));
        check(NaechsterNachbar(ctx, e, SlotVollbild, SlotErgebnis, w, h2x));
    }
    if (s.festePixel) {
        check(Flaechenmittel(ctx, e, SlotErgebnis, SlotVollbild, s.pixelBreite, s.pixelHoehe));
        check(NaechsterNachbar(ctx, e, SlotVollbild, SlotErgebnis, s.pixelBreite, s.pixelHoehe));
    }
}

}

bool Stereobild(Programm& p, int links, int rechts)
{
    if (p.ctx.state.abort)
        return false;
    const StereoSettings& s = p.compose.stereo;
    if (!Viewer_Pruefen(p.ctx, s.xd, s.yd, s.xm, s.ym, s.xr, s.yr))
        return false;
    return guarded(p.ctx, [&] { stereobild(p, links, rechts); });
}
