#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>

#include "align/Referenzpunkt.h"
#include "commands/Bilder.h"
#include "commands/Projekt.h"
#include "imageio/Mpo.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct ProjektTest : Programmumgebung {
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

TEST_F(ProjektTest, AFailedSaveNeverDamagesThePreviousProject)
{
    const Bytes alt(700, 0x42);
    writeBytes(datei, alt);
    p.ctx.state.projectFile = datei.string();
    p.bilder.anzahl = 1;
    for (const int fehler : {ENOSPC, EIO, EDQUOT}) {
        SCOPED_TRACE(fehler);
        int schreibvorgaenge = 0;
        t.files.writeHook = [&](const fs::path&, int64_t, size_t) {
            ++schreibvorgaenge;
            return fehler;
        };
        t.messages.lines.clear();
        p.ctx.state.modified = true;
        EXPECT_FALSE(MenuProjektSpeichernClick(p));
        EXPECT_EQ(schreibvorgaenge, 1);
        EXPECT_EQ(readFile(datei), alt);
        EXPECT_TRUE(p.ctx.state.modified);
        EXPECT_FALSE(p.ctx.state.busy);
        EXPECT_EQ(std::distance(fs::directory_iterator(t.files.tempFolder()), fs::directory_iterator()), 1);
        // The file stays writable: the second line names it without a reason.
        EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Fehler: Fehler beim Speichern der Datei!\n" + datei.string()});
    }
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

namespace {

// A project folder with small BMP images; pixel (x, y) of image k is (k, x, y).
struct OeffnenTest : Programmumgebung {
    fs::path ordner = t.files.tempFolder() / "projekt";
    // Another program instance, which opens what this one saved.
    TestServices t2;
    Programm q{t2.services()};

    OeffnenTest()
    {
        fs::create_directory(ordner);
        p.ansicht.boxBreite = 200;
        p.ansicht.boxHoehe = 150;
    }
    std::string bild(int k, int w = 40, int h = 30)
    {
        const fs::path datei = ordner / ("bild" + std::to_string(k) + ".bmp");
        writeBmp(datei, w, h, [k](int x, int y, uint8_t px[3]) {
            px[0] = static_cast<uint8_t>(k);
            px[1] = static_cast<uint8_t>(x);
            px[2] = static_cast<uint8_t>(y);
        });
        return datei.string();
    }
    std::string projekt(const ProjektDaten& d, const std::string& name = "p.lvx")
    {
        const fs::path datei = ordner / name;
        writeBytes(datei, ProjektKodieren(d));
        return datei.string();
    }
    ProjektBild eintrag(const std::string& pfad)
    {
        ProjektBild b;
        b.pfad = pfad;
        b.breite = 40;
        b.hoehe = 30;
        return b;
    }
    // The message, the file it concerns (with the system's reason), then that nothing was loaded.
    std::vector<std::string> nichtGeladen(Sprache::MeldungNr meldung, const std::string& datei)
    {
        return {std::string("Fehler: ") + Sprache::Meldung(meldung) + "\n" + datei,
                "Information: Das Projekt wird nicht geladen!"};
    }
};

}

TEST_F(OeffnenTest, EmptyProjectLeavesTheImageSetEmpty)
{
    const std::string datei = projekt(ProjektDaten{});
    EXPECT_EQ(fs::file_size(datei), 540u);
    ASSERT_TRUE(OeffnenAllgemein(p, datei));
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_EQ(p.ctx.state.projectFile, datei);
    EXPECT_FALSE(p.ctx.state.modified);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(OeffnenTest, SavedWorkComesBackWhole)
{
    ProjektDaten d;
    d.bilder = {eintrag(bild(1)), eintrag(bild(2)), eintrag(bild(3))};
    d.bilder[1].dx = 2.0;
    d.bilder[1].spiegelX = true;
    d.bilder[2].refX = 7;
    d.bilder[2].istReferenzbild = true;
    d.comboA = 0;
    d.comboB = 2;
    d.vorschau = VorschauBildR;
    d.lpi = 62.0;
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    ASSERT_EQ(p.bilder.anzahl, 3);
    EXPECT_EQ(p.bilder.bild[2].dx, 2.0);
    EXPECT_TRUE(p.bilder.bild[2].spiegelX);
    EXPECT_EQ(p.bilder.bild[3].refX, 7);
    EXPECT_TRUE(p.bilder.bild[3].istReferenzbild);
    EXPECT_EQ(p.bilder.bild[1].slot[SlotQuelle].name, "bild1.bmp");
    EXPECT_EQ(p.auswahl.bildL, 1);
    EXPECT_EQ(p.auswahl.bildR, 3);
    EXPECT_EQ(p.compose.lpi, 62.0);
    EXPECT_FALSE(p.ctx.state.modified);
    EXPECT_TRUE(t.messages.lines.empty());
    // The result is image 3, as the project's preview shows it.
    EXPECT_EQ(bmpPixel(readFile(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad), 5, 6),
              (Bytes{3, 5, 6}));

    // Saved again and reopened by another program instance, it is the same project.
    const std::string zweite = (ordner / "zweite.lvx").string();
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, zweite));
    ASSERT_TRUE(OeffnenAllgemein(q, zweite));
    EXPECT_EQ(ProjektKodieren(ProjektAusProgramm(q)), readFile(zweite));
}

