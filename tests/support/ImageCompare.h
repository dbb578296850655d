#pragma once
#include <filesystem>

#include <gtest/gtest.h>

// Two files with the same bytes. For BMP files a failure names both sizes or the
// first differing pixel (x from the left, y from the top) with its blue, green
// and red; other files name the first differing byte. On failure both files are
// copied beside the test's output as <test>_actual and <test>_expected.
testing::AssertionResult sameImage(const std::filesystem::path& actual, const std::filesystem::path& expected);
