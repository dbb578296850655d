#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "commands/Batch.h"
#include "commands/Bilder.h"
#include "imageio/Jpeg.h"
#include "imageio/Jps.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/ImageCompare.h"
#include "support/Muster.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct BatchTest : Programmumgebung {
    fs::path quelle = t.files.tempFolder() / "quelle";
    fs::path ziel = t.files.tempFolder() / "ziel";
    Muster muster{160, 120};

    BatchTest()
    {
        p.batch.quelle = quelle.string();
        p.batch.ziel = ziel.string();
    }
    // A BMP of the corner pattern moved dx pixels to the right, in folder ordner below the source.
    fs::path bild(const std::string& ordner, const std::string& name, double dx = 0.0)
    {
        fs::create_directories(quelle / ordner);
        const Bitmap24 b = muster.zeichnen(160, 120, dx, 0.0);
        const fs::path datei = quelle / ordner / name;
        writeBmp(datei, 160, 120, [&](int x, int y, uint8_t px[3]) {
            const uint8_t* q = b.zeile(y) + 3 * x;
            px[0] = q[0];
            px[1] = static_cast<uint8_t>(q[1] / 2);
            px[2] = static_cast<uint8_t>(255 - q[2]);
        });
        return datei;
    }
    // Every file below the target, relative to it.
    std::set<std::string> ausgaben() const
    {
        std::set<std::string> namen;
        for (const auto& e : fs::recursive_directory_iterator(ziel))
            if (e.is_regular_file())
                namen.insert(fs::relative(e.path(), ziel).string());
        return namen;
    }
    // A written JPEG (or stereo JPEG) decoded into a raster of its own.
    RasterSlot dekodiert(const fs::path& jpeg)
    {
        RasterSlot s;
        s.pfad = (t.files.tempFolder() / (jpeg.filename().string() + ".bmp")).string();
        EXPECT_EQ(JPEG_Lesen(p.ctx, jpeg.string(), s), Ladeergebnis::Ok) << jpeg;
        return s;
    }
    bool laufen()
    {
        Batch1ButtonClick(p);
        return BatchStartBitBtnClick(p);
    }
    const std::vector<std::string>& meldungen() const { return t.messages.lines; }
};

