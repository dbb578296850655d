#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "demo/Szene.h"
#include "imageio/Jpeg.h"
#include "model/ProjectFile.h"
#include "platform/HeadlessServices.h"
#include "raster/RasterImage.h"

namespace fs = std::filesystem;

namespace {

const char* const hilfe =
    "Aufruf: lumivex-demo ORDNER [ANSICHTEN]\n"
    "\n"
    "Berechnet eine Szene aus texturierten Körpern in verschiedenen Tiefen, gesehen\n"
    "von 2 bis 12 (Vorgabe 4) seitlich versetzten Standpunkten, als JPEG-Dateien\n"
    "ansicht_1.jpg … in ORDNER, dazu das Projekt demo.lvx über diese Bilder.\n";

// One view as a JPEG file, rendered through a working raster.
bool ansichtSchreiben(Context& ctx, const Szene& szene, int k, const fs::path& datei)
{
    RasterSlot raster;
    raster.pfad = (ctx.files().tempFolder() / ("demo_" + std::to_string(k) + ".bmp")).string();
    raster.breite = szene.breite;
    raster.hoehe = szene.hoehe;
    bool ok = guarded(ctx, [&] {
        if (RasterAnlegen(ctx, raster) != Angelegt::Ok)
            throw Abbruch{};
        SlotCloser schliessen(raster);
        OeffneSchreiben(raster);
        Zeile view;
        AnsichtRendern(szene, k, [&](int y, const uint8_t* bgr) {
            std::memcpy(NeueZeile(ctx, raster, y, view), bgr, static_cast<size_t>(szene.breite) * 3);
            GibZeileFrei(view);
        });
    });
    ok = ok && JPEG_Schreiben(ctx, datei.string(), raster);
    std::error_code ec;
    fs::remove(raster.pfad, ec);
    return ok;
}

// The demo project: an anaglyph of the outer views, 15 cm wide, for 40 lpi lenses.
ProjektDaten demoProjekt(const fs::path& ordner, const Szene& szene)
{
    ProjektDaten d;
    d.vorschau = 3;
    d.anaglyphArt = 1;
    d.anaglyphSchema = 0;
    d.comboA = 0;
    d.comboB = szene.ansichten - 1;
    d.listenAuswahl = szene.ansichten - 1;
    d.dpiAuto = false;
    d.dpiManuell = true;
    for (int k = 1; k <= szene.ansichten; ++k) {
        ProjektBild b;
        b.pfad = (ordner / ("ansicht_" + std::to_string(k) + ".jpg")).string();
        b.breite = szene.breite;
        b.hoehe = szene.hoehe;
        d.bilder.push_back(b);
    }
    return d;
}

}

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(hilfe, argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    Szene szene;
    if (argc == 3)
        szene.ansichten = std::atoi(argv[2]);
    if (szene.ansichten < 2 || szene.ansichten > 12) {
        std::fputs(hilfe, stderr);
        return 2;
    }
    const fs::path ordner = fs::absolute(argv[1]);
    std::error_code ec;
    fs::create_directories(ordner, ec);
    const auto temp = TempFolder();
    if (!temp)
        return 1;
    HeadlessServices dienste(temp->pfad());
    Context ctx(dienste.services());
    for (int k = 0; k < szene.ansichten; ++k)
        if (!ansichtSchreiben(ctx, szene, k, ordner / ("ansicht_" + std::to_string(k + 1) + ".jpg")))
            return 1;
    if (!writeFileSafely(ctx.files(), ordner / "demo.lvx", ProjektKodieren(demoProjekt(ordner, szene))))
        return 1;
    std::printf("%s\n", (ordner / "demo.lvx").c_str());
    return 0;
}
