// The preview of the real window, offscreen: how long the user waits from a
// changed setting to the new picture in the preview box, for an anaglyph of
// two 6000 × 4000 photos and a lenticular print of four. Each change is made
// through its control, as a click or a moved slider would, and taken back,
// several times; the table shows medians, and where the time of a change
// went, by pipeline level.
//   bench_preview [--folder DIR] [--rounds N]
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QSlider>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/Aufruf.h"
#include "bench/Fotos.h"
#include "platform/Headless.h"
#include "platform/PosixFiles.h"
#include "platform/qt/QtServices.h"
#include "ui/TForm1.h"

namespace fs = std::filesystem;

namespace {

// The window's event pump, noting how long each pipeline level ran.
class TimedEvents : public Events {
public:
    void processEvents(const AppState& state) override
    {
        const qint64 now = clock_.nsecsElapsed();
        if (!level_.empty())
            levels_[level_] += static_cast<double>(now - last_) / 1e9;
        level_ = state.progress.level;
        last_ = now;
        qt_.processEvents(state);
    }
    void setBusyCursor(bool busy) override { qt_.setBusyCursor(busy); }

    void start()
    {
        clock_.start();
        level_.clear();
        levels_.clear();
    }
    const std::map<std::string, double>& levels() const { return levels_; }

private:
    QtEvents qt_;
    QElapsedTimer clock_;
    std::string level_;
    qint64 last_ = 0;
    std::map<std::string, double> levels_;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Change {
    std::string name;
    std::function<void(bool back)> make;
    std::vector<double> shown = {}, painted = {};
    std::map<std::string, std::vector<double>> levels = {};
};

template <class W>
W* control(QWidget& window, const char* name)
{
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    if (!w) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(1);
    }
    return w;
}

QAbstractButton* button(QWidget& window, const char* group, int index)
{
    return control<QGroupBox>(window, group)->findChildren<QAbstractButton*>().at(index);
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options(argc, argv);
    const fs::path folder = options.folder("lumivex-render-bench");
    const int rounds = options.rounds(5);
    std::vector<fs::path> photos;
    for (int k = 1; k <= 4; ++k) {
        photos.push_back(folder / ("photo_6000x4000_" + std::to_string(k) + ".bmp"));
        photo(photos.back(), 6000, 4000, k - 1, 4);
    }
    ProjektDaten anaglyph = project({photos[0], photos[1]}, 6000, 4000, VorschauAnaglyph);
    anaglyph.anaglyphArt = 1;     // "Rot - Cyan"
    anaglyph.anaglyphSchema = 0;  // full colour
    writeProject(folder / "preview_anaglyph.lvx", anaglyph);
    writeProject(folder / "preview_lenticular.lvx", project(photos, 6000, 4000, VorschauLinsenraster));

    const fs::path temp = folder / ("preview-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(temp);
    HeadlessMessages messages;
    TimedEvents events;
    PosixFiles files(temp);
    QtDisplay display;
    NoPrinters printers;
    NoTextRaster text;
    Programm programm(Services{messages, events, files, display, printers, text});
    programm.ctx.state.screenWidth = 1920;
    programm.ctx.state.screenHeight = 1080;
    TForm1 window(programm, display);
    window.resize(1920, 1050);
    window.show();
    QApplication::processEvents();
    QElapsedTimer clock;
    qint64 shownAt = 0;
    const auto showPreview = display.onShow;
    display.onShow = [&] {
        showPreview();
        shownAt = clock.nsecsElapsed();
    };

    QSlider* brightness = control<QSlider>(window, "FarbeHellTrackBar");
    const auto slider = [brightness](bool back) { brightness->setValue(back ? 0 : 20); };
    struct Scene {
        const char* name;
        fs::path project;
        std::vector<Change> changes;
    };
    std::vector<Scene> scenes{
        {"anaglyph, 2 x 6000 x 4000",
         folder / "preview_anaglyph.lvx",
         {{"scheme (level 3)", [&](bool back) { button(window, "AnaglyphRadioGroup", back ? 1 : 2)->click(); }},
          {"brightness (level 4)", slider}}},
        {"lenticular print, 4 x 6000 x 4000, 60 x 40 cm",
         folder / "preview_lenticular.lvx",
         {{"barrier (level 3)", [&](bool) { control<QAbstractButton>(window, "LinseInversCheckBox")->click(); }},
          {"brightness (level 4)", slider}}},
    };
    std::printf("preview latency, median of %d changes each; window 1920 x 1050 on a 1920 x 1080 screen\n", 2 * rounds);
    for (Scene& scene : scenes) {
        clock.start();
        window.ProjektOeffnen(QString::fromStdString(scene.project.string()));
        QApplication::processEvents();
        std::printf("%s: project opened in %.2f s\n", scene.name, static_cast<double>(clock.nsecsElapsed()) / 1e9);
        // Each change is made and taken back before the next, so it meets the others' settings unchanged.
        for (Change& change : scene.changes) {
            for (int round = 0; round < 2 * rounds; ++round) {
                shownAt = -1;
                events.start();
                clock.start();
                change.make(round % 2 == 1);
                const qint64 shown = shownAt;
                QApplication::processEvents();
                if (shown < 0) {
                    std::fprintf(stderr, "%s: no new preview\n", change.name.c_str());
                    return 1;
                }
                change.shown.push_back(static_cast<double>(shown) / 1e9);
                change.painted.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
                for (const auto& [level, time] : events.levels())
                    change.levels[level].push_back(time);
            }
        }
        for (const Change& change : scene.changes) {
            std::printf("  %-22s shown after %6.3f s, painted after %6.3f s;  levels", change.name.c_str(),
                        median(change.shown), median(change.painted));
            for (const auto& [level, times] : change.levels)
                std::printf("  %s: %.3f", level.c_str(), median(times));
            std::printf("\n");
        }
    }
    programm.DateienLoeschen();
    fs::remove_all(temp);
    return 0;
}
