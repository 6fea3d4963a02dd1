// Puts every wait of a test program on the simulator's virtual clock.
//
// The library waits with QELTime::Sleep and with libc's sleep and usleep; the tool's libc override
// (zyvodiag_libc_sleep) hands the latter two to the simulator. Its clock is switched to virtual
// time here, before any test runs.
#include "zyvosim/zyvosim.h"

namespace {

const bool s_virtualClock = [] {
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    return true;
}();

} // namespace
