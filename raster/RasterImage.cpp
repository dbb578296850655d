#include "raster/RasterImage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

int64_t ZeilenOffset(int32_t breite, int32_t hoehe, int32_t y)
{
    return (int64_t{hoehe} - 1 - y) * RasterStride(breite) + BmpKopfLaenge;
}

namespace {

void put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

uint32_t get32(const uint8_t* p)
{
    return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

std::array<uint8_t, BmpKopfLaenge> bmpKopf(int32_t breite, int32_t hoehe)
{
    std::array<uint8_t, BmpKopfLaenge> k{};
    const auto pixelBytes = static_cast<uint32_t>(RasterStride(breite) * hoehe);
    k[0] = 'B';
    k[1] = 'M';
    put32(&k[2], pixelBytes + BmpKopfLaenge);
    put32(&k[10], BmpKopfLaenge);
    put32(&k[14], 40);
    put32(&k[18], static_cast<uint32_t>(breite));
    put32(&k[22], static_cast<uint32_t>(hoehe));
    put16(&k[26], 1);
    put16(&k[28], 24);
    put32(&k[34], pixelBytes);
    return k;
}

// An existing file is kept when it is one of our rasters of exactly this size
// and long enough to hold every row.
bool passendeDatei(const std::string& pfad, int32_t breite, int32_t hoehe)
{
    int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    uint8_t k[BmpKopfLaenge];
    struct stat st {};
    const bool gelesen = readFully(fd, k, sizeof k, 0) && ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!gelesen || k[0] != 'B' || k[1] != 'M')
        return false;
    return get32(&k[10]) == BmpKopfLaenge && static_cast<int32_t>(get32(&k[18])) == breite
        && static_cast<int32_t>(get32(&k[22])) == hoehe && (k[28] | (k[29] << 8)) == 24
        && st.st_size >= RasterDateigroesse(breite, hoehe);
}

// Rasters of the program may share their bytes as two names of one file
// (RasterTeilen). Whatever writes into a raster first gives its file bytes of
// its own: a copy when its pixels are kept, a new file when they are replaced.
bool geteilt(const std::string& pfad)
{
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 && st.st_nlink > 1;
}

// The target's bytes become a copy of the source's: the source's blocks shared
// where the file system can copy on write, else copied, through files when
// given. 0, or the errno of the failure.
int dateiKopieren(const std::string& von, const std::string& nach, const Files* files)
{
    if (geteilt(nach) && ::unlink(nach.c_str()) != 0)
        return errno;
    const int in = ::open(von.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat st {};
    int out = -1;
    int fehler = 0;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || (out = ::open(nach.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600)) < 0)
        fehler = errno ? errno : EINVAL;
    else
        fehler = files ? files->copyData(in, out, static_cast<uint64_t>(st.st_size))
                       : copyWholeFile(in, out, static_cast<uint64_t>(st.st_size));
    if (out >= 0 && ::close(out) != 0 && fehler == 0)
        fehler = errno;
    ::close(in);
    return fehler;
}

bool eigeneBytes(const std::string& pfad, bool behalten)
{
    if (!geteilt(pfad))
        return true;
    if (!behalten)
        return ::unlink(pfad.c_str()) == 0;
    const std::string kopie = pfad + "~.bmp";
    if (dateiKopieren(pfad, kopie, nullptr) == 0 && ::rename(kopie.c_str(), pfad.c_str()) == 0)
        return true;
    ::unlink(kopie.c_str());
    return false;
}

// Writes header and white pixels, or only the header and the file's full
// length.
Angelegt dateiSchreiben(Context& ctx, const RasterSlot& slot, int64_t pixelBytes, Anlage anlage)
{
    const bool fill = anlage == Anlage::Weiss;
    // Resizing an old file in place spares the system freeing its pages and allocating them again.
    const int truncate = anlage == Anlage::Ueberschreiben ? 0 : O_TRUNC;
    int fd = eigeneBytes(slot.pfad, false) ? ::open(slot.pfad.c_str(), O_RDWR | O_CREAT | truncate | O_CLOEXEC, 0600) : -1;
    if (fd < 0) {
        ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::NeueDateiFehler);
        ctx.state.abort = true;
        return Angelegt::Fehler;
    }
    // Progress counts 1-KiB blocks; the file is written in larger pieces of whole blocks.
    constexpr int64_t block = 1024;
    constexpr int64_t stueck = 1024 * block;
    static const std::vector<uint8_t> weiss(stueck, 0xFF);
    const auto kopf = bmpKopf(slot.breite, slot.hoehe);
    const Files& files = ctx.files();
    int fehler = files.writeAt(fd, kopf.data(), kopf.size(), 0);
    if (fehler == 0 && !fill && ::ftruncate(fd, BmpKopfLaenge + pixelBytes) != 0)
        fehler = errno;
    if (!fill)
        pixelBytes = 0;
    ctx.setProgress(static_cast<int32_t>(pixelBytes / block), 0);
    int64_t geschrieben = 0;
    while (fehler == 0 && geschrieben < pixelBytes && !ctx.state.abort) {
        const int64_t n = std::min(stueck, pixelBytes - geschrieben);
        fehler = files.writeAt(fd, weiss.data(), static_cast<size_t>(n), BmpKopfLaenge + geschrieben);
        geschrieben += n;
        ctx.setPosition(static_cast<int32_t>(geschrieben / block));
        ctx.pump();
    }
    if (::close(fd) != 0 && fehler == 0)
        fehler = errno;
    if (fehler == 0 && !ctx.state.abort)
        return Angelegt::Ok;
    // A partly written raster must never be taken for a finished one.
    std::error_code ec;
    fs::remove(slot.pfad, ec);
    if (ctx.state.abort)
        return Angelegt::Fehler;
    ctx.state.abort = true;
    if (diskFull(fehler)) {
        ctx.reportDiskFull(slot.pfad);
        return Angelegt::PlatteVoll;
    }
    ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::NeueDateiFehler);
    return Angelegt::Fehler;
}

