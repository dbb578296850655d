#pragma once
#include <optional>

#include "core/Context.h"
#include "platform/Headless.h"
#include "platform/PosixFiles.h"

// The engine services of a headless command: messages on stderr, progress on
// a terminal, the private temporary folder, no display.
struct Dienste {
    HeadlessMessages messages;
    HeadlessEvents events;
    PosixFiles files;
    NullDisplay display;
    NoPrinters printers;

    explicit Dienste(const std::filesystem::path& tempFolder) : files(tempFolder) {}
    Services services() { return Services{messages, events, files, display, printers}; }
};

// Prepares the temporary folder; on failure says why on stderr and gives nothing.
std::optional<std::filesystem::path> TempOrdner();
