#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "core/Services.h"

namespace fs = std::filesystem;

bool Files::writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) const
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    const bool ok = done == bytes.size() && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool Files::replaceFile(const fs::path& from, const fs::path& to) const
{
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

bool writeFileSafely(const Files& files, const fs::path& path, const std::vector<uint8_t>& bytes)
{
    fs::path temp = path;
    temp += ".~neu";
    if (files.writeFile(temp, bytes) && files.replaceFile(temp, path))
        return true;
    std::error_code ec;
    fs::remove(temp, ec);
    return false;
}

bool isReadOnly(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

namespace {

// The errno of opening path for reading, 0 when it opens as a file.
int leseGrund(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat st {};
    const bool ordner = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return ordner ? EISDIR : 0;
}

// The errno of writing path: an existing file opened for writing (neither
// truncated nor changed), then a file created and removed beside it.
int schreibGrund(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return errno;
        ::close(fd);
    }
    const fs::path ordner = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string probe = (ordner / ".lumivex-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(probe.c_str());
    struct statvfs vfs {};
    if (::statvfs(ordner.c_str(), &vfs) == 0 && vfs.f_bavail == 0)
        return ENOSPC;
    return 0;
}

}

std::string Dateiangabe(const fs::path& path, bool schreiben)
{
    const int grund = schreiben ? schreibGrund(path) : leseGrund(path);
    return grund == 0 ? path.string() : path.string() + ": " + Sprache::Systemgrund(grund);
}

std::string MitDatei(const std::string& meldung, const fs::path& path, bool schreiben)
{
    return meldung + "\n" + Dateiangabe(path, schreiben);
}
