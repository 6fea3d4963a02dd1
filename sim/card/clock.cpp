// The simulator's clock: real waits for the tool, a plain counter for the tests.
#include "card/clock.h"

#include "zyvosim/zyvosim.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace zyvosim {
namespace {

using SteadyClock = std::chrono::steady_clock;

struct Clock {
    ClockMode mode;
    uint64_t virtualNow;             // Virtual mode: microseconds since the last restart
    SteadyClock::time_point started; // Real mode: when the last restart happened
    uint64_t demanded;               // every wait asked for since the process started
};

ClockMode initialMode() {
    const char* requested = std::getenv("ZYVO_SIM_CLOCK");
    if (requested != nullptr && std::strcmp(requested, "virtual") == 0) {
        return ClockMode::Virtual;
    }
    return ClockMode::Real;
}

// Never destroyed: a device released from a static destructor may still sleep.
Clock& theClock() {
    static Clock* clock = new Clock{initialMode(), 0, SteadyClock::now(), 0};
    return *clock;
}

uint64_t realElapsed(const Clock& clock) {
    auto elapsed = SteadyClock::now() - clock.started;
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

// nanosleep, not usleep or sleep: test programs replace those two with virtual waits, and a
// Real-mode wait must stay real. A signal (Ctrl-C) cuts the wait short, so the rest is slept.
void realWait(uint64_t microseconds) {
    timespec remaining{};
    remaining.tv_sec = static_cast<time_t>(microseconds / 1000000u);
    remaining.tv_nsec = static_cast<long>((microseconds % 1000000u) * 1000u);
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

} // namespace

void restartClock() {
    Clock& clock = theClock();
    clock.virtualNow = 0;
    clock.started = SteadyClock::now();
}

// The time runs on across a change of mode, so a test that switches mode sees no jump back.
void setClockMode(ClockMode mode) {
    Clock& clock = theClock();
    if (mode == clock.mode) {
        return;
    }
    if (mode == ClockMode::Virtual) {
        clock.virtualNow = realElapsed(clock);
    } else {
        clock.started =
            SteadyClock::now() - std::chrono::microseconds(static_cast<int64_t>(clock.virtualNow));
    }
    clock.mode = mode;
}

uint64_t nowMicroseconds() {
    const Clock& clock = theClock();
    return clock.mode == ClockMode::Virtual ? clock.virtualNow : realElapsed(clock);
}

uint64_t cardClockMicroseconds() {
    if (theClock().mode == ClockMode::Virtual) {
        return theClock().virtualNow;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000u +
           static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

uint64_t demandedWaitMicroseconds() {
    return theClock().demanded;
}

void sleepMicroseconds(uint64_t microseconds) {
    Clock& clock = theClock();
    clock.demanded += microseconds;
    if (clock.mode == ClockMode::Virtual) {
        clock.virtualNow += microseconds;
        return;
    }
    realWait(microseconds);
}

} // namespace zyvosim
