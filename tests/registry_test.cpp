#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "model/Programm.h"
#include "model/Registry.h"
#include "platform/Headless.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// Every value away from its default; every member is named, so the compiler reports one added later and not set here.
Registry geaendert()
{
    return {
        .Top = 40, .Left = -7, .Height = 700, .Width = 900,
        .Path = "/daten/Bilder, Urlaub",
        .Hints = false,
        .Anaglyph1 = 6,
        .Anaglyph2 = 1,
        .Anaglyph3 = false,
        .Anaglyph4 = 10, .Anaglyph5 = 20, .Anaglyph6 = 100,
        .Color1 = 0x123456, .Color2 = 0xFFFFFF, .Color3 = 0x0000FF,
        .Keyboard = true,
        .PingPong = true,
        .RefSize = 10,
        .Setup = true,
        .RefShow = false,
        .AnimSpeed = 5,
        .SmallFont = true,
        .SerialAlignment = true,
        .SymmetryAlignment = true,
        .BicubInterpol = false,
        .DrawLines = true,
        .WindowState = 1,
        .RecentProjects = "/projekte/neu.lvx\n/projekte/alt.lvx",
    };
}

}

TEST(Registry, RoundTripKeepsEveryValue)
{
    MemorySettingsStore store;
    ASSERT_TRUE(Registry_Save(store, geaendert()));
    EXPECT_EQ(store.readInt("Version"), 5004);
    EXPECT_EQ(store.values.size(), RegistryWerte().size() + 1);
    Registry gelesen;
    const Registrylesung l = Registry_Load(store, gelesen);
    EXPECT_EQ(l.stand, RegistryStand::Geladen);
    EXPECT_EQ(l.gelesen.size(), RegistryWerte().size());
    EXPECT_EQ(gelesen, geaendert());
    // Booleans are stored as 0 and 1, colours as 0x00BBGGRR.
    EXPECT_EQ(store.readInt("Hints"), 0);
    EXPECT_EQ(store.readInt("DrawLines"), 1);
    EXPECT_EQ(store.readInt("Color1"), 0x123456);
    EXPECT_EQ(store.readString("Path"), "/daten/Bilder, Urlaub");
}

TEST(Registry, NothingAppliesWithoutTheKeyOrWithAnotherVersion)
{
    MemorySettingsStore store;
    Registry w = geaendert();
    EXPECT_EQ(Registry_Load(store, w).stand, RegistryStand::Keine);
    Registry_Save(store, Registry{});
    store.writeInt("Version", 5003);
    const Registrylesung l = Registry_Load(store, w);
    EXPECT_EQ(l.stand, RegistryStand::Keine);
    EXPECT_TRUE(l.gelesen.empty());
    EXPECT_EQ(w, geaendert());
    store.writeString("Version", "5004");
    EXPECT_EQ(Registry_Load(store, w).stand, RegistryStand::Keine);
}

TEST(Registry, SetupOffTakesOnlyTheSwitchYetEverythingIsWritten)
{
    MemorySettingsStore store;
    Registry aus = geaendert();
    aus.Setup = false;
    Registry_Save(store, aus);
    EXPECT_EQ(store.readInt("Setup"), 0);
    EXPECT_EQ(store.readInt("AnimSpeed"), 5);
    Registry w;
    const Registrylesung l = Registry_Load(store, w);
    EXPECT_EQ(l.stand, RegistryStand::SetupAus);
    EXPECT_EQ(l.gelesen, std::vector<std::string>{"Setup"});
    Registry erwartet;
    erwartet.Setup = false;
    EXPECT_EQ(w, erwartet);
}

TEST(Registry, UnusableValuesKeepTheirDefaults)
{
    MemorySettingsStore store;
    Registry_Save(store, geaendert());
    store.writeString("Top", "40");
    store.writeInt("Path", 12);
    store.writeInt("Anaglyph1", 7);
    store.writeInt("Anaglyph4", -1);
    store.writeInt("Color2", static_cast<int32_t>(0x8000000F));  // a system colour
    store.writeInt("AnimSpeed", 0);
    store.writeInt("RefSize", 11);
    store.writeInt("WindowState", 3);
    store.values.erase("Width");
    store.writeInt("Keyboard", 7);
    Registry w;
    const Registrylesung l = Registry_Load(store, w);
    EXPECT_EQ(l.stand, RegistryStand::Geladen);
    Registry erwartet = geaendert();
    erwartet.Top = Registry{}.Top;
    erwartet.Path = Registry{}.Path;
    erwartet.Anaglyph1 = Registry{}.Anaglyph1;
    erwartet.Anaglyph4 = Registry{}.Anaglyph4;
    erwartet.Color2 = Registry{}.Color2;
    erwartet.AnimSpeed = Registry{}.AnimSpeed;
    erwartet.RefSize = Registry{}.RefSize;
    erwartet.WindowState = Registry{}.WindowState;
    erwartet.Width = Registry{}.Width;
    EXPECT_EQ(w, erwartet);
    EXPECT_EQ(l.gelesen.size(), RegistryWerte().size() - 9);
}