bool oeffnen(RasterSlot& slot, bool schreiben)
{
    RasterSchliessen(slot);
    if (slot.pfad.empty())
        return false;
    if (schreiben && !eigeneBytes(slot.pfad, true))
        return false;
    int fd = ::open(slot.pfad.c_str(), (schreiben ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    slot.datei = std::make_shared<RasterDatei>(fd, schreiben);
    return true;
}

bool zeileBinden(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view, bool schreiben,
                bool altLesen)
{
    const bool ok = slot.datei && y >= 0 && y < slot.hoehe && (!schreiben || slot.datei->writable())
        && view.binden(slot.datei, ZeilenOffset(slot.breite, slot.hoehe, y), static_cast<size_t>(slot.stride()),
                       schreiben ? &ctx.files() : nullptr, altLesen);
    if (!ok) {
        zeile = nullptr;
        ctx.events().setBusyCursor(false);
        ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::BilddatenLadeFehler);
        return false;
    }
    zeile = view.daten();
    return true;
}

}

Zeile::~Zeile()
{
    loesen();
}

bool Zeile::binden(std::shared_ptr<RasterDatei> datei, int64_t offset, size_t length, const Files* writeTo,
                   bool readOld)
{
    if (loesen() != 0)
        return false;
    buffer_.resize(length);
    if (readOld) {
        if (!readFully(datei->fd(), buffer_.data(), length, offset))
            return false;
    } else if (length >= 3) {
        // Only the padding at the row's end is left for the caller to keep at zero.
        std::fill(buffer_.end() - static_cast<std::ptrdiff_t>(std::min<size_t>(length, 3)), buffer_.end(), 0);
    }
    datei_ = std::move(datei);
    offset_ = offset;
    files_ = writeTo;
    return true;
}

int Zeile::loesen()
{
    if (!datei_)
        return 0;
    const int fehler = files_ ? files_->writeAt(datei_->fd(), buffer_.data(), buffer_.size(), offset_) : 0;
    datei_.reset();
    files_ = nullptr;
    return fehler;
}

namespace {

void ladefehler(Context& ctx)
{
    ctx.events().setBusyCursor(false);
    ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::BilddatenLadeFehler);
    throw Abbruch{};
}

