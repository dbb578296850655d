#include "core/Context.h"

#include <atomic>

namespace {

std::atomic<bool> stopp{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop request is set in signal handlers");

}

void StoppAnfordern(bool angefordert) noexcept
{
    stopp.store(angefordert);
}

bool StoppAngefordert() noexcept
{
    return stopp.load();
}

void Context::reportFailure(int writeError)
{
    if (state.abort)
        return;
    events().setBusyCursor(false);
    // Every raster lives in the temporary folder.
    if (diskFull(writeError))
        reportDiskFull(files().tempFolder());
    else
        message(Sprache::Titel::Fehler, Sprache::MeldungNr::FehlerBerechnungAbgebrochen);
    state.abort = true;
}

void Context::reportDiskFull(const std::filesystem::path& path) const
{
    message(Sprache::Titel::Fehler, std::string(Sprache::Meldung(Sprache::MeldungNr::ZuWenigSpeicherAufLaufwerk)) + files().volumeName(path) + ": !");
}
