#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/Context.h"

// What every fuzz target needs: services that stay silent, a context over
// them, and a private folder to put the input and the outputs in. The folder's
// file system reports 32 MB free, so no input makes a working copy larger than
// that, whatever size it claims.
Services FuzzDienste();
Context& FuzzKontext();
std::string FuzzPfad(const std::string& name);
// Writes the input to a file of that name in the folder and returns its path.
std::string FuzzEingabe(const uint8_t* daten, size_t laenge, const std::string& name);

// The images the project seeds name, in a folder: a.bmp (7 × 5), b.bmp (6 × 6),
// c.jpg (a as a JPEG) and d.mpo (a and b as a stereo pair). False when one
// could not be written.
bool BeispielBilderSchreiben(const std::filesystem::path& ordner);
