// `lumivex render` end to end, as a user runs it, on generated photographs:
// each work beside its floor (reading every input with cat, writing the
// result's byte count with head from /dev/zero) and, where libvips' command
// line tools are installed, beside vips commands doing comparable work on the
// same pixels. Render, floor and vips take turns (A B A B) over the rounds;
// the table shows medians, with the page cache warm from a first round.
//   bench_render [--folder DIR] [--rounds N] [--only 1|2|3] [--before LUMIVEX]
// The photographs stay in DIR (default: a folder in the temporary folder) for
// the next run. --before takes another build of lumivex into the same rounds,
// for a before-and-after comparison under the same load.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/Aufruf.h"
#include "bench/Fotos.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// What one process took: wall time and its peak resident memory.
struct Run {
    double seconds = 0;
    long peakKiB = 0;
};

Run run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    // What earlier runs left unwritten goes to disk first: otherwise a run pays
    // for the writeback of the one before it, and the order of the works decides.
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    Run result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.peakKiB = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string command;
        for (const std::string& a : args)
            command += a + " ";
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return result;
}

Run shell(const std::string& command)
{
    return run({"sh", "-c", command});
}

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

// Width and height from a BMP header.
std::pair<int, int> bmpSize(const fs::path& file)
{
    uint8_t k[26] = {};
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(k), sizeof k);
    const auto le32 = [&](int at) { return k[at] | (k[at + 1] << 8) | (k[at + 2] << 16) | (k[at + 3] << 24); };
    return {le32(18), le32(22)};
}

struct Work {
    std::string name;
    std::vector<fs::path> photos;
    int width = 0, height = 0;  // of each photo
    ProjektDaten project;
    // The vips commands, for sh, that make a result of w × h.
    std::string (*vips)(const Work&, const fs::path& folder) = nullptr;
    double target = 0;  // the ratio to the floor aimed at
    fs::path lvx, output;
    int w = 0, h = 0;  // the result's size
    std::vector<double> render, before, floor, peer;
    long peakKiB = 0, beforePeakKiB = 0;
};

fs::path vipsFile(fs::path photo)
{
    return photo.replace_extension(".v");
}

// vips takes a list of images as one argument, its names separated by spaces,
// so the folder's name must not hold any.

// The photos as vips files holding the BMP's pixel bytes (rows bottom-up, which
// costs vips nothing), so both programs read the same bytes.
void vipsInputs(const Work& a)
{
    for (const fs::path& f : a.photos)
        if (!fs::exists(vipsFile(f)))
            run({"vips", "rawload", f.string(), vipsFile(f).string(), std::to_string(a.width), std::to_string(a.height),
                 "3", "--offset", "54"});
}

std::string vipsReduce(const Work& a, const fs::path& folder)
{
    return "vips reduce " + quoted(vipsFile(a.photos[0])) + " " + quoted(folder / "vips1.v") + " "
        + std::to_string(static_cast<double>(a.width) / a.w) + " " + std::to_string(static_cast<double>(a.height) / a.h)
        + " --kernel linear";
}

// Red from the left photo, green and blue from the right one (bands are blue, green, red).
std::string vipsAnaglyph(const Work& a, const fs::path& folder)
{
    const fs::path l = folder / "vips2l.v", r = folder / "vips2r.v";
    return "vips extract_band " + quoted(vipsFile(a.photos[0])) + " " + quoted(l) + " 2 && vips extract_band "
        + quoted(vipsFile(a.photos[1])) + " " + quoted(r) + " 0 --n 2 && vips bandjoin \"" + r.string() + " "
        + l.string() + "\" " + quoted(folder / "vips2.v");
}

// Each photo shrunk to one column per lens; the column gather joins the bands
// of all photos (one pixel of each side by side, the last photo first as under
// a lens), saves the joined pixels raw and loads them as one picture as wide
// as all of them; then the resize to the print's pixels.
std::string vipsLenticular(const Work& a, const fs::path& folder)
{
    const int n = static_cast<int>(a.photos.size());
    // One pixel per photo and lens: the whole lenses across the print's width.
    const auto lenses = static_cast<int>(std::lround(a.project.breite / 2.54 * a.project.lpi));
    std::string command, joined;
    for (int i = n - 1; i >= 0; --i) {
        const fs::path s = folder / ("vips3_" + std::to_string(i) + ".v");
        command += "vips shrink " + quoted(vipsFile(a.photos[static_cast<size_t>(i)])) + " " + quoted(s) + " "
            + std::to_string(static_cast<double>(a.width) / lenses) + " 1 && ";
        joined += s.string() + " ";
    }
    const fs::path j = folder / "vips3j.raw", g = folder / "vips3g.v";
    command += "vips bandjoin \"" + joined + "\" " + quoted(j) + " && vips rawload " + quoted(j) + " " + quoted(g)
        + " " + std::to_string(lenses * n) + " " + std::to_string(a.height) + " 3 && vips resize "
        + quoted(g) + " " + quoted(folder / "vips3.v") + " " + std::to_string(static_cast<double>(a.w) / (lenses * n))
        + " --vscale " + std::to_string(static_cast<double>(a.h) / a.height) + " --kernel cubic";
    return command;
}

