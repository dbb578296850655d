#include "core/Context.h"

void Context::reportFailure(int writeError)
{
    if (state.abort)
        return;
    events().setBusyCursor(false);
    // Every raster lives in the temporary folder.
    if (diskFull(writeError))
        reportDiskFull(files().tempFolder());
    else
        message(Sprache::Titel::Fehler, 67);
    state.abort = true;
}

void Context::reportDiskFull(const std::filesystem::path& path) const
{
    message(Sprache::Titel::Fehler, std::string(Sprache::Meldung(68)) + files().volumeName(path) + ": !");
}
