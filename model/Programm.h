#pragma once
#include "core/Context.h"
#include "model/ImageSet.h"
#include "model/RefInfo.h"
#include "model/Settings.h"

// The process-wide records: image set, settings and application state.
struct Programm {
    explicit Programm(Services services) : ctx(services) { Init(); }

    Context ctx;
    ImageSet bilder;
    ComposeSettings compose;
    FarbSettings farbe;
    PrintSettings druck;
    Auswahl auswahl;
    Ansicht ansicht;
    RefInfo refInfo;
    AutoJustSettings autoJust;
    AutoJustAnzeige autoJustAnzeige;
    // The batch panel outlives a new project.
    BatchSettings batch;
    BatchLauf batchLauf;

    // Empties the image set (files are left alone) and resets every setting;
    // the result entry's slots get their temporary names. The size of the
    // preview box, a fact of the window, stays.
    void Init();
    // Deletes every temporary file of the image set.
    void DateienLoeschen();
};
