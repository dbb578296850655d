#include "support/ImageCompare.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "support/Bytes.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t BmpHeader = 54;

int32_t le32(const Bytes& b, size_t at)
{
    return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24));
}

struct Bmp {
    int32_t width = 0, height = 0;
    size_t stride = 0;
};

// A bottom-up 24-bit file whose rows are all there; anything else is compared as bytes.
bool asBmp(const Bytes& b, Bmp& bmp)
{
    if (b.size() < BmpHeader || b[0] != 'B' || b[1] != 'M' || le32(b, 10) != BmpHeader || b[28] != 24)
        return false;
    bmp.width = le32(b, 18);
    bmp.height = le32(b, 22);
    bmp.stride = (static_cast<size_t>(bmp.width) * 3 + 3) / 4 * 4;
    return bmp.width > 0 && bmp.height > 0 && b.size() >= BmpHeader + bmp.stride * static_cast<size_t>(bmp.height);
}

std::string pixelText(const Bytes& b, size_t at)
{
    return "(" + std::to_string(b[at]) + ", " + std::to_string(b[at + 1]) + ", " + std::to_string(b[at + 2]) + ")";
}

// Where the two differ first, in words.
std::string difference(const Bytes& actual, const Bytes& expected)
{
    Bmp a, e;
    if (asBmp(actual, a) && asBmp(expected, e)) {
        if (a.width != e.width || a.height != e.height)
            return "size " + std::to_string(a.width) + " x " + std::to_string(a.height) + ", expected "
                + std::to_string(e.width) + " x " + std::to_string(e.height);
        for (int32_t y = 0; y < a.height; ++y)
            for (int32_t x = 0; x < a.width; ++x) {
                const size_t at = BmpHeader + static_cast<size_t>(a.height - 1 - y) * a.stride + static_cast<size_t>(x) * 3;
                if (!std::equal(actual.begin() + static_cast<std::ptrdiff_t>(at),
                                actual.begin() + static_cast<std::ptrdiff_t>(at + 3),
                                expected.begin() + static_cast<std::ptrdiff_t>(at)))
                    return "size " + std::to_string(a.width) + " x " + std::to_string(a.height) + ", pixel ("
                        + std::to_string(x) + ", " + std::to_string(y) + ") is " + pixelText(actual, at)
                        + ", expected " + pixelText(expected, at) + " (blue, green, red)";
            }
    }
    const auto [ia, ie] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    std::ostringstream s;
    s << actual.size() << " bytes, expected " << expected.size();
    if (ia != actual.end() && ie != expected.end())
        s << "; byte " << (ia - actual.begin()) << " is " << int{*ia} << ", expected " << int{*ie};
    return s.str();
}

// Copies the file beside the test's output; returns where it went.
std::string keep(const fs::path& file, const std::string& suffix)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "image";
    const fs::path copy = fs::current_path() / "failed_images" / (name + suffix + file.extension().string());
    std::error_code error;
    fs::create_directories(copy.parent_path(), error);
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing, error);
    return error ? "(not kept: " + error.message() + ")" : copy.string();
}

}

testing::AssertionResult sameImage(const fs::path& actual, const fs::path& expected)
{
    if (!fs::is_regular_file(actual))
        return testing::AssertionFailure() << actual << " does not exist";
    if (!fs::is_regular_file(expected))
        return testing::AssertionFailure() << "the expected " << expected << " does not exist";
    const Bytes a = readFile(actual);
    const Bytes e = readFile(expected);
    if (a == e)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << actual << " differs from " << expected << ": " << difference(a, e)
                                       << "\n  kept: " << keep(actual, "_actual") << "\n        "
                                       << keep(expected, "_expected");
}
