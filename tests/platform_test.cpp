#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "imageio/BildLaden.h"
#include "platform/PosixFiles.h"
#include "support/Bilddateien.h"
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

TEST_F(PlatformTest, TempFolderOfAnotherOwnerOrALinkIsRefused)
{
    fs::create_directory(base / "ziel");
    fs::create_directory_symlink(base / "ziel", base / "LUMIVEX-link");
    const auto link = PrepareTempFolder(base, "link");
    EXPECT_TRUE(link.path.empty());
    EXPECT_EQ(link.error, "Der temporäre Ordner " + (base / "LUMIVEX-link").string() + " gehört einem anderen Benutzer!");

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

TEST_F(PlatformTest, SafeWriteReplacesTheFileWhole)
{
    PosixFiles files(base);
    const fs::path datei = base / "projekt.lvx";
    ASSERT_TRUE(writeFileSafely(files, datei, std::vector<uint8_t>(100, 1)));
    ASSERT_TRUE(writeFileSafely(files, datei, std::vector<uint8_t>(10, 2)));
    EXPECT_EQ(readFile(datei), std::vector<uint8_t>(10, 2));
    EXPECT_FALSE(writeFileSafely(files, base / "fehlt" / "x.lvx", {1, 2, 3}));
    EXPECT_FALSE(fs::exists(base / "fehlt"));
}
