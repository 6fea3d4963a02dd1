// The simulator's clock, as the rest of the simulator sees it.
#pragma once

#include <cstdint>

namespace zyvosim {

// Back to zero (reset()); the mode stays.
void restartClock();

// The time a card keeps in its state (when a capture store was switched on), in microseconds.
// Virtual mode: the simulated time. Real mode: CLOCK_MONOTONIC, which every process on the host
// reads alike, so the next command can tell how long a store has been on.
uint64_t cardClockMicroseconds();

} // namespace zyvosim
