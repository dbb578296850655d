#include "platform/HeadlessServices.h"

#include <stdlib.h>

#include <cstdio>
#include <system_error>

LaufOrdner::~LaufOrdner()
{
    std::error_code ec;
    std::filesystem::remove_all(pfad_, ec);
}

std::unique_ptr<LaufOrdner> TempFolder()
{
    const TempFolderResult temp = PrepareTempFolder();
    std::string muster = (temp.path / "lauf-XXXXXX").string();
    if (temp.path.empty() || !::mkdtemp(muster.data())) {
        const std::string grund = temp.error.empty() ? "Fehler beim Erzeugen der neuen Datei!" : temp.error;
        std::fprintf(stderr, "%s: %s\n", Sprache::Titeltext(Sprache::Titel::Fehler), grund.c_str());
        return nullptr;
    }
    return std::make_unique<LaufOrdner>(muster);
}