TEST_F(BatchTest, WorkListsTakeFoldersDepthFirstInNameOrderAndPassOverHiddenLinkedAndTargetFolders)
{
    p.batch.muster = "*.BMP";
    p.batch.ziel = (quelle / "ziel").string();
    for (const char* datei : {"Z.BMP", "a.bmp", "sub1/x.bmp", "sub1/.versteckt/y.bmp", "Sub2/tief/z.BMP",
                              "ziel/q.bmp", ".b.bmp"}) {
        fs::create_directories((quelle / datei).parent_path());
        writeBmp(quelle / datei, 2, 2, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    }
    fs::create_directories(quelle / "leer");
    writeBytes(quelle / "sub1" / "notiz.txt", {'a'});
    writeBytes(quelle / "sub1" / "x.bmp.txt", {'a'});
    fs::create_directory_symlink(quelle / "sub1", quelle / "link");

    Batch1ButtonClick(p);
    const std::vector<std::string> ordner{quelle.string(), (quelle / "sub1").string(), (quelle / "Sub2" / "tief").string()};
    EXPECT_EQ(p.batchLauf.ordner, ordner);
    const std::vector<std::string> dateien{(quelle / "a.bmp").string(), (quelle / "Z.BMP").string(),
                                           (quelle / "sub1" / "x.bmp").string(),
                                           (quelle / "Sub2" / "tief" / "z.BMP").string()};
    EXPECT_EQ(p.batchLauf.dateien, dateien);
    EXPECT_EQ(Batch_Ordnername(p, ordner[0]), ".");
    EXPECT_EQ(Batch_Ordnername(p, ordner[2]), "Sub2/tief");

    // One folder alone: exactly the folders of the list are taken.
    EXPECT_TRUE(Batch_Ordner_Waehlen(p, (quelle / "Sub2" / "tief").string()));
    EXPECT_EQ(p.batchLauf.ordner, std::vector<std::string>{ordner[2]});
    EXPECT_EQ(p.batchLauf.dateien, std::vector<std::string>{dateien[3]});
    EXPECT_TRUE(Batch_Ordner_Waehlen(p, quelle.string() + "/"));
    for (const fs::path& nicht : {quelle / "sub1" / ".versteckt", quelle / "link", quelle / "ziel", quelle / "leer",
                                  quelle / "Sub2", quelle / "sub1" / ".." / "..", quelle / "fehlt"}) {
        SCOPED_TRACE(nicht);
        EXPECT_FALSE(Batch_Ordner_Waehlen(p, nicht.string()));
        EXPECT_TRUE(p.batchLauf.ordner.empty());
    }

    p.batch.unterordner = false;
    Batch1ButtonClick(p);
    EXPECT_EQ(p.batchLauf.ordner, std::vector<std::string>{ordner[0]});
    EXPECT_EQ(p.batchLauf.dateien.size(), 2u);
    EXPECT_FALSE(Batch_Ordner_Waehlen(p, ordner[1]));
    Arbeitslisten_Leeren(p);
    EXPECT_TRUE(p.batchLauf.ordner.empty() && p.batchLauf.dateien.empty());
}

TEST_F(BatchTest, PreconditionsRefuseTheRunInOrderAndChangeNothing)
{
    p.batch.muster = "*.BMP";
    const fs::path datei = bild("a", "a.bmp");
    Bilder_Hinzufuegen(p, {datei.string()});
    ASSERT_EQ(p.bilder.anzahl, 1);
    Batch1ButtonClick(p);
    t.messages.lines.clear();
    EXPECT_FALSE(BatchStartBitBtnClick(p));
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Warnung: Bei der Stapelverarbeitung dürfen keine Bilder geladen sein!"});
    EXPECT_EQ(p.bilder.anzahl, 1);
    EXPECT_FALSE(fs::exists(ziel));

    p.bilder.Leeren();
    const struct {
        std::string quelle, ziel;
        bool listen;
        const char* meldung;
    } faelle[] = {{"", ziel.string(), true, "Warnung: Quelle (Speicherort für Ausgangsbilder) nicht festgelegt!"},
                  {quelle.string(), ziel.string(), false, "Warnung: Dateianzahl der Ausgangsbilder gleich 0!"},
                  {quelle.string(), "", true, "Warnung: Ziel (Speicherort für Bilder) nicht festgelegt!"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.meldung);
        t.messages.lines.clear();
        p.batch.quelle = quelle.string();
        Batch1ButtonClick(p);
        if (!f.listen)
            Arbeitslisten_Leeren(p);
        p.batch.quelle = f.quelle;
        p.batch.ziel = f.ziel;
        EXPECT_FALSE(BatchStartBitBtnClick(p));
        EXPECT_EQ(meldungen(), std::vector<std::string>{f.meldung});
        EXPECT_FALSE(fs::exists(ziel));
    }
}

TEST_F(BatchTest, ATreeGivesEveryNamedOutputInTheMirroredFolders)
{
    p.batch.muster = "*.BMP";
    p.batch.farbModus = BatchFarbeKeine;
    const fs::path a = bild("serie/tief", "a.bmp"), b = bild("serie/tief", "b.bmp", 6.0);
    const fs::path einzeln = bild("einzeln", "nur.bmp");
    writeBytes(quelle / "einzeln" / "notiz.txt", {'x'});
    fs::create_directories(quelle / "leer");

    EXPECT_TRUE(laufen());
    EXPECT_EQ(ausgaben(), (std::set<std::string>{
                              "einzeln/nur_edit.BMP", "einzeln/nur_orig.BMP", "serie/tief/a_anaglyph.JPG",
                              "serie/tief/a_edit.BMP", "serie/tief/a_just.BMP", "serie/tief/a_orig.BMP",
                              "serie/tief/b_edit.BMP", "serie/tief/b_just.BMP", "serie/tief/b_orig.BMP"}));
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Warnung: Für Auto-Justierung werden mind. 2 Dateien benötigt!. "
                                                    "Auto-Justierung nicht möglich!\n" + (quelle / "einzeln").string()});
    // Copies are the sources byte for byte; without optimisation the optimised image is the source too.
    for (const fs::path& q : {a, b, einzeln}) {
        const fs::path ordner = ziel / fs::relative(q.parent_path(), quelle);
        EXPECT_TRUE(sameImage(ordner / (q.stem().string() + "_orig.BMP"), q)) << q;
        EXPECT_TRUE(sameImage(ordner / (q.stem().string() + "_edit.BMP"), q)) << q;
    }
    // Image b, 6 pixels to the right, is aligned onto a and both are cut to what they share.
    const Bytes justA = readFile(ziel / "serie/tief/a_just.BMP"), justB = readFile(ziel / "serie/tief/b_just.BMP");
    ASSERT_GE(justA.size(), 54u);
    const int32_t breite = justA[18] | justA[19] << 8, hoehe = justA[22] | justA[23] << 8;
    EXPECT_NEAR(breite, 160 - 6, 2);
    EXPECT_NEAR(hoehe, 120, 2);
    EXPECT_EQ(justB.size(), justA.size());
    for (int y = 10; y < hoehe - 10; y += 13)
        for (int x = 10; x < breite - 10; x += 11)
            EXPECT_NEAR(bmpPixel(justA, x, y)[0], bmpPixel(justB, x, y)[0], 40) << x << "," << y;
    const RasterSlot anaglyph = dekodiert(ziel / "serie/tief/a_anaglyph.JPG");
    EXPECT_EQ(anaglyph.breite, breite);
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_FALSE(p.batchLauf.laeuft);
    EXPECT_FALSE(p.ctx.state.abort);
}

