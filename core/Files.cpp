#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include "core/Services.h"
#include "core/ZielDatei.h"

namespace fs = std::filesystem;

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

int Files::copyData(int from, int to, uint64_t length) const
{
    return copyFileData(from, to, length);
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
