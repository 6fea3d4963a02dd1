// The call of a setter that does nothing but keep its value in the card state.
#pragma once

#include "calls/sim_call.h"
#include "calls/trace.h"

namespace zyvosim {

// Open to faults, traced with the value; keeps it in `field` and returns 1.
template <typename Value, typename Field>
int keepValueCall(const WidgetKind& kind, int index, const char* operation, Value value,
                  Field& field) {
    SimCall call(kind, index, operation, traceArguments(value));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    field = value;
    return call.returns(1);
}

} // namespace zyvosim
