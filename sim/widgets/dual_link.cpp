// The dual-link inputs 0-3 and outputs 0-4 (output 4 feeds the video monitor): the
// configuration each takes and the crosspoint source feeding it. Both directions behave alike.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoSDIWidgets.h"

#include <type_traits>

namespace zyvosim {
namespace {

template <typename Interface> class SimDualLink final : public Interface {
public:
    SimDualLink(SimBoard& board, unsigned index) : mBoard(board), mIndex(static_cast<int>(index)) {}

    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) override {
        return setterCall(kind(), mIndex, "SetConfiguration", traceArguments(configuration, flags),
                          configuration != nullptr,
                          [&] { keepConfiguration(state(), *configuration, flags); });
    }

    int SetVideoSource(ZyvoVideoSource source) override {
        return keepValueCall(kind(), mIndex, "SetVideoSource", source, state().source);
    }

private:
    static constexpr bool kInput = std::is_same_v<Interface, ZyvoDualLinkInWidget>;

    static const WidgetKind& kind() { return kInput ? kDualLinkInKind : kDualLinkOutKind; }
    DualLinkState& state() {
        CardState& card = mBoard.state();
        return kInput ? card.dualLinkInput[mIndex] : card.dualLinkOutput[mIndex];
    }

    SimBoard& mBoard;
    int mIndex;
};

// At power-on a dual-link widget is unconfigured and fed by no source.
template <size_t N> void powerOnLinks(DualLinkState (&links)[N]) {
    for (DualLinkState& link : links) {
        link = DualLinkState{};
        link.source = ZYVO_VideoSource_None;
    }
}

void powerOnInputs(CardState& state) {
    powerOnLinks(state.dualLinkInput);
}

void powerOnOutputs(CardState& state) {
    powerOnLinks(state.dualLinkOutput);
}

const char* const kOperations[] = {"SetConfiguration", "SetVideoSource"};

} // namespace

const WidgetKind kDualLinkInKind("DualLinkIn", ZYVO_WidgetType_DualLinkInWidget,
                                 std::extent_v<decltype(CardState::dualLinkInput)>, kOperations,
                                 installEach<SimDualLink<ZyvoDualLinkInWidget>, kDualLinkInKind>,
                                 powerOnInputs);

// Output 4 feeds the video monitor.
const WidgetKind kDualLinkOutKind("DualLinkOut", ZYVO_WidgetType_DualLinkOutWidget,
                                  std::extent_v<decltype(CardState::dualLinkOutput)>, kOperations,
                                  installEach<SimDualLink<ZyvoDualLinkOutWidget>, kDualLinkOutKind>,
                                  powerOnOutputs);

} // namespace zyvosim
