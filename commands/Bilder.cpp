#include "commands/Bilder.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "compose/Pipeline.h"
#include "core/Format.h"
#include "imageio/BildLaden.h"
#include "imageio/Datei.h"
#include "imageio/Jpeg.h"
#include "imageio/Mpo.h"
#include "imageio/Tga.h"
#include "imageio/Tiff.h"

namespace fs = std::filesystem;
using Sprache::MeldungNr;
using Sprache::Titel;

namespace {

void fortschrittZuruecksetzen(Context& ctx)
{
    ctx.events().setBusyCursor(false);
    ctx.setProgress(100, 0);
}

}

void Init_Pfadnamen(Programm& p)
{
    p.ctx.state.bildOeffnenOrdner = p.ctx.state.programFolder;
    p.ctx.state.bildSpeichernOrdner = p.ctx.state.programFolder;
}

void BildRZeigen(Programm& p, int n, bool ohneBikubisch)
{
    Auswahl& a = p.auswahl;
    a.listenZeile = n;
    a.bildL = 1;
    a.bildR = n;
    a.justL = false;
    a.justR = true;
    a.vorschau = VorschauBildR;
    const bool bikubisch = p.compose.Bikubisch;
    if (ohneBikubisch)
        p.compose.Bikubisch = false;
    Schleife(p, 2);
    p.compose.Bikubisch = bikubisch;
}

void Bilder_Hinzufuegen(Programm& p, std::vector<std::string> dateien)
{
    if (dateien.empty())
        return;
    p.ctx.state.bildOeffnenOrdner = fs::path(dateien.front()).parent_path();
    p.ctx.state.bildSpeichernOrdner = p.ctx.state.bildOeffnenOrdner;
    BatchNeuButtonClick(p, std::move(dateien));
}

void BatchNeuButtonClick(Programm& p, std::vector<std::string> dateien)
{
    if (dateien.empty())
        return;
    Context& ctx = p.ctx;
    std::stable_sort(dateien.begin(), dateien.end(),
                     [](const std::string& a, const std::string& b) { return lowerAscii(a) < lowerAscii(b); });
    const auto gewaehlt = static_cast<int>(dateien.size());
    int laden = gewaehlt;
    if (p.bilder.anzahl + gewaehlt > MaxBilder) {
        ctx.message(Titel::Fehler, MeldungNr::ZuVieleBilder);
        ctx.message(Titel::Information, std::string(Sprache::Meldung(MeldungNr::Maximum)) + std::to_string(MaxBilder));
        laden = MaxBilder - p.bilder.anzahl;
    }
    for (int i = 0; i < laden; ++i) {
        ctx.events().setBusyCursor(true);
        const int n = ++p.bilder.anzahl;
        const Ladung geladen = Bild_Laden(p, n, dateien[static_cast<size_t>(i)]);
        ctx.setProgress(100, static_cast<int32_t>(std::nearbyint((i + 1) * 100.0 / gewaehlt)));
        if (geladen.ergebnis == Ladeergebnis::Fehler) {
            --p.bilder.anzahl;
            // A stop requested by the user, or a fault already reported with the
            // abort flag, needs no second message.
            if (!ctx.state.abort)
                ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(MeldungNr::DateitypNichtUnterstuetzt),
                                                    dateien[static_cast<size_t>(i)], false));
            fortschrittZuruecksetzen(ctx);
            break;
        }
        if (geladen.ergebnis == Ladeergebnis::PlatteVoll) {
            --p.bilder.anzahl;
            ctx.message(Titel::Fehler, MeldungNr::ZuWenigFestplattenspeicher);
            fortschrittZuruecksetzen(ctx);
            continue;
        }
        const int r = geladen.letzter;
        p.bilder.anzahl = r;
        if (r < n)
            continue;
        for (int k = n; k <= r; ++k) {
            ImageEntry& e = p.bilder.bild[static_cast<size_t>(k)];
            e.histo = p.farbe.histoAlle;
            e.histoMax = p.farbe.histoMax;
        }
        BildRZeigen(p, r, true);
    }
    fortschrittZuruecksetzen(ctx);
    if (ctx.state.abort)
        Abbruch_Behandlung(p);
}

