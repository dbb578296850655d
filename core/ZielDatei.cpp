#include "core/ZielDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

// ".lumivex-" and six letters or digits.
constexpr char Vorsilbe[] = ".lumivex-";

std::string kurzerName(const fs::path& ordner)
{
    constexpr char zeichen[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 zufall(std::random_device{}());
    std::string name = Vorsilbe;
    for (int i = 0; i < 6; ++i)
        name += zeichen[zufall() % (sizeof zeichen - 1)];
    return (ordner / name).string();
}

fs::path ordnerVon(const std::string& ziel)
{
    const fs::path ordner = fs::path(ziel).parent_path();
    return ordner.empty() ? fs::path(".") : ordner;
}

}

// The stream's reads and writes at the file's own position, every write through the Files service.
struct ZielDateiStrom {
    static ssize_t lesen(void* selbst, char* puffer, size_t laenge)
    {
        auto* z = static_cast<ZielDatei*>(selbst);
        ssize_t n;
        do
            n = ::pread(z->fd_, puffer, laenge, static_cast<off_t>(z->stelle_));
        while (n < 0 && errno == EINTR);
        if (n > 0)
            z->stelle_ += static_cast<uint64_t>(n);
        return n;
    }
    static ssize_t schreiben(void* selbst, const char* puffer, size_t laenge)
    {
        auto* z = static_cast<ZielDatei*>(selbst);
        if (const int fehler = z->files_.writeAt(z->fd_, puffer, laenge, static_cast<int64_t>(z->stelle_)); fehler != 0) {
            errno = fehler;
            return 0;
        }
        z->stelle_ += laenge;
        return static_cast<ssize_t>(laenge);
    }
    static int suchen(void* selbst, off64_t* offset, int woher)
    {
        auto* z = static_cast<ZielDatei*>(selbst);
        off64_t basis = 0;
        if (woher == SEEK_CUR) {
            basis = static_cast<off64_t>(z->stelle_);
        } else if (woher == SEEK_END) {
            struct stat st {};
            if (::fstat(z->fd_, &st) != 0)
                return -1;
            basis = st.st_size;
        }
        if (basis + *offset < 0) {
            errno = EINVAL;
            return -1;
        }
        z->stelle_ = static_cast<uint64_t>(basis + *offset);
        *offset = static_cast<off64_t>(z->stelle_);
        return 0;
    }
    static int schliessen(void*) { return 0; }
};

ZielDatei::ZielDatei(const Files& files, std::string ziel) : files_(files), ziel_(std::move(ziel))
{
    const fs::path ordner = ordnerVon(ziel_);
    // The unnamed file is named later through its link in /proc.
    if (::access("/proc/self/fd", X_OK) == 0)
        fd_ = ::open(ordner.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        std::string muster = (ordner / (std::string(Vorsilbe) + "XXXXXX")).string();
        fd_ = ::mkostemp(muster.data(), O_CLOEXEC);
        if (fd_ < 0)
            return;
        temp_ = muster;
    }
    datei_ = ::fopencookie(this, "w+", {ZielDateiStrom::lesen, ZielDateiStrom::schreiben, ZielDateiStrom::suchen,
                                        ZielDateiStrom::schliessen});
    if (datei_)
        std::setvbuf(datei_, nullptr, _IOFBF, 1 << 20);
}

ZielDatei::~ZielDatei()
{
    if (datei_)
        std::fclose(datei_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

bool ZielDatei::schreiben(const void* daten, size_t laenge)
{
    if (!datei_ || (laenge > 0 && std::fwrite(daten, 1, laenge, datei_) != laenge))
        fehler_ = true;
    return !fehler_;
}

bool ZielDatei::lesenAn(uint64_t offset, void* daten, size_t laenge)
{
    if (!datei_ || ::fseeko64(datei_, static_cast<off64_t>(offset), SEEK_SET) != 0
        || std::fread(daten, 1, laenge, datei_) != laenge)
        fehler_ = true;
    if (datei_ && ::fseeko64(datei_, 0, SEEK_END) != 0)
        fehler_ = true;
    return !fehler_;
}

bool ZielDatei::schreibenAn(uint64_t offset, const void* daten, size_t laenge)
{
    if (!datei_ || ::fseeko64(datei_, static_cast<off64_t>(offset), SEEK_SET) != 0)
        fehler_ = true;
    else
        schreiben(daten, laenge);
    if (datei_ && ::fseeko64(datei_, 0, SEEK_END) != 0)
        fehler_ = true;
    return !fehler_;
}

uint64_t ZielDatei::position()
{
    const off64_t pos = datei_ ? ::ftello64(datei_) : -1;
    if (pos < 0) {
        fehler_ = true;
        return 0;
    }
    return static_cast<uint64_t>(pos);
}

bool ZielDatei::kopieren(int von, uint64_t laenge)
{
    if (!datei_ || stelle_ != 0 || files_.copyData(von, fd_, laenge) != 0)
        fehler_ = true;
    else
        stelle_ = laenge;
    return !fehler_;
}

// The moved file takes a short name and the stream turns to it.
bool ZielDatei::uebernehmen(const std::string& datei)
{
    if (!datei_ || stelle_ != 0)
        return false;
    std::string name;
    for (int versuch = 0; name.empty() && versuch < 100; ++versuch) {
        const std::string kandidat = kurzerName(ordnerVon(ziel_));
        if (::renameat2(AT_FDCWD, datei.c_str(), AT_FDCWD, kandidat.c_str(), RENAME_NOREPLACE) == 0)
            name = kandidat;
        else if (errno != EEXIST)
            return false;
    }
    if (name.empty())
        return false;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_ = name;
    ::close(fd_);
    fd_ = ::open(name.c_str(), O_RDWR | O_CLOEXEC);
    fehler_ = fehler_ || fd_ < 0;
    return true;
}

// An unnamed file gets a short name first: a link never replaces a name, a rename does.
bool ZielDatei::benennen()
{
    if (!temp_.empty()) {
        // The working folder's files are private; results get the usual permissions.
        const mode_t maske = ::umask(0);
        ::umask(maske);
        return ::fchmod(fd_, 0666 & ~maske) == 0;
    }
    const std::string quelle = "/proc/self/fd/" + std::to_string(fd_);
    for (int versuch = 0; versuch < 100; ++versuch) {
        const std::string name = kurzerName(ordnerVon(ziel_));
        if (::linkat(AT_FDCWD, quelle.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool ZielDatei::fertig()
{
    if (!datei_)
        return false;
    bool ok = !fehler_ && std::fflush(datei_) == 0 && ::fsync(fd_) == 0;
    ok = std::fclose(datei_) == 0 && ok;
    datei_ = nullptr;
    ok = ok && benennen() && ::rename(temp_.c_str(), ziel_.c_str()) == 0;
    if (ok)
        temp_.clear();
    return ok;
}
