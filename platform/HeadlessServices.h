#pragma once
#include <optional>

#include "core/Context.h"
#include "platform/Headless.h"
#include "platform/PosixFiles.h"

// The engine services without a window: messages on stderr, progress on a
// terminal, files in the given temporary folder, no display and no printer.
struct HeadlessServices {
    HeadlessMessages messages;
    HeadlessEvents events;
    PosixFiles files;
    NullDisplay display;
    NoPrinters printers;

    explicit HeadlessServices(const std::filesystem::path& tempFolder, bool answerYes = false)
        : messages(answerYes), files(tempFolder)
    {
    }
    Services services() { return Services{messages, events, files, display, printers}; }
};

// Prepares the private temporary folder; on failure says why on stderr and gives nothing.
std::optional<std::filesystem::path> TempOrdner();
