// Copies a 20,000 × 10,000 raster with RasterKopieren and, in the same run,
// moves the same bytes with plain file I/O as the floor. Prints both, the
// ratio and the peak resident memory.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/Aufruf.h"
#include "bench/Messung.h"
#include "raster/RasterImage.h"

namespace fs = std::filesystem;

namespace {

double rasterCopy(Context& ctx, const RasterSlot& from, RasterSlot& to)
{
    const auto start = std::chrono::steady_clock::now();
    RasterKopieren(ctx, from, to);
    if (ctx.state.abort)
        std::exit(1);
    return seconds(start);
}

}

int main(int argc, char** argv)
{
    const int32_t width = argc > 2 ? std::atoi(argv[1]) : 20000;
    const int32_t height = argc > 2 ? std::atoi(argv[2]) : 10000;
    HeadlessBench bench("lumivex-bench");

    RasterSlot source;
    source.pfad = (bench.folder / "quelle.bmp").string();
    source.breite = width;
    source.hoehe = height;
    RasterSlot target;
    target.pfad = (bench.folder / "ziel.bmp").string();
    const double mb = static_cast<double>(RasterDateigroesse(width, height)) / 1e6;
    std::printf("raster %d x %d, %.0f MB\n", width, height, mb);

    auto start = std::chrono::steady_clock::now();
    if (RasterAnlegen(bench.ctx, source) != Angelegt::Ok)
        return 1;
    std::printf("RasterAnlegen (white fill)   %7.3f s\n", seconds(start));

    const double firstCopy = rasterCopy(bench.ctx, source, target);
    std::printf("RasterKopieren, new target   %7.3f s\n", firstCopy);

    double floorBest = 1e9;
    double copyBest = 1e9;
    const size_t rowBytes = static_cast<size_t>(RasterStride(width));
    for (int round = 0; round < 3; ++round) {
        floorBest = std::min(floorBest, plainCopy(source.pfad, bench.folder / "floor.bmp", rowBytes, false));
        copyBest = std::min(copyBest, rasterCopy(bench.ctx, source, target));
    }
    std::printf("plain read+write (floor)     %7.3f s  %7.0f MB/s\n", floorBest, mb / floorBest);
    std::printf("RasterKopieren, reused       %7.3f s  %7.0f MB/s\n", copyBest, mb / copyBest);
    std::printf("ratio copy / floor           %7.2f  (target <= 1.5)\n", copyBest / floorBest);
    std::printf("peak resident memory         %7ld KiB\n", peakKiB());
    fs::remove_all(bench.folder);
    return 0;
}