TEST_F(OeffnenTest, MovedProjectFindsItsImagesBesideIt)
{
    ProjektDaten d;
    bild(1);
    d.bilder = {eintrag("/nirgendwo/alt/bild1.bmp"), eintrag("C:\\Fotos\\bild2.bmp")};
    bild(2);
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    EXPECT_EQ(p.bilder.anzahl, 2);
    EXPECT_EQ(p.bilder.bild[1].slot[SlotQuelle].pfad, (ordner / "bild1.bmp").string());
    EXPECT_EQ(p.bilder.bild[2].slot[SlotQuelle].pfad, (ordner / "bild2.bmp").string());
}

TEST_F(OeffnenTest, FailuresBeforeLoadingChangeNothing)
{
    ProjektDaten vorher;
    vorher.bilder = {eintrag(bild(1))};
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(vorher, "vorher.lvx")));
    const std::string vorherName = p.ctx.state.projectFile;

    auto b = ProjektKodieren(ProjektDaten{});
    b[0] = 0x59;
    b[1] = 0x02;  // 601
    writeBytes(ordner / "neu.lvx", b);
    ProjektDaten fehlt;
    fehlt.bilder = {eintrag(bild(2)), eintrag((ordner / "weg.bmp").string())};
    const std::string fehltDatei = projekt(fehlt, "fehlt.lvx");
    auto kurz = ProjektKodieren(fehlt);
    kurz.resize(kurz.size() - 3);
    writeBytes(ordner / "kurz.lvx", kurz);

    const std::string fehltNicht = ": Datei oder Verzeichnis nicht gefunden";
    const std::tuple<std::string, Sprache::MeldungNr, std::string> faelle[] = {
        {(ordner / "neu.lvx").string(), Sprache::MeldungNr::FalscheProjektdatei, (ordner / "neu.lvx").string()},
        {(ordner / "kurz.lvx").string(), Sprache::MeldungNr::ProjektLadeFehler, (ordner / "kurz.lvx").string()},
        {fehltDatei, Sprache::MeldungNr::BilddateiNichtGefunden, (ordner / "weg.bmp").string() + fehltNicht},
        {(ordner / "gibtsnicht.lvx").string(), Sprache::MeldungNr::DateiNichtGeoeffnet,
         (ordner / "gibtsnicht.lvx").string() + fehltNicht}};
    for (const auto& [datei, meldung, zeile2] : faelle) {
        t.messages.lines.clear();
        EXPECT_FALSE(OeffnenAllgemein(p, datei));
        EXPECT_EQ(t.messages.lines, nichtGeladen(meldung, zeile2)) << datei;
        EXPECT_EQ(p.bilder.anzahl, 1);
        EXPECT_EQ(p.bilder.bild[1].slot[SlotQuelle].name, "bild1.bmp");
        EXPECT_EQ(p.ctx.state.projectFile, vorherName);
        EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
        EXPECT_FALSE(p.ctx.state.busy);
    }
}

