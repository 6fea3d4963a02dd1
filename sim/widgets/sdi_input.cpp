// The SDI inputs 0-7: what each finds arriving at its connector.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "video/input_signal.h"
#include "widgets/install_each.h"

#include "ZyvoSDIWidgets.h"

#include <type_traits>

namespace zyvosim {
namespace {

class SimSDIInput final : public ZyvoSDIInputV2Widget {
public:
    SimSDIInput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    // The input reports what it finds in the configuration: whether a signal arrives and, when
    // one does, its format. The trace shows the configuration as the input filled it.
    int GetInputConfiguration(ZyvoVideoConfiguration* configuration) override {
        SimCall call(kSDIInputKind, static_cast<int>(mIndex), "GetInputConfiguration",
                     traceArguments(configuration));
        if (auto injected = call.injectedFault()) {
            return call.returns(*injected);
        }
        if (configuration == nullptr) {
            return call.returns(0);
        }
        InputSignal signal = signalAtSDIInput(mBoard, mIndex);
        configuration->SetDefaultFormat(signal.present ? signal.format : ZYVO_VideoFormat_Unknown);
        configuration->SetSignalPresent(signal.present);
        ++state().queries;
        call.setArguments(traceArguments(configuration));
        return call.returns(1);
    }

private:
    SDIInputState& state() { return mBoard.state().sdiInput[mIndex]; }

    SimBoard& mBoard;
    unsigned mIndex;
};

// An input holds nothing of its own but the count of queries, zero at power-on.
void powerOn(CardState& state) {
    for (SDIInputState& input : state.sdiInput) {
        input = SDIInputState{};
    }
}

const char* const kOperations[] = {"GetInputConfiguration"};

} // namespace

const WidgetKind kSDIInputKind("SDIInput", ZYVO_WidgetType_SDIInputWidget,
                               std::extent_v<decltype(CardState::sdiInput)>, kOperations,
                               installEach<SimSDIInput, kSDIInputKind>, powerOn);

} // namespace zyvosim
