// The dual-link inputs 0-3 and outputs 0-4 (output 4 feeds the video monitor): the
// configuration each takes and the crosspoint source feeding it. Both directions behave alike.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/sdi_widgets.h"

#include "ZyvoSDIWidgets.h"

#include <memory>
#include <type_traits>

namespace zyvosim {
namespace {

template <typename Interface> class SimDualLink final : public Interface {
public:
    SimDualLink(SimBoard& board, const char* target, unsigned index)
        : mBoard(board), mTarget(target), mIndex(static_cast<int>(index)) {}

    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) override {
        SimCall call(mTarget, mIndex, "SetConfiguration", traceArguments(configuration, flags));
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
        SimCall call(mTarget, mIndex, "SetVideoSource", traceArguments(source));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().source = source;
        return call.returns(1);
    }

private:
    DualLinkState& state() {
        CardState& card = mBoard.state();
        return std::is_same_v<Interface, ZyvoDualLinkInWidget> ? card.dualLinkInput[mIndex]
                                                               : card.dualLinkOutput[mIndex];
    }

    SimBoard& mBoard;
    const char* mTarget;
    int mIndex;
};

template <typename Interface>
void installLinks(SimBoard& board, const char* target, ZyvoWidgetType type, unsigned count) {
    for (unsigned index = 0; index < count; ++index) {
        board.widgets().add(type, index,
                            std::make_unique<SimDualLink<Interface>>(board, target, index));
    }
}

// At power-on a dual-link widget is unconfigured and fed by no source.
template <size_t N> void powerOnLinks(DualLinkState (&links)[N]) {
    for (DualLinkState& link : links) {
        link = DualLinkState{};
        link.source = ZYVO_VideoSource_None;
    }
}

} // namespace

void installDualLinkInputs(SimBoard& board) {
    installLinks<ZyvoDualLinkInWidget>(board, "DualLinkIn", ZYVO_WidgetType_DualLinkInWidget,
                                       std::extent_v<decltype(CardState::dualLinkInput)>);
}

void installDualLinkOutputs(SimBoard& board) {
    installLinks<ZyvoDualLinkOutWidget>(board, "DualLinkOut", ZYVO_WidgetType_DualLinkOutWidget,
                                        std::extent_v<decltype(CardState::dualLinkOutput)>);
}

void powerOnDualLinkInputs(CardState& state) {
    powerOnLinks(state.dualLinkInput);
}

void powerOnDualLinkOutputs(CardState& state) {
    powerOnLinks(state.dualLinkOutput);
}

} // namespace zyvosim
