#pragma once
#include <utility>

#include "model/Programm.h"
#include "raster/RasterImage.h"
#include "raster/Spiegeln.h"

// Pipeline levels: 2 align, 3 compose, 4 colour, 5 preview image, 6 display;
// 7 or more runs no step.
void Schleife(Programm& p, int level);

// The pipeline steps.
bool JUST(Programm& p);
bool BERECHNE(Programm& p);
bool FARBE(Programm& p);
bool ABBILDUNG(Programm& p);
void ZEIGEN(Programm& p);

// Resets the state after a failed or stopped computation: preview mode "keine",
// progress cleared, busy and abort flags cleared.
void Abbruch_Behandlung(Programm& p);
// A confirmed stop: a running loop finds the abort flag set and unwinds; the
// flag stays set until the pipeline has ended.
void Berechnung_Stoppen(Programm& p);
// The automatic L/R choice of the list applied to the selection and preview mode.
void JUST_LR_Anwenden(Programm& p);

// A violated limit: the fault, then "Das Minimum/Maximum dieser Programmversion ist: " and the limit.
void Grenze_Verletzt(Context& ctx, const std::string& fehler, bool zuKlein, const std::string& grenze);
// Checks min <= wert <= max, showing the message numbered zuKlein or zuGross
// (after vorsatz) when it does not hold.
bool Grenze_Pruefen(Context& ctx, double wert, double min, double max, const std::string& vorsatz,
                    Sprache::MeldungNr zuKlein, Sprache::MeldungNr zuGross);

// Limit checks with their messages; false after any violation.
bool Test_Max1(Programm& p, int n);
bool Test_MaxAll(Programm& p);

// The part of a W × H result that the preview shows at zoom z in a box of
// Sw × Sh pixels with the scroll bars at px, py per cent.
struct Quellfenster {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool scrollX = false, scrollY = false;
};
Quellfenster Quellfenster_Berechnen(int32_t W, int32_t H, double z, int32_t Sw, int32_t Sh, int32_t px, int32_t py);
// The scroll positions at zoom z that bring result point (sx, sy) to the share
// (fx, fy) of the box, as near as whole per cent allow; 0 where nothing scrolls.
std::pair<int32_t, int32_t> Scroll_Zu(int32_t W, int32_t H, double z, int32_t Sw, int32_t Sh, double sx, double sy,
                                      double fx, double fy);
// Rebuilds the zoom list for the current result: "1:1", then doubling while the result allows.
void ZOOM_Anpassen(Programm& p);
// The zoom factor of a list item "a:b".
double Zoomfaktor(const std::string& item);

// The step of the point sampling that brings a window of breite × hoehe pixels
// within the screen: max((breite + 1) div screen width, (hoehe + 1) div screen height, 1).
int32_t Abtastschritt(const AppState& st, int32_t breite, int32_t hoehe);
// The full-screen raster (result slot 3): the colour-adjusted result sampled by
// that step. False when there is no result, the pipeline runs, or after a
// failure or abort.
bool Vollbild_Berechnen(Programm& p);
