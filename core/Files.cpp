#include <fcntl.h>
#include <sys/stat.h>
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
