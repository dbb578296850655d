#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/Context.h"
#include "core/ZielDatei.h"
#include "model/RasterSlot.h"

// The frame every writer shares: the file is written beside its target through
// schreiben and put in its place only when complete. False on failure: silently
// when the run was aborted or schreiben threw Abbruch (a source that cannot be
// read), otherwise after meldung with the file's name and the system's reason.
bool DateiSchreiben(Context& ctx, const std::string& datei, Sprache::MeldungNr meldung,
                    const std::function<bool(ZielDatei& ziel)>& schreiben);

// A raster streamed into a file: kopf, then the bytes zeile makes of every row
// of von (top-down, or bottom-up with vonUnten), then fuss. The source is read
// on a handle of its own; progress, pump and abort test follow every row.
using Zeilenbytes = std::function<std::span<const uint8_t>(const uint8_t* pixel)>;
bool RasterDateiSchreiben(Context& ctx, const std::string& datei, Sprache::MeldungNr meldung, const RasterSlot& von,
                          const std::vector<uint8_t>& kopf, bool vonUnten, const Zeilenbytes& zeile,
                          const std::vector<uint8_t>& fuss);