int32_t bandZeilen(size_t bytes, int64_t stride, int32_t rest)
{
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(bytes) / stride, 1, rest));
}

}

// The rows of a band lie bottom-up in the file, so row y of a band starting at
// erste sits (erste + anzahl − 1 − y) strides into it.
const uint8_t* Leseband::zeile(Context& ctx, const RasterSlot& slot, int32_t y)
{
    if (datei_ != slot.datei || y < erste_ || y >= erste_ + anzahl_) {
        datei_.reset();
        anzahl_ = 0;
        if (!slot.datei || y < 0 || y >= slot.hoehe)
            ladefehler(ctx);
        stride_ = slot.stride();
        const int32_t n = bandZeilen(bytes_, stride_, slot.hoehe - y);
        buffer_.resize(static_cast<size_t>(n * stride_));
        if (!readFully(slot.datei->fd(), buffer_.data(), buffer_.size(), ZeilenOffset(slot.breite, slot.hoehe, y + n - 1)))
            ladefehler(ctx);
        datei_ = slot.datei;
        erste_ = y;
        anzahl_ = n;
    }
    return buffer_.data() + (erste_ + anzahl_ - 1 - y) * stride_;
}

// The rows handed out before an abort are still written; a loop that ran to its
// end has called schreiben(), which reports a failure.
Schreibband::~Schreibband()
{
    leeren();
}

// Row y of a band starting at erste sits (kapazitaet − 1 − (y − erste)) strides
// into the buffer, so the rows handed out form the buffer's end.
uint8_t* Schreibband::zeile(Context& ctx, const RasterSlot& slot, int32_t y)
{
    if (datei_ != slot.datei || y != erste_ + anzahl_ || anzahl_ == kapazitaet_) {
        schreiben();
        if (!slot.datei || !slot.datei->writable() || y < 0 || y >= slot.hoehe)
            ladefehler(ctx);
        stride_ = slot.stride();
        hoehe_ = slot.hoehe;
        kapazitaet_ = bandZeilen(bytes_, stride_, slot.hoehe);
        buffer_.resize(static_cast<size_t>(kapazitaet_ * stride_));
        datei_ = slot.datei;
        files_ = &ctx.files();
        erste_ = y;
    }
    uint8_t* row = buffer_.data() + (kapazitaet_ - 1 - anzahl_) * stride_;
    std::fill(row + 3 * int64_t{slot.breite}, row + stride_, 0);
    ++anzahl_;
    return row;
}

void Schreibband::schreiben()
{
    if (const int fehler = leeren(); fehler != 0)
        throw Abbruch{fehler};
}

int Schreibband::leeren()
{
    if (!datei_ || anzahl_ == 0)
        return 0;
    const uint8_t* data = buffer_.data() + (kapazitaet_ - anzahl_) * stride_;
    const int64_t offset = (int64_t{hoehe_} - erste_ - anzahl_) * stride_ + BmpKopfLaenge;
    const int fehler = files_->writeAt(datei_->fd(), data, static_cast<size_t>(anzahl_ * stride_), offset);
    datei_.reset();
    anzahl_ = 0;
    return fehler;
}

namespace {

Angelegt anlegen(Context& ctx, RasterSlot& slot, Anlage anlage)
{
    if (ctx.state.abort)
        return Angelegt::Abgebrochen;
    // A writer that replaces every byte gains nothing from a file whose bytes it would first have to copy.
    const bool wiederverwenden = anlage == Anlage::Weiss || (anlage == Anlage::Ueberschreiben && !geteilt(slot.pfad));
    if (wiederverwenden && passendeDatei(slot.pfad, slot.breite, slot.hoehe))
        return Angelegt::Ok;
    if (slot.breite < 0 || slot.hoehe < 0 || slot.pfad.empty()) {
        ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::NeueDateiFehler);
        ctx.state.abort = true;
        return Angelegt::Fehler;
    }
    const int64_t groesse = RasterDateigroesse(slot.breite, slot.hoehe);
    if (groesse >= RasterGrenze) {
        ctx.message(Sprache::Titel::Warnung, Sprache::MeldungNr::BildUeber4GByte);
        ctx.state.abort = true;
        return Angelegt::Fehler;
    }
    if (!Plattenplatz_Pruefen(ctx, slot.pfad, slot.breite, slot.hoehe)) {
        ctx.reportDiskFull(slot.pfad);
        ctx.state.abort = true;
        return Angelegt::PlatteVoll;
    }
    return dateiSchreiben(ctx, slot, groesse - BmpKopfLaenge, anlage);
}

}

