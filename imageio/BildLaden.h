#pragma once
#include <string>

#include "imageio/Arbeitskopie.h"
#include "model/Programm.h"

// What a load came to: when Ok, the last entry it filled.
struct Ladung {
    Ladeergebnis ergebnis = Ladeergebnis::Fehler;
    int letzter = 0;
};

// Turns a source file into working copies from entry index on (the caller has
// raised the image count to index). The upper-cased extension decides the
// reader; a name without extension is a multi-picture file. The last entry is
// index for one image, index + n − 1 for a multi-picture file of n images,
// index − 1 when it held none. A Fehler has been reported by the reader that
// found it.
Ladung Bild_Laden(Programm& p, int index, const std::string& datei);

// Loads only part k of a multi-picture file into entry index, as the image it
// was when a project was saved; the results are those of Bild_Laden for one image.
Ladung MPO_Teil_Laden(Programm& p, int index, const std::string& mpo, int k);

// At start: joins the running instances and, when no other one runs, deletes
// the leftover working files ("~$*.BMP", "~$*.JPG") of the temporary folder.
void Temp_Aufraeumen(Context& ctx);
