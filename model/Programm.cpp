#include "model/Programm.h"

#include <filesystem>

void Programm::Init()
{
    for (ImageEntry& e : bilder.bild)
        e.reset();
    bilder.anzahl = 0;
    const auto temp = ctx.files().tempFolder();
    for (int s = SlotErgebnis; s < SlotAnzahl; ++s) {
        RasterSlot& slot = bilder.ergebnis().slot[static_cast<size_t>(s)];
        slot.pfad = TempDateiname(temp, 0, s);
        slot.name = std::filesystem::path(slot.pfad).filename().string();
    }
    compose = ComposeSettings{};
    farbe = FarbSettings{};
    druck = PrintSettings{};
    auswahl = Auswahl{};
    // The preview box keeps its size: the window reports it only when it changes.
    const Ansicht alt = ansicht;
    ansicht = Ansicht{};
    ansicht.boxBreite = alt.boxBreite;
    ansicht.boxHoehe = alt.boxHoehe;
    refInfo = RefInfo{};
    autoJust = AutoJustSettings{};
    autoJustAnzeige = AutoJustAnzeige{};
}

void Programm::DateienLoeschen()
{
    for (int n = 1; n <= bilder.anzahl; ++n)
        bilder.bild[static_cast<size_t>(n)].dateienLoeschen();
    bilder.ergebnis().dateienLoeschen();
}
