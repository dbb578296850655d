#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "commands/Bilder.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/ImageCompare.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct CommandsTest : Programmumgebung {
    std::string pfad(const std::string& name) const { return (t.files.tempFolder() / name).string(); }
    std::string bmp(const std::string& name, int w, int h, uint8_t wert)
    {
        writeBmp(pfad(name), w, h, [&](int, int, uint8_t bgr[3]) { bgr[0] = bgr[1] = bgr[2] = wert; });
        return pfad(name);
    }
    // A result raster in the result entry's colour-adjusted slot.
    void ergebnis(int w, int h)
    {
        RasterSlot& s = p.bilder.ergebnis().slot[SlotFarbErgebnis];
        s.breite = w;
        s.hoehe = h;
        writeBmp(s.pfad, w, h, [](int x, int y, uint8_t bgr[3]) {
            musterRgb(x, y, bgr);
        });
        p.auswahl.vorschau = VorschauBildR;
    }
};

// A folder on the tmpfs /dev/shm, removed with its files; empty when that is
// missing or holds the temporary folder too.
struct FremderOrdner {
    fs::path pfad;
    explicit FremderOrdner(const fs::path& temp)
    {
        std::string muster = "/dev/shm/lumivex-fremd-XXXXXX";
        if (!::mkdtemp(muster.data()))
            return;
        struct stat hier {}, dort {};
        pfad = muster;
        if (::stat(pfad.c_str(), &dort) != 0 || ::stat(temp.c_str(), &hier) != 0 || hier.st_dev == dort.st_dev)
            entfernen();
    }
    ~FremderOrdner() { entfernen(); }
    FremderOrdner(const FremderOrdner&) = delete;
    FremderOrdner& operator=(const FremderOrdner&) = delete;
    void entfernen()
    {
        std::error_code ec;
        if (!pfad.empty())
            fs::remove_all(pfad, ec);
        pfad.clear();
    }
};

}

TEST_F(CommandsTest, AddingLoadsSortedFilesAndShowsTheNewImage)
{
    p.farbe.histoAlle = true;
    p.compose.Bikubisch = true;
    const std::string b = bmp("b.bmp", 17, 16, 20), a = bmp("A.bmp", 16, 16, 10),
                      c = bmp("c.bmp", 18, 16, 30);
    Bilder_Hinzufuegen(p, {b, c, a});
    ASSERT_EQ(p.bilder.anzahl, 3);
    EXPECT_EQ(p.bilder.bild[1].slot[0].name, "A.bmp");
    EXPECT_EQ(p.bilder.bild[2].slot[0].name, "b.bmp");
    EXPECT_EQ(p.bilder.bild[3].slot[0].name, "c.bmp");
    EXPECT_TRUE(p.bilder.bild[3].histo);
    EXPECT_FALSE(p.bilder.bild[3].histoMax);
    EXPECT_EQ(p.auswahl.bildL, 1);
    EXPECT_EQ(p.auswahl.bildR, 3);
    EXPECT_EQ(p.auswahl.listenZeile, 3);
    EXPECT_TRUE(p.auswahl.justR);
    EXPECT_EQ(p.auswahl.vorschau, VorschauBildR);
    EXPECT_TRUE(p.compose.Bikubisch);
    EXPECT_EQ(t.files.tempFolder(), fs::path(p.ctx.state.bildOeffnenOrdner));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(CommandsTest, OnlyAsManyFilesAsStillFitAreLoaded)
{
    // 249 images loaded before, all of one small working copy.
    const std::string klein = bmp("klein.bmp", 16, 16, 9);
    for (int n = 1; n <= 249; ++n) {
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
        e.slot[SlotArbeitskopie] = {klein, "", "klein.bmp", nullptr, 16, 16, 0};
        for (int s = SlotJustiert; s < SlotAnzahl; ++s)
            e.slot[static_cast<size_t>(s)].pfad = TempDateiname(t.files.tempFolder(), n, s);
    }
    p.bilder.anzahl = 249;
    const std::string a = bmp("a.bmp", 16, 16, 1), b = bmp("b.bmp", 16, 16, 2),
                      c = bmp("c.bmp", 16, 16, 3);
    Bilder_Hinzufuegen(p, {c, b, a});
    EXPECT_EQ(p.bilder.anzahl, 250);
    EXPECT_EQ(p.bilder.bild[250].slot[0].name, "a.bmp");
    EXPECT_EQ(t.messages.lines, (std::vector<std::string>{"Fehler: Zu viele Bild-Dateien geladen!",
                                                          "Information: Das Maximum dieser Programmversion ist: 250"}));
}

TEST_F(CommandsTest, AnUnsupportedFileStopsAddingAFullDiskSkipsOne)
{
    const std::string a = bmp("a.bmp", 16, 16, 1), c = bmp("c.bmp", 16, 16, 3);
    writeBytes(pfad("b.png"), Bytes{1, 2, 3});
    Bilder_Hinzufuegen(p, {a, pfad("b.png"), c});
    EXPECT_EQ(p.bilder.anzahl, 1);
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Fehler: Bitmap-Dateityp wird nicht unterstützt!\n" + pfad("b.png")});
    EXPECT_TRUE(p.bilder.bild[2].slot[1].pfad.empty());

    t.messages.lines.clear();
    t.files.fixedFreeSpace = 1000;
    Bilder_Hinzufuegen(p, {a, c});
    EXPECT_EQ(p.bilder.anzahl, 1);
    EXPECT_EQ(t.messages.lines, (std::vector<std::string>{"Fehler: Zu wenig Festplattenspeicher!",
                                                          "Fehler: Zu wenig Festplattenspeicher!"}));
}

TEST_F(CommandsTest, AStopDuringLoadingLeavesNothingBehind)
{
    TiffAufbau s;
    s.width = 10;
    s.height = 50;
    writeBytes(pfad("gross.tif"), tiffBytes(s));
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.level.empty() && st.progress.max == 49 && st.progress.pos == 10)
            p.ctx.state.abort = true;
    };
    Bilder_Hinzufuegen(p, {pfad("gross.tif")});
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_FALSE(p.ctx.state.abort);
    for (const auto& e : fs::directory_iterator(t.files.tempFolder()))
        EXPECT_FALSE(e.path().filename().string().starts_with("~$")) << e.path();
}

