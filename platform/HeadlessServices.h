#pragma once
#include <memory>

#include "core/Context.h"
#include "platform/Headless.h"
#include "platform/PosixFiles.h"

// The engine services without a window: messages on stderr, progress on a
// terminal, files in the given temporary folder, no display, no printer
// and no text.
struct HeadlessServices {
    HeadlessMessages messages;
    HeadlessEvents events;
    PosixFiles files;
    NullDisplay display;
    NoPrinters printers;
    NoTextRaster textRaster;

    explicit HeadlessServices(const std::filesystem::path& tempFolder, bool answerYes = false)
        : messages(answerYes), files(tempFolder)
    {
    }
    Services services() { return Services{messages, events, files, display, printers, textRaster}; }
};

// A folder of its own for one headless run inside the user's temporary folder,
// removed with everything in it when the run ends: commands running side by
// side never share a raster name.
class LaufOrdner {
public:
    explicit LaufOrdner(std::filesystem::path pfad) : pfad_(std::move(pfad)) {}
    ~LaufOrdner();
    LaufOrdner(const LaufOrdner&) = delete;
    LaufOrdner& operator=(const LaufOrdner&) = delete;
    const std::filesystem::path& pfad() const { return pfad_; }
    // The user's temporary folder, which holds the run folder and outlives it.
    std::filesystem::path benutzerOrdner() const { return pfad_.parent_path(); }

private:
    std::filesystem::path pfad_;
};

// Prepares the private temporary folder and a run folder in it; on failure says
// why on stderr and gives nothing.
std::unique_ptr<LaufOrdner> TempFolder();
