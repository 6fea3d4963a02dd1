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

TEST_F(ClockTest, virtualWaitsAdvanceTimeWithoutWaiting) {
    auto started = steady_clock::now();
    zyvosim::sleepMicroseconds(10000000);
    QELTime::Sleep(500);
    EXPECT_EQ(zyvosim::nowMicroseconds(), 10500000u);
    EXPECT_LT(steady_clock::now() - started, std::chrono::seconds(1));
}

TEST_F(ClockTest, realWaitsTakeWallTime) {
    zyvosim::setClockMode(zyvosim::ClockMode::Real);
    auto started = steady_clock::now();
    QELTime::Sleep(20);
    EXPECT_GE(steady_clock::now() - started, std::chrono::milliseconds(20));
    EXPECT_GE(zyvosim::nowMicroseconds(), 20000u);
}

TEST_F(ClockTest, timeRunsOnAcrossAChangeOfMode) {
    zyvosim::sleepMicroseconds(5000000);
    zyvosim::setClockMode(zyvosim::ClockMode::Real);
    EXPECT_GE(zyvosim::nowMicroseconds(), 5000000u);
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    EXPECT_GE(zyvosim::nowMicroseconds(), 5000000u);
}

TEST_F(ClockTest, resetRestartsAtZeroAndKeepsTheMode) {
    zyvosim::sleepMicroseconds(5000);
    zyvosim::reset();
    EXPECT_EQ(zyvosim::nowMicroseconds(), 0u);
    EXPECT_EQ(zyvosim::clockMode(), zyvosim::ClockMode::Virtual);
}

} // namespace
