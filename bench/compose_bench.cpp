// The composers on generated images, each beside its floor measured in the same
// run: reading every input byte and writing one file of the result's size with
// plain file I/O. Prints times, ratios and the peak resident memory.
//   bench_compose [lens|area|anaglyph]   (all three without an argument)
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/Messung.h"
#include "compose/Komponisten.h"
#include "compose/Pipeline.h"
#include "compose/Resize.h"
#include "platform/Headless.h"
#include "platform/PosixFiles.h"

namespace fs = std::filesystem;

namespace {

// Notes where the time of a run goes: a step is a pipeline level, a composer
// phase and a progress length, which tells the passes of one phase apart.
class QuietEvents : public Events {
public:
    void processEvents(const AppState& state) override
    {
        const std::string step = state.progress.level + " " + state.progress.phase + " "
            + std::to_string(state.progress.max + 1);
        const auto now = std::chrono::steady_clock::now();
        if (!steps_.empty())
            steps_.back().second += std::chrono::duration<double>(now - last_).count();
        last_ = now;
        if (steps_.empty() || steps_.back().first != step)
            steps_.emplace_back(step, 0.0);
    }
    void setBusyCursor(bool) override {}

    void start()
    {
        steps_.clear();
    }
    void print() const
    {
        std::printf("   ");
        for (const auto& [step, time] : steps_)
            if (time >= 0.01)
                std::printf(" [%s] %.2f", step.c_str(), time);
        std::printf("\n");
    }

private:
    std::vector<std::pair<std::string, double>> steps_;
    std::chrono::steady_clock::time_point last_;
};

// Reads the inputs and writes bytes to a new file in row-sized pieces, as a
// plain program would. The file is created afresh each time, so the figure does
// not depend on what an earlier measurement left behind, and the median of three
// measurements keeps a momentary stall of the machine out of it.
double floorTime(const std::vector<std::string>& inputs, const fs::path& out, int64_t bytes, size_t piece)
{
    std::vector<char> buffer(piece);
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        fs::remove(out);
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& in : inputs) {
            const int fd = ::open(in.c_str(), O_RDONLY);
            while (::read(fd, buffer.data(), buffer.size()) > 0) {
            }
            ::close(fd);
        }
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        for (int64_t done = 0; done < bytes; done += static_cast<int64_t>(piece))
            if (::write(fd, buffer.data(),
                        static_cast<size_t>(std::min<int64_t>(bytes - done, static_cast<int64_t>(piece))))
                < 0)
                std::exit(1);
        ::close(fd);
        times.push_back(seconds(start));
    }
    fs::remove(out);
    std::sort(times.begin(), times.end());
    return times[1];
}

// Image n of the set: w × h of a pattern that differs per image.
void makeImage(Programm& p, int n, int32_t w, int32_t h)
{
    p.bilder.anzahl = std::max(p.bilder.anzahl, n);
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(n)];
    for (RasterSlot& s : e.slot) {
        s.breite = w;
        s.hoehe = h;
    }
    e.slot[SlotQuelle].name = "bild" + std::to_string(n);
    RasterSlot& s = e.slot[SlotJustiert];
    s.pfad = TempDateiname(p.ctx.files().tempFolder(), n, SlotJustiert);
    if (RasterAnlegen(p.ctx, s) != Angelegt::Ok)
        std::exit(1);
    SlotCloser close(s);
    OeffneSchreiben(s);
    Zeile view;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = NeueZeile(p.ctx, s, y, view);
        for (int32_t x = 0; x < 3 * w; ++x)
            row[x] = static_cast<uint8_t>(x * 7 + y * 3 + n * 40);
        GibZeileFrei(view);
    }
}

std::vector<std::string> inputs(const Programm& p)
{
    std::vector<std::string> files;
    for (int n = 1; n <= p.bilder.anzahl; ++n)
        files.push_back(p.bilder.bild[static_cast<size_t>(n)].slot[SlotJustiert].pfad);
    return files;
}

void report(const char* what, double time, double cpu, double floor, double target)
{
    std::printf("%-40s %6.2f s (cpu %5.2f s)   floor %5.2f s   ratio %5.2f", what, time, cpu, floor, time / floor);
    if (target > 0)
        std::printf(" (target <= %.0f)", target);
    std::printf("   peak %ld MiB\n", peakKiB() / 1024);
}

