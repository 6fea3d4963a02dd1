// The common library's debug facility: nothing to open on the simulated bench but its fault.
#include "QELDebug.h"

#include "calls/sim_call.h"

int QELDebug::Open() {
    zyvosim::SimCall call("QELDebug", -1, "Open");
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    return call.returns(1);
}

int QELDebug::Close() {
    return zyvosim::SimCall("QELDebug", -1, "Close").returns(1);
}