// Photos on a USB stick, or a temporary folder on a tmpfs: the kernel's copy
// between the two file systems is refused, and loading must not be.
TEST_F(CommandsTest, PhotosOfEveryFormatLoadFromAnotherFileSystem)
{
    const FremderOrdner fremd(t.files.tempFolder());
    if (fremd.pfad.empty())
        GTEST_SKIP() << "no tmpfs at /dev/shm apart from the temporary folder's file system";
    const auto dort = [&](const char* name) { return (fremd.pfad / name).string(); };
    writeBmp(dort("a.bmp"), 17, 16, [](int x, int y, uint8_t bgr[3]) { musterRgb(x, y, bgr); });
    TiffAufbau tiff;
    tiff.width = 18;
    tiff.height = 16;
    writeBytes(dort("b.tif"), tiffBytes(tiff));
    writeBytes(dort("c.tga"), tgaBytes(19, 16, 0));
    ergebnis(20, 16);
    ASSERT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, dort("d.jpg"), "JPG"));
    const std::vector<std::pair<const char*, int>> fotos{{"a.bmp", 17}, {"b.tif", 18}, {"c.tga", 19}, {"d.jpg", 20}};
    for (const auto& [name, breite] : fotos) {
        Bilder_Hinzufuegen(p, {dort(name)});
        EXPECT_EQ(t.messages.lines, std::vector<std::string>{}) << name;
        EXPECT_EQ(p.bilder.ergebnis().slot[SlotFarbErgebnis].breite, breite) << name;
    }
    ASSERT_EQ(p.bilder.anzahl, 4);
    EXPECT_TRUE(sameImage(p.bilder.bild[1].slot[SlotArbeitskopie].pfad, dort("a.bmp")));
    ASSERT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, dort("e.mpo"), "MPO"));
    Bilder_Hinzufuegen(p, {dort("e.mpo")});
    EXPECT_EQ(p.bilder.anzahl, 6);
    EXPECT_EQ(p.bilder.ergebnis().slot[SlotFarbErgebnis].breite, 20);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(CommandsTest, SavingChecksPreviewWriteProtectionAndSpace)
{
    ergebnis(3, 2);
    p.auswahl.vorschau = VorschauKeine;
    EXPECT_FALSE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("x.bmp"), "BMP"));
    EXPECT_FALSE(fs::exists(pfad("x.bmp")));

    p.auswahl.vorschau = VorschauBildR;
    writeBytes(pfad("schreibgeschuetzt.tga"), Bytes{9});
    ::chmod(pfad("schreibgeschuetzt.tga").c_str(), 0444);
    EXPECT_FALSE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("schreibgeschuetzt.tga"), "TGA"));
    EXPECT_EQ(readFile(pfad("schreibgeschuetzt.tga")), Bytes{9});
    EXPECT_EQ(t.messages.lines,
              std::vector<std::string>{"Information: Datei ist schreibgeschützt, keine Speicherung möglich!"});

    // 78 bytes of raster and 1,000 bytes of margin off the system's file system.
    t.messages.lines.clear();
    t.files.fixedFreeSpace = 1077;
    EXPECT_FALSE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("x.bmp"), "BMP"));
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Fehler: Zu wenig Speicher auf Laufwerk /daten: !"});
    t.files.fixedFreeSpace = 1078;
    EXPECT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("x.bmp"), "BMP"));
    EXPECT_TRUE(sameImage(pfad("x.bmp"), p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
}

// A last save moves the result's raster where the target lies on the same file
// system, and copies it where it does not; the saved file is the same.
TEST_F(CommandsTest, ALastSaveMayTakeTheRastersFile)
{
    const FremderOrdner fremd(t.files.tempFolder());
    for (const fs::path& ordner : {t.files.tempFolder(), fremd.pfad}) {
        if (ordner.empty())
            continue;
        SCOPED_TRACE(ordner);
        ergebnis(5, 3);
        const RasterSlot& r = p.bilder.ergebnis().slot[SlotFarbErgebnis];
        const Bytes inhalt = readFile(r.pfad);
        const std::string datei = (ordner / "zuletzt.bmp").string();
        ASSERT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, datei, "BMP", true));
        EXPECT_EQ(readFile(datei), inhalt);
        EXPECT_EQ(fs::exists(r.pfad), ordner == fremd.pfad);
        const mode_t maske = ::umask(0);
        ::umask(maske);
        EXPECT_EQ(static_cast<mode_t>(fs::status(datei).permissions()), 0666 & ~maske);
        fs::remove(datei);
    }
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(CommandsTest, EveryFormatIsWrittenWithTheResolutionOfThePrintSize)
{
    ergebnis(1200, 600);
    p.druck.einheitCm = true;
    p.druck.breite = 10.16;
    p.druck.hoehe = 5.08;
    for (const char* format : {"TIF", "TIF_CMYK", "JPG", "TGA", "BMP"})
        EXPECT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad(std::string("r.") + format), format)) << format;
    for (const char* tif : {"r.TIF", "r.TIF_CMYK"}) {
        const Bytes b = readFile(pfad(tif));
        EXPECT_EQ(le32At(b, 8), 3000000u) << tif;
        EXPECT_EQ(le32At(b, 16), 3000000u) << tif;
    }
    EXPECT_EQ(readFile(pfad("r.TGA")).size(), 18u + 1200 * 600 * 3 + 26);
    const Bytes j = readFile(pfad("r.JPG"));
    EXPECT_EQ((Bytes(j.begin(), j.begin() + 2)), (Bytes{0xFF, 0xD8}));
    // Inches: 4 × 2 inch prints give 300 dots per inch as well.
    p.druck.einheitCm = false;
    p.druck.breite = 4;
    p.druck.hoehe = 2;
    ASSERT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("zoll.tif"), "TIF"));
    EXPECT_EQ(le32At(readFile(pfad("zoll.tif")), 8), 3000000u);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(CommandsTest, MpoHoldsImagesLAndR)
{
    ergebnis(2, 2);
    EXPECT_FALSE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("p.mpo"), "MPO"));
    EXPECT_EQ(t.messages.lines,
              std::vector<std::string>{std::string("Fehler: ") + Sprache::MpoOhneBildpaar});
    Bilder_Hinzufuegen(p, {bmp("l.bmp", 16, 16, 40), bmp("r.bmp", 16, 16, 200)});
    ASSERT_EQ(p.bilder.anzahl, 2);
    ASSERT_TRUE(BildspeichernUnter(p, 0, SlotFarbErgebnis, pfad("p.mpo"), "MPO"));
    // Loading the file again gives the pair back.
    Bilder_Hinzufuegen(p, {pfad("p.mpo")});
    ASSERT_EQ(p.bilder.anzahl, 4);
    for (int n : {3, 4}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        const Bytes b = readFile(p.bilder.bild[static_cast<size_t>(n)].slot[SlotArbeitskopie].pfad);
        EXPECT_NEAR(bmpPixel(b, 5, 5)[0], n == 3 ? 40 : 200, 2);
    }
    EXPECT_EQ(p.bilder.bild[4].slot[0].name, "p.mpo_2.JPG");
}