// Values of controls with a range are brought into it, as the control would.
TEST_F(OeffnenTest, ControlValuesOutOfRangeAreClamped)
{
    ProjektDaten d;
    d.bilder = {eintrag(bild(1))};
    d.saettigung = INT32_MAX;
    d.hell = INT32_MIN;
    d.c = {-5, 100, INT32_MAX};
    d.pixelProLinse = 5000;
    d.lcdGroesse = 7;
    d.lcdX = INT32_MAX;
    d.lcdY = -1;
    d.viewerVorlage = false;
    d.viewerFrei = true;
    d.viewer = {1e300, -1e300, 20, 0, 60, 30, 1e300};
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_EQ(p.farbe.saettigung, 100);
    EXPECT_EQ(p.farbe.hell, -100);
    EXPECT_EQ(p.compose.PixelProBildProLinse, 1000);
    EXPECT_EQ(p.compose.streifen.breite, 100000);
    EXPECT_EQ(p.compose.streifen.hoehe, 0);
    EXPECT_EQ(p.compose.stereo.xd, 9999);
    EXPECT_EQ(p.compose.stereo.yd, 0);
    EXPECT_EQ(p.compose.stereo.linienBreite, 9);
}

// A list item that does not exist, or a number that is not finite or that no
// picture or print can have, refuses the whole project as a damaged file.
TEST_F(OeffnenTest, ValuesNoPictureCanHaveRefuseTheProject)
{
    ProjektDaten vorher;
    vorher.bilder = {eintrag(bild(1))};
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(vorher, "vorher.lvx")));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, std::function<void(ProjektDaten&)>> faelle[] = {
        {"dx NaN", [&](ProjektDaten& d) { d.bilder[0].dx = nan; }},
        {"dx unendlich", [&](ProjektDaten& d) { d.bilder[0].dx = -inf; }},
        {"dy 1e300", [](ProjektDaten& d) { d.bilder[0].dy = 1e300; }},
        {"Drehung NaN", [&](ProjektDaten& d) { d.bilder[0].rot = nan; }},
        {"Drehung unendlich", [&](ProjektDaten& d) { d.bilder[0].rot = inf; }},
        {"Skalierung 0", [](ProjektDaten& d) { d.bilder[0].skal = 0; }},
        {"Skalierung negativ", [](ProjektDaten& d) { d.bilder[0].skal = -1; }},
        {"Skalierung 1e300", [](ProjektDaten& d) { d.bilder[0].skal = 1e300; }},
        {"lpi NaN", [&](ProjektDaten& d) { d.lpi = nan; }},
        {"Breite unendlich", [&](ProjektDaten& d) { d.breite = inf; }},
        {"Rand negativ", [](ProjektDaten& d) { d.randX = -1; }},
        {"Betrachter NaN", [&](ProjektDaten& d) { d.viewer[2] = nan; }},
        {"Vorschau 7", [](ProjektDaten& d) { d.vorschau = 7; }},
        {"Liste", [](ProjektDaten& d) { d.listenAuswahl = INT32_MAX; }},
        {"Bild L", [](ProjektDaten& d) { d.comboA = MaxBilder; }},
        {"Bild R", [](ProjektDaten& d) { d.comboB = -2; }},
        {"bikubisch", [](ProjektDaten& d) { d.biKubIndex = 2; }},
        {"Anaglyph", [](ProjektDaten& d) { d.anaglyphArt = 7; }},
        {"dpi", [](ProjektDaten& d) { d.dpiIndex = INT32_MIN; }},
        {"Streifengroesse", [](ProjektDaten& d) { d.lcdGroesse = 8; }},
    };
    for (const auto& [name, aendern] : faelle) {
        SCOPED_TRACE(name);
        ProjektDaten d;
        d.bilder = {eintrag(bild(2))};
        aendern(d);
        const std::string datei = projekt(d, "falsch.lvx");
        t.messages.lines.clear();
        EXPECT_FALSE(OeffnenAllgemein(p, datei));
        EXPECT_EQ(t.messages.lines, nichtGeladen(Sprache::MeldungNr::ProjektLadeFehler, datei));
        EXPECT_EQ(p.bilder.anzahl, 1);
        EXPECT_EQ(p.bilder.bild[1].slot[SlotQuelle].name, "bild1.bmp");
        // A template is refused alike.
        t.messages.lines.clear();
        EXPECT_FALSE(Projekteinstellungen_Laden(p, datei));
        EXPECT_EQ(t.messages.lines,
                  std::vector<std::string>{"Fehler: Fehler beim Laden der Projekt-Datei!\n" + datei});
    }
}

