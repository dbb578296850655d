#include "align/AutoJustierung.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "align/Justierung.h"
#include "compose/Pipeline.h"
#include "compose/Resize.h"
#include "raster/Filter.h"
#include "raster/Justieren.h"
#include "raster/Matrix4Ops.h"
#include "raster/RasterImage.h"
#include "raster/Uebertragung.h"
#include "tracking/OptischerFluss.h"

namespace {

constexpr double Arbeitsgroesse = 1300.0;  // the longer side of a working raster at most
constexpr int MaxIterationen = 10;
constexpr double Merkmalsqualitaet = 0.05;

double grad(double rad)
{
    return rad * 180.0 / std::numbers::pi;
}

ImageEntry& bild(Programm& p, int n)
{
    return p.bilder.bild[static_cast<size_t>(n)];
}

// "O" the reference, "1" aligned at the first check, "+" converged.
bool gut(const std::string& status)
{
    return status == "O" || status == "1" || status == "+";
}

// The translation column of an inverse transform taken to another frame size.
Matrix4 verschiebungSkaliert(Matrix4 g, double fx, double fy)
{
    g.m[0][3] *= fx;
    g.m[1][3] *= fy;
    return g;
}

void parameterSetzen(ImageEntry& e, const SpacePara& sp)
{
    e.dx = sp.dx;
    e.dy = sp.dy;
    e.rot = sp.rot;
    e.vx = sp.vx;
    e.vy = sp.vy;
    e.skal = sp.skal;
}

// Everything of an image's record but its rasters.
void parameterUebernehmen(ImageEntry& ziel, const ImageEntry& quelle)
{
    const auto slots = ziel.slot;
    ziel = quelle;
    ziel.slot = slots;
}

class Lauf {
public:
    Lauf(Programm& p, const std::function<void(const Bitmap24&)>& detail) : p_(p), detail_(detail) {}
    void ausfuehren();

private:
    void phase(const char* name, int index)
    {
        p_.ctx.state.progress.phase = name;
        phase_ = index;
        fortschritt(0, 1);
    }
    // Image i of n of the current phase done.
    void fortschritt(int i, int n)
    {
        p_.ctx.setProgress(100, static_cast<int32_t>(std::nearbyint(100.0 * i / n)));
        p_.autoJustAnzeige.prozent =
            static_cast<int32_t>(std::nearbyint((static_cast<double>(i) / n + phase_) / (durchgaenge_ + 1) * 100.0));
        p_.ctx.pump();
        p_.ctx.throwIfAborted();
    }
    using Paarschritt = void (*)(Programm&, int, int, int32_t, int32_t, int32_t, int32_t, bool, bool,
                                 const std::function<void(const Bitmap24&)>&);
    // One pair of the chain, shown with the target's number in the phase text.
    void paarRechnen(const char* name, Paarschritt schritt, int basis, int ziel, int& erledigt)
    {
        p_.ctx.state.progress.phase = std::string(name) + " " + std::to_string(ziel);
        schritt(p_, basis, ziel, gemeinsam_.hoehe, gemeinsam_.breite, h_, w_, symmetrisch_, p_.autoJust.scheinebeneVorn,
                detail_);
        p_.ctx.throwIfAborted();
        fortschritt(++erledigt, std::max(1, anzahl_ - 1));
    }
    void vorbereiten();
    void arbeitsraster();
    void grobeKette();
    void parameterAusMatrizen();
    void feinDurchgang();

