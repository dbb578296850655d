#include "core/Format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/Sprache.h"

namespace {

std::string padLeft(std::string text, int width)
{
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

// Adds one unit in the last digit of a string of decimal digits.
void carry(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
            continue;
        }
        ++digits[i];
        return;
    }
    digits.insert(0, 1, '1');
}

}

std::string formatFixed(double value, int width, int decimals)
{
    if (!std::isfinite(value))
        return padLeft(std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF"), width);
    // The exact expansion decides the rounding, so a tie such as 0.25 goes up.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.40f", std::fabs(value));
    std::string text(buffer);
    const size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, static_cast<size_t>(decimals));
    if (text[point + 1 + static_cast<size_t>(decimals)] >= '5')
        carry(digits);
    const size_t intLength = digits.size() - static_cast<size_t>(decimals);
    std::string result = digits.substr(0, intLength);
    if (decimals > 0)
        result += Sprache::Dezimaltrenner + digits.substr(intLength);
    if (std::signbit(value) && digits.find_first_not_of('0') != std::string::npos)
        result.insert(0, 1, '-');
    return padLeft(result, width);
}

std::string formatShortest(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    std::replace(text.begin(), text.end(), '.', Sprache::Dezimaltrenner);
    return text;
}

std::string formatInt(int64_t value, int width)
{
    return padLeft(std::to_string(value), width);
}

std::string padCut(const std::string& text, size_t length)
{
    std::string result;
    size_t chars = 0;
    for (size_t i = 0; i < text.size() && chars < length; ++chars) {
        size_t n = 1;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0)
            n = 4;
        else if (lead >= 0xE0)
            n = 3;
        else if (lead >= 0xC0)
            n = 2;
        result += text.substr(i, n);
        i += n;
    }
    result.append(length - chars, ' ');
    return result;
}

std::string upperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
