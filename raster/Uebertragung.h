#pragma once
#include <cstdint>

#include "core/Context.h"
#include "model/RasterSlot.h"
#include "model/Settings.h"
#include "raster/Bitmap24.h"
#include "raster/Matrix4Ops.h"

// The transfers that fill an aligned raster from its source raster. The target
// slot carries the size to fill; it is created when missing. Both throw Abbruch
// on a failed raster operation or a set abort flag.

// Target pixel (x, y) shows source pixel (x − ox, y + oy), or the background.
void Ganzzahlig_Uebertragen(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, int64_t ox, int64_t oy,
                            const Farbe& hintergrund);

// Where a target pixel takes its colour from: the inverse g of the forward
// transform f, and the perspective of a vergence tilt seen from the common size.
struct Abbildung {
    Matrix4 g = Matrix4::Einheit();
    Ebene ebene;                   // the plane of the transformed image
    bool perspektive = false;      // f tilts the image out of the plane z = 0
    bool inversVergenz = false;    // ray casting instead of the central projection
    int32_t breite = 0, hoehe = 0; // the common size, which places the eye
};
Abbildung Abbildung_Aus(const Matrix4& f, bool vergenz, bool inversVergenz, int32_t breite, int32_t hoehe);

struct ResampleOptionen {
    bool bikubisch = true;
    Farbe hintergrund;
    int threads = 0;  // 0: one per core
    // The source is read into memory up to this size; a larger one is streamed from its file.
    uint64_t speicherGrenze = 0;
    // The vector instructions of the processor where it has them; both ways give the same pixels.
    bool vektor = true;
};
// Half the physical memory: the default limit for a source held in memory.
uint64_t Standard_Speichergrenze();

void Resampeln(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, const Abbildung& abbildung,
               const ResampleOptionen& optionen);

// The same between pictures in memory, on the calling thread; the target keeps its size.
void Resampeln(const Bitmap24& quelle, Bitmap24& ziel, const Abbildung& abbildung, const ResampleOptionen& optionen);
