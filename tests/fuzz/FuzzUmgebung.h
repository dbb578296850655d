#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Context.h"

// What every fuzz target needs: a context whose services stay silent, and a
// private folder to put the input and the outputs in.
Context& FuzzKontext();
std::string FuzzPfad(const std::string& name);
// Writes the input to a file of that name in the folder and returns its path.
std::string FuzzEingabe(const uint8_t* daten, size_t laenge, const std::string& name);
