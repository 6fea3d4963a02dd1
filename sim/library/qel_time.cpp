// The common library's sleep, on the simulator's clock.
#include "QELTime.h"

#include "calls/sim_call.h"

#include "zyvosim/zyvosim.h"

// Traced so a test can see what happened around a wait (a store enabled, 100 ms, disabled).
void QELTime::Sleep(int milliseconds) {
    if (milliseconds > 0) {
        zyvosim::sleepMicroseconds(static_cast<uint64_t>(milliseconds) * 1000u);
    }
    zyvosim::SimCall("QELTime", -1, "Sleep", zyvosim::traceArguments(milliseconds)).returns(0);
}