// A temporary folder too small for an image's working copy: the disk-space
// message naming the image, never that of a damaged image.
TEST_F(OeffnenTest, ATemporaryFolderTooSmallSaysSo)
{
    ProjektDaten d;
    const std::string datei = bild(1);
    d.bilder = {eintrag(datei)};
    t.files.fixedFreeSpace = 1000;
    EXPECT_FALSE(OeffnenAllgemein(p, projekt(d)));
    const std::vector<std::string> erwartet = {"Fehler: Zu wenig Festplattenspeicher!\n" + datei,
                                               "Information: Das Projekt wird nicht geladen!"};
    EXPECT_EQ(t.messages.lines, erwartet);
    EXPECT_EQ(p.bilder.anzahl, 0);
}

TEST_F(OeffnenTest, AnImageThatCannotBeLoadedEmptiesTheSet)
{
    ProjektDaten d;
    d.bilder = {eintrag(bild(1)), eintrag(bild(2))};
    writeBytes(ordner / "bild2.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_FALSE(OeffnenAllgemein(p, projekt(d)));
    EXPECT_EQ(p.bilder.anzahl, 0);
    ASSERT_GE(t.messages.lines.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(t.messages.lines.end() - 2, t.messages.lines.end()),
              nichtGeladen(Sprache::MeldungNr::BildLadeFehler, (ordner / "bild2.bmp").string()));
    // No working copy of the first image is left behind.
    for (const auto& f : fs::directory_iterator(t.files.tempFolder()))
        EXPECT_FALSE(f.path().filename().string().rfind("~$", 0) == 0 && f.path().string().find("_1_") != std::string::npos)
            << f.path();
}

// A project stores the size choice and the sizes shown beside it; the choice
// decides, and the stored sizes count only for a free choice (or the preview
// area when there is no window).
TEST_F(OeffnenTest, TheStripeSizeChoiceDecidesTheStripeSize)
{
    ProjektDaten d;
    d.bilder = {eintrag(bild(1, 64, 48)), eintrag(bild(2, 64, 48))};
    d.comboA = 1;
    d.comboB = 0;
    d.vorschau = VorschauStreifen;
    struct Fall {
        int32_t wahl;
        int32_t breite, hoehe;
        int32_t boxBreite;
    };
    for (const Fall& f : {Fall{3, 640, 480, 200}, Fall{4, 800, 600, 200}, Fall{5, 1024, 768, 200},
                          Fall{0, 64, 48, 200}, Fall{2, 200, 150, 200}, Fall{2, 500, 500, 0}, Fall{7, 500, 500, 200}}) {
        SCOPED_TRACE(f.wahl);
        d.lcdGroesse = f.wahl;
        p.ansicht.boxBreite = f.boxBreite;
        p.ansicht.boxHoehe = f.boxBreite == 0 ? 0 : 150;
        ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
        EXPECT_EQ(p.compose.streifen.groesse, f.wahl);
        EXPECT_EQ(p.compose.streifen.breite, f.breite);
        EXPECT_EQ(p.compose.streifen.hoehe, f.hoehe);
        const RasterSlot& ergebnis = p.bilder.ergebnis().slot[SlotFarbErgebnis];
        EXPECT_EQ(ergebnis.breite, f.breite);
        EXPECT_EQ(ergebnis.hoehe, f.hoehe);
        EXPECT_TRUE(t.messages.lines.empty());
    }
}

// An image path of more than 255 bytes is stored relative to the project's
// folder and found there again; one that does not fit even so is refused
// rather than cut.
TEST_F(OeffnenTest, LongImagePathsAreStoredRelativeOrRefused)
{
    const std::string lang(120, 'o');
    const fs::path nah = ordner / ("a" + lang) / ("b" + lang);
    const fs::path fern = t.files.tempFolder() / ("c" + lang) / ("d" + lang) / ("e" + lang);
    fs::create_directories(nah);
    fs::create_directories(fern);
    bild(1);
    fs::rename(ordner / "bild1.bmp", nah / "bild1.bmp");
    bild(2);
    fs::rename(ordner / "bild2.bmp", fern / "bild2.bmp");
    const std::string erstes = (nah / "bild1.bmp").string();
    ASSERT_GT(erstes.size(), 255u);

    Bilder_Hinzufuegen(p, {erstes});
    const std::string datei = (ordner / "lang.lvx").string();
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, datei));
    ASSERT_TRUE(OeffnenAllgemein(q, datei));
    ASSERT_EQ(q.bilder.anzahl, 1);
    EXPECT_EQ(fs::canonical(q.bilder.bild[1].slot[SlotQuelle].pfad), fs::canonical(erstes));
    EXPECT_EQ(t2.messages.lines, std::vector<std::string>{});

    Bilder_Hinzufuegen(p, {(fern / "bild2.bmp").string()});
    const Bytes vorher = readFile(datei);
    t.messages.lines.clear();
    p.ctx.state.modified = true;
    EXPECT_FALSE(MenuProjektSpeichernClick(p));
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{std::string("Fehler: ") + Sprache::BildPfadZuLang + " "
                                                         + (fern / "bild2.bmp").string()});
    EXPECT_EQ(readFile(datei), vorher);
    EXPECT_TRUE(p.ctx.state.modified);
    EXPECT_FALSE(p.ctx.state.busy);
}

