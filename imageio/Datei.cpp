#include "imageio/Datei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Services.h"

namespace fs = std::filesystem;

void Bytes::u16(uint32_t v)
{
    if (big_) {
        u8(v >> 8);
        u8(v);
    } else {
        u8(v);
        u8(v >> 8);
    }
}

void Bytes::u32(uint32_t v)
{
    if (big_) {
        u16(v >> 16);
        u16(v);
    } else {
        u16(v);
        u16(v >> 16);
    }
}

void Bytes::u32An(size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        const int shift = big_ ? 24 - 8 * i : 8 * i;
        daten[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> shift);
    }
}

LeseDatei::LeseDatei(const std::string& pfad)
{
    fd_ = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ >= 0)
        groesse_ = static_cast<uint64_t>(st.st_size);
}

LeseDatei::~LeseDatei()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool LeseDatei::lesen(uint64_t offset, void* ziel, size_t laenge) const
{
    if (fd_ < 0 || offset > groesse_ || laenge > groesse_ - offset)
        return false;
    auto* p = static_cast<uint8_t*>(ziel);
    while (laenge > 0) {
        const ssize_t n = ::pread(fd_, p, laenge, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        laenge -= static_cast<size_t>(n);
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

bool DateiLesen(const std::string& pfad, std::vector<uint8_t>& daten, uint64_t maxBytes)
{
    daten.clear();
    LeseDatei datei(pfad);
    if (!datei.offen() || datei.groesse() > maxBytes)
        return false;
    daten.resize(static_cast<size_t>(datei.groesse()));
    if (!datei.lesen(0, daten.data(), daten.size())) {
        daten.clear();
        return false;
    }
    return true;
}

bool SpurSchreiben(const std::string& pfad, const std::vector<std::string>& zeilen)
{
    ZielDatei spur(pfad);
    for (const std::string& z : zeilen)
        if (!spur.schreiben(z.data(), z.size()) || !spur.schreiben("\r\n", 2))
            return false;
    return spur.fertig();
}

ZielDatei::ZielDatei(std::string ziel) : ziel_(std::move(ziel))
{
    const fs::path p(ziel_);
    std::string muster = (p.parent_path() / ("." + p.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(muster.data());
    if (fd < 0)
        return;
    temp_ = muster;
    datei_ = ::fdopen(fd, "w+b");
    if (!datei_) {
        ::close(fd);
        ::unlink(temp_.c_str());
        return;
    }
    std::setvbuf(datei_, nullptr, _IOFBF, 1 << 20);
}

ZielDatei::~ZielDatei()
{
    if (datei_) {
        std::fclose(datei_);
        ::unlink(temp_.c_str());
    }
}

bool ZielDatei::schreiben(const void* daten, size_t laenge)
{
    if (!datei_ || (laenge > 0 && std::fwrite(daten, 1, laenge, datei_) != laenge))
        fehler_ = true;
    return !fehler_;
}

bool ZielDatei::lesenAn(uint64_t offset, void* daten, size_t laenge)
{
    if (!datei_ || std::fseek(datei_, static_cast<long>(offset), SEEK_SET) != 0
        || std::fread(daten, 1, laenge, datei_) != laenge)
        fehler_ = true;
    if (datei_ && std::fseek(datei_, 0, SEEK_END) != 0)
        fehler_ = true;
    return !fehler_;
}

bool ZielDatei::schreibenAn(uint64_t offset, const void* daten, size_t laenge)
{
    if (!datei_ || std::fseek(datei_, static_cast<long>(offset), SEEK_SET) != 0)
        fehler_ = true;
    else
        schreiben(daten, laenge);
    if (datei_ && std::fseek(datei_, 0, SEEK_END) != 0)
        fehler_ = true;
    return !fehler_;
}

uint64_t ZielDatei::position()
{
    const long pos = datei_ ? std::ftell(datei_) : -1;
    if (pos < 0) {
        fehler_ = true;
        return 0;
    }
    return static_cast<uint64_t>(pos);
}

// The moved file takes the temporary name; the stream turns to it.
bool ZielDatei::uebernehmen(const std::string& datei)
{
    if (!datei_ || ::rename(datei.c_str(), temp_.c_str()) != 0)
        return false;
    FILE* neu = std::fopen(temp_.c_str(), "r+b");
    std::fclose(datei_);
    datei_ = neu;
    fehler_ = fehler_ || !neu;
    return true;
}

bool ZielDatei::fertig()
{
    if (!datei_)
        return false;
    bool ok = !fehler_ && std::fflush(datei_) == 0 && ::fsync(::fileno(datei_)) == 0;
    ok = std::fclose(datei_) == 0 && ok;
    datei_ = nullptr;
    // The working folder's files are private; results get the usual permissions.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ok = ok && ::chmod(temp_.c_str(), 0666 & ~maske) == 0 && ::rename(temp_.c_str(), ziel_.c_str()) == 0;
    if (!ok)
        ::unlink(temp_.c_str());
    return ok;
}

// The new file is written through its descriptor, past the stream, which has
// nothing buffered yet.
bool DateiKopieren(const std::string& von, const std::string& nach, bool verschieben)
{
    ZielDatei ziel(nach);
    if (verschieben && ziel.uebernehmen(von))
        return ziel.fertig();
    LeseDatei quelle(von);
    return quelle.offen() && ziel.offen() && copyWholeFile(quelle.fd(), ::fileno(ziel.datei()), quelle.groesse())
        && ziel.fertig();
}