TEST(Registry, AFreshProgramHoldsTheDefaults)
{
    TestServices t;
    Programm p(t.services());
    p.ctx.state.bildOeffnenOrdner = "/";
    Registry w;
    RegistryAusProgramm(p, w);
    Registry erwartet;
    erwartet.Path = "/";
    EXPECT_EQ(w, erwartet);
}

TEST(Registry, ApplyingSetsTheRecordsAndFallsBackToTheHomeFolder)
{
    TestServices t;
    Programm p(t.services());
    p.auswahl.vorschau = VorschauAnaglyph;
    Registry w = geaendert();
    w.Path = t.files.tempFolder().string();
    RegistryAnwenden(p, w);
    EXPECT_EQ(p.ctx.state.bildOeffnenOrdner, t.files.tempFolder());
    EXPECT_EQ(p.ctx.state.bildSpeichernOrdner, t.files.tempFolder());
    EXPECT_EQ(p.auswahl.vorschau, VorschauKeine);
    EXPECT_EQ(p.compose.anaglyphSchema, 6);
    EXPECT_EQ(p.compose.anaglyphFarbModus, 1);
    EXPECT_FALSE(p.compose.anaglyphVerbinden);
    EXPECT_EQ((std::array{p.compose.C1, p.compose.C2, p.compose.C3}), (std::array{10, 20, 100}));
    EXPECT_EQ(p.compose.Hintergrundfarbe, (Farbe{0x56, 0x34, 0x12}));
    EXPECT_EQ(p.farbe.vorschauHintergrund, (Farbe{255, 255, 255}));
    EXPECT_EQ(p.farbe.vollbildHintergrund, (Farbe{255, 0, 0}));
    EXPECT_EQ(p.refInfo.groesse, 10);
    EXPECT_FALSE(p.refInfo.zeigen);
    EXPECT_FALSE(p.compose.Bikubisch);
    Registry zurueck;
    RegistryAusProgramm(p, zurueck);
    EXPECT_EQ(zurueck.Color1, 0x123456);

    w.Path = (t.files.tempFolder() / "weg").string();
    const char* home = std::getenv("HOME");
    RegistryAnwenden(p, w);
    EXPECT_EQ(p.ctx.state.bildOeffnenOrdner, fs::path(home && *home ? home : "/"));
}

// The real store under a private configuration folder: the folder is fixed
// for the process on first use, so one suite sets it up for all its cases.
class QtStore : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ordner_ = new TestFiles;
        setenv("XDG_CONFIG_HOME", ordner_->tempFolder().c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete ordner_;
        ordner_ = nullptr;
    }
    void SetUp() override
    {
        QtSettingsStore store;
        store.remove();
        store.flush();
    }
    static fs::path datei() { return ordner_->tempFolder() / "Orbelin" / "Lumivex.conf"; }

private:
    static inline TestFiles* ordner_ = nullptr;
};

TEST_F(QtStore, ValuesSurviveANewStoreInTheUsersConfiguration)
{
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.exists());
        ASSERT_TRUE(Registry_Save(store, geaendert()));
        EXPECT_EQ(store.fileName().toStdString(), datei().string());
    }
    ASSERT_TRUE(fs::exists(datei()));
    QtSettingsStore store;
    EXPECT_TRUE(store.exists());
    Registry w;
    EXPECT_EQ(Registry_Load(store, w).stand, RegistryStand::Geladen);
    EXPECT_EQ(w, geaendert());
    store.remove();
    ASSERT_TRUE(store.flush());
    EXPECT_FALSE(QtSettingsStore().exists());
}

TEST_F(QtStore, TextWhereANumberBelongsIsNoNumber)
{
    fs::create_directories(datei().parent_path());
    std::ofstream(datei()) << "[5.0]\nGlobal\\Version=5004\nGlobal\\Top=abc\nGlobal\\Left=12\n"
                              "Global\\Height=99999999999\nGlobal\\Path=/tmp\n";
    QtSettingsStore store;
    EXPECT_EQ(store.readInt("Version"), 5004);
    EXPECT_EQ(store.readInt("Top"), std::nullopt);
    EXPECT_EQ(store.readInt("Left"), 12);
    EXPECT_EQ(store.readInt("Height"), std::nullopt);
    EXPECT_EQ(store.readInt("Width"), std::nullopt);
    EXPECT_EQ(store.readString("Path"), "/tmp");
    Registry w;
    Registry_Load(store, w);
    EXPECT_EQ(w.Top, Registry{}.Top);
    EXPECT_EQ(w.Left, 12);
}
