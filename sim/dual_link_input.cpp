// The dual-link inputs 0-3: the configuration each takes and the crosspoint source feeding it.
#include "sdi_widgets.h"
#include "sim_board.h"
#include "sim_call.h"
#include "trace_values.h"

#include "ZyvoSDIWidgets.h"

#include <memory>
#include <type_traits>

namespace zyvosim {
namespace {

const char* const cTarget = "DualLinkIn";
constexpr unsigned cCount = std::extent_v<decltype(CardState::dualLinkInput)>;

class SimDualLinkInput final : public ZyvoDualLinkInWidget {
public:
    SimDualLinkInput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

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
    DualLinkState& state() { return mBoard.state().dualLinkInput[mIndex]; }
    int index() const { return static_cast<int>(mIndex); }

    SimBoard& mBoard;
    unsigned mIndex;
};

} // namespace

void installDualLinkInputs(SimBoard& board) {
    for (unsigned index = 0; index < cCount; ++index) {
        board.widgets().add(ZYVO_WidgetType_DualLinkInWidget, index,
                            std::make_unique<SimDualLinkInput>(board, index));
    }
}

// At power-on a dual-link input is unconfigured and fed by no source.
void powerOnDualLinkInputs(CardState& state) {
    for (DualLinkState& link : state.dualLinkInput) {
        link = DualLinkState{};
        link.source = ZYVO_VideoSource_None;
    }
}

} // namespace zyvosim
