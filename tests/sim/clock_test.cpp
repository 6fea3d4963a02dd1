// The simulator's clock: virtual time for tests, wall time for the tool.
#include "sim_fixture.h"

#include "QELTime.h"

#include <chrono>

namespace {

using std::chrono::steady_clock;

class ClockTest : public SimTest {
protected:
    void TearDown() override {
        zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
        SimTest::TearDown();
    }
};

// Simulated time runs on across a change of mode; the tool's waits really wait.
TEST_F(ClockTest, realModeWaitsWallTimeAndKeepsTheTimeSoFar) {
    zyvosim::sleepMicroseconds(5000000);
    zyvosim::setClockMode(zyvosim::ClockMode::Real);
    auto started = steady_clock::now();
    QELTime::Sleep(20);
    EXPECT_GE(steady_clock::now() - started, std::chrono::milliseconds(20));
    EXPECT_GE(zyvosim::nowMicroseconds(), 5020000u);
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    EXPECT_GE(zyvosim::nowMicroseconds(), 5020000u);
}

TEST_F(ClockTest, resetRestartsAtZeroAndKeepsTheMode) {
    QELTime::Sleep(5);
    EXPECT_EQ(zyvosim::nowMicroseconds(), 5000u);
    zyvosim::reset();
    EXPECT_EQ(zyvosim::nowMicroseconds(), 0u);
    EXPECT_EQ(zyvosim::clockMode(), zyvosim::ClockMode::Virtual);
}

} // namespace
