#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <numeric>
#include <thread>

#include "raster/RasterImage.h"
#include "raster/Stapel.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/ImageCompare.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct RasterTest : ::testing::Test {
    TestServices t;
    Context ctx{t.services()};

    RasterSlot slot(const std::string& name, int32_t w, int32_t h)
    {
        RasterSlot s;
        s.pfad = (t.files.tempFolder() / name).string();
        s.breite = w;
        s.hoehe = h;
        return s;
    }
    // A raster whose pixel (x, y) is (x, y, x + y) as blue, green, red.
    RasterSlot pattern(const std::string& name, int32_t w, int32_t h)
    {
        RasterSlot s = slot(name, w, h);
        writeBmp(s.pfad, w, h, [](int x, int y, uint8_t p[3]) {
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x + y);
        });
        return s;
    }
    // A preparation finding a file of the slot's size keeps it byte for byte; answers its bytes.
    Bytes keepsMatchingFile(Angelegt (*anlegen)(Context&, RasterSlot&), RasterSlot& s)
    {
        const Bytes vorher = readFile(s.pfad);
        EXPECT_EQ(anlegen(ctx, s), Angelegt::Ok);
        EXPECT_EQ(readFile(s.pfad), vorher);
        return vorher;
    }
    // A refused raster: no file, the abort flag set, exactly this one message.
    void expectRefused(const RasterSlot& s, const char* meldung)
    {
        EXPECT_FALSE(fs::exists(s.pfad));
        EXPECT_TRUE(ctx.state.abort);
        EXPECT_EQ(t.messages.lines, std::vector<std::string>{meldung});
    }
};

}

TEST(RasterLayout, StrideAndRowOffsets)
{
    EXPECT_EQ(RasterStride(1), 4);
    EXPECT_EQ(RasterStride(4), 12);
    EXPECT_EQ(RasterStride(5), 16);
    EXPECT_EQ(RasterStride(40000), 120000);
    EXPECT_EQ(ZeilenOffset(5, 7, 0), 54 + 6 * 16);
    EXPECT_EQ(ZeilenOffset(5, 7, 6), 54);
    // Offsets past 4 GiB are computed without overflow.
    EXPECT_EQ(ZeilenOffset(100000, 20000, 0), 54 + int64_t{19999} * 300000);
}

TEST_F(RasterTest, NewRasterHasTheHeaderAndWhitePixels)
{
    RasterSlot s = slot("neu.bmp", 5, 3);
    ASSERT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);
    const auto b = readFile(s.pfad);
    ASSERT_EQ(b.size(), 54u + 16 * 3);
    const uint8_t kopf[54] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0, 1,
                              0, 24, 0, 0, 0, 0, 0, 48, 0, 0, 0};
    EXPECT_TRUE(std::equal(kopf, kopf + 54, b.begin()));
    EXPECT_TRUE(std::all_of(b.begin() + 54, b.end(), [](uint8_t v) { return v == 0xFF; }));
    EXPECT_EQ(ctx.state.progress.max, 0);  // 48 pixel bytes are no whole 1-KiB block
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(RasterTest, ProgressCountsKilobyteBlocks)
{
    RasterSlot s = slot("gross.bmp", 1000, 1000);  // 3,000,000 pixel bytes
    ASSERT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);
    EXPECT_EQ(ctx.state.progress.max, 2929);
    EXPECT_EQ(ctx.state.progress.pos, 2929);
    EXPECT_GE(t.events.pumps, 1);
}

TEST_F(RasterTest, TooLargeIsRefusedBeforeAnyFileExists)
{
    RasterSlot s = slot("riesig.bmp", 40000, 40000);
    EXPECT_EQ(RasterAnlegen(ctx, s), Angelegt::Fehler);
    expectRefused(s, "Warnung: Berechnetes Bild ist größer als 4 GByte! Berechnung wird abgebrochen!");
}

TEST_F(RasterTest, FourGigabyteBoundary)
{
    // 21844 × 65536: stride 65532, file 4294705206 bytes: still below the limit.
    EXPECT_LT(RasterDateigroesse(21844, 65536), RasterGrenze);
    EXPECT_GE(RasterDateigroesse(21846, 65536), RasterGrenze);
}

