// The SDI outputs 0-10 (10 is the video monitor): configuration, switches, mute, enable and the
// crosspoint source each sends.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/card_ports.h"
#include "card/sim_board.h"
#include "widgets/sdi_widgets.h"

#include "ZyvoSDIWidgets.h"

#include <memory>

namespace zyvosim {
namespace {

const char* const kTarget = "SDIOutput";

class SimSDIOutput final : public ZyvoSDIOutputV2Widget {
public:
    SimSDIOutput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    // A new configuration waits for Apply() before it reaches the wire.
    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) override {
        SimCall call(kTarget, index(), "SetConfiguration", traceArguments(configuration, flags));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (configuration == nullptr)
            return call.returns(0);
        state().configured = true;
        state().config = stateOf(*configuration);
        state().configFlags = flags;
        state().applied = false;
        return call.returns(1);
    }

    int SetOutputSwitchA(bool on) override {
        return setSwitch("SetOutputSwitchA", state().switchA, on);
    }
    int SetOutputSwitchB(bool on) override {
        return setSwitch("SetOutputSwitchB", state().switchB, on);
    }
    int SetOutputSwitchC(bool on) override {
        return setSwitch("SetOutputSwitchC", state().switchC, on);
    }
    int SetOutputSwitchD(bool on) override {
        return setSwitch("SetOutputSwitchD", state().switchD, on);
    }
    int SetOutputSwitchE(bool on) override {
        return setSwitch("SetOutputSwitchE", state().switchE, on);
    }

    int SetMute(bool mute) override {
        SimCall call(kTarget, index(), "SetMute", traceArguments(mute));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().mute = mute;
        return call.returns(1);
    }

    int SetEnable(bool enable) override {
        SimCall call(kTarget, index(), "SetEnable", traceArguments(enable));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().enable = enable;
        return call.returns(1);
    }

    int SetVideoSource(ZyvoVideoSource source) override {
        SimCall call(kTarget, index(), "SetVideoSource", traceArguments(source));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().source = source;
        return call.returns(1);
    }

    int Apply() override {
        SimCall call(kTarget, index(), "Apply");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().applied = true;
        return call.returns(1);
    }

private:
    SDIOutputState& state() { return mBoard.state().sdiOutput[mIndex]; }
    int index() const { return static_cast<int>(mIndex); }

    // The five switches behave alike; each is its own operation for faults and the trace.
    int setSwitch(const char* operation, bool& position, bool on) {
        SimCall call(kTarget, index(), operation, traceArguments(on));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        position = on;
        return call.returns(1);
    }

    SimBoard& mBoard;
    unsigned mIndex;
};

} // namespace

void installSDIOutputs(SimBoard& board) {
    for (unsigned index = 0; index < kSDIOutputCount; ++index) {
        board.widgets().add(ZYVO_WidgetType_SDIOutputWidget, index,
                            std::make_unique<SimSDIOutput>(board, index));
    }
}

// At power-on an output is disabled, unconfigured and fed by no source.
void powerOnSDIOutputs(CardState& state) {
    for (SDIOutputState& output : state.sdiOutput) {
        output = SDIOutputState{};
        output.source = ZYVO_VideoSource_None;
    }
}

} // namespace zyvosim
