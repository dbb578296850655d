#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Services.h"

// Messages remembered as "Caption: text" lines; questions answered from a queue (default No).
class RecordingMessages : public Messages {
public:
    std::vector<std::string> lines;
    std::vector<Antwort> answers;

    void show(Sprache::Titel titel, const std::string& text) override
    {
        lines.push_back(std::string(Sprache::Titeltext(titel)) + ": " + text);
    }
    Antwort ask(Sprache::Titel titel, const std::string& text, bool) override
    {
        lines.push_back(std::string(Sprache::Titeltext(titel)) + "? " + text);
        if (answers.empty())
            return Antwort::Nein;
        const Antwort a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

// Counts pump calls; a test hook runs inside each, as an event handler would.
class ScriptedEvents : public Events {
public:
    int pumps = 0;
    std::function<void(const AppState&)> onPump;

    void processEvents(const AppState& state) override
    {
        ++pumps;
        if (onPump)
            onPump(state);
    }
    void setBusyCursor(bool) override {}
};

// A fresh temporary folder per test, removed afterwards; free space can be fixed.
class TestFiles : public Files {
public:
    TestFiles();
    ~TestFiles() override;
    TestFiles(const TestFiles&) = delete;
    TestFiles& operator=(const TestFiles&) = delete;

    std::optional<uint64_t> fixedFreeSpace;

    std::filesystem::path tempFolder() const override { return folder_; }
    std::optional<uint64_t> freeSpace(const std::filesystem::path&) const override
    {
        return fixedFreeSpace ? fixedFreeSpace : std::optional<uint64_t>(uint64_t{1} << 50);
    }
    std::string volumeName(const std::filesystem::path&) const override { return "/daten"; }
    // Every raster write is offered to this hook first: an errno it returns is
    // the write's failure, 0 lets the write happen.
    std::function<int(const std::filesystem::path& file, int64_t offset, size_t length)> writeHook;
    int writeAt(int fd, const void* data, size_t length, int64_t offset) const override;

private:
    std::filesystem::path folder_;
};

class CountingDisplay : public PreviewDisplay {
public:
    int cleared = 0;
    int shown = 0;
    void clearPreview() override { ++cleared; }
    void showPreview() override { ++shown; }
};

// A fixed printer list whose printers all have the same resolution.
class FakePrinters : public Printers {
public:
    std::vector<std::string> list;
    int selected = -1;
    int resolutionX = 600, resolutionY = 600;

    std::vector<std::string> names() const override { return list; }
    int current() const override { return selected; }
    void setCurrent(int index) override { selected = index; }
    int dpiX() const override { return resolutionX; }
    int dpiY() const override { return resolutionY; }
};

// All test services in one place.
struct TestServices {
    RecordingMessages messages;
    ScriptedEvents events;
    TestFiles files;
    CountingDisplay display;
    FakePrinters printers;

    Services services() { return Services{messages, events, files, display, printers}; }
};

// A 24-bit bottom-up BMP written byte by byte, independent of the raster code.
using PixelFn = std::function<void(int x, int y, uint8_t bgr[3])>;
void writeBmp(const std::filesystem::path& path, int width, int height, const PixelFn& pixel);
std::vector<uint8_t> readFile(const std::filesystem::path& path);
// Blue, green, red of pixel (x, y), y counted from the top.
std::vector<uint8_t> bmpPixel(const std::vector<uint8_t>& file, int x, int y);
