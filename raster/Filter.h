#pragma once
#include <cstdint>

#include "core/Context.h"
#include "model/ImageSet.h"

// The filters an image can run through while it is aligned. Each works on one
// slot of the entry in place; a set abort flag makes it do nothing, a failed
// raster operation or an abort between rows throws Abbruch.

// Kernel numbers 0 … 9 are the filters of the list (filterNr − 1); 10 and 11 the
// two gradient kernels; 12 the gradient magnitude of 10 and 11.
inline constexpr int KernelGradient = 12;

// Colour convolution of every interior pixel, per channel: the sum over the
// 3 × 3 neighbourhood divided by the kernel's divisor. Slot 3 of the entry is
// the scratch raster; the one-pixel border keeps its pixels.
void Filter3x3(Context& ctx, ImageEntry& entry, int slot, int kernelNummer);
// The same over grey values, the one result in all three channels; the border becomes 0.
void Konturen3x3(Context& ctx, ImageEntry& entry, int slot, int kernelNummer);

// The contour filter of an image: the inverted gradient magnitude, dark edges on white.
void Konturfilter(Context& ctx, ImageEntry& entry, int slot);

// Stretches each channel to the range its histogram really uses. With
// `maxFarbraum` clear, a fifth of the grey histogram's stretch is mixed in.
void HistogrammStrecken(Context& ctx, ImageEntry& entry, int slot, bool maxFarbraum);
