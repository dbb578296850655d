#pragma once
#include <functional>
#include <string>

#include "model/Programm.h"
#include "print/Kalibrierung.h"

// The print commands: each checks its limits, shows the printer's set-up
// dialog and prints only when it is confirmed; while a sheet prints the busy
// flag is set and the busy cursor shown. True when printed.

// "Drucken" (menu, tool button, print tab): the colour-adjusted result at its
// print size and position, with the information lines when asked for.
bool DruckButtonClick(Programm& p, Printers& drucker);
// The lens test of the calibration tab's first panel.
bool KalibrierungDruckenBitBtnClick(Programm& p, Printers& drucker, const KalibDruck& k);
// The barrier mask at the print size.
bool BarrierDruckButtonClick(Programm& p, Printers& drucker);
// The anaglyph colour table.
bool AnaglyphKalibrierungDruckenBitBtnClick(Programm& p, Printers& drucker);

// Computes the calibration image, then asks zielWaehlen (given the figures of
// the image) for the BMP file to save it as; an empty name saves nothing.
// Busy and abort flags are clear afterwards. True when saved.
bool KStartBitBtnClick(Programm& p, const KalibBild& k,
                       const std::function<std::string(const KalibErgebnis&)>& zielWaehlen);

// At start and for a new project: without an installed printer only the
// manual print resolution can be had, and the user is told so.
void Drucker_Pruefen(Programm& p);
