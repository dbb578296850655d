#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "imageio/BildLaden.h"
#include "platform/HeadlessServices.h"
#include "platform/PosixFiles.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

struct PlatformTest : ::testing::Test {
    TestFiles scratch;
    fs::path base = scratch.tempFolder();

    mode_t mode(const fs::path& p)
    {
        struct stat st {};
        ::lstat(p.c_str(), &st);
        return st.st_mode & 07777;
    }
};

}

TEST_F(PlatformTest, TempFolderIsPrivateAndPerUser)
{
    const auto r = PrepareTempFolder(base, "anna");
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.path, base / "LUMIVEX-anna");
    EXPECT_EQ(mode(r.path), 0700u);
    // An existing folder of ours with loose permissions is closed again.
    ::chmod(r.path.c_str(), 0777);
    EXPECT_TRUE(PrepareTempFolder(base, "anna").error.empty());
    EXPECT_EQ(mode(r.path), 0700u);
}

TEST_F(PlatformTest, TempFolderOfAnotherOwnerALinkOrAFileIsRefused)
{
    fs::create_directory(base / "ziel");
    fs::create_directory_symlink(base / "ziel", base / "LUMIVEX-link");
    const auto link = PrepareTempFolder(base, "link");
    EXPECT_TRUE(link.path.empty());
    EXPECT_EQ(link.error, "An Stelle des temporären Ordners " + (base / "LUMIVEX-link").string() + " steht ein Verweis!");
    writeBytes(base / "LUMIVEX-datei", {1, 2, 3});
    const auto datei = PrepareTempFolder(base, "datei");
    EXPECT_TRUE(datei.path.empty());
    EXPECT_EQ(datei.error, "An Stelle des temporären Ordners " + (base / "LUMIVEX-datei").string() + " steht eine Datei!");
    EXPECT_EQ(readFile(base / "LUMIVEX-datei"), (Bytes{1, 2, 3}));

    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a folder to another user";
    fs::create_directory(base / "LUMIVEX-fremd");
    ASSERT_EQ(::chown((base / "LUMIVEX-fremd").c_str(), 12345, 12345), 0);
    const auto fremd = PrepareTempFolder(base, "fremd");
    EXPECT_TRUE(fremd.path.empty());
    EXPECT_NE(fremd.error.find("gehört einem anderen Benutzer"), std::string::npos);
}

TEST_F(PlatformTest, FreeSpaceAndVolumeOfPathsNotYetCreated)
{
    PosixFiles files(base);
    const auto frei = files.freeSpace(base / "neu" / "bild.bmp");
    ASSERT_TRUE(frei.has_value());
    EXPECT_GT(*frei, 0u);
    const std::string volume = files.volumeName(base / "neu" / "bild.bmp");
    EXPECT_EQ(base.string().rfind(volume, 0), 0u) << volume;  // a mount point above the path
}

// Each PosixFiles opens the lock file anew, so several of them in one process
// hold the lock like separate instances.
TEST_F(PlatformTest, TheInstanceLockExistsWhileAnyInstanceRuns)
{
    int alleine = 0;
    const auto zaehlen = [&] { ++alleine; };
    auto a = std::make_unique<PosixFiles>(base);
    auto b = std::make_unique<PosixFiles>(base);
    a->joinInstances(zaehlen);
    EXPECT_EQ(alleine, 1);
    a->joinInstances(zaehlen);
    b->joinInstances(zaehlen);
    EXPECT_EQ(alleine, 1);
    a.reset();
    auto c = std::make_unique<PosixFiles>(base);
    c->joinInstances(zaehlen);
    EXPECT_EQ(alleine, 1);
    b.reset();
    c.reset();
    PosixFiles d(base);
    d.joinInstances(zaehlen);
    EXPECT_EQ(alleine, 2);
}

TEST_F(PlatformTest, StartingAWindowKeepsTheWorkingFilesOfAnotherRunningOne)
{
    TestServices t;
    const auto starten = [&](PosixFiles& files) {
        Context ctx(Services{t.messages, t.events, files, t.display, t.printers, t.textRaster});
        Temp_Aufraeumen(ctx);
    };
    const fs::path rest = base / "~$1_2_0_1.bmp";
    const fs::path vonB = base / "~$3_4_1_1.bmp";
    writeBytes(rest, {1});
    auto a = std::make_unique<PosixFiles>(base);
    starten(*a);
    EXPECT_FALSE(fs::exists(rest));
    PosixFiles b(base);
    starten(b);
    writeBytes(vonB, {1});
    a.reset();
    PosixFiles c(base);
    starten(c);
    EXPECT_TRUE(fs::exists(vonB));
}

// A run folder whose lock nobody holds belongs to a run that was killed; one
// whose lock is held belongs to a run that still works. Age plays no part.
TEST_F(PlatformTest, RunFoldersOfRunsThatNoLongerLiveAreRemoved)
{
    for (const char* name : {"lauf-tot", "lauf-lebt", "anderes"}) {
        fs::create_directory(base / name);
        writeBytes(base / name / "bild.bmp", {1, 2, 3});
    }
    writeBytes(base / "lauf-datei", {4});
    const int lebt = ::open((base / "lauf-lebt").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(lebt, 0);
    ASSERT_EQ(::flock(lebt, LOCK_EX), 0);
    VerwaisteLaufOrdnerEntfernen(base);
    EXPECT_FALSE(fs::exists(base / "lauf-tot"));
    EXPECT_TRUE(fs::exists(base / "lauf-lebt" / "bild.bmp"));
    EXPECT_TRUE(fs::exists(base / "anderes" / "bild.bmp"));
    EXPECT_EQ(readFile(base / "lauf-datei"), (Bytes{4}));
    ::close(lebt);
    VerwaisteLaufOrdnerEntfernen(base);
    EXPECT_FALSE(fs::exists(base / "lauf-lebt"));
}

// A run holds its folder's lock for its whole life: another start leaves it alone.
TEST_F(PlatformTest, ARunKeepsItsFolderWhileItLives)
{
    const char* bisher = std::getenv("TMPDIR");
    const std::string tmpdir = bisher ? bisher : "";
    ::setenv("TMPDIR", base.c_str(), 1);
    auto lauf = TempFolder();
    ASSERT_TRUE(lauf);
    const fs::path ordner = lauf->pfad();
    EXPECT_EQ(ordner.parent_path().parent_path(), base);
    auto zweiter = TempFolder();
    ASSERT_TRUE(zweiter);
    EXPECT_TRUE(fs::is_directory(ordner));
    lauf.reset();
    EXPECT_FALSE(fs::exists(ordner));
    EXPECT_TRUE(fs::is_directory(zweiter->pfad()));
    if (bisher)
        ::setenv("TMPDIR", tmpdir.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST_F(PlatformTest, SafeWriteReplacesTheFileWhole)
{
    PosixFiles files(base);
    const fs::path datei = base / "projekt.lvx";
    ASSERT_TRUE(writeFileSafely(files, datei, Bytes(100, 1)));
    ASSERT_TRUE(writeFileSafely(files, datei, Bytes(10, 2)));
    EXPECT_EQ(readFile(datei), Bytes(10, 2));
    EXPECT_FALSE(writeFileSafely(files, base / "fehlt" / "x.lvx", {1, 2, 3}));
    EXPECT_FALSE(fs::exists(base / "fehlt"));
}
