// Shared set-up of the simulator tests: a fresh simulator on the default bench.
#pragma once

#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class SimTest : public ::testing::Test {
protected:
    // A program run by hand, without the test environment, still keeps its card to itself
    // rather than in the user's state directory.
    void SetUp() override {
        unsetenv("ZYVO_SIM");
        setenv("ZYVO_SIM_STATE", "private", 0);
        zyvosim::reset();
    }
    void TearDown() override {
        unsetenv("ZYVO_SIM");
        zyvosim::reset();
    }

    // Loads a bench that must be good.
    void useBench(const std::string& text) {
        std::string error;
        ASSERT_TRUE(zyvosim::loadBench(text, error)) << error;
    }
};
