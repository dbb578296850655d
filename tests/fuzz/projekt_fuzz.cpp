#include <filesystem>

#include "FuzzUmgebung.h"
#include "commands/Projekt.h"

// A project file through the loader, in a folder with the images the seeds
// name: every field reaches the settings, the loaded images and the
// composition of the project's preview mode; a loaded project is saved again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    static const bool bilder = BeispielBilderSchreiben(std::filesystem::path(FuzzPfad("")));
    if (!bilder)
        return 0;
    Programm p(FuzzDienste());
    if (OeffnenAllgemein(p, FuzzEingabe(daten, laenge, "f.lvx")))
        MenuProjektSpeichernUnterClick(p, FuzzPfad("g.lvx"));
    p.DateienLoeschen();
    return 0;
}
