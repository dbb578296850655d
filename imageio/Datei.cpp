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

bool SpurSchreiben(const Files& files, const std::string& pfad, const std::vector<std::string>& zeilen)
{
    ZielDatei spur(files, pfad);
    for (const std::string& z : zeilen)
        if (!spur.schreiben(z.data(), z.size()) || !spur.schreiben("\r\n", 2))
            return false;
    return spur.fertig();
}

bool DateiKopieren(const Files& files, const std::string& von, const std::string& nach, bool verschieben)
{
    ZielDatei ziel(files, nach);
    if (verschieben && ziel.uebernehmen(von))
        return ziel.fertig();
    LeseDatei quelle(von);
    return quelle.offen() && ziel.kopieren(quelle.fd(), quelle.groesse()) && ziel.fertig();
}
