#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "commands/Projekt.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// Writes only the first `limit` bytes of any file, as a full disk or a crash would.
class BrokenFiles : public TestFiles {
public:
    size_t limit = 0;
    bool writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) const override
    {
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(limit));
        TestFiles::writeFile(path, part);
        return false;
    }
};

struct ProjektTest : ::testing::Test {
    TestServices t;
    Programm p{t.services()};
    fs::path datei = t.files.tempFolder() / "projekt.lvx";
};

}

TEST_F(ProjektTest, SaveWritesTheCurrentWork)
{
    p.bilder.anzahl = 1;
    p.bilder.bild[1].slot[SlotQuelle].pfad = "/fotos/a.jpg";
    p.bilder.bild[1].dx = 2.5;
    p.ctx.state.modified = true;
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, datei.string()));
    EXPECT_EQ(p.ctx.state.projectFile, datei.string());
    EXPECT_FALSE(p.ctx.state.modified);
    EXPECT_FALSE(p.ctx.state.busy);
    EXPECT_EQ(fs::file_size(datei), 540u + 580);
    EXPECT_EQ(fs::directory_iterator(t.files.tempFolder())->path(), datei);  // no temporary file left
}

TEST_F(ProjektTest, SaveWithoutFileNameDoesNothing)
{
    EXPECT_FALSE(MenuProjektSpeichernClick(p));
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(ProjektTest, ReadOnlyFileIsRefused)
{
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, datei.string()));
    ::chmod(datei.c_str(), 0444);
    EXPECT_FALSE(MenuProjektSpeichernUnterClick(p, datei.string()));
    EXPECT_EQ(t.messages.lines.back(), "Information: Datei ist schreibgeschützt, keine Speicherung möglich!");
}

TEST(ProjektSpeichern, InterruptedSaveNeverDamagesThePreviousProject)
{
    RecordingMessages messages;
    ScriptedEvents events;
    BrokenFiles files;
    CountingDisplay display;
    FakePrinters printers;
    Programm p(Services{messages, events, files, display, printers});
    const fs::path datei = files.tempFolder() / "alt.lvx";
    const std::vector<uint8_t> alt(700, 0x42);
    ASSERT_TRUE(files.TestFiles::writeFile(datei, alt));
    p.ctx.state.projectFile = datei.string();
    p.bilder.anzahl = 1;
    for (size_t k = 0; k < 540 + 580; k += 7) {
        files.limit = k;
        p.ctx.state.modified = true;
        EXPECT_FALSE(MenuProjektSpeichernClick(p));
        EXPECT_EQ(readFile(datei), alt) << k;
        EXPECT_TRUE(p.ctx.state.modified);
        EXPECT_EQ(std::distance(fs::directory_iterator(files.tempFolder()), fs::directory_iterator()), 1) << k;
    }
    EXPECT_EQ(messages.lines.back(), "Fehler: Fehler beim Speichern der Datei!");
}

TEST_F(ProjektTest, SettingsSurviveSaveAndLoad)
{
    p.compose.lpi = 75.5;
    p.compose.Linsenrichtung = 1;
    p.compose.LinseInvers = true;
    p.compose.Hintergrundfarbe = {10, 20, 30};
    p.compose.anaglyphSchema = 4;
    p.compose.anaglyphFarbModus = 1;
    p.compose.C1 = 33;
    p.compose.stereo.xr = 140;
    p.compose.stereo.vorlage = false;
    p.compose.streifen.richtung = 1;
    p.compose.dpiAuto = false;
    p.compose.biKubMethode = 2;
    p.druck.einheitCm = false;
    p.druck.breiteGesetzt = 6.5;
    p.druck.seitenverkehrt = true;
    p.farbe.gamma = -20;
    p.farbe.hell = 15;
    p.auswahl.vorschau = VorschauAnaglyph;
    ProjektDaten gelesen;
    ASSERT_EQ(ProjektDekodieren(ProjektKodieren(ProjektAusProgramm(p)), ProjektDaten{}, gelesen),
              ProjektFehler::Keiner);

    TestServices t2;
    Programm q(t2.services());
    ProjektEinstellungenAnwenden(q, gelesen);
    EXPECT_EQ(q.compose.lpi, 75.5);
    EXPECT_EQ(q.compose.Linsenrichtung, 1);
    EXPECT_TRUE(q.compose.LinseInvers);
    EXPECT_EQ(q.compose.Hintergrundfarbe, (Farbe{10, 20, 30}));
    EXPECT_EQ(q.compose.anaglyphSchema, 4);
    EXPECT_EQ(q.compose.anaglyphFarbModus, 1);
    EXPECT_EQ(q.compose.C1, 33);
    EXPECT_EQ(q.compose.stereo.xr, 140);
    EXPECT_FALSE(q.compose.stereo.vorlage);
    EXPECT_EQ(q.compose.streifen.richtung, 1);
    EXPECT_FALSE(q.compose.dpiAuto);
    EXPECT_EQ(q.compose.biKubMethode, 2);
    EXPECT_FALSE(q.druck.einheitCm);
    EXPECT_EQ(q.druck.breiteGesetzt, 6.5);
    EXPECT_EQ(q.druck.breite, 6.5);
    EXPECT_TRUE(q.druck.seitenverkehrt);
    EXPECT_EQ(q.farbe.gamma, -20);
    EXPECT_EQ(q.farbe.hell, 15);
    EXPECT_EQ(q.auswahl.vorschau, VorschauAnaglyph);
}

