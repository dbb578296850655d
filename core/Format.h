#pragma once
#include <cstdint>
#include <string>

// Number texts as the program shows them: right-aligned in a field of at least
// width characters, the decimal comma, halves rounded away from zero.
std::string formatFixed(double value, int width, int decimals);
std::string formatInt(int64_t value, int width);
// The shortest text that reads back as the same number, with the decimal comma.
std::string formatShortest(double value);

// Pads with blanks or cuts to exactly length characters (UTF-8 aware).
std::string padCut(const std::string& text, size_t length);

// ASCII letters in upper or lower case; other bytes stay.
std::string upperAscii(std::string text);
std::string lowerAscii(std::string text);