namespace {

// Dots per inch from the pixel count and a print length in the print unit; 0 without a length.
double aufloesung(int32_t pixel, double laenge, const PrintSettings& d)
{
    const double zoll = laenge * d.f() / 2.54;
    return zoll > 0 ? pixel / zoll : 0.0;
}

}

bool Speichern_Pruefen(Context& ctx, const std::string& datei, int32_t breite, int32_t hoehe)
{
    if (isReadOnly(datei)) {
        ctx.message(Titel::Information, MeldungNr::Schreibgeschuetzt);
        return false;
    }
    // The file system holding the root gets the larger margin, as the system drive did.
    const std::string laufwerk = ctx.files().volumeName(fs::path(datei));
    const uint64_t noetig
        = static_cast<uint64_t>(RasterDateigroesse(breite, hoehe)) + (laufwerk == "/" ? 10'000'000 : 1'000);
    const auto frei = ctx.files().freeSpace(fs::path(datei));
    if (!frei || *frei < noetig) {
        ctx.message(Titel::Fehler,
                    std::string(Sprache::Meldung(MeldungNr::ZuWenigSpeicherAufLaufwerk)) + laufwerk + ": !");
        return false;
    }
    return true;
}

bool BildspeichernUnter(Programm& p, int index, int slot, const std::string& datei, const std::string& format,
                        bool zuletzt)
{
    Context& ctx = p.ctx;
    if (p.auswahl.vorschau == VorschauKeine || datei.empty() || index < 0 || index > MaxBilder || slot < 0
        || slot >= SlotAnzahl)
        return false;
    const RasterSlot& quelle = p.bilder.bild[static_cast<size_t>(index)].slot[static_cast<size_t>(slot)];
    const double horizontal = aufloesung(quelle.breite, p.druck.breite, p.druck);
    const double vertikal = aufloesung(quelle.hoehe, p.druck.hoehe, p.druck);
    if (!Speichern_Pruefen(ctx, datei, quelle.breite, quelle.hoehe))
        return false;
    ctx.state.reporting = true;
    ctx.events().setBusyCursor(true);
    ctx.pump();
    bool ok = false;
    if (format == "BMP") {
        // Only the result entry's rasters are always files of the program's own.
        ok = DateiKopieren(ctx.files(), quelle.pfad, datei, zuletzt && index == 0);
        if (!ok)
            ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(MeldungNr::DateiSpeicherFehler), datei, true));
    } else if (format == "JPG") {
        ok = JPEG_Schreiben(ctx, datei, quelle);
    } else if (format == "TIF") {
        ok = TIFF_RGB_Schreiben(ctx, datei, quelle, vertikal, horizontal);
    } else if (format == "TIF_CMYK") {
        ok = TIFF_CMYK_Schreiben(ctx, datei, quelle, vertikal, horizontal);
    } else if (format == "TGA") {
        ok = TGA_Schreiben(ctx, datei, quelle);
    } else if (format == "MPO") {
        const Auswahl& a = p.auswahl;
        if (p.bilder.gueltig(a.bildL) && p.bilder.gueltig(a.bildR))
            ok = MPO_Schreiben(ctx, datei, p.bilder.bild[static_cast<size_t>(a.bildL)].slot[SlotArbeitskopie],
                               p.bilder.bild[static_cast<size_t>(a.bildR)].slot[SlotArbeitskopie]);
        else
            ctx.message(Titel::Fehler, Sprache::MpoOhneBildpaar);
    }
    ctx.events().setBusyCursor(false);
    ctx.state.reporting = false;
    return ok;
}