    Programm& p_;
    const std::function<void(const Bitmap24&)>& detail_;
    int anzahl_ = 0;
    int referenz_ = 1;
    bool symmetrisch_ = false;
    Groesse gemeinsam_;
    int32_t w_ = 0, h_ = 0;
    double k_ = 1.0;
    int durchgaenge_ = 2;
    int phase_ = 0;
    std::vector<Matrix4> anfang_;  // each image's coarse matrix at the start
};

void Lauf::vorbereiten()
{
    anzahl_ = p_.bilder.anzahl;
    gemeinsam_ = p_.bilder.MaxArbeitskopie();
    const double W = gemeinsam_.breite, H = gemeinsam_.hoehe;
    p_.ctx.state.progress.phase = "O1";
    anfang_.assign(static_cast<size_t>(anzahl_) + 1, Matrix4::Einheit());
    for (int i = 1; i <= anzahl_; ++i) {
        ImageEntry& e = bild(p_, i);
        if (e.refModus) {
            Punkt_Zur_Verschiebung(e, p_.refInfo);
            if (!Justiere_Bild(p_, i))
                throw Abbruch{};
        }
        e.istReferenzbild = false;
        const Matrix4 f = Vorwaertsmatrix(e, Ermittle_Bildlage(e, p_.refInfo, gemeinsam_));
        e.RaumMatrix1 = e.RaumMatrix2 = anfang_[static_cast<size_t>(i)] = Matrix_4_Inverse(f);
        e.AJRef1 = e.AJRef2 = -1;
        e.AJStatus = {" ", " ", "*"};
    }
    const int gewaehlt = p_.autoJust.referenzbild;
    referenz_ = gewaehlt >= 1 && gewaehlt <= anzahl_ ? gewaehlt : (anzahl_ + 1) / 2;
    ImageEntry& r = bild(p_, referenz_);
    r.AJRef1 = r.AJRef2 = 0;
    r.AJStatus = {"O", "O", "O"};
    Referenz_Aufheben(p_.refInfo);
    k_ = Arbeitsfaktor(gemeinsam_);
    w_ = static_cast<int32_t>(std::nearbyint(W / k_));
    h_ = static_cast<int32_t>(std::nearbyint(H / k_));
    durchgaenge_ = W > Arbeitsgroesse || H > Arbeitsgroesse ? 4 : 2;
}

// Edge images of equalised brightness at the working size.
void Lauf::arbeitsraster()
{
    Context& ctx = p_.ctx;
    phase("O2", 0);
    for (int i = 1; i <= anzahl_; ++i) {
        ImageEntry& e = bild(p_, i);
        const RasterSlot& aligned = e.slot[SlotJustiert];
        if (Groesse{aligned.breite, aligned.hoehe} != gemeinsam_ && !Justiere_Bild(p_, i))
            throw Abbruch{};
        if (!NaechsterNachbar(ctx, e, SlotJustiert, SlotAutoJust, w_, h_))
            throw Abbruch{};
        HistogrammStrecken(ctx, e, SlotAutoJust, true);
        Konturfilter(ctx, e, SlotAutoJust);
        fortschritt(i, anzahl_);
    }
}

// Each image to its neighbour towards the reference, or past a failed one to the last good one.
void Lauf::grobeKette()
{
    phase("O3", 1);
    int erledigt = 0;
    auto paar = [&](int basis, int ziel) { paarRechnen("O3", Berechnung_OF_2_Bilder_1, basis, ziel, erledigt); };
    for (int i = referenz_; i <= anzahl_ - 1; ++i) {
        int basis = i;
        while (!gut(bild(p_, basis).AJStatus[0]))
            --basis;
        paar(basis, i + 1);
    }
    for (int i = referenz_; i >= 2; --i) {
        int basis = i;
        while (!gut(bild(p_, basis).AJStatus[0]))
            ++basis;
        paar(basis, i - 1);
    }
}

void Lauf::parameterAusMatrizen()
{
    phase("O4", 2);
    const double cx = gemeinsam_.breite / 2.0, cy = gemeinsam_.hoehe / 2.0;
    for (int i = 1; i <= anzahl_; ++i) {
        ImageEntry& e = bild(p_, i);
        if ((gut(e.AJStatus[0]) || e.AJStatus[0] == "?") && e.RaumMatrix1 != anfang_[static_cast<size_t>(i)]) {
            parameterSetzen(e, Mz_to_SpacePara(Matrix_4_Inverse(e.RaumMatrix1), cx, cy));
            if (!Justiere_Bild(p_, i))
                throw Abbruch{};
        }
        fortschritt(i, anzahl_);
    }
}

// The central windows at full resolution; the shifts found there are taken
// over only within half a working pixel of the coarse result.
void Lauf::feinDurchgang()
{
    auto alleGut = [&](int status) {
        for (int i = 1; i <= anzahl_; ++i)
            if (!gut(bild(p_, i).AJStatus[static_cast<size_t>(status)]))
                return false;
        return true;
    };
    if (p_.autoJust.grob || (gemeinsam_.breite < Arbeitsgroesse + 1 && gemeinsam_.hoehe < Arbeitsgroesse + 1) ||
        !alleGut(0))
        return;
    phase("O5", 3);
    int erledigt = 0;
    auto paar = [&](int basis, int ziel) { paarRechnen("O5", Berechnung_OF_2_Bilder_2, basis, ziel, erledigt); };
    for (int i = referenz_; i <= anzahl_ - 1 && gut(bild(p_, i).AJStatus[1]); ++i)
        paar(i, i + 1);
    for (int i = referenz_; i >= 2 && gut(bild(p_, i).AJStatus[1]); --i)
        paar(i, i - 1);
    if (!alleGut(0) || !alleGut(1))
        return;
    phase("O5", 4);
    const double toleranz = k_ * 0.5;
    const double cx = gemeinsam_.breite / 2.0, cy = gemeinsam_.hoehe / 2.0;
    for (int i = 1; i <= anzahl_; ++i) {
        ImageEntry& e = bild(p_, i);
        const SpacePara fein = Mz_to_SpacePara(Matrix_4_Inverse(e.RaumMatrix2), cx, cy);
        e.AJStatus[2] = "-";
        if (std::fabs(fein.dx - e.dx) <= toleranz && std::fabs(fein.dy - e.dy) <= toleranz) {
            e.AJStatus[2] = "+";
            if (fein.dx != e.dx || fein.dy != e.dy) {
                e.dx = fein.dx;
                e.dy = fein.dy;
                if (!Justiere_Bild(p_, i))
                    throw Abbruch{};
            }
        }
        fortschritt(i, anzahl_);
    }
}

void Lauf::ausfuehren()
{
    symmetrisch_ = p_.bilder.anzahl == 2 && p_.autoJust.symmetrisch;
    vorbereiten();
    arbeitsraster();
    grobeKette();
    parameterAusMatrizen();
    feinDurchgang();
}

// A w × h window of the source through the inverse transform g, centred in the common frame, with white around.
Bitmap24 fenster(Programm& p, ImageEntry& e, const Matrix4& g, int32_t W, int32_t H, int32_t w, int32_t h)
{
    RasterSlot& ziel = e.slot[SlotKomposition];
    ziel.breite = w;
    ziel.hoehe = h;
    ResampleOptionen o;
    o.bikubisch = p.compose.Bikubisch;
    o.hintergrund = Farbe{255, 255, 255};
    o.speicherGrenze = Standard_Speichergrenze();
    const Matrix4 gf = Matrix_4_Produkt(g, Matrix_4_Verschiebung((W - w) / 2, (H - h) / 2));
    Abbildung a = Abbildung_Aus(Matrix_4_Inverse(gf), e.vx != 0.0 || e.vy != 0.0, e.inversVergenz, w, h);
    a.g = gf;
    Resampeln(p.ctx, e.slot[SlotArbeitskopie], ziel, a, o);
    return BitmapLesen(p.ctx, ziel);
}

FlussAuftrag auftrag(const Programm& p, int basis, int ziel, bool symmetrisch,
                     const std::function<void(const Bitmap24&)>& detail)
{
    FlussAuftrag a;
    a.maxIterationen = MaxIterationen;
    a.qualitaet = Merkmalsqualitaet;
    a.symmetrisch = symmetrisch;
    a.bikubisch = p.compose.Bikubisch;
    a.zweitesRechts = ziel > basis;
    if (p.autoJust.detail)
        a.detail = detail;
    return a;
}

}

