#pragma once
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

// Limit checks with their messages; false after any violation.
bool Test_Max1(Programm& p, int n);
bool Test_MaxAll(Programm& p);
