#include <algorithm>
#include <cmath>

#include "compose/Pipeline.h"
#include "raster/Abtastung.h"

namespace {

int32_t runden(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}

// Plain subsampling of the window by an integer step into the display raster.
void anzeigeRaster(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, const Quellfenster& f)
{
    const int32_t dx = f.x1 - f.x0;
    const int32_t dy = f.y1 - f.y0;
    const int32_t t = Abtastschritt(ctx.state, dx, dy);
    ziel.breite = dx / t;
    ziel.hoehe = dy / t;
    Punktabtastung(ctx, quelle, ziel, f.x0, f.y0, t);
}

}

int32_t Abtastschritt(const AppState& st, int32_t breite, int32_t hoehe)
{
    const int64_t x = (int64_t{breite} + 1) / std::max(st.screenWidth, 1);
    const int64_t y = (int64_t{hoehe} + 1) / std::max(st.screenHeight, 1);
    return static_cast<int32_t>(std::max<int64_t>({x, y, 1}));
}

bool Vollbild_Berechnen(Programm& p)
{
    AppState& st = p.ctx.state;
    ImageEntry& e = p.bilder.ergebnis();
    const RasterSlot& quelle = e.slot[SlotFarbErgebnis];
    if (st.busy || quelle.breite < 1 || quelle.hoehe < 1)
        return false;
    st.busy = true;
    st.abort = false;
    p.ctx.events().setBusyCursor(true);
    const bool ok = guarded(p.ctx, [&] {
        anzeigeRaster(p.ctx, quelle, e.slot[SlotVollbild], Quellfenster{0, 0, quelle.breite, quelle.hoehe});
    });
    p.ctx.events().setBusyCursor(false);
    st.busy = false;
    st.abort = false;
    return ok;
}

double Zoomfaktor(const std::string& item)
{
    const size_t doppelpunkt = item.find(':');
    if (doppelpunkt == std::string::npos)
        return 1.0;
    const double a = std::atof(item.substr(0, doppelpunkt).c_str());
    const double b = std::atof(item.substr(doppelpunkt + 1).c_str());
    return a > 0 && b > 0 ? a / b : 1.0;
}

namespace {

// The size of the window onto a W × H result at zoom z in a box of aspect s:
// the zoomed result's height (taller case) or width, the other side following the box.
struct Fenstergroesse {
    double breite, hoehe;
    bool hoeher;
};

Fenstergroesse fenstergroesse(int32_t W, int32_t H, double z, double s)
{
    const double vw = W / z;
    const double vh = H / z;
    if (vw / vh <= s)
        return {vh * s, vh, true};
    return {vw, vw / s, false};
}

}

Quellfenster Quellfenster_Berechnen(int32_t W, int32_t H, double z, int32_t Sw, int32_t Sh, int32_t px, int32_t py)
{
    Quellfenster f;
    const double s = static_cast<double>(Sw) / Sh;
    const double vw = W / z;
    const double vh = H / z;
    const Fenstergroesse g = fenstergroesse(W, H, z, s);
    const bool hoeher = g.hoeher;
    f.x0 = runden((W - g.breite) * px / 100.0);
    f.x1 = runden(f.x0 + g.breite);
    f.y0 = runden((H - g.hoehe) * py / 100.0);
    f.y1 = runden(f.y0 + g.hoehe);
    if (z > 1) {
        f.scrollY = hoeher || vw / vh / s < z;
        f.scrollX = !hoeher || vh / vw * s < z;
    }
    f.x0 = std::max(f.x0, 0);
    f.y0 = std::max(f.y0, 0);
    f.x1 = std::min(f.x1, W);
    f.y1 = std::min(f.y1, H);
    return f;
}

std::pair<int32_t, int32_t> Scroll_Zu(int32_t W, int32_t H, double z, int32_t Sw, int32_t Sh, double sx, double sy,
                                      double fx, double fy)
{
    const Fenstergroesse g = fenstergroesse(W, H, z, static_cast<double>(Sw) / Sh);
    // The window's left (top) edge that puts the point there, as a share of the free travel.
    const auto position = [](double laenge, double fenster, double punkt, double anteil) {
        const double frei = laenge - fenster;
        if (frei <= 0)
            return 0;
        return std::clamp(runden((punkt - anteil * fenster) * 100.0 / frei), 0, 100);
    };
    return {position(W, g.breite, sx, fx), position(H, g.hoehe, sy, fy)};
}

void ZOOM_Anpassen(Programm& p)
{
    Ansicht& a = p.ansicht;
    const RasterSlot& r = p.bilder.ergebnis().slot[SlotErgebnis];
    int32_t m = std::min(r.breite, r.hoehe);
    a.zoomListe = {"1:1"};
    for (int32_t k = 2; m >= 16; k *= 2, m /= 2)
        a.zoomListe.push_back(std::to_string(k) + ":1");
    if (a.zoomIndex < 0 || a.zoomIndex >= static_cast<int32_t>(a.zoomListe.size()))
        a.zoomIndex = static_cast<int32_t>(a.zoomListe.size()) - 1;
}

bool ABBILDUNG(Programm& p)
{
    Ansicht& a = p.ansicht;
    if (p.auswahl.vorschau == VorschauKeine) {
        p.ctx.display().clearPreview();
        return false;
    }
    if (a.boxBreite <= 0 || a.boxHoehe <= 0)
        return false;
    ImageEntry& e = p.bilder.ergebnis();
    const RasterSlot& quelle = e.slot[SlotFarbErgebnis];
    const double z = a.zoomIndex >= 0 && a.zoomIndex < static_cast<int32_t>(a.zoomListe.size())
        ? Zoomfaktor(a.zoomListe[static_cast<size_t>(a.zoomIndex)])
        : 1.0;
    const Quellfenster f =
        Quellfenster_Berechnen(quelle.breite, quelle.hoehe, z, a.boxBreite, a.boxHoehe, a.scrollX, a.scrollY);
    a.bildlaufXAktiv = f.scrollX;
    a.bildlaufYAktiv = f.scrollY;
    if (f.x1 <= f.x0 || f.y1 <= f.y0)
        return false;
    return guarded(p.ctx, [&] { anzeigeRaster(p.ctx, quelle, e.slot[SlotAnzeige], f); });
}
