#include "imageio/Datei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Services.h"

namespace fs = std::filesystem;

int Bytes::verschiebung(int i, int breite) const
{
    return big_ ? 8 * (breite - 1 - i) : 8 * i;
}

void Bytes::zahl(uint32_t v, int breite)
{
    for (int i = 0; i < breite; ++i)
        u8(v >> verschiebung(i, breite));
}

void Bytes::u32An(size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        daten[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> verschiebung(i, 4));
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
    return fd_ >= 0 && offset <= groesse_ && laenge <= groesse_ - offset
        && readFully(fd_, ziel, laenge, static_cast<int64_t>(offset));
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