TEST_F(ProjektTest, OldAnaglyphValuesAreConverted)
{
    struct Fall {
        int32_t version, art, schema, vorschau;
        int32_t artNeu, schemaNeu, vorschauNeu, c;
    };
    const Fall faelle[] = {
        {103, 1, 2, 2, 1, 2, 2, 100},  {1031, 1, 2, 3, 1, 2, 3, 100}, {103, 1, 2, 4, 1, 0, 3, 0},
        {103, 1, 2, 5, 1, 2, 5, 100},  {200, 0, 2, 3, 1, 2, 3, 100},  {200, 2, 2, 3, 3, 2, 3, 100},
        {300, 4, 2, 3, 2, 0, 3, 0},    {104, 5, 2, 4, 3, 0, 5, 0},    {200, 1, 2, 4, 2, 2, 4, 100},
        {320, 6, 1, 3, 6, 2, 3, 100},  {401, 6, 1, 3, 6, 1, 3, 40},
    };
    for (const Fall& f : faelle) {
        ProjektDaten d;
        d.version = f.version;
        d.anaglyphArt = f.art;
        d.anaglyphSchema = f.schema;
        d.vorschau = f.vorschau;
        d.c = {40, 40, 40};
        ProjektEinstellungenAnwenden(p, d);
        EXPECT_EQ(p.compose.anaglyphSchema, f.artNeu) << f.version << " " << f.art;
        EXPECT_EQ(p.compose.anaglyphFarbModus, f.schemaNeu) << f.version << " " << f.art;
        EXPECT_EQ(p.auswahl.vorschau, f.vorschauNeu) << f.version << " " << f.vorschau;
        EXPECT_EQ(p.compose.C2, f.c) << f.version;
    }
}

TEST_F(ProjektTest, OldColourAndUnitValuesAreConverted)
{
    ProjektDaten d;
    d.version = 200;
    d.hell = 60;
    d.kontrast = 25;
    ProjektEinstellungenAnwenden(p, d);
    EXPECT_EQ(p.farbe.hell, 20);
    EXPECT_EQ(p.farbe.kontrast, -50);
    d.version = 300;
    ProjektEinstellungenAnwenden(p, d);
    EXPECT_EQ(p.farbe.hell, 60);
    EXPECT_EQ(p.farbe.kontrast, 25);
    EXPECT_TRUE(p.druck.einheitCm);
    d.version = 1031;
    ProjektEinstellungenAnwenden(p, d);
    EXPECT_FALSE(p.druck.einheitCm);
    EXPECT_EQ(p.farbe.hell, 20);
    EXPECT_EQ(p.farbe.kontrast, 25);
}

TEST_F(ProjektTest, ImagesLAndRAreClampedToTheImages)
{
    ProjektDaten d;
    d.comboA = 5;
    d.comboB = -1;
    d.listenAuswahl = 1;
    ProjektEinstellungenAnwenden(p, d);
    EXPECT_EQ(p.auswahl.bildL, 0);
    EXPECT_EQ(p.auswahl.listenZeile, 0);
    p.bilder.anzahl = 3;
    ProjektEinstellungenAnwenden(p, d);
    EXPECT_EQ(p.auswahl.bildL, 3);
    EXPECT_EQ(p.auswahl.bildR, 1);
    EXPECT_EQ(p.auswahl.listenZeile, 2);
}
