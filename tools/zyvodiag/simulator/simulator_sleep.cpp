// The library's libc waits, taken over by the simulator's clock.
//
// The diagnostics wait with libc's sleep and usleep as well as with QELTime::Sleep. On the
// simulated device all three must run on one clock: in real time they really wait (the
// simulator sleeps with nanosleep), and on the virtual clock (ZYVO_SIM_CLOCK=virtual) they only
// move simulated time on, so capture stores see their frames arrive without a real wait.
// Definitions in the program take precedence over libc's for every library it loads.
#include "zyvosim/zyvosim.h"

#include <unistd.h>

extern "C" int usleep(useconds_t microseconds) {
    zyvosim::sleepMicroseconds(microseconds);
    return 0;
}

extern "C" unsigned int sleep(unsigned int seconds) {
    zyvosim::sleepMicroseconds(static_cast<uint64_t>(seconds) * 1000000u);
    return 0;
}
