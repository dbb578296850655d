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
// side never share a raster name. The run holds the folder's lock for its
// whole life (sperre, -1 where the file system has no locks), so a later
// start knows a folder whose lock is free for one of a run that was killed.
class LaufOrdner {
public:
    LaufOrdner(std::filesystem::path pfad, int sperre) : pfad_(std::move(pfad)), sperre_(sperre) {}
    ~LaufOrdner();
    LaufOrdner(const LaufOrdner&) = delete;
    LaufOrdner& operator=(const LaufOrdner&) = delete;
    const std::filesystem::path& pfad() const { return pfad_; }
    // The user's temporary folder, which holds the run folder and outlives it.
    std::filesystem::path benutzerOrdner() const { return pfad_.parent_path(); }

private:
    std::filesystem::path pfad_;
    int sperre_;
};

// Prepares the private temporary folder, removes the run folders of runs that
// no longer live and makes a run folder in it; on failure says why on stderr
// and gives nothing.
std::unique_ptr<LaufOrdner> TempFolder();
// Removes the run folders of runs that no longer live.
void VerwaisteLaufOrdnerEntfernen(const std::filesystem::path& benutzerOrdner);