TEST_F(RasterTest, FreeSpaceOfExactlySizePlusReserveIsEnough)
{
    RasterSlot s = slot("knapp.bmp", 10, 10);
    const uint64_t noetig = 54 + 32 * 10 + 10'000'000;
    t.files.fixedFreeSpace = noetig;
    EXPECT_TRUE(Plattenplatz_Pruefen(ctx, s.pfad, 10, 10));
    EXPECT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);

    RasterSlot zuGross = slot("voll.bmp", 10, 10);
    t.files.fixedFreeSpace = noetig - 1;
    EXPECT_FALSE(Plattenplatz_Pruefen(ctx, zuGross.pfad, 10, 10));
    EXPECT_EQ(RasterAnlegen(ctx, zuGross), Angelegt::PlatteVoll);
    expectRefused(zuGross, "Fehler: Zu wenig Speicher auf Laufwerk /daten: !");
}

TEST_F(RasterTest, SetAbortFlagDoesNothing)
{
    RasterSlot s = slot("nichts.bmp", 4, 4);
    ctx.state.abort = true;
    EXPECT_EQ(RasterAnlegen(ctx, s), Angelegt::Abgebrochen);
    EXPECT_FALSE(fs::exists(s.pfad));
}

TEST_F(RasterTest, AbortWhileFillingLeavesNoFile)
{
    RasterSlot s = slot("halb.bmp", 2000, 1000);
    t.events.onPump = [&](const AppState&) { ctx.state.abort = true; };
    EXPECT_EQ(RasterAnlegen(ctx, s), Angelegt::Fehler);
    EXPECT_FALSE(fs::exists(s.pfad));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(RasterTest, MatchingFileIsReusedWithItsPixels)
{
    RasterSlot s = pattern("alt.bmp", 7, 5);
    keepsMatchingFile(RasterAnlegen, s);

    // Another size, or a truncated file, is created anew.
    RasterSlot anders = s;
    anders.hoehe = 6;
    ASSERT_EQ(RasterAnlegen(ctx, anders), Angelegt::Ok);
    EXPECT_EQ(bmpPixel(readFile(s.pfad), 3, 2), (Bytes{255, 255, 255}));
    fs::resize_file(s.pfad, 60);
    ASSERT_EQ(RasterAnlegen(ctx, anders), Angelegt::Ok);
    EXPECT_EQ(fs::file_size(s.pfad), 54u + 24 * 6);
}

TEST_F(RasterTest, RasterForOverwritingIsReusedOrHasNoPixelsWritten)
{
    RasterSlot s = pattern("alt.bmp", 7, 5);
    const Bytes vorher = keepsMatchingFile(RasterAnlegenUeberschreiben, s);

    // Another size: the header and the full length, the old file resized in place, no white written.
    RasterSlot anders = s;
    anders.hoehe = 6;
    ASSERT_EQ(RasterAnlegenUeberschreiben(ctx, anders), Angelegt::Ok);
    const auto b = readFile(s.pfad);
    ASSERT_EQ(b.size(), 54u + 24 * 6);
    RasterSlot weiss = slot("weiss.bmp", 7, 6);
    ASSERT_EQ(RasterAnlegen(ctx, weiss), Angelegt::Ok);
    EXPECT_TRUE(std::equal(b.begin(), b.begin() + 54, readFile(weiss.pfad).begin()));
    EXPECT_TRUE(std::equal(b.begin() + 54, b.begin() + 54 + 24 * 5, vorher.begin() + 54));
    EXPECT_TRUE(std::all_of(b.begin() + 54 + 24 * 5, b.end(), [](uint8_t v) { return v == 0; }));
    RasterSlot neu = slot("neu.bmp", 3, 2);
    ASSERT_EQ(RasterAnlegenUeberschreiben(ctx, neu), Angelegt::Ok);
    const auto n = readFile(neu.pfad);
    ASSERT_EQ(n.size(), 54u + 12 * 2);
    EXPECT_TRUE(std::all_of(n.begin() + 54, n.end(), [](uint8_t v) { return v == 0; }));

    // The same checks as for a white raster.
    RasterSlot riesig = slot("riesig.bmp", 40000, 40000);
    EXPECT_EQ(RasterAnlegenUeberschreiben(ctx, riesig), Angelegt::Fehler);
    EXPECT_FALSE(fs::exists(riesig.pfad));
    EXPECT_EQ(RasterAnlegenUeberschreiben(ctx, anders), Angelegt::Abgebrochen);  // the abort flag is set now
    ASSERT_EQ(t.messages.lines.size(), 1u);
}

TEST_F(RasterTest, RowsAreAddressedTopDown)
{
    RasterSlot s = pattern("muster.bmp", 5, 4);
    ASSERT_TRUE(RasterOeffnenSchreiben(s));
    Zeile view;
    uint8_t* row = nullptr;
    ASSERT_TRUE(ZeileLesen(ctx, s, 0, row, view));
    EXPECT_EQ(row[3 * 4 + 0], 4);
    EXPECT_EQ(row[3 * 4 + 1], 0);
    ASSERT_TRUE(ZeileSchreiben(ctx, s, 3, row, view));
    EXPECT_EQ(row[1], 3);
    row[0] = 200;
    EXPECT_TRUE(ZeileFreigeben(view));
    RasterSchliessen(s);
    EXPECT_FALSE(s.offen());
    const auto b = readFile(s.pfad);
    EXPECT_EQ(b[54], 200);  // the bottom row is stored first
    EXPECT_EQ(bmpPixel(b, 1, 3), (Bytes{1, 3, 4}));
}

TEST_F(RasterTest, ReadBandsFollowTheRowsTopDown)
{
    // Rows of 16 bytes, bands of 3 rows: 0..2, 3..5 and the last band holding row 6 alone.
    RasterSlot s = pattern("band.bmp", 5, 7);
    ASSERT_TRUE(RasterOeffnenLesen(s));
    Leseband band(48);
    for (int y : {0, 1, 2, 3, 4, 5, 6, 2, 5, 6}) {
        const uint8_t* row = band.zeile(ctx, s, y);
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(row[3 * x], x) << y;
            EXPECT_EQ(row[3 * x + 1], y) << y;
            EXPECT_EQ(row[3 * x + 2], x + y) << y;
        }
    }
    // A band larger than the raster holds all of it.
    Leseband gross;
    EXPECT_EQ(gross.zeile(ctx, s, 6)[1], 6);
    EXPECT_EQ(gross.zeile(ctx, s, 3)[1], 3);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(RasterTest, ReadBandFailuresReportLoadingError)
{
    RasterSlot s = pattern("band.bmp", 3, 3);
    Leseband band;
    EXPECT_THROW(band.zeile(ctx, s, 0), Abbruch);  // not open
    ASSERT_TRUE(RasterOeffnenLesen(s));
    EXPECT_THROW(band.zeile(ctx, s, 3), Abbruch);
    EXPECT_THROW(band.zeile(ctx, s, -1), Abbruch);
    fs::resize_file(s.pfad, 54 + 12);
    EXPECT_THROW(band.zeile(ctx, s, 0), Abbruch);  // the band reaches the missing rows
    ASSERT_EQ(t.messages.lines.size(), 4u);
    EXPECT_EQ(t.messages.lines[3], "Fehler: Fehler beim Laden der Bilddaten!");
}

TEST_F(RasterTest, WriteBandsWriteOnlyTheRowsHandedOut)
{
    // Bands of 2 rows; rows 1..5 of 7 are written, 0 and 6 keep their white.
    RasterSlot s = slot("band.bmp", 5, 7);
    ASSERT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);
    ASSERT_TRUE(RasterOeffnenSchreiben(s));
    {
        Schreibband band(32);
        for (int y = 1; y <= 5; ++y) {
            uint8_t* row = band.zeile(ctx, s, y);
            for (int x = 0; x < 5; ++x) {
                row[3 * x] = static_cast<uint8_t>(x);
                row[3 * x + 1] = static_cast<uint8_t>(y);
                row[3 * x + 2] = static_cast<uint8_t>(x + y);
            }
        }
    }
    RasterSchliessen(s);
    const auto b = readFile(s.pfad);
    ASSERT_EQ(b.size(), 54u + 16 * 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bmpPixel(b, x, y), y == 0 || y == 6 ? (Bytes{255, 255, 255})
                                                          : (Bytes{static_cast<uint8_t>(x),
                                                                                  static_cast<uint8_t>(y),
                                                                                  static_cast<uint8_t>(x + y)}))
                << x << " " << y;
    // The padding of a written row is zero, that of an untouched row still white.
    EXPECT_EQ(b[54 + 16 * 5 + 15], 0);
    EXPECT_EQ(b[54 + 15], 255);
}

