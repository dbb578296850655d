// Faults injected through the files interface: every write of a render or of
// a batch folder fails once (an I/O error) or the disk fills up there for
// good. Each run must end with its message, report failure, leave the previous
// output as it was (or whole) and no file of its own beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>

#include "commands/Batch.h"
#include "commands/Bilder.h"
#include "commands/Projekt.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/Muster.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct Lauf {
    bool ok = false;
    std::vector<std::string> meldungen;
    int schreibvorgaenge = 0;
    bool ausgabeGescheitert = false;  // the failed write was one of the output file
    bool waehrendLaden = false;       // it happened before the first computation
};

struct FaultTest : ::testing::Test {
    TestServices t;
    fs::path ordner = t.files.tempFolder() / "arbeit";
    fs::path projekt = ordner / "p.lvx";
    const Bytes alt{'a', 'l', 't'};

    void SetUp() override
    {
        fs::create_directory(ordner);
        const auto muster = [](int x, int y, uint8_t bgr[3]) { musterRgb(x, y, bgr); };
        writeBmp(ordner / "a.bmp", 20, 16, muster);
        writeBytes(ordner / "b.jpg", besondereJpeg(JCS_RGB, false, 18, 16));
        ProjektDaten d;
        d.bilder.resize(2);
        d.bilder[0].pfad = "a.bmp";
        d.bilder[1].pfad = "b.jpg";
        d.bilder[1].dx = 1.5;
        d.comboB = 1;
        d.lpi = 20;
        d.breite = 3;
        d.lcdGroesse = 7;
        d.lcdX = 24;
        d.lcdY = 20;
        writeBytes(projekt, ProjektKodieren(d));
    }

    // Renders with the k-th write failing (k = 0: none), and with every later
    // one too when dauerhaft.
    Lauf rendern(int32_t modus, const std::string& format, const fs::path& ausgabe, int k, int fehler, bool dauerhaft)
    {
        Programm p(t.services());
        t.messages.lines.clear();
        Lauf lauf;
        t.files.writeHook = [&](const fs::path& datei, int64_t, size_t) {
            const int n = ++lauf.schreibvorgaenge;
            if (k == 0 || n < k || (n > k && !dauerhaft))
                return 0;
            if (n == k) {
                lauf.ausgabeGescheitert = datei.parent_path() == ordner;
                lauf.waehrendLaden = !p.ctx.state.busy;
            }
            return fehler;
        };
        // As the render command does: the run's files are deleted next, so the result's raster may become the output.
        lauf.ok = ErgebnisBerechnen(p, projekt.string(), modus)
            && BildspeichernUnter(p, 0, SlotFarbErgebnis, ausgabe.string(), format, true);
        t.files.writeHook = nullptr;
        lauf.meldungen = t.messages.lines;
        p.DateienLoeschen();
        return lauf;
    }

    int ladeSchreibvorgaenge()
    {
        Programm p(t.services());
        int n = 0;
        t.files.writeHook = [&](const fs::path&, int64_t, size_t) { return ++n, 0; };
        EXPECT_TRUE(OeffnenAllgemein(p, projekt.string()));
        t.files.writeHook = nullptr;
        p.DateienLoeschen();
        return n;
    }

    std::vector<fs::path> dateien(const fs::path& wo)
    {
        std::vector<fs::path> liste;
        for (const auto& e : fs::directory_iterator(wo))
            liste.push_back(e.path().filename());
        std::sort(liste.begin(), liste.end());
        return liste;
    }
};

}

