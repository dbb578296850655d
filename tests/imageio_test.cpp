#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "imageio/BildLaden.h"
#include "imageio/Bmp.h"
#include "imageio/Exif.h"
#include "imageio/Grenzen.h"
#include "imageio/Jpeg.h"
#include "imageio/Jps.h"
#include "imageio/Mpo.h"
#include "imageio/Tga.h"
#include "imageio/Tiff.h"
#include "raster/RasterImage.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/ImageCompare.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// Runs a shell command and returns its standard output; fails the test when the tool is missing.
std::string tool(const std::string& name, const std::string& command)
{
    if (std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) != 0) {
        ADD_FAILURE() << name << " is missing: ./test installs it (scripts/install-deps)";
        return {};
    }
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        ::pclose(p);
    }
    return out;
}

struct ImageioTest : ::testing::Test {
    TestServices t;
    Programm p{t.services()};
    Context& ctx = p.ctx;

    fs::path pfad(const std::string& name) const { return t.files.tempFolder() / name; }
    std::vector<std::string>& meldungen() { return t.messages.lines; }

    // A raster of the test pattern, written independently of the code under test.
    RasterSlot muster(const std::string& name, int w, int h)
    {
        RasterSlot s;
        s.pfad = pfad(name).string();
        s.breite = w;
        s.hoehe = h;
        writeBmp(s.pfad, w, h, [](int x, int y, uint8_t bgr[3]) {
            uint8_t rgb[3];
            musterRgb(x, y, rgb);
            bgr[0] = rgb[2];
            bgr[1] = rgb[1];
            bgr[2] = rgb[0];
        });
        return s;
    }
    RasterSlot ziel(const std::string& name)
    {
        RasterSlot s;
        s.pfad = pfad(name).string();
        return s;
    }
    // Every pixel of a working copy equals the test pattern.
    void istMuster(const std::string& bmp, int w, int h)
    {
        const Bytes b = readFile(bmp);
        ASSERT_EQ(b.size(), static_cast<size_t>(54 + RasterStride(w) * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t rgb[3];
                musterRgb(x, y, rgb);
                ASSERT_EQ(bmpPixel(b, x, y), (Bytes{rgb[2], rgb[1], rgb[0]})) << x << "," << y;
            }
    }
};

// A BMP header of the given fields followed by size − 54 zero bytes.
Bytes bmpBytes(uint32_t offset, int32_t w, int32_t h, uint16_t bits, uint16_t planes, uint32_t compression,
                size_t size)
{
    Bytes b(std::max<size_t>(size, 14), 0);
    b[0] = 'B';
    b[1] = 'M';
    const auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n && at + static_cast<size_t>(i) < b.size(); ++i)
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(2, static_cast<uint32_t>(size), 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(w), 4);
    put(22, static_cast<uint32_t>(h), 4);
    put(26, planes, 2);
    put(28, bits, 2);
    put(30, compression, 4);
    b.resize(size);
    return b;
}

}