TEST_F(RasterTest, WriteBandStartsAfreshAtAnotherRow)
{
    // Rows 4, 5, then 1 and 2: two bands, each written on its own.
    RasterSlot s = slot("band.bmp", 2, 6);
    ASSERT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);
    ASSERT_TRUE(RasterOeffnenSchreiben(s));
    Schreibband band;
    for (int y : {4, 5, 1, 2})
        std::fill_n(band.zeile(ctx, s, y), 6, static_cast<uint8_t>(10 * y));
    band.schreiben();
    const auto b = readFile(s.pfad);
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(bmpPixel(b, 1, y)[0], y == 0 || y == 3 ? 255 : 10 * y) << y;
    EXPECT_THROW(band.zeile(ctx, s, 6), Abbruch);
    RasterSlot lesend = pattern("lesend.bmp", 2, 2);
    ASSERT_TRUE(RasterOeffnenLesen(lesend));
    EXPECT_THROW(band.zeile(ctx, lesend, 0), Abbruch);
    EXPECT_EQ(t.messages.lines.size(), 2u);
}

TEST_F(RasterTest, AbortMidBandWritesTheRowsDoneAndClosesTheRaster)
{
    RasterSlot s = slot("band.bmp", 4, 20);
    ASSERT_EQ(RasterAnlegen(ctx, s), Angelegt::Ok);
    std::weak_ptr<RasterDatei> datei;
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.pos == 6)
            ctx.state.abort = true;
    };
    EXPECT_FALSE(guarded(ctx, [&] {
        SlotCloser schliessen(s);
        OeffneSchreiben(s);
        datei = s.datei;
        Schreibband band;  // room for all 20 rows
        for (int32_t y = 0; y < s.hoehe; ++y) {
            std::fill_n(band.zeile(ctx, s, y), 12, static_cast<uint8_t>(y));
            ctx.rowDone(y);
        }
    }));
    EXPECT_FALSE(s.offen());
    EXPECT_TRUE(datei.expired());
    const auto b = readFile(s.pfad);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(bmpPixel(b, 3, y)[2], y <= 6 ? y : 255) << y;
}