Angelegt RasterAnlegen(Context& ctx, RasterSlot& slot)
{
    return anlegen(ctx, slot, Anlage::Weiss);
}

Angelegt RasterAnlegenLeer(Context& ctx, RasterSlot& slot)
{
    return anlegen(ctx, slot, Anlage::Leer);
}

Angelegt RasterAnlegenUeberschreiben(Context& ctx, RasterSlot& slot)
{
    return anlegen(ctx, slot, Anlage::Ueberschreiben);
}

bool Plattenplatz_Pruefen(Context& ctx, const std::string& pfad, int32_t breite, int32_t hoehe)
{
    const auto frei = ctx.files().freeSpace(fs::path(pfad));
    const auto noetig = static_cast<uint64_t>(RasterDateigroesse(breite, hoehe)) + PlattenReserve;
    return frei && *frei >= noetig;
}

bool RasterOeffnenLesen(RasterSlot& slot)
{
    return oeffnen(slot, false);
}

bool RasterOeffnenSchreiben(RasterSlot& slot)
{
    return oeffnen(slot, true);
}

void RasterSchliessen(RasterSlot& slot)
{
    slot.datei.reset();
}

bool ZeileLesen(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view)
{
    return zeileBinden(ctx, slot, y, zeile, view, false, true);
}

bool ZeileSchreiben(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view)
{
    return zeileBinden(ctx, slot, y, zeile, view, true, true);
}

bool ZeileUeberschreiben(Context& ctx, const RasterSlot& slot, int32_t y, uint8_t*& zeile, Zeile& view)
{
    return zeileBinden(ctx, slot, y, zeile, view, true, false);
}

bool ZeileFreigeben(Zeile& view)
{
    return view.loesen() == 0;
}

// The copy goes over the old file in place, which spares the system freeing its
// pages and allocating them again.
Dateiergebnis RasterKopierenDatei(const Files& files, const RasterSlot& von, const RasterSlot& nach)
{
    if (von.pfad.empty() || nach.pfad.empty())
        return Dateiergebnis::Fehler;
    if (von.pfad == nach.pfad)
        return Dateiergebnis::Ok;
    if (const int fehler = dateiKopieren(von.pfad, nach.pfad, &files); fehler != 0)
        return diskFull(fehler) ? Dateiergebnis::PlatteVoll : Dateiergebnis::Fehler;
    std::error_code ec;
    fs::permissions(nach.pfad, fs::perms::owner_read | fs::perms::owner_write, ec);
    return Dateiergebnis::Ok;
}

