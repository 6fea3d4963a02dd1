// Puts every wait of a test program on the simulator's virtual clock.
//
// The library waits with QELTime::Sleep and with libc's sleep and usleep. The simulator's clock
// is switched to virtual time before any test runs, and the two libc calls are replaced here:
// the test executable's definitions take precedence over libc's for every library it loads.
#include "zyvosim/zyvosim.h"

#include <unistd.h>

namespace {

const bool s_virtualClock = [] {
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    return true;
}();

} // namespace

extern "C" int usleep(useconds_t microseconds) {
    zyvosim::sleepMicroseconds(microseconds);
    return 0;
}

extern "C" unsigned int sleep(unsigned int seconds) {
    zyvosim::sleepMicroseconds(static_cast<uint64_t>(seconds) * 1000000u);
    return 0;
}
