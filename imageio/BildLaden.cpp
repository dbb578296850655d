#include "imageio/BildLaden.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/Format.h"
#include "imageio/Bmp.h"
#include "imageio/Jpeg.h"
#include "imageio/Jps.h"
#include "imageio/Mpo.h"
#include "imageio/Tga.h"
#include "imageio/Tiff.h"
#include "raster/RasterImage.h"

namespace fs = std::filesystem;

namespace {

// The extension from the file name's last point on, upper-cased; empty without one.
std::string endung(const std::string& datei)
{
    const std::string name = fs::path(datei).filename().string();
    const size_t punkt = name.rfind('.');
    return punkt == std::string::npos ? std::string() : upperAscii(name.substr(punkt));
}

void slotsBenennen(Programm& p, int index)
{
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(index)];
    const fs::path temp = p.ctx.files().tempFolder();
    for (int s = SlotArbeitskopie; s < SlotAnzahl; ++s) {
        RasterSlot& slot = e.slot[static_cast<size_t>(s)];
        slot.pfad = TempDateiname(temp, index, s);
        slot.name = fs::path(slot.pfad).filename().string();
    }
}

void quelleSetzen(ImageEntry& e, const std::string& pfad, const std::string& name, int32_t eigentum)
{
    RasterSlot& q = e.slot[SlotQuelle];
    q.pfad = pfad;
    q.name = name;
    q.breite = e.slot[SlotArbeitskopie].breite;
    q.hoehe = e.slot[SlotArbeitskopie].hoehe;
    q.eigentum = eigentum;
}

Ladeergebnis bmpLesen(Context& ctx, const std::string& datei, RasterSlot& ziel)
{
    int32_t breite = 0, hoehe = 0, kopf = 0;
    if (BMP_Kopf_Pruefen(ctx, datei, breite, hoehe, kopf) != BmpKopf::Ok)
        return Ladeergebnis::Fehler;
    if (!Plattenplatz_Pruefen(ctx, ziel.pfad, breite, hoehe))
        return Ladeergebnis::PlatteVoll;
    RasterSlot quelle;
    quelle.pfad = datei;
    switch (RasterKopierenDatei(ctx.files(), quelle, ziel)) {
    case Dateiergebnis::Ok:
        break;
    case Dateiergebnis::PlatteVoll:
        return Ladeergebnis::PlatteVoll;
    case Dateiergebnis::Fehler:
        ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(Sprache::MeldungNr::AllgemeinerLadeFehler),
                                                     datei, false));
        return Ladeergebnis::Fehler;
    }
    ziel.breite = breite;
    ziel.hoehe = hoehe;
    return Ladeergebnis::Ok;
}

// The parts of a stereo or multi-picture file: "<temporary prefix>_<file name>_<k>.JPG".
std::string teilBasis(Programm& p, int index, const std::string& datei)
{
    const fs::path temp0(TempDateiname(p.ctx.files().tempFolder(), index, SlotQuelle));
    return (temp0.parent_path() / (temp0.filename().string().substr(0, 17) + "_" + fs::path(datei).filename().string()))
        .string();
}

std::string teilDatei(const std::string& basis, int k)
{
    return basis + "_" + std::to_string(k) + ".JPG";
}

// Entry n takes the extracted part as its source; its name less the temporary
// prefix is the file's name, "_", k, ".JPG".
void teilQuelleSetzen(ImageEntry& e, const std::string& teil, const std::string& datei)
{
    const std::string name = fs::path(teil).filename().string();
    quelleSetzen(e, teil, name.size() > 18 ? name.substr(18) : name, 0);
    e.slot[SlotQuelle].pfad2 = datei;
}

// Loads one extracted part into entry n.
Ladeergebnis teilLaden(Programm& p, int n, const std::string& teil, const std::string& mpo)
{
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
    e.reset();
    slotsBenennen(p, n);
    const Ladeergebnis r = JPEG_Lesen(p.ctx, teil, e.slot[SlotArbeitskopie]);
    if (r != Ladeergebnis::Ok) {
        e.reset();
        return r;
    }
    teilQuelleSetzen(e, teil, mpo);
    return Ladeergebnis::Ok;
}

void teileLoeschen(const std::string& basis, int von, int bis)
{
    std::error_code ec;
    for (int k = von; k <= bis; ++k)
        fs::remove(teilDatei(basis, k), ec);
}

void eintraegeLeeren(Programm& p, int von, int bis)
{
    for (int j = von; j <= bis; ++j) {
        p.bilder.bild[static_cast<size_t>(j)].dateienLoeschen();
        p.bilder.bild[static_cast<size_t>(j)].reset();
    }
}

Ladung fertig(int letzter)
{
    return {Ladeergebnis::Ok, letzter};
}

Ladung fehlgeschlagen(Ladeergebnis r = Ladeergebnis::Fehler)
{
    return {r, 0};
}