TEST_F(BatchTest, TheColourOptionsReachTheOptimisedImages)
{
    p.batch.muster = "*.BMP";
    p.batch.serien = false;
    p.batch.farbModus = BatchFarbeKeine;
    p.batch.negativ = true;
    const fs::path q = bild("", "n.bmp");
    EXPECT_TRUE(laufen());
    // The box chooses the other projection of the vergence tilt, which leaves an untilted image as it is.
    const Bytes quellBytes = readFile(q), negativ = readFile(ziel / "n_edit.BMP");
    ASSERT_EQ(negativ.size(), quellBytes.size());
    for (int y = 0; y < 120; y += 7)
        for (int x = 0; x < 160; x += 5)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(bmpPixel(negativ, x, y)[k], bmpPixel(quellBytes, x, y)[k]) << x << "," << y;

    // The contour picture: dark edges on white, the same in all three channels.
    p.batch.negativ = false;
    p.batch.farbModus = BatchFarbeKonturen;
    EXPECT_TRUE(laufen());
    const Bytes konturen = readFile(ziel / "n_edit.BMP");
    int weiss = 0;
    for (int y = 1; y < 119; ++y)
        for (int x = 1; x < 159; ++x) {
            const Bytes px = bmpPixel(konturen, x, y);
            ASSERT_TRUE(px[0] == px[1] && px[1] == px[2]) << x << "," << y;
            weiss += px[0] == 255;
        }
    EXPECT_GT(weiss, 158 * 118 / 2);
}

TEST_F(BatchTest, ExistingFilesAreKeptOnlyWhenOverwritingIsOff)
{
    p.batch.muster = "*.BMP";
    p.batch.serien = false;
    const fs::path q = bild("", "k.bmp");
    fs::create_directories(ziel);
    writeBytes(ziel / "k_orig.BMP", {'a', 'l', 't'});
    p.batch.ueberschreiben = false;
    EXPECT_TRUE(laufen());
    EXPECT_EQ(readFile(ziel / "k_orig.BMP"), (Bytes{'a', 'l', 't'}));
    EXPECT_TRUE(fs::exists(ziel / "k_edit.BMP"));
    p.batch.ueberschreiben = true;
    EXPECT_TRUE(laufen());
    EXPECT_TRUE(sameImage(ziel / "k_orig.BMP", q));
}

TEST_F(BatchTest, ResultsTakeTheChosenTypeAndSuffixes)
{
    p.batch.muster = "*.BMP";
    p.batch.einzelbilder = false;
    p.batch.justiert = false;
    p.batch.stereo = true;
    p.batch.streifen = true;
    p.batch.ergebnisTyp = "TIF";
    p.batch.suffixStreifen = "-lcd";
    bild("s", "a.bmp");
    bild("s", "b.bmp", 3.0);
    EXPECT_TRUE(laufen());
    EXPECT_EQ(ausgaben(), (std::set<std::string>{"s/a_anaglyph.TIF", "s/a_stereo.TIF", "s/a-lcd.TIF"}));
    for (const char* name : {"s/a_anaglyph.TIF", "s/a_stereo.TIF", "s/a-lcd.TIF"}) {
        const Bytes tif = readFile(ziel / name);
        ASSERT_GE(tif.size(), 4u);
        EXPECT_EQ(Bytes(tif.begin(), tif.begin() + 4), (Bytes{'I', 'I', 42, 0})) << name;
    }
}

