#include "platform/HeadlessServices.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char LaufVorsilbe[] = "lauf-";

// An exclusive lock on a folder, held until the descriptor is closed; -1 when
// the folder cannot be opened or (without waiting) another process holds it.
int ordnerSperren(const fs::path& ordner, bool warten)
{
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int r;
    while ((r = ::flock(fd, LOCK_EX | (warten ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (r != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// With the user's folder locked: a run folder whose lock can be had belongs to
// a process that no longer lives.
void verwaisteEntfernen(const fs::path& benutzerOrdner)
{
    std::error_code ec;
    for (const auto& eintrag : fs::directory_iterator(benutzerOrdner, ec)) {
        if (!eintrag.path().filename().string().starts_with(LaufVorsilbe))
            continue;
        if (const int fd = ordnerSperren(eintrag.path(), false); fd >= 0) {
            fs::remove_all(eintrag.path(), ec);
            ::close(fd);
        }
    }
}

// Run folders are made and cleared only under the lock of the user's folder,
// so none is ever seen between its creation and its own lock.
struct Benutzersperre {
    explicit Benutzersperre(const fs::path& ordner) : fd(ordnerSperren(ordner, true)) {}
    ~Benutzersperre()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Benutzersperre(const Benutzersperre&) = delete;
    Benutzersperre& operator=(const Benutzersperre&) = delete;
    int fd;
};

}

LaufOrdner::~LaufOrdner()
{
    std::error_code ec;
    std::filesystem::remove_all(pfad_, ec);
    if (sperre_ >= 0)
        ::close(sperre_);
}

void VerwaisteLaufOrdnerEntfernen(const fs::path& benutzerOrdner)
{
    const Benutzersperre sperre(benutzerOrdner);
    if (sperre.fd >= 0)
        verwaisteEntfernen(benutzerOrdner);
}

std::unique_ptr<LaufOrdner> TempFolder()
{
    const TempFolderResult temp = PrepareTempFolder();
    if (!temp.path.empty()) {
        // Where the file system has no locks, nothing is cleared, and the run goes on without.
        const Benutzersperre sperre(temp.path);
        if (sperre.fd >= 0)
            verwaisteEntfernen(temp.path);
        std::string muster = (temp.path / (std::string(LaufVorsilbe) + "XXXXXX")).string();
        if (::mkdtemp(muster.data()))
            return std::make_unique<LaufOrdner>(muster, ordnerSperren(muster, false));
    }
    const std::string grund = temp.error.empty() ? "Fehler beim Erzeugen der neuen Datei!" : temp.error;
    std::fprintf(stderr, "%s: %s\n", Sprache::Titeltext(Sprache::Titel::Fehler), grund.c_str());
    return nullptr;
}