Ladung mpoLaden(Programm& p, int index, const std::string& datei)
{
    const std::string basis = teilBasis(p, index, datei);
    // Parts beyond the image set's last entry are not taken.
    const MpoErgebnis m = MPO_Zerlegen(p.ctx.files(), datei, basis, {}, nullptr, MaxBilder - index + 1);
    if (!m.ok)
        return fehlgeschlagen();
    for (int k = 1; k <= m.anzahl; ++k) {
        const int n = index + k - 1;
        if (const Ladeergebnis r = teilLaden(p, n, teilDatei(basis, k), datei); r != Ladeergebnis::Ok) {
            // Nothing of a half-loaded file stays: neither entries nor parts.
            eintraegeLeeren(p, index, n - 1);
            teileLoeschen(basis, k, m.anzahl);
            return fehlgeschlagen(r);
        }
    }
    return fertig(index + m.anzahl - 1);
}

// Views erster … letzter (1 the left-eye view, 2 the right-eye view) of a
// side-by-side stereo file into the entries from index on. Each view's source
// is a JPEG of it among the temporary files, as a multi-picture file's part is.
Ladung jpsLaden(Programm& p, int index, const std::string& datei, int erster, int letzter)
{
    letzter = std::min(letzter, erster + MaxBilder - index);
    ImageEntry* ansicht[2] = {nullptr, nullptr};
    for (int k = erster; k <= letzter; ++k) {
        const int n = index + k - erster;
        p.bilder.bild[static_cast<size_t>(n)].reset();
        slotsBenennen(p, n);
        ansicht[k - 1] = &p.bilder.bild[static_cast<size_t>(n)];
    }
    RasterSlot& ganz = p.bilder.bild[static_cast<size_t>(index)].slot[SlotKomposition];
    const auto arbeitskopie = [](ImageEntry* e) { return e ? &e->slot[SlotArbeitskopie] : nullptr; };
    if (const Ladeergebnis r = JPS_Lesen(p.ctx, datei, ganz, arbeitskopie(ansicht[0]), arbeitskopie(ansicht[1]));
        r != Ladeergebnis::Ok) {
        eintraegeLeeren(p, index, index + letzter - erster);
        return fehlgeschlagen(r);
    }
    const std::string basis = teilBasis(p, index, datei);
    for (int k = erster; k <= letzter; ++k) {
        ImageEntry& e = *ansicht[k - 1];
        const std::string teil = teilDatei(basis, k);
        if (!JPEG_Schreiben(p.ctx, teil, e.slot[SlotArbeitskopie])) {
            teileLoeschen(basis, erster, k);
            eintraegeLeeren(p, index, index + letzter - erster);
            return fehlgeschlagen();
        }
        teilQuelleSetzen(e, teil, datei);
    }
    return fertig(index + letzter - erster);
}

}

Ladung Bild_Laden(Programm& p, int index, const std::string& datei)
{
    if (p.ctx.state.abort || index < 1 || index > MaxBilder)
        return fehlgeschlagen();
    const std::string ext = endung(datei);
    if (ext.empty() || ext == ".MPO")
        return mpoLaden(p, index, datei);
    if (ext == ".JPS")
        return jpsLaden(p, index, datei, 1, 2);
    Ladeergebnis (*leser)(Context&, const std::string&, RasterSlot&) = nullptr;
    if (ext == ".BMP")
        leser = bmpLesen;
    else if (ext == ".JPG" || ext == ".JPEG")
        leser = JPEG_Lesen;
    else if (ext == ".TIF" || ext == ".TIFF")
        leser = TIFF_Lesen;
    else if (ext == ".TGA")
        leser = TGA_Lesen;
    else
        return fehlgeschlagen();
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(index)];
    e.reset();
    slotsBenennen(p, index);
    if (const Ladeergebnis r = leser(p.ctx, datei, e.slot[SlotArbeitskopie]); r != Ladeergebnis::Ok) {
        e.reset();
        return fehlgeschlagen(r);
    }
    quelleSetzen(e, datei, fs::path(datei).filename().string(), -1);
    return fertig(index);
}

void Temp_Aufraeumen(Context& ctx)
{
    ctx.files().joinInstances([&] {
        std::error_code ec;
        for (const char* endung : {".BMP", ".JPG"}) {
            for (const auto& eintrag : fs::directory_iterator(ctx.files().tempFolder(), ec)) {
                const std::string name = eintrag.path().filename().string();
                if (name.size() >= 6 && name.starts_with("~$") && upperAscii(name.substr(name.size() - 4)) == endung)
                    fs::remove(eintrag.path(), ec);
            }
        }
    });
}

Ladung MPO_Teil_Laden(Programm& p, int index, const std::string& mpo, int k)
{
    if (p.ctx.state.abort || index < 1 || index > MaxBilder || k < 1)
        return fehlgeschlagen();
    if (endung(mpo) == ".JPS")
        return k <= 2 ? jpsLaden(p, index, mpo, k, k) : fehlgeschlagen();
    const std::string basis = teilBasis(p, index, mpo);
    const MpoErgebnis m = MPO_Zerlegen(p.ctx.files(), mpo, basis, {}, nullptr, k);
    if (!m.ok)
        return fehlgeschlagen();
    teileLoeschen(basis, 1, std::min(k - 1, m.anzahl));
    if (m.anzahl < k)
        return fehlgeschlagen();
    if (const Ladeergebnis r = teilLaden(p, index, teilDatei(basis, k), mpo); r != Ladeergebnis::Ok) {
        teileLoeschen(basis, k, k);
        return fehlgeschlagen(r);
    }
    return fertig(index);
}
