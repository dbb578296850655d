#include <filesystem>

#include "FuzzUmgebung.h"
#include "imageio/Jpeg.h"
#include "imageio/Mpo.h"
#include "model/ProjectFile.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

ProjektBild bild(const std::string& pfad, const std::string& mpo = {})
{
    ProjektBild b;
    b.pfad = pfad;
    b.mpoPfad = mpo;
    return b;
}

// Projects over the sample images, in every preview mode and with images
// aligned in every way: the loader, the settings and each composer see them.
void projekte(const fs::path& ordner)
{
    for (int32_t modus = 0; modus <= 6; ++modus) {
        ProjektDaten d;
        d.vorschau = modus;
        d.comboA = 0;
        d.comboB = 1;
        d.bilder = {bild("a.bmp"), bild("b.bmp")};
        writeBytes(ordner / ("modus" + std::to_string(modus) + ".lvx"), ProjektKodieren(d));
    }
    ProjektDaten d;
    d.vorschau = 5;
    d.linsenrichtung = 1;
    d.druckOptimierung = true;
    d.komprimierung = 1;
    d.pixelProLinse = 2;
    d.comboB = 2;
    d.bilder = {bild("a.bmp"), bild("c.jpg"), bild("d.mpo_2.JPG", "d.mpo")};
    d.bilder[0].dx = 1.5;
    d.bilder[0].rot = 3.0;
    d.bilder[1].dy = -2.0;
    d.bilder[1].skal = 1.25;
    d.bilder[1].spiegelX = d.bilder[1].konturen = true;
    d.bilder[2].refModus = d.bilder[2].istReferenzbild = true;
    d.bilder[2].refX = 3;
    d.bilder[2].refY = 2;
    writeBytes(ordner / "drei.lvx", ProjektKodieren(d));
    d.vorschau = 6;
    d.lcdGroesse = 7;
    d.lcdRichtung = 1;
    d.lcdBeginn = 1;
    d.lcdX = 33;
    d.lcdY = 17;
    writeBytes(ordner / "streifen.lvx", ProjektKodieren(d));
    d.vorschau = 4;
    d.viewerVorlage = false;
    d.viewerFrei = true;
    d.viewer = {20, 20, 25, 0, 60, 30, 3};
    writeBytes(ordner / "stereo.lvx", ProjektKodieren(d));
    writeBytes(ordner / "leer.lvx", ProjektKodieren(ProjektDaten{}));
}

}

// Writes the seed corpus of every fuzz target into the folder given, one subfolder per target.
int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const fs::path wurzel = argv[1];
    for (const char* ziel : {"bmp", "tiff", "tga", "mpo", "exif", "jpeg", "projekt"})
        fs::create_directories(wurzel / ziel);
    const auto muster = [](int x, int y, uint8_t bgr[3]) { musterRgb(x, y, bgr); };

    writeBmp(wurzel / "bmp" / "3x2.bmp", 3, 2, muster);
    writeBmp(wurzel / "bmp" / "1x1.bmp", 1, 1, muster);

    TiffAufbau s;
    writeBytes(wurzel / "tiff" / "ii.tif", tiffBytes(s));
    s.bigEndian = true;
    writeBytes(wurzel / "tiff" / "mm.tif", tiffBytes(s));
    s.height = 5;
    s.rowsPerStrip = 2;
    s.stripOffsetType = 3;
    writeBytes(wurzel / "tiff" / "strips.tif", tiffBytes(s));
    TiffAufbau c;
    c.photometric = 5;
    c.samples = 4;
    writeBytes(wurzel / "tiff" / "cmyk.tif", tiffBytes(c));

    writeBytes(wurzel / "tga" / "unten.tga", tgaBytes(5, 3, 0));
    writeBytes(wurzel / "tga" / "oben.tga", tgaBytes(5, 3, 0x20));

    Context& ctx = FuzzKontext();
    RasterSlot bild;
    bild.pfad = FuzzPfad("seed.bmp");
    bild.breite = 8;
    bild.hoehe = 8;
    writeBmp(bild.pfad, 8, 8, muster);
    const fs::path mpo = wurzel / "mpo" / "paar.mpo";
    const fs::path jpg = wurzel / "mpo" / "einfach.jpg";
    if (!MPO_Schreiben(ctx, mpo.string(), bild, bild) || !JPEG_Schreiben(ctx, jpg.string(), bild))
        return 1;
    fs::copy_file(mpo, wurzel / "exif" / "paar.mpo", fs::copy_options::overwrite_existing);
    fs::copy_file(jpg, wurzel / "exif" / "einfach.jpg", fs::copy_options::overwrite_existing);
    fs::copy_file(jpg, wurzel / "jpeg" / "einfach.jpg", fs::copy_options::overwrite_existing);
    writeBytes(wurzel / "jpeg" / "grau.jpg", besondereJpeg(JCS_GRAYSCALE, false, 9, 7));
    writeBytes(wurzel / "jpeg" / "cmyk.jpg", besondereJpeg(JCS_CMYK, false, 9, 7));
    writeBytes(wurzel / "jpeg" / "progressiv.jpg", besondereJpeg(JCS_RGB, true, 9, 7));
    projekte(wurzel / "projekt");
    return 0;
}
