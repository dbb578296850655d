#include "model/ImageSet.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>
#include <utility>

#include "core/Format.h"

namespace fs = std::filesystem;

void ImageEntry::dateienLoeschen()
{
    std::error_code ec;
    for (int s = 0; s < SlotAnzahl; ++s) {
        RasterSlot& r = slot[static_cast<size_t>(s)];
        r.datei.reset();
        const bool unsere = s > 0 || r.eigentum == 0;
        if (unsere && !r.pfad.empty())
            fs::remove(r.pfad, ec);
    }
}

bool ImageSet::Entfernen(int n)
{
    if (anzahl < 1 || !gueltig(n))
        return false;
    bild[static_cast<size_t>(n)].dateienLoeschen();
    for (int k = n; k < anzahl; ++k)
        bild[static_cast<size_t>(k)] = std::move(bild[static_cast<size_t>(k + 1)]);
    bild[static_cast<size_t>(anzahl)].reset();
    return true;
}

void ImageSet::Leeren()
{
    for (int n = 1; n <= anzahl; ++n) {
        bild[static_cast<size_t>(n)].dateienLoeschen();
        bild[static_cast<size_t>(n)].reset();
    }
    anzahl = 0;
}

int ImageSet::Hoch(int n)
{
    if (!gueltig(n))
        return -1;
    if (n < 2)
        return 1;
    std::swap(bild[static_cast<size_t>(n - 1)], bild[static_cast<size_t>(n)]);
    return n - 1;
}

int ImageSet::Runter(int n)
{
    if (!gueltig(n))
        return -1;
    if (n == anzahl)
        return n;
    std::swap(bild[static_cast<size_t>(n)], bild[static_cast<size_t>(n + 1)]);
    return n + 1;
}

Groesse ImageSet::groessteSlotGroesse(int slotNr) const
{
    Groesse g;
    const int bis = std::max(1, anzahl);
    for (int n = 1; n <= bis; ++n) {
        const RasterSlot& s = bild[static_cast<size_t>(n)].slot[static_cast<size_t>(slotNr)];
        g.breite = std::max(g.breite, s.breite);
        g.hoehe = std::max(g.hoehe, s.hoehe);
    }
    return g;
}

Groesse ImageSet::MaxArbeitskopie() const
{
    return groessteSlotGroesse(SlotArbeitskopie);
}

Groesse ImageSet::Ermittle_MaxDim() const
{
    return groessteSlotGroesse(SlotJustiert);
}

std::string TempDateiname(const fs::path& tempFolder, int index, int slot)
{
    using namespace std::chrono;
    const auto jetzt = system_clock::now();
    const std::time_t t = system_clock::to_time_t(jetzt);
    std::tm lokal{};
    localtime_r(&t, &lokal);
    // Day 1 is 1 January of year 1; 719163 days lie between it and 1 January 1970.
    const auto tag = sys_days{year{lokal.tm_year + 1900} / (lokal.tm_mon + 1) / lokal.tm_mday};
    const long long tagNummer = tag.time_since_epoch().count() + 719163;
    const long long ms = (lokal.tm_hour * 3600LL + lokal.tm_min * 60LL + lokal.tm_sec) * 1000LL
        + duration_cast<milliseconds>(jetzt.time_since_epoch()).count() % 1000;
    const std::string name = "~$" + std::to_string(tagNummer) + "_" + std::to_string(ms) + "_"
        + std::to_string(index) + "_" + std::to_string(slot) + ".bmp";
    return (tempFolder / name).string();
}

std::string Listenzeile(const ImageEntry& bild, int nummer, bool istL, bool istR, int fontSize)
{
    const RasterSlot& quelle = bild.slot[SlotQuelle];
    std::string z;
    z += istL ? "L" : " ";
    z += istR ? "R" : " ";
    z += formatInt(nummer, 2) + " ";
    z += padCut(quelle.name, fontSize == 8 ? 5 : 22);
    z += formatInt(quelle.breite, 5) + " " + formatInt(quelle.hoehe, 5);
    z += bild.istReferenzbild ? "+" : " ";
    z += bild.refModus ? "+" : " ";
    if (bild.refModus)
        z += formatInt(bild.refX, 7) + formatInt(bild.refY, 7);
    else
        z += formatFixed(bild.dx, 7, 1) + formatFixed(bild.dy, 7, 1);
    z += formatFixed(bild.rot, 6, 1) + formatFixed(bild.skal, 6, 3) + " ";
    if (bild.AJRef1 < 0)
        z += " ";
    else {
        const std::string& mark = bild.AJStatus[0];
        z += mark == "1" ? std::string("+") : padCut(mark, 1);
    }
    return z;
}

std::vector<std::string> Listenzeilen(const ImageSet& bilder, int bildL, int bildR, int fontSize)
{
    std::vector<std::string> zeilen;
    for (int n = 1; n <= bilder.anzahl; ++n)
        zeilen.push_back(Listenzeile(bilder.bild[static_cast<size_t>(n)], n, n == bildL, n == bildR, fontSize));
    return zeilen;
}

std::string Listenkopf(int fontSize)
{
    return fontSize == 8 ? " Nr Dat. breit  hoch P   P/dx   P/dy   Rot  Skal AJ"
                         : " Nr Datei                 breit  hoch P   P/dx   P/dy   Rot  Skal AJ";
}
