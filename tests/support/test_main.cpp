// The main of every test program: the environment its tests and the tools they start run in,
// whether CTest or a developer runs it.
#include "test_files.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Every wait costs nothing, in this process and in every zyvodiag it starts; and every card
    // is a fresh one of its process, never the card of a user's zyvodiag.
    setenv("ZYVO_SIM_CLOCK", "virtual", 1);
    setenv("ZYVO_SIM_STATE", "private", 1);
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(
        zyvotest::scratchDirectoryCleaner().release());
    return RUN_ALL_TESTS();
}
