// The simulator's clock, as the rest of the simulator sees it.
#pragma once

namespace zyvosim {

// Back to zero (reset()); the mode stays.
void restartClock();

} // namespace zyvosim
