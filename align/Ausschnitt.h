#pragma once
#include <string>

#include "model/Programm.h"

// The crop region: a rectangle in the frame of the aligned images, given by
// its corner pixels, edges inclusive.
struct Ausschnitt {
    int32_t links = 0, oben = 0, rechts = 0, unten = 0;

    int32_t breite() const { return rechts - links + 1; }
    int32_t hoehe() const { return unten - oben + 1; }
    // Equal left and right edges, or top and bottom, give nothing to cut.
    bool leer() const { return links == rechts || oben == unten; }
    bool operator==(const Ausschnitt&) const = default;
};

// The size of the displayed result, which the edges are clamped to.
Groesse Ergebnisgroesse(const Programm& p);
// The edges in order (swapped where needed) and inside a frame of the given size.
Ausschnitt Ausschnitt_Anwenden(Ausschnitt a, Groesse rahmen);
// A frame shrunk on one side to the ratio qb : qh: when it is narrower than
// the ratio its height becomes round(width ÷ ratio), otherwise its width
// round(height × ratio).
Groesse Festes_Verhaeltnis(Groesse rahmen, int32_t qb, int32_t qh);
// The region shrunk to the ratio about its centre.
Ausschnitt Verhaeltnis_Anwenden(Ausschnitt a, int32_t qb, int32_t qh);
// The largest region in which no aligned image shows missing content.
Ausschnitt Druckbereich_PosInit_TRANS(const Programm& p);

// Writes every aligned image and the result, cropped to the region applied to
// the result's size, as basis + "01", "02", … and basis + "00", each with
// ".JPG" or ".BMP"; the markers of reference points are left out. An existing
// file is replaced only when the user confirms. False for an empty region or after an abort.
bool Ausschnitt_Exportieren(Programm& p, Ausschnitt a, const std::string& basis, bool jpg);
// Makes the region permanent: every image's working copy becomes its cropped
// aligned image, and every alignment is reset. False for an empty region or after an abort.
bool AusschnittVerwendenButtonClick(Programm& p, Ausschnitt a);
