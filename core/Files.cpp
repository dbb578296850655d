#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include "core/Services.h"
#include "core/ZielDatei.h"

namespace fs = std::filesystem;

bool readFully(int fd, void* data, size_t length, int64_t offset)
{
    auto* p = static_cast<uint8_t*>(data);
    while (length > 0) {
        const ssize_t n = ::pread(fd, p, length, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        length -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

int writeFully(int fd, const void* data, size_t length, int64_t offset)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, p, length, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        p += n;
        length -= static_cast<size_t>(n);
        offset += n;
    }
    return 0;
}

bool diskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

int Files::writeAt(int fd, const void* data, size_t length, int64_t offset) const
{
    return writeFully(fd, data, length, offset);
}

namespace {

// The answers of copy_file_range that mean "not here": another file system
// (photos on a USB stick, /tmp on tmpfs), or a file system or kernel without it.
bool kernelCopyUnavailable(int error)
{
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

int readAndWrite(int from, int to, uint64_t done, uint64_t length)
{
    std::vector<uint8_t> buffer(std::min<uint64_t>(length - done, uint64_t{1} << 20));
    while (done < length) {
        const ssize_t n = ::pread(from, buffer.data(), std::min<uint64_t>(buffer.size(), length - done),
                                  static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        if (const int error = writeFully(to, buffer.data(), static_cast<size_t>(n), static_cast<int64_t>(done)))
            return error;
        done += static_cast<uint64_t>(n);
    }
    return 0;
}

}

int copyFileData(int from, int to, uint64_t length)
{
    uint64_t done = 0;
    while (done < length) {
        off64_t in = static_cast<off64_t>(done), out = static_cast<off64_t>(done);
        const ssize_t n = ::copy_file_range(from, &in, to, &out, std::min<uint64_t>(length - done, uint64_t{1} << 30), 0);
        if (n > 0) {
            done += static_cast<uint64_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // A short copy (nothing more copied before the end) is finished by hand too.
        if (n == 0 || kernelCopyUnavailable(errno))
            return readAndWrite(from, to, done, length);
        return errno;
    }
    return 0;
}

int copyWholeFile(int from, int to, uint64_t length)
{
    // A clone keeps a longer target's tail; the length is set either way.
    if (::ioctl(to, FICLONE, from) != 0)
        if (const int error = copyFileData(from, to, length))
            return error;
    return ::ftruncate(to, static_cast<off_t>(length)) == 0 ? 0 : errno;
}

int Files::copyData(int from, int to, uint64_t length) const
{
    return copyWholeFile(from, to, length);
}

bool writeFileSafely(const Files& files, const fs::path& path, const std::vector<uint8_t>& bytes)
{
    ZielDatei datei(files, path.string());
    return datei.schreiben(bytes) && datei.fertig();
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