namespace {

// False where the file system has no second names, or the files lie on two of them.
bool zweiterName(const RasterSlot& von, const RasterSlot& nach)
{
    if (von.pfad.empty() || nach.pfad.empty())
        return false;
    if (von.pfad == nach.pfad)
        return true;
    return (::unlink(nach.pfad.c_str()) == 0 || errno == ENOENT) && ::link(von.pfad.c_str(), nach.pfad.c_str()) == 0;
}

// A file that is byte for byte what RasterKopieren would write: the header for
// its size, nothing after the rows and no padding, which a file from elsewhere
// may fill with anything.
bool wieKopie(const RasterSlot& slot)
{
    if (RasterStride(slot.breite) != 3 * int64_t{slot.breite})
        return false;
    const int fd = ::open(slot.pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::array<uint8_t, BmpKopfLaenge> kopf{};
    struct stat st {};
    const bool ok = readFully(fd, kopf.data(), kopf.size(), 0) && ::fstat(fd, &st) == 0;
    ::close(fd);
    return ok && kopf == bmpKopf(slot.breite, slot.hoehe) && st.st_size == RasterDateigroesse(slot.breite, slot.hoehe);
}

}

Dateiergebnis RasterTeilen(const Files& files, const RasterSlot& von, const RasterSlot& nach)
{
    return zweiterName(von, nach) ? Dateiergebnis::Ok : RasterKopierenDatei(files, von, nach);
}

void LegeRasterAn(Context& ctx, RasterSlot& slot, int32_t breite, int32_t hoehe, Anlage anlage)
{
    slot.breite = breite;
    slot.hoehe = hoehe;
    if (anlegen(ctx, slot, anlage) != Angelegt::Ok)
        throw Abbruch{};
}

void TeileRaster(Context& ctx, const RasterSlot& von, const RasterSlot& nach)
{
    if (const Dateiergebnis r = RasterTeilen(ctx.files(), von, nach); r != Dateiergebnis::Ok)
        throw Abbruch{r == Dateiergebnis::PlatteVoll ? ENOSPC : 0};
}

uint8_t* LeseZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view)
{
    uint8_t* zeile = nullptr;
    if (!ZeileLesen(ctx, slot, y, zeile, view))
        throw Abbruch{};
    return zeile;
}

uint8_t* SchreibeZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view)
{
    uint8_t* zeile = nullptr;
    if (!ZeileSchreiben(ctx, slot, y, zeile, view))
        throw Abbruch{};
    return zeile;
}

uint8_t* NeueZeile(Context& ctx, const RasterSlot& slot, int32_t y, Zeile& view)
{
    uint8_t* zeile = nullptr;
    if (!ZeileUeberschreiben(ctx, slot, y, zeile, view))
        throw Abbruch{};
    return zeile;
}

void GibZeileFrei(Zeile& view)
{
    if (const int fehler = view.loesen(); fehler != 0)
        throw Abbruch{fehler};
}

void OeffneLesen(RasterSlot& slot)
{
    if (!RasterOeffnenLesen(slot))
        throw Abbruch{};
}

void OeffneSchreiben(RasterSlot& slot)
{
    if (!RasterOeffnenSchreiben(slot))
        throw Abbruch{};
}

QuelleUndZiel::QuelleUndZiel(const RasterSlot& quelle, RasterSlot& ziel)
    : von(quelle), schliesseQuelle_(von), schliesseZiel_(ziel)
{
    OeffneLesen(von);
    OeffneSchreiben(ziel);
}

void RasterKopieren(Context& ctx, const RasterSlot& von, RasterSlot& nach)
{
    if (ctx.state.abort || &von == &nach)
        return;
    nach.breite = von.breite;
    nach.hoehe = von.hoehe;
    // A copy that would be the source's file byte for byte shares it instead.
    if (wieKopie(von) && zweiterName(von, nach)) {
        ctx.setProgress(von.hoehe - 1, von.hoehe - 1);
        ctx.pump();
        ctx.throwIfAborted();
        return;
    }
    if (RasterAnlegen(ctx, nach) != Angelegt::Ok)
        throw Abbruch{};
    const QuelleUndZiel offen(von, nach);
    ctx.setProgress(von.hoehe - 1, 0);
    const auto bytes = static_cast<size_t>(3 * int64_t{von.breite});
    Leseband lesen;
    Schreibband schreiben;
    for (int32_t y = 0; y < von.hoehe; ++y) {
        const uint8_t* a = lesen.zeile(ctx, offen.von, y);
        std::memcpy(schreiben.zeile(ctx, nach, y), a, bytes);
        ctx.rowDone(y);
    }
    schreiben.schreiben();
}

void ZeileFuellen(uint8_t* zeile, int32_t von, int32_t bis, const Farbe& farbe)
{
    const uint8_t bgr[3] = {static_cast<uint8_t>(farbe.b), static_cast<uint8_t>(farbe.g), static_cast<uint8_t>(farbe.r)};
    for (uint8_t* px = zeile + 3 * int64_t{von}; px < zeile + 3 * int64_t{bis}; px += 3)
        std::memcpy(px, bgr, 3);
}
