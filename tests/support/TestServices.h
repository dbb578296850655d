#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Services.h"
#include "support/Bytes.h"

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
    // Every write and copy is offered to this hook first: an errno it returns
    // is the write's failure, 0 lets the write happen. A file not yet named
    // shows as "FOLDER/#NUMBER (deleted)"; a copy as a write at offset 0.
    std::function<int(const std::filesystem::path& file, int64_t offset, size_t length)> writeHook;
    int writeAt(int fd, const void* data, size_t length, int64_t offset) const override;
    int copyData(int from, int to, uint64_t length) const override;

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

// A fixed printer list whose printers all have the same resolution; what is
// printed is recorded.
class FakePrinters : public Printers {
public:
    struct Bild {
        PrintImage image;
        DeviceRect rect;
    };
    struct Text {
        int64_t x, y;
        std::string text;
        std::string face;
        int points;
    };

    std::vector<std::string> list;
    int selected = -1;
    int resolutionX = 600, resolutionY = 600;
    int offX = 0, offY = 0, width = 4800;
    bool confirm = true;         // the set-up dialog's answer
    int dialogs = 0;
    bool canBegin = true;
    int drawsBeforeFailure = -1; // -1: every draw succeeds
    int begun = 0, ended = 0, aborted = 0;
    std::vector<Bild> images;
    std::vector<Text> texts;
    std::function<void()> onDraw;

    std::vector<std::string> names() const override { return list; }
    int current() const override { return selected; }
    void setCurrent(int index) override { selected = index; }
    bool setupDialog() override
    {
        ++dialogs;
        return confirm;
    }
    int dpiX() const override { return resolutionX; }
    int dpiY() const override { return resolutionY; }
    int offsetX() const override { return offX; }
    int offsetY() const override { return offY; }
    int pageWidth() const override { return width; }
    bool beginDocument() override
    {
        begun += canBegin ? 1 : 0;
        return canBegin;
    }
    bool endDocument() override
    {
        ++ended;
        return true;
    }
    void abortDocument() override { ++aborted; }
    bool drawImage(const PrintImage& image, const DeviceRect& r) override;
    void setFont(const std::string& face, int points) override
    {
        face_ = face;
        points_ = points;
    }
    // Every character is as wide as the font's size in points.
    int64_t textWidth(const std::string& text) const override { return static_cast<int64_t>(text.size()) * points_; }
    bool drawText(int64_t x, int64_t y, const std::string& text) override
    {
        texts.push_back({x, y, text, face_, points_});
        return true;
    }

private:
    std::string face_;
    int points_ = 0;
};

// Every character a block half as wide as the height: its middle third
// black, the rest white; a blank stays white.
class BlockTextRaster : public TextRaster {
public:
    GreyImage render(const std::string& text, const std::string& face, int height) const override;
};

// All test services in one place.
struct TestServices {
    TestServices() = default;
    // With installed printers, the first one current.
    explicit TestServices(std::vector<std::string> drucker)
    {
        printers.list = std::move(drucker);
        printers.selected = printers.list.empty() ? -1 : 0;
    }

    RecordingMessages messages;
    ScriptedEvents events;
    TestFiles files;
    CountingDisplay display;
    FakePrinters printers;
    BlockTextRaster textRaster;

    Services services() { return Services{messages, events, files, display, printers, textRaster}; }
};

// A 24-bit bottom-up BMP written byte by byte, independent of the raster code.
using PixelFn = std::function<void(int x, int y, uint8_t bgr[3])>;
void writeBmp(const std::filesystem::path& path, int width, int height, const PixelFn& pixel);
Bytes readFile(const std::filesystem::path& path);
// Blue, green, red of pixel (x, y), y counted from the top.
Bytes bmpPixel(const Bytes& file, int x, int y);
