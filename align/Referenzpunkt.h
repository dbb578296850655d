#pragma once
#include <optional>
#include <vector>

#include "model/Programm.h"

// Alignment by reference points: the first image that gets a point is the
// reference image; every other image with a point (refModus) is moved so
// that its point lands on the reference position, and turns and scales about
// it. The handlers do nothing while the busy flag is set and end in the
// recompute they need.

struct Bildpunkt {
    int32_t x = 0, y = 0;
    bool operator==(const Bildpunkt&) const = default;
};

// The pixel of the full-resolution result under position (mx, my) of the
// preview area, for the area, zoom and scroll positions of p.ansicht; nothing
// when the position lies beside the picture.
std::optional<Bildpunkt> Ermittle_Refpunkt(const Programm& p, int32_t mx, int32_t my);

// True when the current image is shown in the preview as image L or image R;
// otherwise an error message says it is not, and false.
bool Ist_Justierbild_in_Vorschau(Programm& p);

// Re-establishes the reference image from the images' flags and returns its
// number. Without a marked reference image, the first image with a point
// becomes it and its number is returned negated (all images must be aligned
// again); 0 when no image has a point.
int Aktualisiere_Referenzbildnr(Programm& p);

// Aligns every image with a point again, after telling the user when hinweis
// is set. Nothing without a reference image.
void AlleReferenzPunkteAuswerten(Programm& p, bool hinweis);

// The numbers of the images with a point, in list order.
std::vector<int> Referenzbilder(const ImageSet& bilder);

// The "Setzen" button pressed (gedrueckt) or released. Pressed, with the current
// image in the preview: the image's alignment is cleared after a warning and
// the next click into the preview sets its point (RefInfo.setzModus).
void RefPktSetzenSpeedButtonClick(Programm& p, bool gedrueckt);
// The click of the setting mode at pixel `punkt` of the current image: its
// point, or the reference position when it is the first point. With
// nurHorizontal the point takes the reference position's row.
void Referenzpunkt_Setzen(Programm& p, Bildpunkt punkt, bool nurHorizontal);
// Removes the current image's point and alignment; the reference passes to
// the next image with a point when it was the reference image.
void RefPktLoeschenSpeedButtonClick(Programm& p);
// Image n becomes the reference image, and every image is aligned to its point.
void RefBildComboBoxChange(Programm& p, int n);
// Markers shown or not, and their size (0 … 10): the images with a point are aligned again.
void Referenzmarken_Aendern(Programm& p, bool zeigen, int32_t groesse);
// Turns every point into the plain shift it gives; the reference point alignment ends.
void REFPFTLoesenButtonClick(Programm& p);
