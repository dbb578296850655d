#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Context.h"
#include "model/Matrix4.h"
#include "model/Settings.h"
#include "raster/Bitmap24.h"

// Measures how a second picture is displaced against a first one from sparse
// corner features, and turns the measurement into corrections of the two
// pictures' inverse transforms (aligned pixel → source pixel).

// A corner of the first picture and where tracking found it in the second.
struct Punkt {
    double x = 0.0, y = 0.0;
    double dx = 0.0, dy = 0.0;
    bool verloren = false;
    double staerke = 0.0;
};

// A matched pair: the position in the first and in the second picture.
struct Paar {
    double x1 = 0.0, y1 = 0.0;
    double x2 = 0.0, y2 = 0.0;
    bool gueltig = true;
    double staerke = 0.0;
};

// Pairs closer to the picture's edge than this share of its width or height
// are dropped: the edge of the content moved in from the border by the
// alignment is a strong line whose corners stay put while the picture moves.
// The neighbourhood of the dominant displacement in the histogram of lengths
// (whole per cent of the diagonal) and directions (whole degrees); near zero
// length every direction is a neighbour, as the bins there all touch.
// Chosen on the 25 images at 1200 × 800 of bench/align_bench (failed images;
// median vertical corner residual):
//   border 0.04: neighbourhood ±1 %, ±20°: 6, 0.227 px; ±3 %, ±30°: 4, 0.266 px; ±6 %, ±60°: 4, 0.266 px
//   border 0.08: neighbourhood ±1 %, ±20°: 4, 0.198 px; ±3 %, ±30°: 6, 0.194 px; ±6 %, ±60°: 6, 0.194 px
inline constexpr double Randanteil = 0.08;
inline constexpr int NachbarLaenge = 1;
inline constexpr int NachbarRichtung = 20;
inline constexpr int MinPaare = 5;
inline constexpr int Pyramidenebenen = 6;

// The corrections of one measurement: shift in pixels, rotation in degrees, scale.
struct Schaetzung {
    double tx = 0.0, ty = 0.0;
    double rot = 0.0;
    double skal = 1.0;
};

// Which parameters are estimated. Shifts, rotation and scale by default.
struct FlussParameter {
    bool dx = true, dy = true, rot = true, skal = true;
};

struct FlussAuftrag {
    int maxIterationen = 10;
    double qualitaet = 0.05;
    bool symmetrisch = false;  // both pictures take half of each correction
    bool bikubisch = true;     // the interpolation of the warped pictures
    FlussParameter parameter;
    // Where the second picture was taken, seen from the first: decides which
    // side of the disparities is the nearest one for the two offsets.
    bool zweitesRechts = true;
    // The detail view: called with a picture of each iteration when set.
    std::function<void(const Bitmap24&)> detail;
};

struct FlussErgebnis {
    Matrix4 matrix1, matrix2;
    int iterationen = 0;
    std::string status = "-";
    // Horizontal offsets that put the nearest matched points at zero
    // disparity, in pixels of the first and the second picture's transform.
    double versatz1 = 0.0, versatz2 = 0.0;
};

// Keeps the pairs that the filters accept, in their order: off the border (a
// position outside either picture was lost in tracking already), the nearly
// horizontal ones when they are many, then those near the dominant displacement.
// Fewer than MinPaare left: none.
std::vector<Paar> Paare_Filtern(std::vector<Paar> paare, int32_t breite, int32_t hoehe);

// Straight-line fits over the pairs; cx is the picture's horizontal centre.
Schaetzung Schaetzen(const std::vector<Paar>& paare, double cx);

// Appends the inverse of a correction (shift, rotation and scaling about the
// centre) to an inverse transform, so that the picture moves by the correction.
Matrix4 Korrektur_Anwenden(const Matrix4& g, const Schaetzung& k, double cx, double cy);

class TOptischerFluss {
public:
    explicit TOptischerFluss(Context& ctx) : ctx_(ctx) {}

    // Sizes every array for pictures of breite × hoehe and the given number of pyramid levels.
    void Anlegen(int32_t breite, int32_t hoehe, int ebenen);
    void Freigeben();

    // The first picture: grey pyramid and corners of at least qualitaet times the strongest.
    void ErstesBildLaden(const Bitmap24& bild, double qualitaet);
    // The second picture: every corner is tracked into it; lost ones are removed.
    void ZweitesBildVerfolgen(const Bitmap24& bild);

    const std::vector<Punkt>& Punkte() const { return punkte_; }
    std::vector<Paar> Paare() const;

    // Aligns bild2 to bild1 (both as g1, g2 show them) by repeated measurement
    // and correction. aus1, aus2 receive the pictures warped with the final
    // transforms, or unchanged after a failure or an abort.
    FlussErgebnis Berechnen(const Bitmap24& bild1, const Bitmap24& bild2, Bitmap24& aus1, Bitmap24& aus2,
                            const Matrix4& g1, const Matrix4& g2, const FlussAuftrag& auftrag, AutoJustAnzeige& anzeige);

private:
    struct Graubild {
        int32_t breite = 0, hoehe = 0;
        std::vector<int32_t> wert;
        int32_t at(int32_t x, int32_t y) const { return wert[static_cast<size_t>(y) * static_cast<size_t>(breite) + static_cast<size_t>(x)]; }
    };
    using Pyramide = std::vector<Graubild>;

    std::vector<int32_t> grauwerte(const Bitmap24& bild);
    // The grey values as the picture looks through r (corrected pixel → pixel).
    void verzerrteGrauwerte(const std::vector<int32_t>& grau, const Matrix4& r, Graubild& ziel);
    void pyramideAufbauen(Pyramide& pyramide);
    void allesVerfolgen();
    void merkmaleSuchen(double qualitaet);
    void verfolgen(Punkt& punkt) const;
    void schritt();

    Context& ctx_;
    int32_t breite_ = 0, hoehe_ = 0;
    int ebenen_ = 0;
    Pyramide erste_, zweite_;
    std::vector<int32_t> grau_;
    std::vector<int32_t> gx_, gy_, gd_;
    std::vector<double> staerke_;
    Bitmap24 arbeit_;
    std::vector<Punkt> punkte_;
};
