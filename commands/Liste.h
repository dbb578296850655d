#pragma once
#include "model/Programm.h"

// What the image list, its buttons and the preview-mode choice do to the records.
// Each ends in a recompute, as the window expects.

// A click on list row n (image number): image L or R takes the image.
void ListenBoxClick(Programm& p, int n);
// Removes the selected image.
void BildEntfernenClick(Programm& p);
// Moves the selected image one place up or down and selects it there.
void HochBitBtnClick(Programm& p);
void RunterBitBtnClick(Programm& p);
// A new preview mode.
void VorschauRadioGroupClick(Programm& p, int32_t modus);
