// How one call into the simulated device library takes its fault and records itself.
#include "calls/sim_call.h"

#include "calls/fault_table.h"
#include "card/sim_board.h"
#include "widgets/widget_kinds.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace zyvosim {

SimCall::SimCall(std::string target, int index, std::string operation, std::string arguments)
    : mTarget(std::move(target)), mIndex(index), mOperation(std::move(operation)),
      mArguments(std::move(arguments)) {
    // What a widget wrote after its inner call had ended (a capture store's switch-on time)
    // is saved here, by the next call.
    saveHeldCards();
}

SimCall::SimCall(const WidgetKind& kind, int index, const char* operation, std::string arguments)
    : SimCall(kind.name, index, operation, std::move(arguments)) {
    if (!kind.operations.contains(operation)) {
        std::fprintf(stderr, "zyvosim: %s.%s is not in the kind's description\n", kind.name,
                     operation);
        std::abort();
    }
}

SimCall::~SimCall() {
    saveHeldCards();
}

std::optional<int> SimCall::injectedFault() {
    std::optional<Fault> fault = faults().take(mTarget, mIndex, mOperation);
    if (!fault) {
        return std::nullopt;
    }
    switch (fault->kind) {
    case FaultKind::Status:
        return fault->status;
    case FaultKind::Throw:
        recordCall(mTarget, mIndex, mOperation, mArguments, 0, true);
        throw std::runtime_error("simulated device library failure in " + mTarget + "." +
                                 mOperation);
    case FaultKind::Interrupt:
        std::raise(SIGINT);
        return std::nullopt;
    }
    return std::nullopt;
}

void SimCall::setArguments(std::string arguments) {
    mArguments = std::move(arguments);
}

int SimCall::returns(int status) {
    recordCall(mTarget, mIndex, mOperation, mArguments, status);
    return status;
}

} // namespace zyvosim
