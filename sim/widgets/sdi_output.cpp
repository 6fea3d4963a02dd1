// The SDI outputs 0-10 (10 is the video monitor): configuration, switches, mute, enable and the
// crosspoint source each sends.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoSDIWidgets.h"

#include <type_traits>

namespace zyvosim {
namespace {

class SimSDIOutput final : public ZyvoSDIOutputV2Widget {
public:
    SimSDIOutput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    // A new configuration waits for Apply() before it reaches the wire.
    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) override {
        return setterCall(kSDIOutputKind, index(), "SetConfiguration",
                          traceArguments(configuration, flags), configuration != nullptr, [&] {
                              keepConfiguration(state(), *configuration, flags);
                              state().applied = false;
                          });
    }

    int SetOutputSwitchA(bool on) override { return keep("SetOutputSwitchA", on, state().switchA); }
    int SetOutputSwitchB(bool on) override { return keep("SetOutputSwitchB", on, state().switchB); }
    int SetOutputSwitchC(bool on) override { return keep("SetOutputSwitchC", on, state().switchC); }
    int SetOutputSwitchD(bool on) override { return keep("SetOutputSwitchD", on, state().switchD); }
    int SetOutputSwitchE(bool on) override { return keep("SetOutputSwitchE", on, state().switchE); }

    int SetMute(bool mute) override { return keep("SetMute", mute, state().mute); }
    int SetEnable(bool enable) override { return keep("SetEnable", enable, state().enable); }
    int SetVideoSource(ZyvoVideoSource source) override {
        return keep("SetVideoSource", source, state().source);
    }

    int Apply() override {
        return setterCall(kSDIOutputKind, index(), "Apply", {}, true,
                          [&] { state().applied = true; });
    }

private:
    SDIOutputState& state() { return mBoard.state().sdiOutput[mIndex]; }
    int index() const { return static_cast<int>(mIndex); }

    template <typename Value, typename Field>
    int keep(const char* operation, Value value, Field& field) {
        return keepValueCall(kSDIOutputKind, index(), operation, value, field);
    }

    SimBoard& mBoard;
    unsigned mIndex;
};

// At power-on an output is disabled, unconfigured and fed by no source.
void powerOn(CardState& state) {
    for (SDIOutputState& output : state.sdiOutput) {
        output = SDIOutputState{};
        output.source = ZYVO_VideoSource_None;
    }
}

const char* const kOperations[] = {"SetConfiguration", "SetOutputSwitchA",
                                   "SetOutputSwitchB", "SetOutputSwitchC",
                                   "SetOutputSwitchD", "SetOutputSwitchE",
                                   "SetMute",          "SetEnable",
                                   "SetVideoSource",   "Apply"};

} // namespace

// Output 10 is the video monitor.
const WidgetKind kSDIOutputKind("SDIOutput", ZYVO_WidgetType_SDIOutputWidget,
                                std::extent_v<decltype(CardState::sdiOutput)>, kOperations,
                                installEach<SimSDIOutput, kSDIOutputKind>, powerOn);

} // namespace zyvosim