void lens(Programm& p, const fs::path& folder)
{
    for (int n = 1; n <= 12; ++n)
        makeImage(p, n, 4000, 3000);
    p.auswahl = {VorschauLinsenraster, 1, 2, 0, false, false};
    p.druck.breiteGesetzt = 60;
    p.druck.hoeheGesetzt = 40;
    p.compose.lpi = 40;
    p.druck.proportional = false;
    for (bool optimise : {false, true}) {
        p.compose.DruckOptimierung = optimise;
        p.compose.dpiAuto = false;
        p.compose.dpiIndex = 9;  // 720
        for (int round = 0; round < 2; ++round) {
            auto& events = static_cast<QuietEvents&>(p.ctx.events());
            events.start();
            const double cpu0 = cpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            Schleife(p, 3);
            const double time = seconds(start);
            const double cpu = cpuSeconds() - cpu0;
            const RasterSlot& r = p.bilder.ergebnis().slot[SlotFarbErgebnis];
            if (!fs::exists(r.pfad))
                std::exit(1);
            const double floor = floorTime(inputs(p), folder / "floor.bmp", RasterDateigroesse(r.breite, r.hoehe),
                                           static_cast<size_t>(r.stride()));
            std::printf("lenticular 12 x 4000 x 3000, 60 x 40 cm, 40 lpi -> %d x %d\n", r.breite, r.hoehe);
            report(optimise ? (round ? "  720 dpi bicubic, files reused" : "  720 dpi bicubic, new files")
                            : (round ? "  nearest-neighbour fit, files reused" : "  nearest-neighbour fit, new files"),
                   time, cpu, floor, optimise ? 8 : 6);
            events.print();
        }
    }
}

void area(Programm& p, const fs::path& folder)
{
    makeImage(p, 1, 12000, 8000);
    ImageEntry& e = p.bilder.bild[1];
    e.slot[SlotKomposition].pfad = TempDateiname(p.ctx.files().tempFolder(), 1, SlotKomposition);
    for (int round = 0; round < 2; ++round) {
        const double cpu0 = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        if (!Flaechenmittel(p.ctx, e, SlotJustiert, SlotKomposition, 9450, 6299))
            std::exit(1);
        const double time = seconds(start);
        const double cpu = cpuSeconds() - cpu0;
        const double floor = floorTime(inputs(p), folder / "floor.bmp", RasterDateigroesse(9450, 6299),
                                       static_cast<size_t>(RasterStride(9450)));
        std::printf("Flaechenmittel 12000 x 8000 -> 9450 x 6299: %.0f source MP/s, %.0f target MP/s\n", 96.0 / time,
                    9450.0 * 6299 / 1e6 / time);
        report(round ? "  target reused" : "  new target", time, cpu, floor, 0);
    }
}

void anaglyph(Programm& p, const fs::path& folder)
{
    makeImage(p, 1, 6000, 4000);
    makeImage(p, 2, 6000, 4000);
    for (int round = 0; round < 2; ++round) {
        const double cpu0 = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        if (!Anaglyph(p, 1, 2, 2, 0.5, 0.5, 0.5))
            std::exit(1);
        const double time = seconds(start);
        const double cpu = cpuSeconds() - cpu0;
        const double floor = floorTime(inputs(p), folder / "floor.bmp", RasterDateigroesse(6000, 4000),
                                       static_cast<size_t>(RasterStride(6000)));
        std::printf("Anaglyph 2 x 6000 x 4000 (Dubois, reduced colours)\n");
        report(round ? "  result reused" : "  new result", time, cpu, floor, 3);
    }
}

}

int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    // A folder of this process: another run at the same time must not remove its files.
    const fs::path folder = fs::temp_directory_path() / ("lumivex-compose-bench-" + std::to_string(::getpid()));
    HeadlessMessages messages;
    QuietEvents events;
    NullDisplay display;
    NoPrinters printers;
    NoTextRaster textRaster;
    using Bench = void (*)(Programm&, const fs::path&);
    const std::pair<const char*, Bench> benches[] = {{"lens", lens}, {"area", area}, {"anaglyph", anaglyph}};
    for (const auto& [name, run] : benches) {
        if (!only.empty() && only != name)
            continue;
        fs::remove_all(folder);
        fs::create_directories(folder);
        PosixFiles files(folder);
        Programm p(Services{messages, events, files, display, printers, textRaster});
        run(p, folder);
        p.DateienLoeschen();
    }
    fs::remove_all(folder);
    return 0;
}