TEST_F(OeffnenTest, OldVersionsNegateTheHorizontalShift)
{
    ProjektDaten d;
    d.version = 200;
    d.bilder = {eintrag(bild(1))};
    d.bilder[0].dx = 5;
    d.bilder[0].dy = 3;
    // Version 200 is read from bytes; the codec keeps what it finds and the load converts.
    const ProjektDaten gespeichert = d;
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(gespeichert)));  // written as 600: no negation
    EXPECT_EQ(p.bilder.bild[1].dx, 5.0);

    Bytes alt;
    auto i32 = [&](int32_t v) {
        for (int k = 0; k < 4; ++k)
            alt.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
    };
    auto f64 = [&](double v) {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int k = 0; k < 8; ++k)
            alt.push_back(static_cast<uint8_t>(u >> (8 * k)));
    };
    i32(200);
    i32(0);
    f64(40.0);
    i32(0);
    i32(2);
    for (double v : {0.5, 0.5, 15.0, 10.0})
        f64(v);
    i32(1);
    f64(0);
    f64(0);
    i32(0);
    i32(0);
    i32(0);
    i32(0);
    i32(0x00FFFFFF);
    i32(50);  // brightness, stored as (b + 100) / 2
    i32(50);
    i32(0);
    for (int k = 0; k < 9; ++k)
        i32(0);
    i32(0);
    for (int k = 0; k < 4; ++k)
        i32(1);
    i32(1);
    i32(0);
    for (int k = 0; k < 7; ++k)
        f64(10.0);
    i32(0);
    i32(0);
    for (int k = 0; k < 10; ++k) {
        alt.push_back(k == 0);
        alt.push_back(k == 0);
        const auto text = ProjektTextSchreiben(k == 0 ? bild(1) : "");
        alt.insert(alt.end(), text.begin(), text.end());
        i32(k == 0 ? 5 : 0);
        i32(k == 0 ? -2 : 0);
        f64(0.0);
    }
    writeBytes(ordner / "alt.lvx", alt);
    ASSERT_TRUE(OeffnenAllgemein(p, (ordner / "alt.lvx").string()));
    ASSERT_EQ(p.bilder.anzahl, 1);
    EXPECT_EQ(p.bilder.bild[1].dx, -5.0);
    EXPECT_EQ(p.bilder.bild[1].dy, -2.0);
    EXPECT_EQ(p.farbe.hell, 0);
}

