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

int bmpLesen(Context& ctx, const std::string& datei, RasterSlot& ziel)
{
    int32_t breite = 0, hoehe = 0, kopf = 0;
    if (BMP_Kopf_Pruefen(ctx, datei, breite, hoehe, kopf) != 0)
        return -1;
    if (Plattenplatz_Pruefen(ctx, ziel.pfad, breite, hoehe) != 0)
        return -2;
    RasterSlot quelle;
    quelle.pfad = datei;
    if (const int r = RasterKopierenDatei(ctx.files(), quelle, ziel); r != 0) {
        if (r == -2)
            return -2;
        ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(Sprache::MeldungNr::AllgemeinerLadeFehler),
                                                     datei, false));
        return -1;
    }
    ziel.breite = breite;
    ziel.hoehe = hoehe;
    return 0;
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

// Loads one extracted part into entry n; 0, or the reader's result.
int teilLaden(Programm& p, int n, const std::string& teil, const std::string& mpo)
{
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
    e.reset();
    slotsBenennen(p, n);
    const int r = JPEG_Lesen(p.ctx, teil, e.slot[SlotArbeitskopie]);
    if (r != 0) {
        e.reset();
        return r;
    }
    teilQuelleSetzen(e, teil, mpo);
    return 0;
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

int mpoLaden(Programm& p, int index, const std::string& datei)
{
    const std::string basis = teilBasis(p, index, datei);
    // Parts beyond the image set's last entry are not taken.
    const MpoErgebnis m = MPO_Zerlegen(p.ctx.files(), datei, basis, {}, nullptr, MaxBilder - index + 1);
    if (!m.ok)
        return -1;
    for (int k = 1; k <= m.anzahl; ++k) {
        const int n = index + k - 1;
        if (const int r = teilLaden(p, n, teilDatei(basis, k), datei); r != 0) {
            // Nothing of a half-loaded file stays: neither entries nor parts.
            eintraegeLeeren(p, index, n - 1);
            teileLoeschen(basis, k, m.anzahl);
            return r;
        }
    }
    return index + m.anzahl - 1;
}

// Views erster … letzter (1 the left-eye view, 2 the right-eye view) of a
// side-by-side stereo file into the entries from index on. Each view's source
// is a JPEG of it among the temporary files, as a multi-picture file's part is.
int jpsLaden(Programm& p, int index, const std::string& datei, int erster, int letzter)
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
    if (const int r = JPS_Lesen(p.ctx, datei, ganz, arbeitskopie(ansicht[0]), arbeitskopie(ansicht[1])); r != 0) {
        eintraegeLeeren(p, index, index + letzter - erster);
        return r;
    }
    const std::string basis = teilBasis(p, index, datei);
    for (int k = erster; k <= letzter; ++k) {
        ImageEntry& e = *ansicht[k - 1];
        const std::string teil = teilDatei(basis, k);
        if (!JPEG_Schreiben(p.ctx, teil, e.slot[SlotArbeitskopie])) {
            teileLoeschen(basis, erster, k);
            eintraegeLeeren(p, index, index + letzter - erster);
            return -1;
        }
        teilQuelleSetzen(e, teil, datei);
    }
    return index + letzter - erster;
}

}

int Bild_Laden(Programm& p, int index, const std::string& datei)
{
    if (p.ctx.state.abort || index < 1 || index > MaxBilder)
        return -1;
    const std::string ext = endung(datei);
    if (ext.empty() || ext == ".MPO")
        return mpoLaden(p, index, datei);
    if (ext == ".JPS")
        return jpsLaden(p, index, datei, 1, 2);
    int (*leser)(Context&, const std::string&, RasterSlot&) = nullptr;
    if (ext == ".BMP")
        leser = bmpLesen;
    else if (ext == ".JPG" || ext == ".JPEG")
        leser = JPEG_Lesen;
    else if (ext == ".TIF" || ext == ".TIFF")
        leser = TIFF_Lesen;
    else if (ext == ".TGA")
        leser = TGA_Lesen;
    else
        return -1;
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(index)];
    e.reset();
    slotsBenennen(p, index);
    if (const int r = leser(p.ctx, datei, e.slot[SlotArbeitskopie]); r != 0) {
        e.reset();
        return r;
    }
    quelleSetzen(e, datei, fs::path(datei).filename().string(), -1);
    return index;
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

int MPO_Teil_Laden(Programm& p, int index, const std::string& mpo, int k)
{
    if (p.ctx.state.abort || index < 1 || index > MaxBilder || k < 1)
        return -1;
    if (endung(mpo) == ".JPS")
        return k <= 2 ? jpsLaden(p, index, mpo, k, k) : -1;
    const std::string basis = teilBasis(p, index, mpo);
    const MpoErgebnis m = MPO_Zerlegen(p.ctx.files(), mpo, basis, {}, nullptr, k);
    if (!m.ok)
        return -1;
    teileLoeschen(basis, 1, std::min(k - 1, m.anzahl));
    if (m.anzahl < k)
        return -1;
    if (const int r = teilLaden(p, index, teilDatei(basis, k), mpo); r != 0) {
        teileLoeschen(basis, k, k);
        return r;
    }
    return index;
}
