#pragma once
#include <string>

#include "core/Services.h"

// The temporary folder <system temp>/LUMIVEX-<user>, created private (0700).
// On failure the path is empty and error says why.
struct TempFolderResult {
    std::filesystem::path path;
    std::string error;
};
TempFolderResult PrepareTempFolder(const std::filesystem::path& systemTemp, const std::string& user);
// The same for the system's temporary path and the current user.
TempFolderResult PrepareTempFolder();

// File services over POSIX: statvfs for free space, the mount point as the
// volume name, and an flock on a file in the temporary folder as the named
// lock of the running instances: each holds it shared for its whole life, so
// it exists while any instance runs, and the kernel releases a dead holder's.
class PosixFiles : public Files {
public:
    explicit PosixFiles(std::filesystem::path tempFolder) : tempFolder_(std::move(tempFolder)) {}
    ~PosixFiles() override;
    PosixFiles(const PosixFiles&) = delete;
    PosixFiles& operator=(const PosixFiles&) = delete;

    std::filesystem::path tempFolder() const override { return tempFolder_; }
    std::optional<uint64_t> freeSpace(const std::filesystem::path& path) const override;
    std::string volumeName(const std::filesystem::path& path) const override;
    void joinInstances(const std::function<void()>& alone) override;

private:
    std::filesystem::path tempFolder_;
    int lockFd_ = -1;
};