// A work on count photos of width × height, named after their size, composed in the given preview mode.
Work work(const char* name, const fs::path& folder, int count, int width, int height, int mode,
          std::string (*vips)(const Work&, const fs::path&), double target)
{
    Work a;
    a.name = name;
    a.width = width;
    a.height = height;
    const std::string size = "photo_" + std::to_string(width) + "x" + std::to_string(height);
    for (int k = 1; k <= count; ++k)
        a.photos.push_back(folder / (size + (count == 1 ? "" : "_" + std::to_string(k)) + ".bmp"));
    a.project = project(a.photos, width, height, mode);
    a.vips = vips;
    a.target = target;
    return a;
}

std::vector<Work> works(const fs::path& folder)
{
    std::vector<Work> list{
        work("lenticular 3D, 1 x 12000 x 8000, Auto", folder, 1, 12000, 8000, 5, vipsReduce, 3),
        work("red-cyan anaglyph, 2 x 6000 x 4000", folder, 2, 6000, 4000, 3, vipsAnaglyph, 2.5),
        work("lenticular 3D, 12 x 4000 x 3000, 720 dpi B-spline", folder, 12, 4000, 3000, 5, vipsLenticular, 4),
    };
    list[1].project.anaglyphArt = 1;     // "Rot - Cyan"
    list[1].project.anaglyphSchema = 0;  // full colour
    Work& three = list[2];
    three.project.druckOptimierung = true;
    three.project.dpiAuto = false;
    three.project.dpiManuell = true;
    three.project.dpiIndex = 9;  // 720
    three.project.biKubIndex = 0;
    return list;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

}

int main(int argc, char** argv)
{
    const Options options(argc, argv);
    const fs::path folder = options.folder("lumivex-render-bench");
    const int rounds = options.rounds(3);
    const int only = options.number("--only", 0);
    const std::string before = options.text("--before");
    const bool withVips = std::system("vips --version >/dev/null 2>&1") == 0;
    std::vector<Work> list = works(folder);
    std::vector<Work*> chosen;
    for (size_t i = 0; i < list.size(); ++i)
        if (only == 0 || only == static_cast<int>(i) + 1)
            chosen.push_back(&list[i]);
    for (Work* a : chosen) {
        const int views = std::max(static_cast<int>(a->photos.size()), 2);
        for (size_t k = 0; k < a->photos.size(); ++k)
            photo(a->photos[k], a->width, a->height, static_cast<int>(k), views);
        const std::string stem = a->photos[0].stem().string();
        a->lvx = folder / (stem + ".lvx");
        a->output = folder / (stem + "_result.bmp");
        writeProject(a->lvx, a->project);
        if (withVips)
            vipsInputs(*a);
    }
    const std::string loadBefore = loadAverage();
    // Round 0 warms the page cache and finds the result sizes; it is not counted.
    for (int round = 0; round <= rounds; ++round) {
        for (Work* a : chosen) {
            const Run r = run({LUMIVEX_PROGRAMM, "render", a->lvx.string(), a->output.string()});
            if (round == 0)
                std::tie(a->w, a->h) = bmpSize(a->output);
            const Run old = before.empty() ? Run{} : run({before, "render", a->lvx.string(), a->output.string()});
            std::string inputs;
            for (const fs::path& f : a->photos)
                inputs += quoted(f) + " ";
            const fs::path floorFile = folder / "floor.bmp";
            fs::remove(floorFile);
            const Run f = shell("cat " + inputs + ">/dev/null && head -c "
                                + std::to_string(RasterDateigroesse(a->w, a->h)) + " /dev/zero >" + quoted(floorFile));
            const Run v = withVips ? shell(a->vips(*a, folder)) : Run{};
            if (round == 0)
                continue;
            a->render.push_back(r.seconds);
            a->peakKiB = std::max(a->peakKiB, r.peakKiB);
            a->before.push_back(old.seconds);
            a->beforePeakKiB = std::max(a->beforePeakKiB, old.peakKiB);
            a->floor.push_back(f.seconds);
            a->peer.push_back(v.seconds);
        }
    }
    std::printf("\nlumivex render, median of %d rounds; load average before %s, after %s; %u cores\n", rounds,
                loadBefore.c_str(), loadAverage().c_str(), std::thread::hardware_concurrency());
    std::printf("%-50s %12s %7s %7s %6s %6s %7s %9s %9s\n", "work", "result", "render", "floor", "ratio", "target",
                "vips", "render/vips", "peak RSS");
    for (const Work* a : chosen) {
        const double r = median(a->render), f = median(a->floor), v = median(a->peer);
        const std::string size = std::to_string(a->w) + " x " + std::to_string(a->h);
        std::printf("%-50s %12s %6.2fs %6.2fs %6.2f %6.1f", a->name.c_str(), size.c_str(), r, f, r / f, a->target);
        if (withVips)
            std::printf(" %6.2fs %11.2f", v, r / v);
        else
            std::printf(" %7s %11s", "-", "-");
        std::printf(" %6ld MiB", a->peakKiB / 1024);
        if (!before.empty())
            std::printf("   before: %6.2fs (ratio %5.2f) %6ld MiB", median(a->before), median(a->before) / f,
                        a->beforePeakKiB / 1024);
        std::printf("\n");
    }
    if (!withVips)
        std::printf("No vips figures: libvips' command-line tools (libvips-tools) are not installed.\n");
    return 0;
}
