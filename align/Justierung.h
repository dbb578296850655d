#pragma once
#include <functional>

#include "model/Programm.h"

// Manual alignment: the buttons that change the current image's parameters,
// and the series shift of all images. Each handler does nothing while the
// busy flag is set and ends in the recompute it needs.

// The image selected in the list; nothing without a selection.
ImageEntry* Aktuelles_Bild(Programm& p);

// A manual change makes the automatic alignment's record of the image void.
void AutoJustierung_Vergessen(ImageEntry& bild);
// The image is shifted, turned, scaled, tilted, mirrored, outlined or aligned by its point.
bool Ist_Justiert(const ImageEntry& bild);
// Back to no alignment at all: no shift, rotation, tilt, mirror, outline or point; scale 1.
void Justierung_Zuruecksetzen(ImageEntry& bild);

// An image aligned by its point gets the shift the point gave it instead, and
// loses its point.
void Punkt_Zur_Verschiebung(ImageEntry& bild, const RefInfo& ref);
// No reference image, position and setting mode any more.
void Referenz_Aufheben(RefInfo& ref);

// Runs aendern(image, number) for image 1 … count with the busy flag held,
// the busy cursor and progress per image; an image for which it returns true
// is aligned anew. Stops when the abort flag is set; false then.
bool Alle_Bilder_Bearbeiten(Programm& p, const std::function<bool(ImageEntry&, int)>& aendern);
// For Alle_Bilder_Bearbeiten: every image with a point is aligned anew.
bool Mit_Punkt(ImageEntry& bild, int);
// The end of a handler: the abort handling after a stopped or failed loop,
// otherwise the pipeline from `level`.
void Nach_Justierung(Programm& p, int level);

// Applies aenderung to the current image and recomputes from level 2.
void Einzelbild_Justieren(Programm& p, const std::function<void(ImageEntry&)>& aenderung);
// Shifts the current image by (sx, sy) pixels, right and up positive. An image
// aligned by its point moves the point instead; moving the reference image's
// point moves the reference position, and every image is aligned to it again.
void JustVerschiebungClick(Programm& p, double sx, double sy);
// Shifts image i by (i − r) steps of (sx, sy) added to its shift (a point
// becomes a plain shift first); a zero step sets every shift to 0, and
// `alles` also resets rotation, scale and vergence. The reference point
// alignment ends.
void JustVerschiebungAlleClick(Programm& p, int r, int sx, int sy, bool alles);
