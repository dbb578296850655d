// Reads a 24-megapixel JPEG into a working copy beside djpeg -bmp on the same
// file, and a 10,000 × 10,000 uncompressed TIFF beside a plain copy of the
// file, in the same run. Then the peak resident memory of the TIFF and TGA
// readers for one height and four times that height, each in a child process.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "bench/Aufruf.h"
#include "bench/Messung.h"
#include "imageio/Jpeg.h"
#include "imageio/Tga.h"
#include "imageio/Tiff.h"
#include "raster/RasterImage.h"

namespace fs = std::filesystem;

namespace {

// A raster with a smooth pattern and some detail, so the JPEG is realistic.
RasterSlot pattern(Context& ctx, const fs::path& path, int32_t w, int32_t h)
{
    RasterSlot s;
    s.pfad = path.string();
    s.breite = w;
    s.hoehe = h;
    if (RasterAnlegenLeer(ctx, s) != Angelegt::Ok)
        std::exit(1);
    SlotCloser close(s);
    OeffneSchreiben(s);
    Zeile view;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = NeueZeile(ctx, s, y, view);
        for (int32_t x = 0; x < w; ++x) {
            row[3 * x] = static_cast<uint8_t>(x / 16 + y / 32);
            row[3 * x + 1] = static_cast<uint8_t>((x * y) >> 12);
            row[3 * x + 2] = static_cast<uint8_t>(y / 8 + ((x ^ y) & 7));
        }
        GibZeileFrei(view);
    }
    return s;
}

// Peak resident memory of a child process running body, in KiB.
long childPeakKiB(const std::function<bool()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::exit(1);
    return usage.ru_maxrss;
}

// Seconds a reader takes to turn a file of the bench folder into a working copy,
// which is removed again; a failed read ends the benchmark.
double timedLoad(HeadlessBench& bench, Ladeergebnis (*read)(Context&, const std::string&, RasterSlot&),
                 const char* file)
{
    RasterSlot working;
    working.pfad = (bench.folder / "working.bmp").string();
    const auto start = std::chrono::steady_clock::now();
    if (read(bench.ctx, (bench.folder / file).string(), working) != Ladeergebnis::Ok)
        std::exit(1);
    const double elapsed = seconds(start);
    fs::remove(working.pfad);
    return elapsed;
}

}

int main(int argc, char** argv)
{
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    HeadlessBench bench("lumivex-bench-imageio");

    // JPEG: 6,000 × 4,000 pixels.
    const auto jw = static_cast<int32_t>(6000 * scale), jh = static_cast<int32_t>(4000 * scale);
    {
        const RasterSlot source = pattern(bench.ctx, bench.folder / "jpeg-source.bmp", jw, jh);
        if (!JPEG_Schreiben(bench.ctx, (bench.folder / "photo.jpg").string(), source))
            return 1;
        fs::remove(source.pfad);
    }
    auto start = std::chrono::steady_clock::now();
    const std::string djpeg = "djpeg -bmp -outfile " + (bench.folder / "djpeg.bmp").string() + " " + (bench.folder / "photo.jpg").string();
    if (std::system(djpeg.c_str()) != 0) {
        std::fputs("djpeg is missing: apt-get install libjpeg-turbo-progs\n", stderr);
        return 1;
    }
    const double floorJpeg = seconds(start);
    const double jpeg = timedLoad(bench, JPEG_Lesen, "photo.jpg");
    std::printf("JPEG %d x %d: JPEG_Lesen %.3f s, djpeg -bmp %.3f s, ratio %.2f (target <= 1.3)\n", jw, jh, jpeg,
                floorJpeg, jpeg / floorJpeg);
    fs::remove(bench.folder / "djpeg.bmp");

    // TIFF: 10,000 × 10,000 pixels, one strip.
    const auto tw = static_cast<int32_t>(10000 * scale), th = tw;
    {
        const RasterSlot source = pattern(bench.ctx, bench.folder / "tiff-source.bmp", tw, th);
        if (!TIFF_RGB_Schreiben(bench.ctx, (bench.folder / "big.tif").string(), source, 300, 300))
            return 1;
        fs::remove(source.pfad);
    }
    const double floorTiff = plainCopy(bench.folder / "big.tif", bench.folder / "copy.tif", 1 << 20, true);
    fs::remove(bench.folder / "copy.tif");
    const double tiff = timedLoad(bench, TIFF_Lesen, "big.tif");
    std::printf("TIFF %d x %d: TIFF_Lesen %.3f s, plain copy %.3f s, ratio %.2f (target <= 2)\n", tw, th, tiff,
                floorTiff, tiff / floorTiff);
    fs::remove(bench.folder / "big.tif");

    // Peak memory for height h and 4 h at the same width.
    const int32_t mw = 2000, mh = static_cast<int32_t>(1000 * std::max(scale, 0.1));
    for (const char* format : {"TIFF", "TGA"}) {
        long peak[2] = {};
        for (int k = 0; k < 2; ++k) {
            const int32_t h = mh * (k == 0 ? 1 : 4);
            const RasterSlot source = pattern(bench.ctx, bench.folder / "mem-source.bmp", mw, h);
            const std::string file = (bench.folder / (std::string("mem.") + format)).string();
            const bool tif = std::string(format) == "TIFF";
            if (!(tif ? TIFF_RGB_Schreiben(bench.ctx, file, source, 300, 300) : TGA_Schreiben(bench.ctx, file, source)))
                return 1;
            RasterSlot target;
            target.pfad = (bench.folder / "mem-working.bmp").string();
            peak[k] = childPeakKiB([&] {
                return (tif ? TIFF_Lesen(bench.ctx, file, target) : TGA_Lesen(bench.ctx, file, target)) == Ladeergebnis::Ok;
            });
            fs::remove(file);
            fs::remove(target.pfad);
            fs::remove(source.pfad);
        }
        std::printf("%s reader peak RSS: %ld KiB at %d x %d, %ld KiB at %d x %d\n", format, peak[0], mw, mh, peak[1],
                    mw, mh * 4);
    }
    fs::remove_all(bench.folder);
    return 0;
}