Matrix4 SpacePara_to_Mz(const SpacePara& sp, double cx, double cy)
{
    return Vorwaertsmatrix(Bildlage{cx, cy, sp.dx, sp.dy}, sp.rot, sp.skal, sp.vx, sp.vy);
}

SpacePara Mz_to_SpacePara(const Matrix4& f, double cx, double cy)
{
    // About the centre the transform is Rx(vy) · Ry(vx) · T(dx, −dy) · S(skal) · Rz(−rot).
    const Matrix4 m =
        Matrix_4_Produkt(Matrix_4_Produkt(Matrix_4_Verschiebung(-cx, -cy), f), Matrix_4_Verschiebung(cx, cy));
    SpacePara sp;
    // The third column of the tilts' product is (sin vx, −sin vy · cos vx, cos vy · cos vx).
    sp.vx = grad(std::asin(std::clamp(m.m[0][2], -1.0, 1.0)));
    sp.vy = grad(std::atan2(-m.m[1][2], m.m[2][2]));
    Matrix4 kippung = Matrix_4_Produkt(Matrix_4_DrehungX(sp.vy), Matrix_4_DrehungY(sp.vx));
    Matrix4 zurueck = Matrix4::Einheit();
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j)
            zurueck.m[i][j] = kippung.m[j][i];
    const Matrix4 eben = Matrix_4_Produkt(zurueck, m);
    sp.dx = eben.m[0][3];
    sp.dy = -eben.m[1][3];
    sp.skal = std::hypot(eben.m[0][0], eben.m[1][0]);
    sp.rot = -grad(std::atan2(eben.m[1][0], eben.m[0][0]));
    return sp;
}

