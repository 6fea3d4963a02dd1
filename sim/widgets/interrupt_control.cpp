// The interrupt controls: sixteen of them, each enabled, configured and given a sync source.
//
// The diagnostics arm the pair the sync generator names (N for the generator, N+1 for the
// video); the card carries all sixteen so a bench can move the pair anywhere.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoTimingWidgets.h"

namespace zyvosim {
namespace {

class SimInterruptControl final : public ZyvoInterruptControlWidget {
public:
    SimInterruptControl(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

private:
    int doSetInterruptEnable(bool enable) override {
        return keepValueCall(kInterruptControlKind, traceIndex(), "SetInterruptEnable", enable,
                             state().enable);
    }

    // The control times its interrupt from both: without either there is nothing to program.
    int doSetConfiguration(ZyvoVideoConfiguration* configuration, ZyvoVideoTransport* transport,
                           unsigned int flags) override {
        return setterCall(kInterruptControlKind, traceIndex(), "SetConfiguration",
                          traceArguments(configuration, transport, flags),
                          configuration != nullptr && transport != nullptr, [&] {
                              state().configured = true;
                              state().config = stateOf(*configuration);
                              state().transportFormat = transport->GetFormat();
                              state().flags = flags;
                          });
    }

    int doSetSyncSource(ZyvoVideoSource source) override {
        return keepValueCall(kInterruptControlKind, traceIndex(), "SetSyncSource", source,
                             state().syncSource);
    }

    InterruptControlState& state() { return mBoard.state().interruptControl[mIndex]; }
    int traceIndex() const { return static_cast<int>(mIndex); }

    SimBoard& mBoard;
    unsigned mIndex;
};

// Every interrupt comes up disabled and unconfigured.
void powerOn(CardState& state) {
    for (InterruptControlState& control : state.interruptControl) {
        control = InterruptControlState{};
    }
}

const char* const kOperations[] = {"SetInterruptEnable", "SetConfiguration", "SetSyncSource"};

} // namespace

const WidgetKind kInterruptControlKind("InterruptControl", ZYVO_WidgetType_InterruptControlWidget,
                                       kInterruptControlCount, kOperations,
                                       installEach<SimInterruptControl, kInterruptControlKind>,
                                       powerOn);

} // namespace zyvosim
