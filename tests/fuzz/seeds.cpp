#include <filesystem>

#include "FuzzUmgebung.h"
#include "imageio/Jpeg.h"
#include "imageio/Mpo.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

// Writes the seed corpus of every fuzz target into the folder given, one subfolder per target.
int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const fs::path wurzel = argv[1];
    for (const char* ziel : {"bmp", "tiff", "tga", "mpo", "exif"})
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
    return 0;
}
