// The dual-link outputs 0-4 (4 feeds the video monitor): configuration and crosspoint source.
#include "sdi_widgets.h"
#include "sim_board.h"
#include "sim_call.h"
#include "trace_values.h"

#include "ZyvoSDIWidgets.h"

#include <memory>
#include <type_traits>

namespace zyvosim {
namespace {

const char* const cTarget = "DualLinkOut";
constexpr unsigned cCount = std::extent_v<decltype(CardState::dualLinkOutput)>;

class SimDualLinkOutput final : public ZyvoDualLinkOutWidget {
public:
    SimDualLinkOutput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) override {
        SimCall call(cTarget, index(), "SetConfiguration", traceArguments(configuration, flags));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (configuration == nullptr)
            return call.returns(0);
        state().configured = true;
        state().config = stateOf(*configuration);
        state().configFlags = flags;
        return call.returns(1);
    }

    int SetVideoSource(ZyvoVideoSource source) override {
        SimCall call(cTarget, index(), "SetVideoSource", traceArguments(source));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().source = source;
        return call.returns(1);
    }

private:
    DualLinkState& state() { return mBoard.state().dualLinkOutput[mIndex]; }
    int index() const { return static_cast<int>(mIndex); }

    SimBoard& mBoard;
    unsigned mIndex;
};

} // namespace

void installDualLinkOutputs(SimBoard& board) {
    for (unsigned index = 0; index < cCount; ++index) {
        board.widgets().add(ZYVO_WidgetType_DualLinkOutWidget, index,
                            std::make_unique<SimDualLinkOutput>(board, index));
    }
}

// At power-on a dual-link output is unconfigured and fed by no source.
void powerOnDualLinkOutputs(CardState& state) {
    for (DualLinkState& link : state.dualLinkOutput) {
        link = DualLinkState{};
        link.source = ZYVO_VideoSource_None;
    }
}

} // namespace zyvosim
