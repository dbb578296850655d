#pragma once
#include <cstdint>
#include <functional>

#include "model/Programm.h"
#include "raster/Bitmap24.h"

// The automatic alignment: every image is aligned to its neighbour on the side
// of the reference image by the feature tracker, on reduced edge images, and
// the resulting transforms become the images' alignment parameters.

// The alignment parameters of one image as the forward transform uses them.
struct SpacePara {
    double dx = 0.0, dy = 0.0;  // dy counts upwards
    double rot = 0.0;           // degrees, counter-clockwise
    double vx = 0.0, vy = 0.0;  // vergence angles in degrees
    double skal = 1.0;
};

// The forward transform of the parameters about the centre (cx, cy).
Matrix4 SpacePara_to_Mz(const SpacePara& sp, double cx, double cy);
// The parameters of a forward transform about (cx, cy): the exact inverse of
// SpacePara_to_Mz for vergence angles within ±90°.
SpacePara Mz_to_SpacePara(const Matrix4& f, double cx, double cy);

// How much the working rasters are reduced: the longer side of the common size
// over 1300, at least 1.
double Arbeitsfaktor(Groesse gemeinsam);

// The pair steps of the run; H × W the common size, h × w the working size.
void Berechnung_OF_2_Bilder_1(Programm& p, int basis, int ziel, int32_t H, int32_t W, int32_t h, int32_t w,
                              bool symmetrisch, bool scheinebeneVorn,
                              const std::function<void(const Bitmap24&)>& detail = {});
void Berechnung_OF_2_Bilder_2(Programm& p, int basis, int ziel, int32_t H, int32_t W, int32_t h, int32_t w,
                              bool symmetrisch, bool scheinebeneVorn,
                              const std::function<void(const Bitmap24&)>& detail = {});

// What the window does around a run: lock its controls once the run starts
// and unlock them when it has ended, however it ended; and, with the detail
// view on, show the picture of each iteration.
struct AutoJustFenster {
    std::function<void()> sperren;
    std::function<void()> entsperren;
    std::function<void(const Bitmap24&)> detail;
};

// The whole run over the image set with the choices of p.autoJust. Nothing
// happens while the program is busy; fewer than two images are refused with
// a message. After an abort every image is as before. True when the run ended
// without an abort.
bool StartOFButtonClick(Programm& p, const AutoJustFenster& fenster = {});
