#pragma once
#include <cstdint>
#include <string>

#include "core/Context.h"

// Checks that a file is an uncompressed 24-bit bottom-up BMP with a 54-byte
// header. 0 with width, height and header size 54; else -1 (not a BMP, or the
// old OS/2 header), -2 (other header size), -3 (not 24 bits), -4 (planes),
// -5 (compressed), -6 (size contradicts the header), each with its message.
int BMP_Kopf_Pruefen(Context& ctx, const std::string& datei, int32_t& breite, int32_t& hoehe, int32_t& kopf);
