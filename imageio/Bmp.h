#pragma once
#include <cstdint>
#include <string>

#include "core/Context.h"

// What BMP_Kopf_Pruefen found; every finding but Ok and AndererKopf has shown its message.
enum class BmpKopf {
    Ok,
    KeinBmp,        // not a BMP, or the old OS/2 header
    AndererKopf,    // another header size
    Nicht24Bit,
    Ebenen,         // planes other than 1
    Komprimiert,
    Widerspruch,    // the size contradicts the header
};

// Checks that a file is an uncompressed 24-bit bottom-up BMP with a 54-byte
// header; when Ok, sets width, height and header size 54.
BmpKopf BMP_Kopf_Pruefen(Context& ctx, const std::string& datei, int32_t& breite, int32_t& hoehe, int32_t& kopf);
