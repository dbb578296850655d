#include "core/Context.h"

void Context::reportFailure()
{
    if (state.abort)
        return;
    events().setBusyCursor(false);
    message(Sprache::Titel::Fehler, Sprache::MeldungNr::FehlerBerechnungAbgebrochen);
    state.abort = true;
}