namespace {

const std::string Allgemein = "Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!";
const std::string Erzeugen = "Fehler: Fehler beim Erzeugen der neuen Datei!";
const std::string Laufwerk = "Fehler: Zu wenig Speicher auf Laufwerk /daten: !";
const std::string Festplatte = "Fehler: Zu wenig Festplattenspeicher!";
const std::string NichtGeladen = "Information: Das Projekt wird nicht geladen!";

// The messages without the line that names the file.
std::vector<std::string> ersteZeilen(const std::vector<std::string>& meldungen)
{
    std::vector<std::string> m;
    for (const std::string& z : meldungen)
        m.push_back(z.substr(0, z.find('\n')));
    return m;
}

// What the user is told for a fault at a write: the writer's message for the
// output, naming it; while an image loads, the loader's messages; while
// computing, one message, which for a full disk is the disk's own.
void meldungenPruefen(const Lauf& lauf, bool voll, const std::string& speicherfehler, const fs::path& ausgabe)
{
    const std::vector<std::string> m = ersteZeilen(lauf.meldungen);
    if (lauf.ausgabeGescheitert) {
        EXPECT_EQ(lauf.meldungen, std::vector<std::string>{speicherfehler + "\n" + ausgabe.string()});
    } else if (voll) {
        // A full disk stays full: after a computation the next image's load is refused too.
        ASSERT_FALSE(m.empty());
        EXPECT_TRUE(m[0] == Laufwerk || m[0] == Festplatte) << m[0];
        for (const std::string& z : m)
            EXPECT_TRUE(z == Laufwerk || z == Festplatte || z == NichtGeladen) << z;
        if (lauf.waehrendLaden) {
            ASSERT_GE(m.size(), 2u);
            EXPECT_EQ(std::vector<std::string>(m.end() - 2, m.end()), (std::vector<std::string>{Festplatte, NichtGeladen}));
        }
    } else if (lauf.waehrendLaden) {
        // The reader's own message, when it has one, comes first.
        ASSERT_GE(m.size(), 2u);
        EXPECT_LE(m.size(), 3u);
        EXPECT_EQ(m[m.size() - 2], "Fehler: Fehler beim Laden der Bild-Datei!");
        EXPECT_EQ(m.back(), NichtGeladen);
    } else {
        ASSERT_EQ(m.size(), 1u);
        EXPECT_TRUE(m[0] == Allgemein || m[0] == Erzeugen) << m[0];
    }
}

}

TEST_F(FaultTest, EveryWriteOfARenderFailsCleanly)
{
    struct Fall {
        int32_t modus;
        const char* format;
        const char* endung;
        const char* meldung;
    };
    // Loading the project writes the same in every case: only the first case fails each of its writes.
    int erster = 1;
    for (const Fall& f : {Fall{2, "BMP", "bmp", "Fehler beim Speichern der Datei!"},
                          Fall{1, "JPG", "jpg", "Fehler beim Speichern der JPG-Datei!"},
                          Fall{3, "TIF", "tif", "Fehler beim Speichern der TIF-Datei!"},
                          Fall{4, "TIF_CMYK", "tif", "Fehler beim Speichern der TIF-Datei!"},
                          Fall{5, "TGA", "tga", "Fehler beim Speichern der Datei!"},
                          Fall{6, "MPO", "mpo", "Fehler beim Speichern der Datei!"}}) {
        SCOPED_TRACE(f.format);
        const fs::path ausgabe = ordner / (std::string("r.") + f.endung);
        fs::remove(ausgabe);
        const Lauf gut = rendern(f.modus, f.format, ausgabe, 0, 0, false);
        ASSERT_TRUE(gut.ok) << testing::PrintToString(gut.meldungen);
        ASSERT_TRUE(gut.meldungen.empty()) << testing::PrintToString(gut.meldungen);
        writeBytes(ausgabe, alt);
        const auto vorher = dateien(ordner);
        for (int k = erster; k <= gut.schreibvorgaenge; ++k) {
            for (const auto& [fehler, voll] : {std::pair{EIO, false}, std::pair{ENOSPC, true}}) {
                SCOPED_TRACE(testing::Message() << "write " << k << (voll ? ", disk full" : " fails"));
                const Lauf lauf = rendern(f.modus, f.format, ausgabe, k, fehler, voll);
                EXPECT_FALSE(lauf.ok);
                meldungenPruefen(lauf, voll, std::string("Fehler: ") + f.meldung, ausgabe);
                EXPECT_EQ(readFile(ausgabe), alt);
                EXPECT_EQ(dateien(ordner), vorher);
            }
        }
        erster = ladeSchreibvorgaenge() + 1;
    }
}

