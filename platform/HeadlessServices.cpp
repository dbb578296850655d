#include "platform/HeadlessServices.h"

#include <cstdio>

std::optional<std::filesystem::path> TempOrdner()
{
    TempFolderResult temp = PrepareTempFolder();
    if (temp.path.empty()) {
        std::fprintf(stderr, "%s: %s\n", Sprache::Titeltext(Sprache::Titel::Fehler), temp.error.c_str());
        return std::nullopt;
    }
    return temp.path;
}
