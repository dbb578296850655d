#pragma once
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

// What every benchmark measures: wall time since a start, CPU time, peak resident memory.

inline double seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline long peakKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// User and system time of the process so far: unlike the wall time, it hardly
// changes when other programs share the cores.
inline double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

// The floor of a copy: a plain program reading one file and writing another in
// pieces of the given size; truncate or overwrite the target as asked.
inline double plainCopy(const std::filesystem::path& from, const std::filesystem::path& to, size_t piece,
                        bool truncate)
{
    const auto start = std::chrono::steady_clock::now();
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | (truncate ? O_TRUNC : 0), 0600);
    if (in < 0 || out < 0)
        std::exit(1);
    std::vector<char> buffer(piece);
    ssize_t n;
    while ((n = ::read(in, buffer.data(), buffer.size())) > 0)
        if (::write(out, buffer.data(), static_cast<size_t>(n)) != n)
            std::exit(1);
    ::close(in);
    ::close(out);
    return seconds(start);
}