namespace {

struct BatchFaultTest : ::testing::Test {
    TestServices t;
    fs::path quelle = t.files.tempFolder() / "quelle";
    fs::path ziel = t.files.tempFolder() / "ziel";
    const Bytes alt{'a', 'l', 't'};

    void SetUp() override
    {
        const Muster muster(96, 72);
        fs::create_directories(quelle / "serie");
        for (const auto& [name, dx] : {std::pair{"a.bmp", 0.0}, std::pair{"b.bmp", 5.0}}) {
            const Bitmap24 b = muster.zeichnen(96, 72, dx, 0.0);
            writeBmp(quelle / "serie" / name, 96, 72, [&](int x, int y, uint8_t px[3]) {
                std::copy_n(b.zeile(y) + 3 * x, 3, px);
            });
        }
    }

    // Runs the batch with the k-th write failing (k = 0: none), and every
    // later one too when dauerhaft; counts the writes in anzahl.
    bool laufen(int k, int fehler, bool dauerhaft, int& anzahl)
    {
        Programm p(t.services());
        p.batch.quelle = quelle.string();
        p.batch.ziel = ziel.string();
        p.batch.muster = "*.BMP";
        p.batch.ueberschreiben = true;
        t.messages.lines.clear();
        anzahl = 0;
        t.files.writeHook = [&](const fs::path&, int64_t, size_t) {
            const int n = ++anzahl;
            return k == 0 || n < k || (n > k && !dauerhaft) ? 0 : fehler;
        };
        Batch1ButtonClick(p);
        const bool ok = BatchStartBitBtnClick(p);
        t.files.writeHook = nullptr;
        p.DateienLoeschen();
        return ok;
    }

    std::map<std::string, Bytes> ausgaben() const
    {
        std::map<std::string, Bytes> dateien;
        for (const auto& e : fs::recursive_directory_iterator(ziel))
            if (e.is_regular_file())
                dateien[fs::relative(e.path(), ziel).string()] = readFile(e.path());
        return dateien;
    }
};

}

// A failed write or a full disk at any write of a batch folder: the run says
// so and counts as failed (the command ends with 1), every output is either
// the file that was there before or whole, and no temporary file is left.
TEST_F(BatchFaultTest, EveryWriteOfABatchFolderFailsCleanly)
{
    int anzahl = 0;
    ASSERT_TRUE(laufen(0, 0, false, anzahl));
    ASSERT_TRUE(t.messages.lines.empty()) << testing::PrintToString(t.messages.lines);
    const auto gut = ausgaben();
    ASSERT_EQ(gut.size(), 7u);
    for (const auto& [name, bytes] : gut)
        writeBytes(ziel / name, alt);
    // The first writes one by one, then every eleventh: the run has hundreds
    // of row writes, and every step of it is still met.
    for (int k = 1; k <= anzahl; k += k < 32 ? 1 : 11) {
        for (const auto& [fehler, voll] : {std::pair{EIO, false}, std::pair{ENOSPC, true}}) {
            SCOPED_TRACE(testing::Message() << "write " << k << (voll ? ", disk full" : " fails"));
            int n = 0;
            const bool ok = laufen(k, fehler, voll, n);
            EXPECT_FALSE(ok && t.messages.lines.empty());
            ASSERT_FALSE(t.messages.lines.empty());
            EXPECT_TRUE(t.messages.lines[0].starts_with("Fehler: ")) << t.messages.lines[0];
            const auto danach = ausgaben();
            EXPECT_EQ(danach.size(), gut.size());
            for (const auto& [name, bytes] : danach)
                EXPECT_TRUE(bytes == alt || bytes == gut.at(name)) << name << testing::PrintToString(t.messages.lines);
            for (const auto& [name, bytes] : gut)
                writeBytes(ziel / name, alt);
        }
    }
}
