#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

// What the progress bar and the hidden status label show of a running computation.
struct Progress {
    std::string level;   // pipeline level "2" … "6"
    std::string phase;   // set by the composers, e.g. "L3"
    std::string step;    // e.g. "1/1"
    int32_t max = 1;
    int32_t pos = 0;
    int32_t shownMax = 0;
    int32_t shownPos = 0;
};

// Process-wide application state.
struct AppState {
    bool busy = false;       // the pipeline runs; re-entrant calls return at once
    bool modified = false;   // the project has unsaved changes
    bool abort = false;      // a long operation failed or was stopped
    bool reporting = false;  // the progress timer updates the bar
    // Pipeline runs that failed or were stopped (those that ended with the abort
    // flag set, and every abort handling): a caller that must not go on with a
    // result after one compares the count.
    int abgebrocheneLaeufe = 0;
    Progress progress;
    std::string projectFile;
    std::filesystem::path programFolder;
    // Initial folders of the image open and save dialogs.
    std::filesystem::path bildOeffnenOrdner;
    std::filesystem::path bildSpeichernOrdner;
    int screenWidth = 1280;
    int screenHeight = 1024;
};
