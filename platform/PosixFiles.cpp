#include "platform/PosixFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The path itself or its nearest existing parent.
fs::path existingAncestor(fs::path path)
{
    std::error_code ec;
    path = fs::absolute(path, ec);
    while (!path.empty() && !fs::exists(path, ec) && path != path.root_path())
        path = path.parent_path();
    return path.empty() ? fs::path("/") : path;
}

void waitForLock(int fd, int kind)
{
    while (::flock(fd, kind) != 0 && errno == EINTR) {
    }
}

std::string currentUser()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    return std::to_string(::geteuid());
}

}

TempFolderResult PrepareTempFolder(const fs::path& systemTemp, const std::string& user)
{
    const fs::path folder = systemTemp / ("LUMIVEX-" + user);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, "Der temporäre Ordner " + folder.string() + " kann nicht angelegt werden!"};
    struct stat st {};
    // lstat: a symbolic link planted under our name is refused, never followed.
    if (::lstat(folder.c_str(), &st) != 0)
        return {{}, "Der temporäre Ordner " + folder.string() + " kann nicht angelegt werden!"};
    if (S_ISLNK(st.st_mode))
        return {{}, "An Stelle des temporären Ordners " + folder.string() + " steht ein Verweis!"};
    if (!S_ISDIR(st.st_mode))
        return {{}, "An Stelle des temporären Ordners " + folder.string() + " steht eine Datei!"};
    if (st.st_uid != ::geteuid())
        return {{}, "Der temporäre Ordner " + folder.string() + " gehört einem anderen Benutzer!"};
    if ((st.st_mode & 0777) != 0700 && ::chmod(folder.c_str(), 0700) != 0)
        return {{}, "Der temporäre Ordner " + folder.string() + " kann nicht geschützt werden!"};
    return {folder, {}};
}

TempFolderResult PrepareTempFolder()
{
    std::error_code ec;
    fs::path systemTemp = fs::temp_directory_path(ec);
    if (ec)
        systemTemp = "/tmp";
    return PrepareTempFolder(systemTemp, currentUser());
}

PosixFiles::~PosixFiles()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

std::optional<uint64_t> PosixFiles::freeSpace(const fs::path& path) const
{
    struct statvfs sv {};
    if (::statvfs(existingAncestor(path).c_str(), &sv) != 0)
        return std::nullopt;
    return static_cast<uint64_t>(sv.f_bavail) * sv.f_frsize;
}

std::string PosixFiles::volumeName(const fs::path& path) const
{
    fs::path current = existingAncestor(path);
    struct stat st {};
    if (::stat(current.c_str(), &st) != 0)
        return current.string();
    const dev_t device = st.st_dev;
    while (current != current.root_path()) {
        const fs::path parent = current.parent_path();
        struct stat pst {};
        if (::stat(parent.c_str(), &pst) != 0 || pst.st_dev != device)
            break;
        current = parent;
    }
    return current.string();
}

// Only an instance that gets the lock exclusively at once is alone; it then
// keeps it shared like every other. Any other instance waits for a shared
// lock, which only an instance still clearing up delays.
void PosixFiles::joinInstances(const std::function<void()>& alone)
{
    if (lockFd_ >= 0)
        return;
    const fs::path lockPath = tempFolder_ / "Orbelin - LUMIVEX.lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lockFd_ < 0)
        return;
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0)
        alone();
    waitForLock(lockFd_, LOCK_SH);
}