TEST_F(OeffnenTest, ForeignPrinterSwitchesTheOptimisationOff)
{
    ProjektDaten d;
    d.druckOptimierung = true;
    d.dpiAuto = true;
    d.druckerIndex = 1;
    d.druckerName = "Buero";
    t.printers.list = {"PDF", "Labor"};
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    EXPECT_FALSE(p.compose.DruckOptimierung);
    EXPECT_EQ(t.messages.lines,
              (std::vector<std::string>{
                  "Fehler: Aktuelle Druckerumgebung entspricht nicht den Angaben in der Projektdatei!",
                  "Warnung: Die Linsenraster-Druckoptimierung wird deaktiviert und kann mit der aktuellen "
                  "Druckerumgebung wieder aktiviert werden."}));

    t.messages.lines.clear();
    t.printers.list = {"PDF", "Buero"};
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    EXPECT_TRUE(p.compose.DruckOptimierung);
    EXPECT_EQ(t.printers.selected, 1);
    EXPECT_TRUE(t.messages.lines.empty());
}

TEST_F(OeffnenTest, PartsOfAMultiPictureFileAreExtractedAgain)
{
    RasterSlot links;
    links.pfad = bild(1, 32, 24);
    links.breite = 32;
    links.hoehe = 24;
    RasterSlot rechts = links;
    rechts.pfad = bild(2, 32, 24);
    const std::string mpo = (ordner / "paar.mpo").string();
    ASSERT_TRUE(MPO_Schreiben(p.ctx, mpo, links, rechts));
    Bilder_Hinzufuegen(p, {mpo});
    ASSERT_EQ(p.bilder.anzahl, 2);
    const std::string datei = (ordner / "mpo.lvx").string();
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, datei));
    // The extracted parts live in the temporary folder and are gone in the next session.
    const std::string teil2 = p.bilder.bild[2].slot[SlotQuelle].pfad;
    p.DateienLoeschen();
    ASSERT_FALSE(fs::exists(teil2));

    ASSERT_TRUE(OeffnenAllgemein(q, datei)) << (t2.messages.lines.empty() ? "" : t2.messages.lines[0]);
    ASSERT_EQ(q.bilder.anzahl, 2);
    EXPECT_EQ(q.bilder.bild[2].slot[SlotQuelle].name, "paar.mpo_2.JPG");
    EXPECT_EQ(q.bilder.bild[2].slot[SlotQuelle].pfad2, mpo);
    // JPEG is lossy: the blue channel of image 2 stays near 2.
    const auto px = bmpPixel(readFile(q.bilder.bild[2].slot[SlotArbeitskopie].pfad), 16, 12);
    EXPECT_LE(px[0], 6);
}

