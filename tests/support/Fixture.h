// The base of every core test: fakes installed and the state of every folder as at start-up.
#pragma once

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace kestrion::test {

// Resets the global state of every folder of the core.
void resetAllState();

class CoreTest : public ::testing::Test {
protected:
    CoreTest() { resetAllState(); }
    ~CoreTest() override { resetAllState(); }

    FakePlatform fakes;
};

}  // namespace kestrion::test
