// One call into the simulated device library: the fault it may take and its trace entry.
//
// Every operation the diagnostics call opens with the same two lines, so a reader sees at the
// entry where a fault can strike, and closes by recording what it returned:
//
//     int SimDevice::Open() {
//         SimCall call("device", -1, "Open");
//         if (auto injected = call.injectedFault())
//             return call.returns(*injected);
//         ... the real work ...
//         return call.returns(1);
//     }
#pragma once

#include "calls/trace.h"

#include <optional>
#include <string>

namespace zyvosim {

struct WidgetKind;

class SimCall {
public:
    // `index` is the widget index, -1 for targets without one; `arguments` as traceArguments()
    // writes them.
    SimCall(std::string target, int index, std::string operation, std::string arguments = {});
    // A call on widget `index` of `kind`, named by its description. An operation the description
    // does not list could never take a fault, so it stops the program at its first call.
    SimCall(const WidgetKind& kind, int index, const char* operation, std::string arguments = {});
    // Saves the state of the cards this process holds, at the entry and the exit of the call.
    ~SimCall();
    SimCall(const SimCall&) = delete;
    SimCall& operator=(const SimCall&) = delete;

    // Takes the fault the bench armed for this call. A status fault gives the status to return
    // instead of doing the work; a throw fault records the call and throws from here; an
    // interrupt fault raises SIGINT here and gives nothing, so the work goes on.
    std::optional<int> injectedFault();

    // For calls whose arguments are only known at the end (out-parameters).
    void setArguments(std::string arguments);

    // Records the call with `status` and gives the status back, for `return call.returns(1);`.
    int returns(int status);

private:
    std::string mTarget;
    int mIndex;
    std::string mOperation;
    std::string mArguments;
};

} // namespace zyvosim
