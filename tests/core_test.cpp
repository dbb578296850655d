#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "core/Context.h"
#include "core/Format.h"
#include "core/Sprache.h"
#include "support/ImageCompare.h"
#include "support/TestServices.h"

TEST(Sprache, ProjectFilterKeepsTwoBlanksBeforeTheBracket)
{
    // The project filter starts with the title and its own blank: two blanks before the bracket.
    EXPECT_EQ(std::string(Sprache::ProjektFilter), std::string(Sprache::Produkttitel) + " (*.LVX)|*.LVX|Alle (*.*)|*.*");
    EXPECT_EQ(std::string(Sprache::ProjektFilter).substr(0, 12), "Lumivex 5  (");
}

TEST(Dateiangabe, NamesThePathAndTheSystemsReason)
{
    TestFiles files;
    const std::filesystem::path ordner = files.tempFolder();
    const std::filesystem::path da = ordner / "da.bmp";
    writeBmp(da, 2, 2, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 0; });
    const std::string fehlt = ": Datei oder Verzeichnis nicht gefunden";
    // Reading.
    EXPECT_EQ(Dateiangabe(da, false), da.string());
    EXPECT_EQ(Dateiangabe(ordner / "weg.bmp", false), (ordner / "weg.bmp").string() + fehlt);
    EXPECT_EQ(Dateiangabe(ordner, false), ordner.string() + ": Ist ein Verzeichnis");
    // Writing: into a missing folder, under a file taken for a folder, over a folder.
    EXPECT_EQ(Dateiangabe(da, true), da.string());
    EXPECT_EQ(Dateiangabe(ordner / "neu.jpg", true), (ordner / "neu.jpg").string());
    EXPECT_EQ(Dateiangabe(ordner / "fehlt" / "x.jpg", true), (ordner / "fehlt" / "x.jpg").string() + fehlt);
    EXPECT_EQ(Dateiangabe(da / "x.jpg", true), (da / "x.jpg").string() + ": Ist kein Verzeichnis");
    EXPECT_EQ(Dateiangabe(ordner, true), ordner.string() + ": Ist ein Verzeichnis");
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(MitDatei("Fehler beim Speichern!", ordner / "fehlt" / "x.jpg", true),
              "Fehler beim Speichern!\n" + (ordner / "fehlt" / "x.jpg").string() + fehlt);
    EXPECT_EQ(Sprache::Systemgrund(EACCES), "Keine Berechtigung");
    EXPECT_EQ(Sprache::Systemgrund(ENOSPC), "Auf dem Gerät ist kein Speicherplatz mehr verfügbar");
    EXPECT_EQ(Sprache::Systemgrund(EROFS), "Das Dateisystem ist nur lesbar");
    EXPECT_EQ(Sprache::Systemgrund(12345), "Systemfehler 12345");
}

TEST(Format, FixedPointUsesCommaAndRoundsHalvesAway)
{
    EXPECT_EQ(formatFixed(1.5, 7, 1), "    1,5");
    EXPECT_EQ(formatFixed(0.25, 7, 1), "    0,3");
    EXPECT_EQ(formatFixed(-0.25, 7, 1), "   -0,3");
    EXPECT_EQ(formatFixed(0.15, 0, 1), "0,1");  // 0.1499999… in binary
    EXPECT_EQ(formatFixed(9.96, 6, 1), "  10,0");
    EXPECT_EQ(formatFixed(-0.04, 6, 1), "   0,0");
    EXPECT_EQ(formatFixed(1.0, 6, 3), " 1,000");
    EXPECT_EQ(formatFixed(1234567.0, 3, 0), "1234567");
    EXPECT_EQ(formatInt(-12, 5), "  -12");
    EXPECT_EQ(formatShortest(40.0), "40");
    EXPECT_EQ(formatShortest(12.5), "12,5");
    EXPECT_EQ(formatShortest(0.1), "0,1");
}

TEST(Format, PadCutCountsCharactersNotBytes)
{
    EXPECT_EQ(padCut("ab", 5), "ab   ");
    EXPECT_EQ(padCut("abcdefg", 5), "abcde");
    EXPECT_EQ(padCut("Höhe.jpg", 5), "Höhe.");
    EXPECT_EQ(padCut("", 2), "  ");
}

TEST(Guard, ReportsTheGeneralErrorOnceAndSetsTheAbortFlag)
{
    TestServices t;
    Context ctx(t.services());
    EXPECT_TRUE(guarded(ctx, [] {}));
    EXPECT_FALSE(guarded(ctx, [] { throw Abbruch{}; }));
    EXPECT_TRUE(ctx.state.abort);
    EXPECT_FALSE(guarded(ctx, [] { throw Abbruch{}; }));
    ASSERT_EQ(t.messages.lines.size(), 1u);
    EXPECT_EQ(t.messages.lines[0], "Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!");
}

TEST(Guard, StaysSilentWhenTheAbortWasRequested)
{
    TestServices t;
    Context ctx(t.services());
    ctx.state.abort = true;
    EXPECT_FALSE(guarded(ctx, [&] { ctx.rowDone(3); }));
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_EQ(ctx.state.progress.pos, 3);
    EXPECT_EQ(t.events.pumps, 1);
}

TEST(Guard, CatchesAllocationFailures)
{
    TestServices t;
    Context ctx(t.services());
    EXPECT_FALSE(guarded(ctx, [] { throw std::bad_alloc{}; }));
    EXPECT_TRUE(ctx.state.abort);
    EXPECT_EQ(t.messages.lines.size(), 1u);
}

TEST(SameImage, NamesTheFirstDifferingPixelAndKeepsBothFiles)
{
    TestFiles files;
    const std::filesystem::path a = files.tempFolder() / "a.bmp";
    const std::filesystem::path b = files.tempFolder() / "b.bmp";
    const std::filesystem::path c = files.tempFolder() / "c.bmp";
    writeBmp(a, 4, 3, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 9; });
    writeBmp(b, 4, 3, [](int x, int y, uint8_t px[3]) {
        px[0] = px[1] = px[2] = 9;
        if (x >= 2 && y == 1)
            px[1] = 200;
    });
    writeBmp(c, 3, 4, [](int, int, uint8_t px[3]) { px[0] = px[1] = px[2] = 9; });
    EXPECT_TRUE(sameImage(a, a));

    const testing::AssertionResult pixel = sameImage(a, b);
    EXPECT_FALSE(pixel);
    EXPECT_NE(std::string(pixel.message()).find("size 4 x 3, pixel (2, 1) is (9, 9, 9), expected (9, 200, 9)"),
              std::string::npos)
        << pixel.message();
    const std::filesystem::path kept = std::filesystem::current_path() / "failed_images";
    const std::string stem = "SameImage.NamesTheFirstDifferingPixelAndKeepsBothFiles";
    EXPECT_TRUE(sameImage(kept / (stem + "_actual.bmp"), a));
    EXPECT_TRUE(sameImage(kept / (stem + "_expected.bmp"), b));

    const testing::AssertionResult groesse = sameImage(a, c);
    EXPECT_NE(std::string(groesse.message()).find("size 4 x 3, expected 3 x 4"), std::string::npos) << groesse.message();
    EXPECT_FALSE(sameImage(a, files.tempFolder() / "weg.bmp"));
    std::filesystem::remove(kept / (stem + "_actual.bmp"));
    std::filesystem::remove(kept / (stem + "_expected.bmp"));
    std::error_code leer;
    std::filesystem::remove(kept, leer);  // only when no other test kept files there
}
