#pragma once
#include "model/Programm.h"

// The rules behind the settings panels that go beyond storing one value.

// Colour mode of the anaglyph: 0 "farbig" puts the three channel controls to 0,
// 2 "grau" to 100, 1 "manuell" keeps them.
void Anaglyph_Farbmodus(ComposeSettings& c, int32_t modus);
// Links the three channel controls: when they differ, all take their mean
// (integer division). True when anything changed.
bool Anaglyph_Angleichen(ComposeSettings& c);

// Switches the print unit and converts margins, set and effective sizes to it.
void DruckEinheit_Wechseln(PrintSettings& d, bool cm);
// A print width (breite) or height typed as wert, compared with the stored value
// as the edit shows it (angezeigt). A change is stored; with images loaded the
// other side follows the proportions of the result (or of the first image
// without a result). True when the result is to be computed again.
bool DruckGroesse_Eingeben(Programm& p, bool breite, double wert, double angezeigt);

// Gives every image the histogram options of the colour tab and aligns it again,
// with the busy flag set and the progress in per cent.
void Histo_Alle(Programm& p);
