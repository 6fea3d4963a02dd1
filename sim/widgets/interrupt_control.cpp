// The interrupt controls: sixteen of them, each enabled, configured and given a sync source.
//
// The diagnostics arm the pair the sync generator names (N for the generator, N+1 for the
// video); the card carries all sixteen so a bench can move the pair anywhere.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/timing_widgets.h"

#include "ZyvoTimingWidgets.h"

#include <memory>

namespace zyvosim {
namespace {

const char* const kTarget = "InterruptControl";

class SimInterruptControl final : public ZyvoInterruptControlWidget {
public:
    SimInterruptControl(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

private:
    int doSetInterruptEnable(bool enable) override {
        SimCall call(kTarget, traceIndex(), "SetInterruptEnable", traceArguments(enable));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().enable = enable;
        return call.returns(1);
    }

    // The control times its interrupt from both: without either there is nothing to program.
    int doSetConfiguration(ZyvoVideoConfiguration* configuration, ZyvoVideoTransport* transport,
                           unsigned int flags) override {
        SimCall call(kTarget, traceIndex(), "SetConfiguration",
                     traceArguments(configuration, transport, flags));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (configuration == nullptr || transport == nullptr)
            return call.returns(0);
        state().configured = true;
        state().config = stateOf(*configuration);
        state().transportFormat = transport->GetFormat();
        state().flags = flags;
        return call.returns(1);
    }

    int doSetSyncSource(ZyvoVideoSource source) override {
        SimCall call(kTarget, traceIndex(), "SetSyncSource", traceArguments(source));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().syncSource = source;
        return call.returns(1);
    }

    InterruptControlState& state() { return mBoard.state().interruptControl[mIndex]; }
    int traceIndex() const { return static_cast<int>(mIndex); }

    SimBoard& mBoard;
    unsigned mIndex;
};

} // namespace

void installInterruptControls(SimBoard& board) {
    for (unsigned index = 0; index < kInterruptControlCount; ++index)
        board.widgets().add(ZYVO_WidgetType_InterruptControlWidget, index,
                            std::make_unique<SimInterruptControl>(board, index));
}

// Every interrupt comes up disabled and unconfigured.
void powerOnInterruptControls(CardState& state) {
    for (InterruptControlState& control : state.interruptControl)
        control = InterruptControlState{};
}

} // namespace zyvosim
