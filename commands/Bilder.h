#pragma once
#include <string>
#include <vector>

#include "model/Programm.h"

// What the add-images command does with the files chosen in its dialog:
// loads them sorted by name (case-insensitive), as many as the image set still
// holds, each followed by a pipeline run from level 2 without bicubic
// interpolation, showing the new image as image R beside image 1.
void Bilder_Hinzufuegen(Programm& p, std::vector<std::string> dateien);
// The same for a batch job, which opens no dialog: the dialogs' folders stay.
void BatchNeuButtonClick(Programm& p, std::vector<std::string> dateien);

// Shows a newly loaded image n as image R beside image 1, aligned, and runs
// the pipeline from level 2; with ohneBikubisch that run resizes without
// bicubic interpolation (the setting itself stays).
void BildRZeigen(Programm& p, int n, bool ohneBikubisch);

// At start: both image dialogs open in the program's folder.
void Init_Pfadnamen(Programm& p);

// The checks before a file of breite × hoehe pixels is written to datei: a
// read-only file is refused, and so is a file system with too little space
// (the raster's size and a margin). False after the message.
bool Speichern_Pruefen(Context& ctx, const std::string& datei, int32_t breite, int32_t hoehe);

// Saves raster slot of entry index as format "BMP", "JPG", "TIF", "TIF_CMYK",
// "TGA" or "MPO" (images L and R) under datei, after the write-protection and
// free-space checks. Does nothing without a result to show. True when written.
// With zuletzt nothing needs the raster afterwards: a BMP may take its file.
bool BildspeichernUnter(Programm& p, int index, int slot, const std::string& datei, const std::string& format,
                        bool zuletzt = false);