TEST_F(OeffnenTest, ASavedProjectWithReferencePointsRendersShiftedAndMarkedAfterReopening)
{
    ProjektDaten d;
    d.bilder = {eintrag(bild(1)), eintrag(bild(2))};
    d.comboA = 0;
    d.comboB = 1;
    d.vorschau = VorschauBildR;
    ASSERT_TRUE(OeffnenAllgemein(p, projekt(d)));
    for (auto [n, punkt] : {std::pair{1, Bildpunkt{20, 15}}, std::pair{2, Bildpunkt{17, 18}}}) {
        p.auswahl.bildR = p.auswahl.listenZeile = n;
        RefPktSetzenSpeedButtonClick(p, true);
        Referenzpunkt_Setzen(p, punkt, false);
    }
    const Bytes gezeigt = readFile(p.bilder.ergebnis().slot[SlotFarbErgebnis].pfad);
    const std::string gespeichert = (ordner / "punkte.lvx").string();
    ASSERT_TRUE(MenuProjektSpeichernUnterClick(p, gespeichert));

    ASSERT_TRUE(OeffnenAllgemein(q, gespeichert));
    EXPECT_EQ(q.refInfo.referenzbild, 1);
    EXPECT_EQ(q.refInfo.x, 20);
    EXPECT_EQ(q.refInfo.y, 15);
    EXPECT_TRUE(q.bilder.bild[1].istReferenzbild);
    EXPECT_TRUE(q.bilder.bild[2].refModus);
    const Bytes ergebnis = readFile(q.bilder.ergebnis().slot[SlotFarbErgebnis].pfad);
    EXPECT_EQ(ergebnis, gezeigt);
    // Image 2 moved 3 pixels right and 3 up: result pixel (x, y) shows its pixel (x − 3, y + 3) …
    EXPECT_EQ(bmpPixel(ergebnis, 30, 5), (Bytes{2, 27, 8}));
    // … and carries the marker at the reference position.
    EXPECT_EQ(bmpPixel(ergebnis, 20, 25), (Bytes{0, 0, 0}));
    EXPECT_EQ(bmpPixel(ergebnis, 21, 25), (Bytes{255, 255, 255}));
    EXPECT_TRUE(t2.messages.lines.empty());
    EXPECT_FALSE(q.ctx.state.modified);
}

TEST_F(OeffnenTest, ATemplateGivesItsSettingsButNotItsImages)
{
    ProjektDaten d;
    d.bilder = {eintrag((ordner / "weg.bmp").string())};
    d.anaglyphArt = 4;
    d.hintergrund = 0x00102030;
    d.lpi = 60.0;
    ASSERT_TRUE(Projekteinstellungen_Laden(p, projekt(d)));
    EXPECT_EQ(p.compose.anaglyphSchema, 4);
    EXPECT_EQ(p.compose.Hintergrundfarbe, (Farbe{0x30, 0x20, 0x10}));
    EXPECT_EQ(p.compose.lpi, 60.0);
    EXPECT_EQ(p.bilder.anzahl, 0);
    EXPECT_TRUE(p.ctx.state.projectFile.empty());
    EXPECT_TRUE(t.messages.lines.empty());

    auto b = ProjektKodieren(ProjektDaten{});
    b.resize(b.size() - 3);
    writeBytes(ordner / "kurz.lvx", b);
    EXPECT_FALSE(Projekteinstellungen_Laden(p, (ordner / "kurz.lvx").string()));
    EXPECT_FALSE(Projekteinstellungen_Laden(p, (ordner / "fehlt.lvx").string()));
    ASSERT_EQ(t.messages.lines.size(), 2u);
    EXPECT_EQ(t.messages.lines[0], "Fehler: Fehler beim Laden der Projekt-Datei!\n" + (ordner / "kurz.lvx").string());
    EXPECT_TRUE(t.messages.lines[1].starts_with("Fehler: Die Datei konnte nicht geöffnet werden!\n"
                                                + (ordner / "fehlt.lvx").string() + ": "));
    EXPECT_EQ(p.compose.anaglyphSchema, 4);
}
