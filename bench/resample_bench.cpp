// Resamples a 6,000 × 4,000 raster rotated by 1.5 degrees with bicubic
// interpolation, on one thread and on every core, and copies the same raster
// row by row with RasterKopieren as the floor. Prints megapixels per second,
// the ratio to the floor, the thread speed-up and the peak resident memory;
// checks that both thread counts give the same pixels.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "bench/Aufruf.h"
#include "bench/Messung.h"
#include "raster/Justieren.h"
#include "raster/RasterImage.h"
#include "raster/Uebertragung.h"

namespace fs = std::filesystem;

namespace {

// A picture with detail everywhere, so that no interpolation is trivial.
void drawSource(Context& ctx, RasterSlot& slot)
{
    if (RasterAnlegen(ctx, slot) != Angelegt::Ok)
        std::exit(1);
    SlotCloser schliessen(slot);
    OeffneSchreiben(slot);
    Zeile view;
    for (int32_t y = 0; y < slot.hoehe; ++y) {
        uint8_t* row = NeueZeile(ctx, slot, y, view);
        for (int32_t x = 0; x < slot.breite; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 3 + y);
            row[3 * x + 1] = static_cast<uint8_t>((x ^ y) & 0xFF);
            row[3 * x + 2] = static_cast<uint8_t>(y * 5);
        }
        GibZeileFrei(view);
    }
}

bool sameFiles(const fs::path& a, const fs::path& b)
{
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (fa && fb) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() || !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
    }
    return fa.eof() && fb.eof();
}

}

int main(int argc, char** argv)
{
    const int32_t width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int32_t height = argc > 2 ? std::atoi(argv[2]) : 4000;
    HeadlessBench bench("lumivex-bench-resample");

    auto slot = [&](const char* name) {
        RasterSlot s;
        s.pfad = (bench.folder / name).string();
        s.breite = width;
        s.hoehe = height;
        return s;
    };
    RasterSlot source = slot("quelle.bmp");
    RasterSlot copy = slot("kopie.bmp");
    RasterSlot single = slot("ein.bmp");
    RasterSlot threaded = slot("mehr.bmp");
    drawSource(bench.ctx, source);
    const double mp = static_cast<double>(width) * height / 1e6;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::printf("raster %d x %d (%.1f MP), %d cores\n", width, height, mp, cores);

    double floor = 1e9;
    for (int round = 0; round < 2; ++round) {
        const auto start = std::chrono::steady_clock::now();
        RasterKopieren(bench.ctx, source, copy);
        floor = std::min(floor, seconds(start));
    }

    ImageEntry bild;
    bild.rot = 1.5;
    const Groesse size{width, height};
    const Abbildung rotation = Abbildung_Aus(
        Vorwaertsmatrix(bild, Ermittle_Bildlage(bild, RefInfo{}, size)), false, false, width, height);
    auto resample = [&](RasterSlot& target, int threads) {
        ResampleOptionen o;
        o.threads = threads;
        o.speicherGrenze = Standard_Speichergrenze();
        // The first run creates the target file; only the second is timed.
        Resampeln(bench.ctx, source, target, rotation, o);
        const auto start = std::chrono::steady_clock::now();
        Resampeln(bench.ctx, source, target, rotation, o);
        if (bench.ctx.state.abort)
            std::exit(1);
        return seconds(start);
    };
    const double one = resample(single, 1);
    const double all = resample(threaded, cores);

    std::printf("row copy (floor)          %7.3f s  %7.1f MP/s\n", floor, mp / floor);
    std::printf("bicubic 1.5 deg, 1 thread %7.3f s  %7.1f MP/s  ratio to floor %5.2f\n", one, mp / one, one / floor);
    std::printf("bicubic 1.5 deg, %d threads%6.3f s  %7.1f MP/s  ratio to floor %5.2f  (target <= 8)\n", cores, all,
                mp / all, all / floor);
    std::printf("thread speed-up           %7.2f  (target >= 1.7)\n", one / all);
    std::printf("pixels identical          %7s\n", sameFiles(single.pfad, threaded.pfad) ? "yes" : "NO");
    std::printf("peak resident memory      %7ld KiB\n", peakKiB());
    fs::remove_all(bench.folder);
    return 0;
}
