// The calls of widget setters and queries: each is open to faults at its entry and traced, and
// differs from the others only in what it accepts, keeps or answers.
#pragma once

#include "calls/sim_call.h"
#include "calls/trace.h"
#include "calls/trace_values.h"

#include <optional>
#include <string>
#include <utility>

namespace zyvosim {

// A setter that refuses what it cannot take (a null configuration, a value out of range) with
// 0; otherwise `keep` stores it and the call returns `done`.
template <typename Keep>
int setterCall(const WidgetKind& kind, int index, const char* operation, std::string arguments,
               bool acceptable, Keep keep, int done = 1) {
    SimCall call(kind, index, operation, std::move(arguments));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    if (!acceptable) {
        return call.returns(0);
    }
    keep();
    return call.returns(done);
}

// A setter that takes any value and only keeps it in `field`.
template <typename Value, typename Field>
int keepValueCall(const WidgetKind& kind, int index, const char* operation, Value value,
                  Field& field) {
    return setterCall(kind, index, operation, traceArguments(value), true, [&] { field = value; });
}

// What a query gives back: its status, and its out-parameters as the trace shows them (none
// when it had nothing to give).
struct QueryAnswer {
    int status;
    std::optional<std::string> shown;
};

template <typename... Values> QueryAnswer answered(int status, const Values&... values) {
    return {status, traceArguments(values...)};
}

inline QueryAnswer unanswered() {
    return {0, std::nullopt};
}

// A query whose `answer` fills its out-parameters.
template <typename Answer>
int queryCall(const WidgetKind& kind, int index, const char* operation, Answer answer) {
    SimCall call(kind, index, operation);
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    QueryAnswer result = answer();
    if (result.shown) {
        call.setArguments(*result.shown);
    }
    return call.returns(result.status);
}

// What a widget's SetConfiguration keeps of a video configuration, in its part of the card state.
template <typename State>
void keepConfiguration(State& state, const ZyvoVideoConfiguration& configuration, int flags) {
    state.configured = true;
    state.config = stateOf(configuration);
    state.configFlags = flags;
}

} // namespace zyvosim