TEST_F(ImageioTest, BmpHeaderAcceptsBothSizesOfA3x2File)
{
    for (size_t size : {78u, 80u}) {
        writeBytes(pfad("a.bmp"), bmpBytes(54, 3, 2, 24, 1, 0, size));
        int32_t w = 0, h = 0, k = 0;
        EXPECT_EQ(BMP_Kopf_Pruefen(ctx, pfad("a.bmp").string(), w, h, k), BmpKopf::Ok) << size;
        EXPECT_EQ(w, 3);
        EXPECT_EQ(h, 2);
        EXPECT_EQ(k, 54);
    }
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(ImageioTest, BmpHeaderRejectionsHaveTheirCodesAndMessages)
{
    struct Fall {
        const char* name;
        Bytes bytes;
        BmpKopf befund;
        const char* meldung;
    };
    Bytes keinBm = bmpBytes(54, 3, 2, 24, 1, 0, 78);
    keinBm[0] = 'X';
    const Fall faelle[] = {
        {"kein-bm", keinBm, BmpKopf::KeinBmp, "Fehler: BMP-Typ fehlerhaft oder unbekannt!"},
        {"zu-kurz", Bytes{'B', 'M', 0}, BmpKopf::KeinBmp, "Fehler: BMP-Typ fehlerhaft oder unbekannt!"},
        {"os2", bmpBytes(26, 3, 2, 24, 1, 0, 50), BmpKopf::KeinBmp, "Fehler: OS/2 - Bitmap-Dateityp wird nicht unterstützt!"},
        {"farbtabelle", bmpBytes(1078, 3, 2, 8, 1, 0, 1102), BmpKopf::AndererKopf, nullptr},
        {"8bit", bmpBytes(54, 3, 2, 8, 1, 0, 78), BmpKopf::Nicht24Bit, "Fehler: Dies ist keine unkomprimierte 24-Bit-BMP-Datei!"},
        {"ebenen", bmpBytes(54, 3, 2, 24, 2, 0, 78), BmpKopf::Ebenen, "Fehler: Anzahl der Farbebenen nicht 1!"},
        {"rle", bmpBytes(54, 3, 2, 24, 1, 1, 78), BmpKopf::Komprimiert, "Fehler: Dateikompression wird nicht unterstützt!"},
        {"groesse", bmpBytes(54, 3, 2, 24, 1, 0, 79), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        {"von-oben", bmpBytes(54, 3, -2, 24, 1, 0, 78), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        {"leer", bmpBytes(54, 0, 2, 24, 1, 0, 54), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        {"ohne-infokopf", bmpBytes(54, 3, 2, 24, 1, 0, 30), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        // Sizes whose pixel count overflows 64 bits when multiplied out as signed numbers.
        {"riesig", bmpBytes(54, INT32_MAX, INT32_MAX, 24, 1, 0, 78), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        {"breit", bmpBytes(54, INT32_MAX, 2, 24, 1, 0, 78), BmpKopf::Widerspruch,
         "Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
    };
    for (const Fall& f : faelle) {
        meldungen().clear();
        writeBytes(pfad("f.bmp"), f.bytes);
        int32_t w = 7, h = 7, k = 7;
        EXPECT_EQ(BMP_Kopf_Pruefen(ctx, pfad("f.bmp").string(), w, h, k), f.befund) << f.name;
        // Every rejection names the file in a second line.
        EXPECT_EQ(meldungen(), f.meldung ? std::vector<std::string>{std::string(f.meldung) + "\n" + pfad("f.bmp").string()}
                                         : std::vector<std::string>{})
            << f.name;
        EXPECT_EQ(w + h + k, 0) << f.name;
    }
}

TEST_F(ImageioTest, LoadingABmpCopiesItAndFillsTheEntry)
{
    const RasterSlot quelle = muster("Foto.Bmp", 5, 3);
    ::chmod(quelle.pfad.c_str(), 0444);
    p.bilder.anzahl = 1;
    ASSERT_EQ(Bild_Laden(p, 1, quelle.pfad).letzter, 1);
    const ImageEntry& e = p.bilder.bild[1];
    EXPECT_EQ(e.slot[0].pfad, quelle.pfad);
    EXPECT_EQ(e.slot[0].name, "Foto.Bmp");
    EXPECT_EQ(e.slot[0].eigentum, -1);
    EXPECT_EQ(e.slot[0].breite, 5);
    EXPECT_EQ(e.slot[0].hoehe, 3);
    EXPECT_EQ(e.slot[1].breite, 5);
    EXPECT_EQ(e.slot[1].stride(), 16);
    EXPECT_TRUE(sameImage(e.slot[1].pfad, quelle.pfad));
    EXPECT_EQ(fs::status(e.slot[1].pfad).permissions() & fs::perms::owner_write, fs::perms::owner_write);
    for (int s = 1; s < SlotAnzahl; ++s) {
        const std::string name = fs::path(e.slot[static_cast<size_t>(s)].pfad).filename().string();
        EXPECT_TRUE(name.starts_with("~$")) << name;
        EXPECT_TRUE(name.ends_with("_1_" + std::to_string(s) + ".bmp")) << name;
        EXPECT_EQ(e.slot[static_cast<size_t>(s)].name, name);
    }
}

TEST_F(ImageioTest, DispatchByExtension)
{
    RasterSlot bmp = muster("x.bmp", 2, 2);
    RasterSlot jpg = ziel("photo.jpeg");
    ASSERT_TRUE(JPEG_Schreiben(ctx, jpg.pfad, bmp));
    fs::copy_file(jpg.pfad, pfad("PHOTO.JPG"));
    fs::copy_file(jpg.pfad, pfad("photo.png"));
    p.bilder.anzahl = 2;
    ASSERT_EQ(Bild_Laden(p, 1, jpg.pfad).letzter, 1);
    ASSERT_EQ(Bild_Laden(p, 2, pfad("PHOTO.JPG").string()).letzter, 2);
    EXPECT_TRUE(sameImage(p.bilder.bild[1].slot[1].pfad, p.bilder.bild[2].slot[1].pfad));
    EXPECT_EQ(Bild_Laden(p, 2, pfad("photo.png").string()).ergebnis, Ladeergebnis::Fehler);
    // Without an extension the file is taken apart as a multi-picture file.
    fs::copy_file(jpg.pfad, pfad("ohne"));
    EXPECT_EQ(Bild_Laden(p, 2, pfad("ohne").string()).letzter, 2);
    EXPECT_EQ(p.bilder.bild[2].slot[0].name, "ohne_1.JPG");
    ctx.state.abort = true;
    EXPECT_EQ(Bild_Laden(p, 1, jpg.pfad).ergebnis, Ladeergebnis::Fehler);
}

TEST_F(ImageioTest, TiffTwinsInBothByteOrdersGiveTheSameWorkingCopy)
{
    for (bool big : {false, true}) {
        TiffAufbau s;
        s.bigEndian = big;
        s.width = 300;  // above 255: a SHORT read from the wrong half would be wrong
        s.height = 2;
        const std::string name = big ? "mm.tif" : "ii.tif";
        writeBytes(pfad(name), tiffBytes(s));
        RasterSlot z = ziel(name + ".bmp");
        ASSERT_EQ(TIFF_Lesen(ctx, pfad(name).string(), z), Ladeergebnis::Ok);
        EXPECT_EQ(z.breite, 300);
        EXPECT_EQ(z.hoehe, 2);
        istMuster(z.pfad, 300, 2);
        const TiffInfo info = TIFF_Kopf_Lesen(ctx, pfad(name).string());
        EXPECT_EQ(info.Intel, !big);
        EXPECT_DOUBLE_EQ(info.XAufloesung, 300.0);
        EXPECT_DOUBLE_EQ(info.YAufloesung, 150.0);
        EXPECT_EQ(info.Software, "Testprogramm");
        EXPECT_EQ(info.DateTime, "2024:05:06 07:08:09");
        EXPECT_TRUE(info.RGB);
    }
    EXPECT_TRUE(sameImage(pfad("mm.tif.bmp"), pfad("ii.tif.bmp")));
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(ImageioTest, TiffWithSeveralStripsAlphaAndCentimetres)
{
    struct Fall {
        bool big;
        uint32_t rps;
        uint16_t typ;
        uint16_t samples;
    };
    for (const Fall f : {Fall{false, 1, 4, 3}, Fall{true, 2, 4, 3}, Fall{true, 2, 3, 3}, Fall{false, 3, 3, 4},
                         Fall{false, 4, 3, 3}}) {
        TiffAufbau s;
        s.bigEndian = f.big;
        s.width = 4;
        s.height = 5;
        s.rowsPerStrip = f.rps;
        s.stripOffsetType = f.typ;
        s.samples = f.samples;
        s.resolutionUnit = 3;
        s.xNum = 100;
        writeBytes(pfad("s.tif"), tiffBytes(s));
        RasterSlot z = ziel("s.bmp");
        ASSERT_EQ(TIFF_Lesen(ctx, pfad("s.tif").string(), z), Ladeergebnis::Ok) << f.rps << " " << f.typ;
        istMuster(z.pfad, 4, 5);
        EXPECT_DOUBLE_EQ(TIFF_Kopf_Lesen(ctx, pfad("s.tif").string()).XAufloesung, 254.0);
    }
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(ImageioTest, CmykTiffWhiteAndBlack)
{
    TiffAufbau s;
    s.width = 4;
    s.height = 1;
    s.photometric = 5;
    s.samples = 4;
    s.inkSet = 1;
    s.pixels = {0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0, 128, 0, 64};
    writeBytes(pfad("c.tif"), tiffBytes(s));
    RasterSlot z = ziel("c.bmp");
    ASSERT_EQ(TIFF_Lesen(ctx, pfad("c.tif").string(), z), Ladeergebnis::Ok);
    const Bytes b = readFile(z.pfad);
    EXPECT_EQ(bmpPixel(b, 0, 0), (Bytes{255, 255, 255}));
    EXPECT_EQ(bmpPixel(b, 1, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(b, 2, 0), (Bytes{255, 255, 0}));  // full cyan: no red
    // M 128, K 64: f = 191/255, 128 * f + 64 = 159.87 → 160, green 95; red and blue 255 − 64.
    EXPECT_EQ(bmpPixel(b, 3, 0), (Bytes{191, 95, 191}));

    uint8_t c, m, y, k;
    RGB_to_CMYK(255, 255, 255, c, m, y, k);
    EXPECT_EQ((Bytes{c, m, y, k}), (Bytes{0, 0, 0, 0}));
    RGB_to_CMYK(0, 0, 0, c, m, y, k);
    EXPECT_EQ((Bytes{c, m, y, k}), (Bytes{0, 0, 0, 255}));
    // C' 155, M' 55, Y' 0: K 0, the rest as is.
    RGB_to_CMYK(100, 200, 255, c, m, y, k);
    EXPECT_EQ((Bytes{c, m, y, k}), (Bytes{155, 55, 0, 0}));
    // C' 205, M' 105, Y' 55: K 55, C = round(150/200 × 255) = 191, M = round(50/200 × 255) = 64.
    RGB_to_CMYK(50, 150, 200, c, m, y, k);
    EXPECT_EQ((Bytes{c, m, y, k}), (Bytes{191, 64, 0, 55}));
}

TEST_F(ImageioTest, TiffRejectionsShowTheirMessages)
{
    struct Fall {
        const char* name;
        std::function<void(TiffAufbau&)> aendern;
        std::function<void(Bytes&)> bytes;
        const char* meldung;
    };
    const auto keine = [](Bytes&) {};
    const auto unveraendert = [](TiffAufbau&) {};
    const Fall faelle[] = {
        {"ohne-x", [](TiffAufbau& s) { s.withXResolution = false; }, keine, "Widersprüchliche DPI-Informationen!"},
        {"lzw", [](TiffAufbau& s) { s.compression = 5; }, keine, "Dateikompression wird nicht unterstützt!"},
        {"16bit", [](TiffAufbau& s) { s.bits = 16; }, keine, "Farbtiefe pro Farbkanal <> 8 Bit!"},
        {"grau", [](TiffAufbau& s) { s.photometric = 1; }, keine,
         "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!"},
        {"zwei-kanaele", [](TiffAufbau& s) { s.samples = 2; }, keine,
         "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!"},
        {"cmy", [](TiffAufbau& s) { s.photometric = 5; }, keine,
         "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!"},
        {"inkset", [](TiffAufbau& s) {
             s.photometric = 5;
             s.samples = 4;
             s.inkSet = 2;
         }, keine, "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!"},
        {"breite", [](TiffAufbau& s) { s.width = 0; }, keine, "Breite des Bildes (Pixel) zu klein!"},
        {"hoehe", [](TiffAufbau& s) {
             s.height = 0;
             s.pixels = {1};
         }, keine, "Höhe des Bildes (Pixel) zu klein!"},
        {"ohne-rowsperstrip", [](TiffAufbau& s) {
             s.rowsPerStrip = 1;
             s.withRowsPerStrip = false;
         }, keine, "Fehlerhafte Informationen im TIFF-Dateikopf!"},
        // Found by fuzzing: a few hundred bytes claiming rows of 450 MB.
        {"zeile-groesser-als-datei", [](TiffAufbau& s) { s.rowsPerStrip = 1; },
         [](Bytes& b) {
             const size_t breite = le32At(b, 4) + 2 + 8;
             b[breite + 3] = 0x09;
         },
         "Widersprüchliche Angaben zur Groesse der Datei im Dateikopf"},
        {"magie", unveraendert, [](Bytes& b) { b[0] = b[1] = 'X'; }, "Fehlerhafte Informationen im TIFF-Dateikopf!"},
        {"version", unveraendert, [](Bytes& b) { b[2] = 43; }, "Fehlerhafte Informationen im TIFF-Dateikopf!"},
        {"ifd-hinter-ende", unveraendert, [](Bytes& b) { b[4] = b[5] = b[6] = 0xFF; },
         "Fehlerhafte Informationen im TIFF-Dateikopf!"},
        {"ifd-abgeschnitten", unveraendert, [](Bytes& b) { b.resize(b.size() - 20); },
         "Fehlerhafte Informationen im TIFF-Dateikopf!"},
    };
    for (const Fall& f : faelle) {
        meldungen().clear();
        TiffAufbau s;
        f.aendern(s);
        Bytes b = tiffBytes(s);
        f.bytes(b);
        writeBytes(pfad("f.tif"), b);
        RasterSlot z = ziel("f.bmp");
        EXPECT_EQ(TIFF_Lesen(ctx, pfad("f.tif").string(), z), Ladeergebnis::Fehler) << f.name;
        EXPECT_EQ(meldungen(), std::vector<std::string>{std::string("Fehler: ") + f.meldung + "\n" + pfad("f.tif").string()})
            << f.name;
        EXPECT_FALSE(fs::exists(z.pfad)) << f.name;
    }
}

TEST_F(ImageioTest, TiffWithPixelsBeyondTheEndIsRefusedAndLeavesNoFile)
{
    for (uint32_t rps : {0u, 1u}) {
        meldungen().clear();
        TiffAufbau s;
        s.width = 20;
        s.height = 4;
        s.rowsPerStrip = rps;
        Bytes b = tiffBytes(s);
        // The first strip's offset moved past the end of the file.
        const uint32_t ifd = le32At(b, 4);
        const uint16_t n = le16At(b, ifd);
        for (uint16_t i = 0; i < n; ++i) {
            const size_t e = ifd + 2 + size_t{i} * 12;
            if (le16At(b, e) != 273)
                continue;
            const size_t at = rps == 0 ? e + 8 : le32At(b, e + 8);
            const uint32_t v = static_cast<uint32_t>(b.size() - 30);
            for (int k = 0; k < 4; ++k)
                b[at + static_cast<size_t>(k)] = static_cast<uint8_t>(v >> (8 * k));
        }
        writeBytes(pfad("f.tif"), b);
        RasterSlot z = ziel("f.bmp");
        EXPECT_EQ(TIFF_Lesen(ctx, pfad("f.tif").string(), z), Ladeergebnis::Fehler);
        EXPECT_EQ(meldungen(), std::vector<std::string>{"Fehler: Widersprüchliche Angaben zur Groesse der Datei im Dateikopf\n"
                                                        + pfad("f.tif").string()});
        EXPECT_FALSE(fs::exists(z.pfad));
    }
}

TEST_F(ImageioTest, TiffWriterLayoutRgb3x2)
{
    const RasterSlot q = muster("q.bmp", 3, 2);
    ASSERT_TRUE(TIFF_RGB_Schreiben(ctx, pfad("r.tif").string(), q, 150.5, 300.0));
    const Bytes b = readFile(pfad("r.tif"));
    ASSERT_EQ(b.size(), 282u);
    EXPECT_EQ((Bytes(b.begin(), b.begin() + 4)), (Bytes{'I', 'I', 42, 0}));
    EXPECT_EQ(le32At(b, 4), 84u);
    EXPECT_EQ(le32At(b, 8), 3000000u);
    EXPECT_EQ(le32At(b, 12), 10000u);
    EXPECT_EQ(le32At(b, 16), 1505000u);
    EXPECT_EQ(le32At(b, 20), 10000u);
    EXPECT_EQ((Bytes(b.begin() + 24, b.begin() + 30)), (Bytes{8, 0, 8, 0, 8, 0}));
    EXPECT_EQ(std::string(b.begin() + 30, b.begin() + 46), std::string("Lumivex 4      ") + '\0');
    const std::string datum(b.begin() + 46, b.begin() + 66);
    EXPECT_EQ(datum.size(), 20u);
    EXPECT_EQ(datum[4], ':');
    EXPECT_EQ(datum[10], ' ');
    EXPECT_EQ(datum[19], '\0');
    // Pixel (1, 0) of the pattern is red 40, green 7, blue 30.
    EXPECT_EQ((Bytes(b.begin() + 69, b.begin() + 72)), (Bytes{40, 7, 30}));
    EXPECT_EQ(le16At(b, 84), 16);
    const uint16_t tags[] = {254, 256, 257, 258, 259, 262, 273, 277, 278, 279, 282, 283, 284, 296, 305, 306};
    const uint32_t werte[] = {0, 3, 2, 24, 1, 2, 66, 3, 2, 18, 8, 16, 1, 2, 30, 46};
    const uint16_t typen[] = {4, 3, 3, 3, 3, 3, 4, 3, 4, 4, 5, 5, 3, 3, 2, 2};
    for (size_t i = 0; i < 16; ++i) {
        const size_t e = 86 + i * 12;
        EXPECT_EQ(le16At(b, e), tags[i]);
        EXPECT_EQ(le16At(b, e + 2), typen[i]) << tags[i];
        EXPECT_EQ(le32At(b, e + 8), werte[i]) << tags[i];
    }
    EXPECT_EQ(le32At(b, 86 + 3 * 12 + 4), 3u);    // BitsPerSample count
    EXPECT_EQ(le32At(b, 86 + 14 * 12 + 4), 16u);  // Software count
    EXPECT_EQ(le32At(b, 278), 0u);

    RasterSlot zurueck = ziel("zurueck.bmp");
    ASSERT_EQ(TIFF_Lesen(ctx, pfad("r.tif").string(), zurueck), Ladeergebnis::Ok);
    EXPECT_TRUE(sameImage(zurueck.pfad, q.pfad));
    const TiffInfo info = TIFF_Kopf_Lesen(ctx, pfad("r.tif").string());
    EXPECT_DOUBLE_EQ(info.XAufloesung, 300.0);
    EXPECT_DOUBLE_EQ(info.YAufloesung, 150.5);
    EXPECT_EQ(info.Software, "Lumivex 4      ");

    const std::string info2 = tool("tiffinfo", "tiffinfo " + pfad("r.tif").string() + " 2>&1");
    EXPECT_NE(info2.find("Image Width: 3 Image Length: 2"), std::string::npos) << info2;
    EXPECT_NE(info2.find("Resolution: 300, 150.5 pixels/inch"), std::string::npos) << info2;
    EXPECT_EQ(info2.find("Warning"), std::string::npos) << info2;
    EXPECT_EQ(info2.find("Error"), std::string::npos) << info2;
}

TEST_F(ImageioTest, TiffWriterCmykLayoutAndRoundTrip)
{
    RasterSlot q = ziel("q.bmp");
    q.breite = 2;
    q.hoehe = 2;
    // White, black, red, and a mixed colour.
    const uint8_t farben[4][3] = {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {50, 150, 200}};
    writeBmp(q.pfad, 2, 2, [&](int x, int y, uint8_t bgr[3]) {
        const uint8_t* f = farben[y * 2 + x];
        bgr[0] = f[2];
        bgr[1] = f[1];
        bgr[2] = f[0];
    });
    ASSERT_TRUE(TIFF_CMYK_Schreiben(ctx, pfad("c.tif").string(), q, 0.0, 0.0));
    const Bytes b = readFile(pfad("c.tif"));
    EXPECT_EQ(le32At(b, 4), 84u);
    EXPECT_EQ(b.size(), 84u + 2 + 16 * 12 + 4);
    EXPECT_EQ(le32At(b, 8), 300u);  // no print size: 300/1
    EXPECT_EQ(le32At(b, 12), 1u);
    EXPECT_EQ((Bytes(b.begin() + 68, b.begin() + 84)),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 255, 0, 191, 64, 0, 55}));
    EXPECT_EQ(std::string(b.begin() + 32, b.begin() + 48), std::string("Lumivex 32     ") + '\0');
    EXPECT_EQ(le32At(b, 86 + 9 * 12 + 8), 16u);  // StripByteCounts
    EXPECT_EQ(le16At(b, 86 + 5 * 12 + 8), 5);    // separated
    RasterSlot zurueck = ziel("z.bmp");
    ASSERT_EQ(TIFF_Lesen(ctx, pfad("c.tif").string(), zurueck), Ladeergebnis::Ok);
    const Bytes z = readFile(zurueck.pfad);
    EXPECT_EQ(bmpPixel(z, 0, 0), (Bytes{255, 255, 255}));
    EXPECT_EQ(bmpPixel(z, 1, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(z, 0, 1), (Bytes{0, 0, 255}));
    const std::string info = tool("tiffinfo", "tiffinfo " + pfad("c.tif").string() + " 2>&1");
    EXPECT_NE(info.find("separated"), std::string::npos) << info;
    EXPECT_EQ(info.find("Warning"), std::string::npos) << info;
}

TEST_F(ImageioTest, TiffWriterOddIfdOffsetAndWideImages)
{
    const RasterSlot q = muster("q.bmp", 3, 1);
    ASSERT_TRUE(TIFF_RGB_Schreiben(ctx, pfad("o.tif").string(), q, 72, 72));
    const Bytes b = readFile(pfad("o.tif"));
    EXPECT_EQ(le32At(b, 4), 75u);
    RasterSlot z = ziel("o.bmp");
    ASSERT_EQ(TIFF_Lesen(ctx, pfad("o.tif").string(), z), Ladeergebnis::Ok);
    EXPECT_TRUE(sameImage(z.pfad, q.pfad));
    const std::string out = tool("identify", "identify -format '%w %h %x' " + pfad("o.tif").string() + " 2>&1");
    EXPECT_EQ(out, "3 1 72");

    // 70,000 pixels wide: width as LONG.
    const RasterSlot breit = muster("breit.bmp", 70000, 1);
    ASSERT_TRUE(TIFF_RGB_Schreiben(ctx, pfad("b.tif").string(), breit, 0, 0));
    const Bytes w = readFile(pfad("b.tif"));
    const uint32_t ifd = le32At(w, 4);
    EXPECT_EQ(le16At(w, ifd + 2 + 12 + 2), 4);
    EXPECT_EQ(le32At(w, ifd + 2 + 12 + 8), 70000u);
    RasterSlot wz = ziel("bz.bmp");
    ASSERT_EQ(TIFF_Lesen(ctx, pfad("b.tif").string(), wz), Ladeergebnis::Ok);
    EXPECT_TRUE(sameImage(wz.pfad, breit.pfad));
}

TEST_F(ImageioTest, TgaWriterAndReaderRoundTrip)
{
    const RasterSlot q = muster("q.bmp", 2, 2);
    ASSERT_TRUE(TGA_Schreiben(ctx, pfad("t.tga").string(), q));
    const Bytes b = readFile(pfad("t.tga"));
    ASSERT_EQ(b.size(), 56u);
    // The pattern's bottom row (y = 1) first: (0,1) is red 1, green 57, blue 30.
    const Bytes erwartet = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0,
                             30, 57, 1, 60, 57, 41, 0, 7, 0, 30, 7, 40,
                             0, 0, 0, 0, 0, 0, 0, 0, 'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O', 'N', '-',
                             'X', 'F', 'I', 'L', 'E', '.', 0};
    EXPECT_EQ(b, erwartet);
    RasterSlot z = ziel("z.bmp");
    ASSERT_EQ(TGA_Lesen(ctx, pfad("t.tga").string(), z), Ladeergebnis::Ok);
    EXPECT_TRUE(sameImage(z.pfad, q.pfad));
    EXPECT_EQ(tool("identify", "identify -format '%w %h' " + pfad("t.tga").string() + " 2>&1"), "2 2");
}

TEST_F(ImageioTest, TgaDescriptorTwinsAndRejections)
{
    writeBytes(pfad("unten.tga"), tgaBytes(5, 3, 0));
    writeBytes(pfad("oben.tga"), tgaBytes(5, 3, 0x20));
    RasterSlot a = ziel("a.bmp"), b = ziel("b.bmp");
    ASSERT_EQ(TGA_Lesen(ctx, pfad("unten.tga").string(), a), Ladeergebnis::Ok);
    ASSERT_EQ(TGA_Lesen(ctx, pfad("oben.tga").string(), b), Ladeergebnis::Ok);
    istMuster(a.pfad, 5, 3);
    EXPECT_TRUE(sameImage(a.pfad, b.pfad));

    const std::pair<size_t, uint8_t> fehler[] = {{0, 1}, {1, 1}, {2, 10}, {5, 1}, {8, 1}, {10, 1}, {16, 32},
                                                 {17, 0x08}, {12, 0}};
    for (const auto& [at, wert] : fehler) {
        Bytes tga = tgaBytes(5, 3, 0);
        tga[at] = wert;
        writeBytes(pfad("f.tga"), tga);
        std::array<uint8_t, TgaKopfLaenge> kopf{};
        EXPECT_FALSE(TGA_Kopf_Pruefen(pfad("f.tga").string(), kopf)) << at;
        RasterSlot z = ziel("f.bmp");
        EXPECT_EQ(TGA_Lesen(ctx, pfad("f.tga").string(), z), Ladeergebnis::Fehler) << at;
        EXPECT_FALSE(fs::exists(z.pfad));
    }
    Bytes kurz = tgaBytes(5, 3, 0);
    kurz.pop_back();
    writeBytes(pfad("k.tga"), kurz);
    std::array<uint8_t, TgaKopfLaenge> kopf{};
    EXPECT_FALSE(TGA_Kopf_Pruefen(pfad("k.tga").string(), kopf));
    EXPECT_TRUE(meldungen().empty());

    RasterSlot gross = ziel("gross.bmp");
    gross.breite = 65536;
    gross.hoehe = 1;
    EXPECT_FALSE(TGA_Schreiben(ctx, pfad("g.tga").string(), gross));
    EXPECT_EQ(meldungen(), std::vector<std::string>{std::string("Fehler: ") + Sprache::TgaZuGross});
    EXPECT_FALSE(fs::exists(pfad("g.tga")));
}

TEST_F(ImageioTest, JpegWriterAndReader)
{
    // A smooth picture, so that quality 98 keeps every pixel close.
    RasterSlot q = ziel("q.bmp");
    q.breite = q.hoehe = 100;
    writeBmp(q.pfad, 100, 100, [](int x, int y, uint8_t bgr[3]) {
        bgr[0] = static_cast<uint8_t>(x * 2);
        bgr[1] = static_cast<uint8_t>(y * 2);
        bgr[2] = static_cast<uint8_t>(x + y);
    });
    ASSERT_TRUE(JPEG_Schreiben(ctx, pfad("q.jpg").string(), q));
    const Bytes j = readFile(pfad("q.jpg"));
    ASSERT_GT(j.size(), 4u);
    EXPECT_EQ(j[0], 0xFF);
    EXPECT_EQ(j[1], 0xD8);
    // Baseline: a SOF0 frame and no other.
    const std::string s(j.begin(), j.end());
    EXPECT_NE(s.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(s.find("\xFF\xC2"), std::string::npos);
    EXPECT_EQ(tool("identify", "identify -format '%w %h %Q %[channels]' " + pfad("q.jpg").string()),
              "100 100 98 srgb");

    RasterSlot z = ziel("z.bmp");
    ASSERT_EQ(JPEG_Lesen(ctx, pfad("q.jpg").string(), z), Ladeergebnis::Ok);
    EXPECT_EQ(z.breite, 100);
    EXPECT_EQ(z.hoehe, 100);
    const Bytes a = readFile(q.pfad), b = readFile(z.pfad);
    ASSERT_EQ(a.size(), b.size());
    int maxAbweichung = 0;
    for (size_t i = 54; i < a.size(); ++i)
        maxAbweichung = std::max(maxAbweichung, std::abs(a[i] - b[i]));
    EXPECT_LE(maxAbweichung, 4);
}

TEST_F(ImageioTest, GreyCmykAndProgressiveJpegsBecomeRgb)
{
    const int w = 16, h = 8;
    writeBytes(pfad("grau.jpg"), besondereJpeg(JCS_GRAYSCALE, false, w, h));
    writeBytes(pfad("cmyk.jpg"), besondereJpeg(JCS_CMYK, false, w, h));
    writeBytes(pfad("prog.jpg"), besondereJpeg(JCS_RGB, true, w, h));
    for (const char* name : {"grau.jpg", "cmyk.jpg", "prog.jpg"}) {
        RasterSlot z = ziel(std::string(name) + ".bmp");
        ASSERT_EQ(JPEG_Lesen(ctx, pfad(name).string(), z), Ladeergebnis::Ok) << name;
        const Bytes b = readFile(z.pfad);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int v = (x * 16 + y * 8) & 255;
                // CMYK with K = v gives 255 − v.
                const int erwartet = std::string(name) == "cmyk.jpg" ? 255 - v : v;
                for (uint8_t kanal : bmpPixel(b, x, y))
                    EXPECT_NEAR(kanal, erwartet, 3) << name << " " << x << "," << y;
            }
    }
}

namespace {

// A baseline JPEG of noise, w × h pixels, as the program writes it.
Bytes rauschJpeg(Context& ctx, const fs::path& ordner, int w, int h)
{
    RasterSlot q;
    q.pfad = (ordner / "rauschen.bmp").string();
    q.breite = w;
    q.hoehe = h;
    uint32_t zufall = 12345;
    writeBmp(q.pfad, w, h, [&](int, int, uint8_t bgr[3]) {
        for (int k = 0; k < 3; ++k) {
            zufall = zufall * 1103515245 + 12345;
            bgr[k] = static_cast<uint8_t>(zufall >> 24);
        }
    });
    const fs::path jpg = ordner / "rauschen.jpg";
    EXPECT_TRUE(JPEG_Schreiben(ctx, jpg.string(), q));
    return readFile(jpg);
}

// The same stream claiming another size in its frame header (baseline or progressive).
Bytes mitGroesse(Bytes jpeg, uint16_t w, uint16_t h)
{
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = static_cast<uint8_t>(h >> 8);
            jpeg[i + 6] = static_cast<uint8_t>(h);
            jpeg[i + 7] = static_cast<uint8_t>(w >> 8);
            jpeg[i + 8] = static_cast<uint8_t>(w);
            return jpeg;
        }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

}

TEST_F(ImageioTest, BrokenJpegIsRefusedAndLeavesNoEntry)
{
    const RasterSlot q = muster("q.bmp", 64, 64);
    ASSERT_TRUE(JPEG_Schreiben(ctx, pfad("q.jpg").string(), q));
    Bytes j = readFile(pfad("q.jpg"));
    j.resize(j.size() / 2);
    writeBytes(pfad("halb.jpg"), j);
    // Cut inside the scan data but ending in a proper end-of-image marker.
    j.insert(j.end(), {0xFF, 0xD9});
    writeBytes(pfad("halb_mit_ende.jpg"), j);
    // A 12-KB picture claiming 30000 × 30000 pixels: its data run out in the first rows.
    writeBytes(pfad("riesig.jpg"), mitGroesse(rauschJpeg(ctx, t.files.tempFolder(), 64, 64), 30000, 30000));
    writeBytes(pfad("kein.jpg"), Bytes{'B', 'M', 0, 0});
    for (const char* name : {"halb.jpg", "halb_mit_ende.jpg", "riesig.jpg", "kein.jpg"}) {
        meldungen().clear();
        p.bilder.anzahl = 1;
        EXPECT_EQ(Bild_Laden(p, 1, pfad(name).string()).ergebnis, Ladeergebnis::Fehler) << name;
        EXPECT_EQ(meldungen(), std::vector<std::string>{"Fehler: Fehler beim Laden der Bild-Datei!\n" + pfad(name).string()})
            << name;
        EXPECT_TRUE(p.bilder.bild[1].slot[1].pfad.empty());
    }
    // Only the test's own files remain in the folder.
    for (const auto& e : fs::directory_iterator(t.files.tempFolder()))
        EXPECT_FALSE(e.path().filename().string().starts_with("~$")) << e.path();
}

TEST_F(ImageioTest, JpegMemoryIsBoundedBeforeDecoding)
{
    // Beyond 4 GiB of raster: refused before the decoder allocates anything.
    writeBytes(pfad("65000.jpg"), mitGroesse(rauschJpeg(ctx, t.files.tempFolder(), 16, 16), 65000, 65000));
    RasterSlot z = ziel("65000.bmp");
    EXPECT_EQ(JPEG_Lesen(ctx, pfad("65000.jpg").string(), z), Ladeergebnis::Fehler);
    EXPECT_EQ(meldungen(), std::vector<std::string>{
                               "Warnung: Berechnetes Bild ist größer als 4 GByte! Berechnung wird abgebrochen!"});
    EXPECT_FALSE(fs::exists(z.pfad));
    ctx.state.abort = false;

    // A progressive picture keeps its coefficients whole: 30000 × 30000 pixels
    // sampled 4:2:0 would need 2.7 GB.
    meldungen().clear();
    writeBytes(pfad("prog.jpg"), mitGroesse(besondereJpeg(JCS_RGB, true, 16, 16), 30000, 30000));
    z = ziel("prog.bmp");
    EXPECT_EQ(JPEG_Lesen(ctx, pfad("prog.jpg").string(), z), Ladeergebnis::Fehler);
    EXPECT_EQ(meldungen(), (std::vector<std::string>{
                               "Fehler: Die JPEG-Datei benötigt zum Dekodieren zu viel Arbeitsspeicher!",
                               "Fehler: Fehler beim Laden der Bild-Datei!\n" + pfad("prog.jpg").string()}));
    EXPECT_FALSE(fs::exists(z.pfad));

    // Under a limit of 1 MB a progressive 1024 × 1024 picture (3 MB of
    // coefficients) is refused, while a baseline one decodes in a band of rows.
    const uint64_t grenze = LeseGrenzen().maxJpegSpeicher;
    LeseGrenzen().maxJpegSpeicher = 1 << 20;
    meldungen().clear();
    writeBytes(pfad("p1024.jpg"), besondereJpeg(JCS_RGB, true, 1024, 1024));
    writeBytes(pfad("b1024.jpg"), besondereJpeg(JCS_RGB, false, 1024, 1024));
    RasterSlot p1024 = ziel("p1024.bmp"), b1024 = ziel("b1024.bmp");
    const Ladeergebnis progressiv = JPEG_Lesen(ctx, pfad("p1024.jpg").string(), p1024);
    const Ladeergebnis baseline = JPEG_Lesen(ctx, pfad("b1024.jpg").string(), b1024);
    LeseGrenzen().maxJpegSpeicher = grenze;
    EXPECT_EQ(progressiv, Ladeergebnis::Fehler);
    EXPECT_EQ(baseline, Ladeergebnis::Ok);
    EXPECT_EQ(meldungen().size(), 2u);
}

namespace {

// Numbers in a chosen byte order.
struct Ordnung {
    bool big;
    Bytes n16(uint32_t v) const
    {
        return big ? Bytes{static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}
                   : Bytes{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    }
    Bytes n32(uint32_t v) const
    {
        Bytes a = n16(big ? v >> 16 : v), b = n16(big ? v : v >> 16);
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
};

struct Feld {
    uint16_t tag, typ;
    uint32_t anzahl;
    Bytes daten;  // already in the block's byte order
};

// A directory at offset at followed by its out-of-line values.
Bytes ifd(const Ordnung& o, uint32_t at, const std::vector<Feld>& felder, uint32_t next)
{
    Bytes kopf = o.n16(static_cast<uint32_t>(felder.size()));
    Bytes werte;
    const uint32_t werteAb = at + 2 + 12 * static_cast<uint32_t>(felder.size()) + 4;
    for (const Feld& f : felder) {
        for (const Bytes& t : {o.n16(f.tag), o.n16(f.typ), o.n32(f.anzahl)})
            kopf.insert(kopf.end(), t.begin(), t.end());
        if (f.daten.size() <= 4) {
            Bytes v = f.daten;
            v.resize(4, 0);
            kopf.insert(kopf.end(), v.begin(), v.end());
        } else {
            const Bytes off = o.n32(werteAb + static_cast<uint32_t>(werte.size()));
            kopf.insert(kopf.end(), off.begin(), off.end());
            werte.insert(werte.end(), f.daten.begin(), f.daten.end());
            if (werte.size() % 2)
                werte.push_back(0);
        }
    }
    const Bytes n = o.n32(next);
    kopf.insert(kopf.end(), n.begin(), n.end());
    kopf.insert(kopf.end(), werte.begin(), werte.end());
    return kopf;
}

Bytes text(const std::string& s)
{
    Bytes b(s.begin(), s.end());
    b.push_back(0);
    return b;
}

Bytes verbinden(std::initializer_list<Bytes> teile)
{
    Bytes b;
    for (const Bytes& t : teile)
        b.insert(b.end(), t.begin(), t.end());
    return b;
}

// An APP1 EXIF block with IFD0, the EXIF directory and IFD1 holding the thumbnail.
Bytes exifSegment(bool big, const Bytes& vorschau)
{
    const Ordnung o{big};
    const auto rational = [&](uint32_t z, uint32_t n) { return verbinden({o.n32(z), o.n32(n)}); };
    const auto ifd0Felder = [&](uint32_t exifAb) {
        return std::vector<Feld>{{0x010F, 2, 8, text("Orbelin")},
                                 {0x0110, 2, 6, text("ZX 3D")},
                                 {0x0112, 3, 1, o.n16(6)},
                                 {0x011A, 5, 1, rational(72, 1)},
                                 {0x011B, 5, 1, rational(144, 2)},
                                 {0x0128, 3, 1, o.n16(2)},
                                 {0x8769, 4, 1, o.n32(exifAb)}};
    };
    const std::vector<Feld> exifFelder = {{0x829A, 5, 1, rational(1, 250)},
                                          {0x829D, 5, 1, rational(28, 10)},
                                          {0x8827, 3, 1, o.n16(200)},
                                          {0x9000, 7, 4, Bytes{'0', '2', '2', '0'}},
                                          {0x9101, 7, 4, Bytes{1, 2, 3, 0}},
                                          {0x9204, 10, 1, rational(static_cast<uint32_t>(-2), 3)},
                                          {0x9208, 3, 1, o.n16(1)},
                                          {0x9209, 3, 1, o.n16(25)},
                                          {0x9286, 7, 13, verbinden({text("ASCII"), Bytes{0, 0}, text("Hallo")})}};
    const uint32_t ifd0Ab = 8;
    const uint32_t exifAb = ifd0Ab + static_cast<uint32_t>(ifd(o, ifd0Ab, ifd0Felder(0), 0).size());
    const uint32_t ifd1Ab = exifAb + static_cast<uint32_t>(ifd(o, exifAb, exifFelder, 0).size());
    const auto ifd1Felder = [&](uint32_t vorschauAb) {
        return std::vector<Feld>{{0x0201, 4, 1, o.n32(vorschauAb)},
                                 {0x0202, 4, 1, o.n32(static_cast<uint32_t>(vorschau.size()))}};
    };
    const uint32_t vorschauAb = ifd1Ab + static_cast<uint32_t>(ifd(o, ifd1Ab, ifd1Felder(0), 0).size());
    const Bytes tiff = verbinden({big ? Bytes{'M', 'M'} : Bytes{'I', 'I'}, o.n16(42), o.n32(ifd0Ab),
                                   ifd(o, ifd0Ab, ifd0Felder(exifAb), ifd1Ab), ifd(o, exifAb, exifFelder, 0),
                                   ifd(o, ifd1Ab, ifd1Felder(vorschauAb), 0), vorschau});
    const auto laenge = static_cast<uint32_t>(2 + 6 + tiff.size());
    return verbinden({Bytes{0xFF, 0xE1}, Ordnung{true}.n16(laenge), text("Exif"), Bytes{0}, tiff});
}

// A JPEG stream with the segment inserted right after its start-of-image marker.
Bytes mitSegment(const Bytes& jpeg, const Bytes& segment)
{
    Bytes b(jpeg.begin(), jpeg.begin() + 2);
    b.insert(b.end(), segment.begin(), segment.end());
    b.insert(b.end(), jpeg.begin() + 2, jpeg.end());
    return b;
}

}

struct MpoTest : ImageioTest {
    Bytes jpeg(const std::string& name, int w, int h)
    {
        const RasterSlot q = muster(name + ".bmp", w, h);
        EXPECT_TRUE(JPEG_Schreiben(ctx, pfad(name).string(), q));
        return readFile(pfad(name));
    }
};

TEST_F(MpoTest, TwoImagesWithThumbnailAndPaddingSplitIntoExactlyTwoParts)
{
    const Bytes vorschau = jpeg("vorschau.jpg", 8, 8);
    const Bytes erstes = mitSegment(jpeg("l.jpg", 24, 16), exifSegment(false, vorschau));
    const Bytes zweites = jpeg("r.jpg", 24, 16);
    writeBytes(pfad("paar.mpo"), verbinden({erstes, Bytes(37, 0), zweites}));
    std::vector<std::string> liste;
    const std::string basis = pfad("teil").string();
    const MpoErgebnis e = MPO_Zerlegen(t.files, pfad("paar.mpo").string(), basis, pfad("spur.txt").string(), &liste);
    EXPECT_TRUE(e.ok);
    ASSERT_EQ(e.anzahl, 2);
    EXPECT_EQ(readFile(basis + "_1.JPG"), erstes);
    EXPECT_EQ(readFile(basis + "_2.JPG"), zweites);
    EXPECT_FALSE(fs::exists(basis + "_3.JPG"));
    EXPECT_EQ(liste.front(), "65496 $FFD8 SOI   Pos: 1");
    EXPECT_EQ(liste[1], "65505 $FFE1 EXIF  Pos: 3  Länge: " + std::to_string((erstes[4] << 8) | erstes[5])
                            + "  Ziel: " + std::to_string(5 + ((erstes[4] << 8) | erstes[5])));
    EXPECT_NE(std::find(liste.begin(), liste.end(), "1. Datei wird geschrieben ..."), liste.end());
    const Bytes spurBytes = readFile(pfad("spur.txt"));
    const std::string spur(spurBytes.begin(), spurBytes.end());
    EXPECT_NE(spur.find("65496 $FFD8 SOI   Pos: 1\r\n"), std::string::npos);

    // The loader names the entries after the MPO file.
    p.bilder.anzahl = 1;
    ASSERT_EQ(Bild_Laden(p, 1, pfad("paar.mpo").string()).letzter, 2);
    for (int k = 1; k <= 2; ++k) {
        const RasterSlot& q = p.bilder.bild[static_cast<size_t>(k)].slot[0];
        EXPECT_EQ(q.name, "paar.mpo_" + std::to_string(k) + ".JPG");
        EXPECT_EQ(q.pfad2, pfad("paar.mpo").string());
        EXPECT_EQ(q.eigentum, 0);
        EXPECT_EQ(q.breite, 24);
        EXPECT_EQ(readFile(q.pfad), k == 1 ? erstes : zweites);
        EXPECT_EQ(p.bilder.bild[static_cast<size_t>(k)].slot[1].breite, 24);
    }
    // Only the entries that fit the image set are filled.
    p.bilder.anzahl = MaxBilder;
    EXPECT_EQ(Bild_Laden(p, MaxBilder, pfad("paar.mpo").string()).letzter, MaxBilder);
}

TEST_F(MpoTest, PlainAndProgressiveJpegsGiveOnePartAndBadFilesNone)
{
    const Bytes einfach = jpeg("e.jpg", 10, 10);
    writeBytes(pfad("e.mpo"), einfach);
    writeBytes(pfad("p.mpo"), besondereJpeg(JCS_RGB, true, 16, 16));
    for (const char* name : {"e.mpo", "p.mpo"}) {
        const MpoErgebnis e = MPO_Zerlegen(t.files, pfad(name).string(), pfad(name).string());
        EXPECT_TRUE(e.ok);
        EXPECT_EQ(e.anzahl, 1) << name;
        EXPECT_TRUE(sameImage(pfad(name).string() + "_1.JPG", pfad(name)));
    }
    Bytes ohneEnde = einfach;
    ohneEnde.resize(ohneEnde.size() - 2);
    Bytes kurzeLaenge = einfach;
    kurzeLaenge[4] = 0;  // APP0 length 1: the walk would not advance
    kurzeLaenge[5] = 1;
    Bytes ueberEnde = einfach;
    ueberEnde[4] = 0xFF;  // APP0 reaching past the end
    Bytes keinMarker = einfach;
    keinMarker[2] = 0x00;
    const Bytes faelle[] = {Bytes{'B', 'M', 1, 2, 3}, Bytes{0xFF}, Bytes{0xFF, 0xD8}, Bytes{0xFF, 0xD8, 0xFF},
                             ohneEnde, kurzeLaenge, ueberEnde, keinMarker};
    for (const Bytes& f : faelle) {
        writeBytes(pfad("f.mpo"), f);
        const MpoErgebnis e = MPO_Zerlegen(t.files, pfad("f.mpo").string(), pfad("f").string());
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.anzahl, 0);
        EXPECT_FALSE(fs::exists(pfad("f_1.JPG")));
    }
    p.bilder.anzahl = 1;
    writeBytes(pfad("bm.mpo"), faelle[0]);
    EXPECT_EQ(Bild_Laden(p, 1, pfad("bm.mpo").string()).ergebnis, Ladeergebnis::Fehler);
    EXPECT_TRUE(meldungen().empty());
}

// In a shared folder someone planted links under the trace names. Loading a
// multi-picture file writes no trace at all; the listings write theirs into
// the folder they are given, replacing such a link instead of following it.
TEST_F(MpoTest, TracesOnlyWhereAskedForAndNeverThroughALink)
{
    writeBytes(pfad("paar.mpo"), verbinden({jpeg("a.jpg", 8, 8), jpeg("b.jpg", 8, 8)}));
    const fs::path opfer = pfad("opfer.txt");
    writeBytes(opfer, Bytes{'x'});
    const fs::path geteilt = pfad("geteilt"), spuren = pfad("spuren");
    const char* const namen[] = {MpoSpurDatei, ExifSpurDateien[0], ExifSpurDateien[1]};
    for (const fs::path& ordner : {geteilt, spuren}) {
        fs::create_directory(ordner);
        for (const char* name : namen)
            fs::create_symlink(opfer, ordner / name);
    }
    const fs::path vorher = fs::current_path();
    fs::current_path(geteilt);
    p.bilder.anzahl = 1;
    const int geladen = Bild_Laden(p, 1, pfad("paar.mpo").string()).letzter;
    std::vector<std::string> liste;
    const bool zerlegt =
        MPO_Zerlegen(t.files, pfad("paar.mpo").string(), pfad("teil").string(), (spuren / MpoSpurDatei).string(), &liste).ok;
    EXIF_Spuren_Schreiben(t.files, TExif(pfad("a.jpg").string()), spuren);
    fs::current_path(vorher);
    EXPECT_EQ(geladen, 2);
    EXPECT_TRUE(zerlegt);
    EXPECT_EQ(readFile(opfer), Bytes{'x'});
    for (const char* name : namen) {
        EXPECT_TRUE(fs::is_symlink(geteilt / name)) << name;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(spuren / name))) << name;
        EXPECT_FALSE(fs::exists(pfad(name))) << name;
    }
    ASSERT_FALSE(liste.empty());
    const Bytes spur = readFile(spuren / MpoSpurDatei);
    EXPECT_EQ(std::string(spur.begin(), spur.begin() + static_cast<std::ptrdiff_t>(liste[0].size() + 2)),
              liste[0] + "\r\n");
}

TEST_F(MpoTest, WrittenMpoSplitsAgainAndCarriesAConformingIndex)
{
    const RasterSlot l = muster("l.bmp", 40, 30);
    const RasterSlot r = muster("r.bmp", 40, 30);
    ASSERT_TRUE(MPO_Schreiben(ctx, pfad("paar.mpo").string(), l, r));
    const std::string basis = pfad("teil").string();
    const MpoErgebnis e = MPO_Zerlegen(t.files, pfad("paar.mpo").string(), basis);
    ASSERT_EQ(e.anzahl, 2);
    const Bytes ganz = readFile(pfad("paar.mpo"));
    const Bytes t1 = readFile(basis + "_1.JPG"), t2 = readFile(basis + "_2.JPG");
    EXPECT_EQ(t1.size() + t2.size(), ganz.size());
    for (const std::string& teil : {basis + "_1.JPG", basis + "_2.JPG"}) {
        RasterSlot z = ziel("z.bmp");
        ASSERT_EQ(JPEG_Lesen(ctx, teil, z), Ladeergebnis::Ok);
        EXPECT_EQ(z.breite, 40);
    }
    // The index as an independent reader sees it.
    const std::string mp = tool("exiftool", "exiftool -s -s -s -MPF:NumberOfImages -MPF:MPImageStart -MPF:MPImageLength "
                                            "-MPF:MPImageType -a -G0 " + pfad("paar.mpo").string());
    EXPECT_NE(mp.find("2\n"), std::string::npos) << mp;
    EXPECT_NE(mp.find(std::to_string(t1.size())), std::string::npos) << mp;
    EXPECT_NE(mp.find(std::to_string(t2.size())), std::string::npos) << mp;
    EXPECT_NE(mp.find("Multi-frame Disparity"), std::string::npos) << mp;
    const std::string ausgezogen = pfad("zweites.jpg").string();
    tool("exiftool", "exiftool -b -MPImage2 " + pfad("paar.mpo").string() + " > " + ausgezogen);
    EXPECT_EQ(readFile(ausgezogen), t2);

    // The EXIF parser reads the same index.
    const TExif exif(ganz);
    EXPECT_FALSE(exif.gueltig);
    const std::string spur2 = [&] {
        std::string s;
        for (const std::string& z : exif.spur2)
            s += z + "\n";
        return s;
    }();
    EXPECT_NE(spur2.find("MP-Eintrag 2: Attribut $00020002  Größe " + std::to_string(t2.size())), std::string::npos)
        << spur2;
}

TEST_F(MpoTest, ExifListingInBothByteOrders)
{
    const Bytes vorschau = jpeg("v.jpg", 8, 8);
    for (bool big : {false, true}) {
        const TExif exif(mitSegment(jpeg("b.jpg", 8, 8), exifSegment(big, vorschau)));
        ASSERT_TRUE(exif.gueltig) << big;
        const std::vector<std::string> l = EXIF_Liste(exif);
        ASSERT_EQ(l.size(), 42u);
        EXPECT_EQ(l[0], "***** Kamera-Parameter *******");
        EXPECT_EQ(l[1], "010F Kamerahersteller: Orbelin");
        EXPECT_EQ(l[2], "0110 Kameramodell: ZX 3D");
        EXPECT_EQ(l[3], "0112 Ausrichtung: 6 (rechts-oben)");
        EXPECT_EQ(l[4], "011A X-Auflösung (Pixel / Einheit): 72");
        EXPECT_EQ(l[5], "011B Y-Auflösung (Pixel / Einheit): 72");
        EXPECT_EQ(l[6], "0128 Einheit der Auflösung: 2");
        EXPECT_EQ(l[11], "8769 ifdp-Pointer:" + std::to_string(8 + 2 + 7 * 12 + 4 + 8 + 6 + 8 + 8));
        EXPECT_EQ(l[13], "***** Bild-Parameter *******");
        EXPECT_EQ(l[14], "829A Belichtungszeit: 0,004");
        EXPECT_EQ(l[15], "829D Blende: 2,8");
        EXPECT_EQ(l[17], "8827 Filmempfindlichkeit (ISO): 200");
        EXPECT_EQ(l[18], "9000 EXIF-Version: 0220");
        EXPECT_EQ(l[21], "9101 Komponenten des Farbmodells: YCbCr");
        EXPECT_EQ(l[26], "9204 Belichtungskorrektur: -0,6667");
        EXPECT_EQ(l[29], "9208 Lichtquelle: 1 (Daylight)");
        EXPECT_EQ(l[30], "9209 Blitz: 25 (Flash (Auto))");
        EXPECT_EQ(l[39], "UserComments: Hallo");
        const std::string spur = [&] {
            std::string s;
            for (const std::string& z : exif.spur1)
                s += z + "\n";
            return s;
        }();
        EXPECT_NE(spur.find("Vorschaubild @"), std::string::npos) << spur;
        EXPECT_NE(spur.find("FFD9"), std::string::npos) << spur;
        EXPECT_NE(spur.find("0112 Orientation  Typ 3  Anzahl 1  Wert/Offset 6"), std::string::npos) << spur;
    }
    EXPECT_EQ(EXIF_Liste(TExif(jpeg("ohne.jpg", 8, 8))), std::vector<std::string>{"Exif Header is not valid"});
    EXPECT_EQ(EXIF_Liste(TExif(pfad("fehlt.jpg").string())), std::vector<std::string>{"Exif Header is not valid"});
    EXPECT_EQ(TagName(0x1022, 3), "Fuji_1022_?");
    EXPECT_EQ(TagName(0xB211, 3), "Fuji_B211_?");
    EXPECT_EQ(TagName(0x1401, 3), "Fuji_FilmMode");
    EXPECT_EQ(TagName(0xB205, 2), "MPO_VonvergenceAngle");
    EXPECT_EQ(TagName(0x0001, 1), "Iop_InteroperabilityIndex");
    EXPECT_EQ(TagName(0xA405, 0), "FocalLengthIn35mmFil");
    EXPECT_EQ(TagName(0xC4A5, 0), "Unbekannt_1_PrintIM?");
}

TEST_F(ImageioTest, StartupCleanupDeletesOnlyLeftoversAndOnlyForTheFirstInstance)
{
    struct FremdeSperre : TestFiles {
        void joinInstances(const std::function<void()>&) override {}
    };
    const fs::path temp = t.files.tempFolder();
    for (const char* name : {"~$1_2_3_1.bmp", "~$x.JPG", "~$y.Bmp", "andere.bmp", "~$z.tif"})
        writeBytes(temp / name, Bytes{1});
    FremdeSperre fremd;
    for (const char* name : {"~$1_2_3_1.bmp", "andere.bmp"})
        writeBytes(fremd.tempFolder() / name, Bytes{1});
    Context zweite(Services{t.messages, t.events, fremd, t.display, t.printers, t.textRaster});
    Temp_Aufraeumen(zweite);
    EXPECT_TRUE(fs::exists(fremd.tempFolder() / "~$1_2_3_1.bmp"));

    Temp_Aufraeumen(ctx);
    std::vector<std::string> rest;
    for (const auto& e : fs::directory_iterator(temp))
        rest.push_back(e.path().filename().string());
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (std::vector<std::string>{"andere.bmp", "~$z.tif"}));
}

namespace {

// A JPEG of quality 100 without chroma subsampling, so that every pixel
// decodes within a step or two of rgb(x, y), even beside a sharp edge.
Bytes genaueJpeg(int w, int h, const std::function<void(int x, int y, uint8_t rgb[3])>& rgb)
{
    return libjpegBytes(JCS_RGB, 3, false, false, w, h, [&](int y, uint8_t* zeile) {
        for (int x = 0; x < w; ++x)
            rgb(x, y, zeile + 3 * x);
    });
}

// Column x of the side-by-side picture: red 7x, green 5y, blue 200 in the
// middle column (which belongs to neither view), 40 elsewhere.
void seitenMuster(int x, int y, uint8_t rgb[3])
{
    rgb[0] = static_cast<uint8_t>(7 * x);
    rgb[1] = static_cast<uint8_t>(5 * y);
    rgb[2] = x == 16 ? 200 : 40;
}

}

TEST_F(ImageioTest, StereoJpegSplitsIntoTheLeftEyeViewFirstAndDropsAnOddMiddleColumn)
{
    writeBytes(pfad("paar.JPS"), genaueJpeg(33, 12, seitenMuster));
    p.bilder.anzahl = 1;
    ASSERT_EQ(Bild_Laden(p, 1, pfad("paar.JPS").string()).letzter, 2);
    // The left-eye view is the right half (columns 17 … 32), the right-eye view the left half.
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE(k);
        const ImageEntry& e = p.bilder.bild[static_cast<size_t>(k)];
        ASSERT_EQ(e.slot[1].breite, 16);
        ASSERT_EQ(e.slot[1].hoehe, 12);
        const Bytes b = readFile(e.slot[1].pfad);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) {
                uint8_t rgb[3];
                seitenMuster(k == 1 ? x + 17 : x, y, rgb);
                const Bytes px = bmpPixel(b, x, y);
                for (int c = 0; c < 3; ++c)
                    ASSERT_NEAR(px[static_cast<size_t>(2 - c)], rgb[c], 3) << x << "," << y;
            }
        const RasterSlot& q = e.slot[0];
        EXPECT_EQ(q.name, "paar.JPS_" + std::to_string(k) + ".JPG");
        EXPECT_EQ(q.pfad2, pfad("paar.JPS").string());
        EXPECT_EQ(q.eigentum, 0);
        EXPECT_EQ(q.breite, 16);
        // The view's source is a JPEG of it among the temporary files.
        RasterSlot teil = ziel("teil.bmp");
        EXPECT_EQ(JPEG_Lesen(ctx, q.pfad, teil), Ladeergebnis::Ok);
        EXPECT_EQ(teil.breite, 16);
    }
    EXPECT_TRUE(meldungen().empty());

    // A project opened again takes one view from the file.
    p.bilder.anzahl = 3;
    ASSERT_EQ(MPO_Teil_Laden(p, 3, pfad("paar.JPS").string(), 2).letzter, 3);
    EXPECT_EQ(p.bilder.bild[3].slot[0].name, "paar.JPS_2.JPG");
    EXPECT_TRUE(sameImage(p.bilder.bild[3].slot[1].pfad, p.bilder.bild[2].slot[1].pfad));
    EXPECT_EQ(MPO_Teil_Laden(p, 3, pfad("paar.JPS").string(), 3).ergebnis, Ladeergebnis::Fehler);
    // Only the views that fit the image set are taken.
    p.bilder.anzahl = MaxBilder;
    EXPECT_EQ(Bild_Laden(p, MaxBilder, pfad("paar.JPS").string()).letzter, MaxBilder);
    EXPECT_EQ(p.bilder.bild[MaxBilder].slot[0].name, "paar.JPS_1.JPG");
}

TEST_F(ImageioTest, StereoJpegsTooNarrowOrDamagedLeaveNothingBehind)
{
    const auto dateien = [&] {
        std::vector<std::string> namen;
        for (const auto& e : fs::directory_iterator(t.files.tempFolder()))
            namen.push_back(e.path().filename().string());
        std::sort(namen.begin(), namen.end());
        return namen;
    };
    writeBytes(pfad("schmal.jps"), genaueJpeg(1, 8, seitenMuster));
    Bytes kaputt = genaueJpeg(32, 8, seitenMuster);
    kaputt.resize(kaputt.size() / 2);
    writeBytes(pfad("kaputt.jps"), kaputt);
    const std::vector<std::string> vorher = dateien();
    for (const char* name : {"schmal.jps", "kaputt.jps"}) {
        SCOPED_TRACE(name);
        meldungen().clear();
        p.bilder.anzahl = 1;
        EXPECT_EQ(Bild_Laden(p, 1, pfad(name).string()).ergebnis, Ladeergebnis::Fehler);
        EXPECT_EQ(meldungen(), std::vector<std::string>{"Fehler: Fehler beim Laden der Bild-Datei!\n" + pfad(name).string()});
        EXPECT_EQ(dateien(), vorher);
        EXPECT_TRUE(p.bilder.bild[1].slot[0].pfad.empty());
    }
}

TEST_F(ImageioTest, StereoJpegWriterPutsTheRightEyeViewOnTheLeftAndReadsBack)
{
    const auto ansicht = [&](const std::string& name, int w, int h, int rot) {
        RasterSlot s = ziel(name);
        s.breite = w;
        s.hoehe = h;
        writeBmp(s.pfad, w, h, [rot](int x, int y, uint8_t bgr[3]) {
            bgr[0] = static_cast<uint8_t>(x * 3);
            bgr[1] = static_cast<uint8_t>(y * 3);
            bgr[2] = static_cast<uint8_t>(rot);
        });
        return s;
    };
    const RasterSlot l = ansicht("l.bmp", 40, 24, 30), r = ansicht("r.bmp", 40, 24, 220);
    ASSERT_TRUE(JPS_Schreiben(ctx, pfad("aus.jps").string(), l, r));
    RasterSlot ganz = ziel("ganz.bmp"), links = ziel("links.bmp"), rechts = ziel("rechts.bmp");
    ASSERT_EQ(JPS_Lesen(ctx, pfad("aus.jps").string(), ganz, &links, &rechts), Ladeergebnis::Ok);
    EXPECT_FALSE(fs::exists(ganz.pfad));
    for (const auto& [gelesen, vorlage] : {std::pair{&links, &l}, std::pair{&rechts, &r}}) {
        ASSERT_EQ(gelesen->breite, 40);
        ASSERT_EQ(gelesen->hoehe, 24);
        const Bytes a = readFile(gelesen->pfad), b = readFile(vorlage->pfad);
        for (int y = 2; y < 22; ++y)
            for (int x = 2; x < 38; ++x)
                for (size_t c = 0; c < 3; ++c)
                    ASSERT_NEAR(bmpPixel(a, x, y)[c], bmpPixel(b, x, y)[c], 6) << x << "," << y;
    }
    const RasterSlot hoeher = ansicht("h.bmp", 40, 25, 0);
    EXPECT_FALSE(JPS_Schreiben(ctx, pfad("falsch.jps").string(), l, hoeher));
    EXPECT_FALSE(fs::exists(pfad("falsch.jps")));
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Fehler: Fehler beim Speichern der JPG-Datei!\n" + pfad("falsch.jps").string()});
}