TEST_F(RasterTest, RowFailuresReportLoadingError)
{
    RasterSlot s = pattern("klein.bmp", 3, 3);
    Zeile view;
    uint8_t* row = nullptr;
    EXPECT_FALSE(ZeileLesen(ctx, s, 0, row, view));  // not open
    ASSERT_TRUE(RasterOeffnenLesen(s));
    EXPECT_FALSE(ZeileLesen(ctx, s, 3, row, view));
    EXPECT_FALSE(ZeileSchreiben(ctx, s, 0, row, view));  // opened read-only
    EXPECT_EQ(row, nullptr);
    ASSERT_EQ(t.messages.lines.size(), 3u);
    EXPECT_EQ(t.messages.lines[0], "Fehler: Fehler beim Laden der Bilddaten!");
    // A file shorter than its header says fails at the missing row.
    fs::resize_file(s.pfad, 54 + 12);
    EXPECT_TRUE(ZeileLesen(ctx, s, 2, row, view));
    EXPECT_FALSE(ZeileLesen(ctx, s, 1, row, view));
}

TEST_F(RasterTest, OpeningMissingFilesFailsQuietly)
{
    RasterSlot leer;
    EXPECT_FALSE(RasterOeffnenLesen(leer));
    RasterSlot fehlt = slot("fehlt.bmp", 3, 3);
    EXPECT_FALSE(RasterOeffnenLesen(fehlt));
    EXPECT_FALSE(RasterOeffnenSchreiben(fehlt));
    EXPECT_FALSE(fehlt.offen());
    RasterSchliessen(fehlt);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(RasterTest, CopyIsByteExact)
{
    for (int w : {1, 4, 5, 33}) {
        SCOPED_TRACE(testing::Message() << "w " << w);
        RasterSlot von = pattern("von.bmp", w, 9);
        RasterSlot nach = slot("nach.bmp", 0, 0);
        RasterKopieren(ctx, von, nach);
        EXPECT_EQ(nach.breite, w);
        EXPECT_EQ(nach.hoehe, 9);
        EXPECT_FALSE(nach.offen());
        EXPECT_TRUE(sameImage(nach.pfad, von.pfad)) << w;
        EXPECT_EQ(ctx.state.progress.max, 8);
    }
}

TEST_F(RasterTest, CopyOntoItselfOrWhileAbortedDoesNothing)
{
    RasterSlot s = pattern("selbst.bmp", 4, 4);
    const auto vorher = readFile(s.pfad);
    RasterKopieren(ctx, s, s);
    EXPECT_EQ(readFile(s.pfad), vorher);
    RasterSlot nach = slot("nie.bmp", 0, 0);
    ctx.state.abort = true;
    RasterKopieren(ctx, s, nach);
    EXPECT_FALSE(fs::exists(nach.pfad));
}

TEST_F(RasterTest, AbortDuringCopyClosesBothRasters)
{
    // Rows with padding bytes are copied row by row.
    RasterSlot von = pattern("quelle.bmp", 21, 50);
    RasterSlot nach = slot("ziel.bmp", 0, 0);
    t.events.onPump = [&](const AppState& st) {
        if (st.progress.pos == 10)
            ctx.state.abort = true;
    };
    EXPECT_FALSE(guarded(ctx, [&] { RasterKopieren(ctx, von, nach); }));
    EXPECT_FALSE(nach.offen());
    EXPECT_FALSE(von.offen());
    EXPECT_TRUE(t.messages.lines.empty());  // a requested abort is silent
    // Rows 0..10 were copied, the rest is still white.
    const auto b = readFile(nach.pfad);
    EXPECT_EQ(bmpPixel(b, 2, 10), (Bytes{2, 10, 12}));
    EXPECT_EQ(bmpPixel(b, 2, 11), (Bytes{255, 255, 255}));
}

TEST_F(RasterTest, CopyFromMissingFileReportsOnce)
{
    RasterSlot von = slot("gibtsnicht.bmp", 8, 8);
    RasterSlot nach = slot("ziel.bmp", 0, 0);
    EXPECT_FALSE(guarded(ctx, [&] { RasterKopieren(ctx, von, nach); }));
    EXPECT_TRUE(ctx.state.abort);
    EXPECT_FALSE(nach.offen());
    ASSERT_EQ(t.messages.lines.size(), 1u);
    EXPECT_EQ(t.messages.lines[0], "Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!");
}

TEST_F(RasterTest, FileCopyOverwritesTheTarget)
{
    RasterSlot von = pattern("a.bmp", 6, 2);
    RasterSlot nach = pattern("b.bmp", 3, 3);
    ASSERT_EQ(RasterKopierenDatei(t.files, von, nach), Dateiergebnis::Ok);
    EXPECT_TRUE(sameImage(nach.pfad, von.pfad));
    RasterSlot fehlt = slot("weg.bmp", 1, 1);
    EXPECT_EQ(RasterKopierenDatei(t.files, fehlt, nach), Dateiergebnis::Fehler);
    // A shorter file copied over a longer one leaves nothing of it behind.
    RasterSlot klein = pattern("c.bmp", 1, 1);
    ASSERT_EQ(RasterKopierenDatei(t.files, klein, nach), Dateiergebnis::Ok);
    EXPECT_TRUE(sameImage(nach.pfad, klein.pfad));
    EXPECT_EQ(fs::status(nach.pfad).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // Only files are copied; the target stays as it was.
    RasterSlot ordner = slot("ordner", 1, 1);
    fs::create_directory(ordner.pfad);
    EXPECT_EQ(RasterKopierenDatei(t.files, ordner, nach), Dateiergebnis::Fehler);
    EXPECT_TRUE(sameImage(nach.pfad, klein.pfad));
}

// A copy that would be the source's file byte for byte shares it; whatever
// writes into either raster first gives it bytes of its own.
TEST_F(RasterTest, ACopySharesTheBytesUntilEitherIsWritten)
{
    RasterSlot von = pattern("quelle.bmp", 20, 30);
    const Bytes original = readFile(von.pfad);
    const auto inode = [](const RasterSlot& s) { return fs::hard_link_count(s.pfad) > 1; };
    RasterSlot nach = slot("ziel.bmp", 0, 0);
    RasterKopieren(ctx, von, nach);
    EXPECT_EQ(nach.breite, 20);
    EXPECT_EQ(nach.hoehe, 30);
    EXPECT_TRUE(inode(nach));
    EXPECT_EQ(ctx.state.progress.pos, 29);
    // A row written into the copy.
    {
        SlotCloser schliessen(nach);
        OeffneSchreiben(nach);
        Zeile view;
        SchreibeZeile(ctx, nach, 3, view)[0] = 99;
    }
    EXPECT_FALSE(inode(von));
    EXPECT_EQ(readFile(von.pfad), original);
    EXPECT_EQ(bmpPixel(readFile(nach.pfad), 0, 3), (Bytes{99, 3, 3}));
    EXPECT_EQ(bmpPixel(readFile(nach.pfad), 1, 3), (Bytes{1, 3, 4}));
    // Prepared again keeping the pixels, then opened for writing: the copy keeps them, in a file of its own.
    RasterKopieren(ctx, von, nach);
    ASSERT_EQ(RasterAnlegen(ctx, nach), Angelegt::Ok);
    OeffneSchreiben(nach);
    RasterSchliessen(nach);
    EXPECT_FALSE(inode(von));
    EXPECT_EQ(readFile(nach.pfad), original);
    // Prepared for another size, prepared for overwriting, replaced by a file copy: the source stays.
    const RasterSlot klein = pattern("klein.bmp", 4, 4);
    for (int art = 0; art < 3; ++art) {
        SCOPED_TRACE(art);
        RasterKopieren(ctx, von, nach);
        ASSERT_TRUE(inode(nach));
        const bool ok = art == 0 ? (nach.breite = 8, RasterAnlegen(ctx, nach) == Angelegt::Ok)
            : art == 1          ? RasterAnlegenUeberschreiben(ctx, nach) == Angelegt::Ok
                                : RasterKopierenDatei(t.files, klein, nach) == Dateiergebnis::Ok;
        ASSERT_TRUE(ok);
        EXPECT_FALSE(inode(von));
        EXPECT_EQ(readFile(von.pfad), original);
    }
    EXPECT_TRUE(t.messages.lines.empty());
}

// Padding bytes and a header of another program are not what a copy writes:
// such a raster is copied row by row into a raster with the usual header.
TEST_F(RasterTest, AForeignFileIsCopiedRowByRow)
{
    for (const int32_t w : {21, 20}) {
        SCOPED_TRACE(w);
        RasterSlot von = pattern("fremd.bmp", w, 5);
        Bytes bytes = readFile(von.pfad);
        bytes[38] = 0x13;  // a horizontal resolution
        writeBytes(von.pfad, bytes);
        RasterSlot nach = slot("ziel.bmp", 0, 0);
        RasterKopieren(ctx, von, nach);
        EXPECT_EQ(fs::hard_link_count(nach.pfad), 1u);
        const Bytes kopie = readFile(nach.pfad);
        EXPECT_EQ(kopie[38], 0);
        EXPECT_TRUE(std::equal(kopie.begin() + 54, kopie.end(), bytes.begin() + 54));
    }
}

// Between two file systems there are no second names: RasterTeilen copies the
// file, RasterKopieren the rows.
TEST_F(RasterTest, SharingAcrossFileSystemsCopies)
{
    const fs::path anderes = "/dev/shm";
    if (!fs::is_directory(anderes) || fs::space(anderes).available < 1'000'000)
        GTEST_SKIP() << "no second file system at /dev/shm";
    RasterSlot von = pattern("quelle.bmp", 8, 8);
    RasterSlot nach;
    nach.pfad = (anderes / ("lumivex-test-" + std::to_string(::getpid()) + ".bmp")).string();
    ASSERT_EQ(RasterTeilen(t.files, von, nach), Dateiergebnis::Ok);
    EXPECT_TRUE(sameImage(nach.pfad, von.pfad));
    EXPECT_EQ(fs::hard_link_count(von.pfad), 1u);
    RasterSlot zurueck = slot("zurueck.bmp", 0, 0);
    nach.breite = nach.hoehe = 8;
    RasterKopieren(ctx, nach, zurueck);
    EXPECT_TRUE(sameImage(zurueck.pfad, von.pfad));
    EXPECT_EQ(fs::hard_link_count(nach.pfad), 1u);
    fs::remove(nach.pfad);
}

TEST(Helfer, EveryItemRunsOnceOnEitherThread)
{
    Helfer helfer;
    for (int64_t count : {0, 1, 2, 7, 100, 1000}) {
        SCOPED_TRACE(testing::Message() << "count " << count);
        std::vector<std::atomic<int>> runs(static_cast<size_t>(count));
        std::atomic<int> falscherThread{0};
        bool besides = false;
        helfer.teilen(
            count,
            [&](int64_t i, int thread) {
                ++runs[static_cast<size_t>(i)];
                if (thread != 0 && thread != 1)
                    ++falscherThread;
            },
            [&] { besides = true; });
        EXPECT_TRUE(besides);
        EXPECT_EQ(falscherThread, 0);
        for (const auto& r : runs)
            EXPECT_EQ(r, 1) << count;
    }
}

TEST(Helfer, AFailureBesidesTheWorkLeavesNoItemRunning)
{
    Helfer helfer;
    std::atomic<int> laufend{0};
    EXPECT_THROW(helfer.teilen(
                     50,
                     [&](int64_t, int) {
                         ++laufend;
                         std::this_thread::sleep_for(std::chrono::microseconds(200));
                         --laufend;
                     },
                     [] { throw Abbruch{}; }),
                 Abbruch);
    EXPECT_EQ(laufend, 0);
    // The helper takes the next job as before.
    std::atomic<int> summe{0};
    helfer.teilen(10, [&](int64_t i, int) { summe += static_cast<int>(i); }, [] {});
    EXPECT_EQ(summe, 45);
}

TEST(Helfer, BatchesAreReadAndWrittenInOrderAfterTheirRows)
{
    for (int32_t hoehe : {0, 1, 5, 32, 33, 100}) {
        std::vector<int32_t> gelesen, geschrieben;
        std::vector<std::atomic<int>> berechnet(static_cast<size_t>(hoehe));
        std::atomic<int32_t> gelesenBis{0};
        std::atomic<bool> zuFrueh{false};
        inBatches(
            hoehe, 8,
            [&](int32_t y0, int32_t anzahl, int) {
                for (int32_t i = 0; i < anzahl; ++i)
                    gelesen.push_back(y0 + i);
                gelesenBis = y0 + anzahl;
            },
            [&](int32_t y, int, int32_t) {
                if (y >= gelesenBis)
                    zuFrueh = true;
                ++berechnet[static_cast<size_t>(y)];
            },
            [&](int32_t y0, int32_t anzahl, int) {
                for (int32_t i = 0; i < anzahl; ++i) {
                    if (berechnet[static_cast<size_t>(y0 + i)] != 1)
                        zuFrueh = true;
                    geschrieben.push_back(y0 + i);
                }
            });
        std::vector<int32_t> alle(static_cast<size_t>(hoehe));
        std::iota(alle.begin(), alle.end(), 0);
        EXPECT_EQ(gelesen, alle) << hoehe;
        EXPECT_EQ(geschrieben, alle) << hoehe;
        EXPECT_FALSE(zuFrueh) << hoehe;
    }
}