double Arbeitsfaktor(Groesse gemeinsam)
{
    return std::max(1.0, std::max(gemeinsam.breite, gemeinsam.hoehe) / Arbeitsgroesse);
}

void Berechnung_OF_2_Bilder_1(Programm& p, int basis, int ziel, int32_t H, int32_t W, int32_t h, int32_t w,
                              bool symmetrisch, bool scheinebeneVorn, const std::function<void(const Bitmap24&)>& detail)
{
    Context& ctx = p.ctx;
    p.autoJustAnzeige.bildNr = ziel;
    ImageEntry& b = bild(p, basis);
    ImageEntry& z = bild(p, ziel);
    const Bitmap24 bild1 = BitmapLesen(ctx, b.slot[SlotAutoJust]);
    const Bitmap24 bild2 = BitmapLesen(ctx, z.slot[SlotAutoJust]);
    Bitmap24 aus1, aus2;
    const double fx = static_cast<double>(w) / W, fy = static_cast<double>(h) / H;
    TOptischerFluss fluss(ctx);
    const FlussErgebnis e =
        fluss.Berechnen(bild1, bild2, aus1, aus2, verschiebungSkaliert(b.RaumMatrix1, fx, fy),
                        verschiebungSkaliert(z.RaumMatrix1, fx, fy), auftrag(p, basis, ziel, symmetrisch, detail),
                        p.autoJustAnzeige);
    z.AJRef1 = e.iterationen;
    z.AJStatus[0] = e.status;
    if (symmetrisch)
        b.AJStatus[0] = e.status;
    const double versatz1 = scheinebeneVorn ? e.versatz1 : 0.0;
    const double versatz2 = scheinebeneVorn ? e.versatz2 : 0.0;
    auto zurueck = [&](Matrix4 g, double versatz) {
        g.m[0][3] += versatz;
        return verschiebungSkaliert(g, 1.0 / fx, 1.0 / fy);
    };
    b.RaumMatrix1 = zurueck(e.matrix1, versatz1);
    z.RaumMatrix1 = zurueck(e.matrix2, versatz2);
    // The next pair of the chain starts from the aligned pictures.
    if (aus1 != bild1)
        BitmapSchreiben(ctx, aus1, b.slot[SlotAutoJust]);
    BitmapSchreiben(ctx, aus2, z.slot[SlotAutoJust]);
}

