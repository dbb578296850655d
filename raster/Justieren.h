#pragma once
#include <cstdint>

#include "model/Programm.h"
#include "raster/Matrix4Ops.h"

// Bringing one source image into the common frame: its aligned raster (slot 2)
// at the common size and the screen-sized copy (slot 4).

// Where an image turns about and how far it moves, in pixels of the aligned raster;
// dy counts upwards.
struct Bildlage {
    double cx = 0.0, cy = 0.0;
    double dx = 0.0, dy = 0.0;
};
Bildlage Ermittle_Bildlage(const ImageEntry& bild, const RefInfo& ref, Groesse gemeinsam);

// The forward transform: rotation, then scaling, shift and the two vergence tilts.
Matrix4 Vorwaertsmatrix(const ImageEntry& bild, const Bildlage& lage);
Matrix4 Vorwaertsmatrix(const Bildlage& lage, double rot, double skal, double vx, double vy);

// The factor by which the preview copy is smaller than the common size.
int32_t Vorschaufaktor(Groesse gemeinsam, int bildschirmBreite, int bildschirmHoehe);
Groesse Vorschaugroesse(Groesse gemeinsam, int bildschirmBreite, int bildschirmHoehe);

// Runs the alignment pipeline for image n. Nothing happens while the abort flag
// is set; a failure is reported once and sets it. True when the image is aligned.
bool Justiere_Bild(Programm& p, int n);
