#pragma once
#include <gtest/gtest.h>

#include "model/Programm.h"
#include "support/TestServices.h"

// Image e in reference mode, its point at (x, y) of its own pixels.
inline void Referenzpunkt(ImageEntry& e, int32_t x, int32_t y)
{
    e.refModus = true;
    e.refX = x;
    e.refY = y;
}

// A fresh program per test on the recording services.
struct Programmumgebung : ::testing::Test {
    TestServices t;
    Programm p{t.services()};
};