TEST_F(BatchTest, StereoFilesGiveTheirHalvesAndTheAlignedPairAsStereoFiles)
{
    p.batch.muster = "*.JPS";
    p.batch.jps = true;
    p.batch.mpo = true;
    p.batch.zuschnitt = false;
    // A stereo JPEG of a bluish left-eye and a reddish right-eye view.
    const auto farbig = [&](const std::string& name, uint8_t b, uint8_t r) {
        RasterSlot s;
        s.pfad = (t.files.tempFolder() / name).string();
        s.breite = 96;
        s.hoehe = 64;
        const Bitmap24 m = muster.zeichnen(96, 64);
        writeBmp(s.pfad, 96, 64, [&](int x, int y, uint8_t px[3]) {
            const uint8_t g = m.zeile(y)[3 * x];
            px[0] = static_cast<uint8_t>(b / 2 + g / 2);
            px[1] = static_cast<uint8_t>(g / 2);
            px[2] = static_cast<uint8_t>(r / 2 + g / 2);
        });
        return s;
    };
    fs::create_directories(quelle / "st");
    ASSERT_TRUE(JPS_Schreiben(p.ctx, (quelle / "st" / "paar.jps").string(), farbig("l.bmp", 250, 0),
                              farbig("r.bmp", 0, 250)));

    EXPECT_TRUE(laufen());
    EXPECT_EQ(ausgaben(), (std::set<std::string>{"st/paar_anaglyph.JPG", "st/paar_edit_L.JPG", "st/paar_edit_R.JPG",
                                                 "st/paar_just.JPS", "st/paar_just.MPO", "st/paar_just_L.JPG",
                                                 "st/paar_just_R.JPG", "st/paar_orig_L.JPG", "st/paar_orig_R.JPG"}));
    EXPECT_TRUE(meldungen().empty()) << meldungen().front();
    const auto mittel = [&](const RasterSlot& s, int kanal) {
        const Bytes b = readFile(s.pfad);
        int64_t summe = 0;
        for (int y = 0; y < s.hoehe; ++y)
            for (int x = 0; x < s.breite; ++x)
                summe += bmpPixel(b, x, y)[static_cast<size_t>(kanal)];
        return summe / (s.breite * s.hoehe);
    };
    for (const char* art : {"orig", "edit", "just"}) {
        SCOPED_TRACE(art);
        const RasterSlot l = dekodiert(ziel / "st" / ("paar_" + std::string(art) + "_L.JPG"));
        const RasterSlot r = dekodiert(ziel / "st" / ("paar_" + std::string(art) + "_R.JPG"));
        EXPECT_EQ(l.breite, 96);
        EXPECT_GT(mittel(l, 0), mittel(l, 2) + 40);
        EXPECT_GT(mittel(r, 2), mittel(r, 0) + 40);
    }
    // The stereo JPEG written has the right-eye view on its left half.
    const RasterSlot jps = dekodiert(ziel / "st" / "paar_just.JPS");
    EXPECT_EQ(jps.breite, 2 * 96);
    EXPECT_EQ(jps.hoehe, 64);
    const Bytes b = readFile(jps.pfad);
    EXPECT_GT(bmpPixel(b, 20, 30)[2], bmpPixel(b, 20, 30)[0]);
    EXPECT_GT(bmpPixel(b, 96 + 20, 30)[0], bmpPixel(b, 96 + 20, 30)[2]);
}

TEST_F(BatchTest, AStopAfterTheFirstFolderKeepsItsOutputsAndEmptiesTheImageSet)
{
    p.batch.muster = "*.BMP";
    bild("a", "a1.bmp");
    bild("a", "a2.bmp", 4.0);
    bild("b", "b1.bmp");
    bild("b", "b2.bmp", 4.0);
    t.events.onPump = [&](const AppState&) {
        if (p.batchLauf.ordnerNr == 2)
            Batch_Stoppen(p);
    };
    EXPECT_FALSE(laufen());
    t.events.onPump = nullptr;
    EXPECT_EQ(ausgaben(), (std::set<std::string>{"a/a1_anaglyph.JPG", "a/a1_edit.BMP", "a/a1_just.BMP",
                                                 "a/a1_orig.BMP", "a/a2_edit.BMP", "a/a2_just.BMP", "a/a2_orig.BMP"}));
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_FALSE(p.batchLauf.laeuft);
}

TEST_F(BatchTest, AStopInsideASeriesWritesNothingMoreAndLeavesNoHalfFile)
{
    p.batch.muster = "*.BMP";
    bild("a", "a1.bmp");
    bild("a", "a2.bmp", 4.0);
    bild("b", "b1.bmp");
    // Stopped while the tracker aligns the first series.
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.phase.starts_with("O3"))
            Batch_Stoppen(p);
    };
    EXPECT_FALSE(laufen());
    t.events.onPump = nullptr;
    EXPECT_EQ(ausgaben(), (std::set<std::string>{"a/a1_edit.BMP", "a/a1_orig.BMP", "a/a2_edit.BMP", "a/a2_orig.BMP"}));
    for (const auto& e : fs::recursive_directory_iterator(ziel))
        EXPECT_FALSE(e.path().filename().string().starts_with(".")) << e.path();
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_FALSE(p.batchLauf.laeuft);
    EXPECT_FALSE(p.batchLauf.abbruch);
    EXPECT_FALSE(p.ctx.state.abort);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(BatchTest, ATargetFolderThatCannotBeMadeEndsTheRun)
{
    p.batch.muster = "*.BMP";
    bild("a", "a.bmp");
    bild("b", "b.bmp");
    writeBytes(ziel, {'x'});
    EXPECT_FALSE(laufen());
    ASSERT_EQ(meldungen().size(), 1u);
    EXPECT_TRUE(meldungen()[0].starts_with("Fehler: Ordner konnte nicht angelegt werden!\n" + (ziel / "a").string() + ": "))
        << meldungen()[0];
    EXPECT_EQ(p.bilder.anzahl, 0);
}

}
