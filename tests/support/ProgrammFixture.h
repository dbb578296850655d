#pragma once
#include <gtest/gtest.h>

#include "model/Programm.h"
#include "support/TestServices.h"

// A fresh program per test on the recording services.
struct ProgrammFixture : ::testing::Test {
    TestServices t;
    Programm p{t.services()};
};
