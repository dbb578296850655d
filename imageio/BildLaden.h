#pragma once
#include <string>

#include "model/Programm.h"

// Turns a source file into working copies from entry index on (the caller has
// raised the image count to index). The upper-cased extension decides the
// reader; a name without extension is a multi-picture file. Returns index for
// one image, index + n − 1 for a multi-picture file of n images, index − 1 when
// it held none, -1 when the file could not be loaded (its reader has reported
// what it found), -2 when a working copy does not fit on its file system.
int Bild_Laden(Programm& p, int index, const std::string& datei);

// Loads only part k of a multi-picture file into entry index, as the image it
// was when a project was saved; the results are those of Bild_Laden for one image.
int MPO_Teil_Laden(Programm& p, int index, const std::string& mpo, int k);

// At start: joins the running instances and, when no other one runs, deletes
// the leftover working files ("~$*.BMP", "~$*.JPG") of the temporary folder.
void Temp_Aufraeumen(Context& ctx);