void Berechnung_OF_2_Bilder_2(Programm& p, int basis, int ziel, int32_t H, int32_t W, int32_t h, int32_t w,
                              bool symmetrisch, bool, const std::function<void(const Bitmap24&)>& detail)
{
    Context& ctx = p.ctx;
    p.autoJustAnzeige.bildNr = ziel;
    ImageEntry& b = bild(p, basis);
    ImageEntry& z = bild(p, ziel);
    // The base as the fine pass left it, so that a chain adds up its fine corrections.
    const Matrix4 g1 = b.RaumMatrix2;
    const Matrix4 g2 = z.RaumMatrix1;
    const Bitmap24 bild1 = fenster(p, b, g1, W, H, w, h);
    const Bitmap24 bild2 = fenster(p, z, g2, W, H, w, h);
    Bitmap24 aus1, aus2;
    FlussAuftrag a = auftrag(p, basis, ziel, symmetrisch, detail);
    a.parameter.rot = false;
    a.parameter.skal = false;
    TOptischerFluss fluss(ctx);
    const FlussErgebnis e = fluss.Berechnen(bild1, bild2, aus1, aus2, g1, g2, a, p.autoJustAnzeige);
    z.AJRef2 = e.iterationen;
    z.AJStatus[1] = e.status;
    b.RaumMatrix2 = e.matrix1;
    z.RaumMatrix2 = e.matrix2;
}

bool StartOFButtonClick(Programm& p, const AutoJustFenster& fenster)
{
    AppState& st = p.ctx.state;
    if (st.busy)
        return false;
    if (p.bilder.anzahl < 2) {
        p.ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::AutoJustierungZuWenigBilder);
        return false;
    }
    struct Sperre {
        const AutoJustFenster& f;
        ~Sperre()
        {
            if (f.entsperren)
                f.entsperren();
        }
    } sperre{fenster};
    if (fenster.sperren)
        fenster.sperren();
    st.busy = true;
    st.abort = false;
    st.reporting = true;
    p.autoJustAnzeige = AutoJustAnzeige{};
    p.autoJustAnzeige.prozent = 0;
    const bool bikubisch = p.compose.Bikubisch;
    p.compose.Bikubisch = true;
    const int32_t vorschau = p.auswahl.vorschau;
    const RefInfo refInfo = p.refInfo;
    std::vector<ImageEntry> kopien(p.bilder.bild.begin() + 1, p.bilder.bild.begin() + 1 + p.bilder.anzahl);
    st.progress.phase = "O0";

    Lauf lauf(p, fenster.detail);
    const bool ok = guarded(p.ctx, [&] { lauf.ausfuehren(); }) && !st.abort;

    st.progress.phase = "O6";
    p.compose.Bikubisch = bikubisch;
    if (!ok) {
        st.abort = false;
        p.refInfo = refInfo;
        for (int i = 1; i <= p.bilder.anzahl; ++i) {
            parameterUebernehmen(bild(p, i), kopien[static_cast<size_t>(i - 1)]);
            Justiere_Bild(p, i);
            p.ctx.setProgress(100, static_cast<int32_t>(std::nearbyint(100.0 * i / p.bilder.anzahl)));
            p.ctx.pump();
        }
        p.auswahl.vorschau = vorschau;
    } else {
        st.modified = true;
    }
    p.autoJustAnzeige = AutoJustAnzeige{};
    st.progress.phase.clear();
    st.busy = false;
    Schleife(p, 3);
    return ok;
}
