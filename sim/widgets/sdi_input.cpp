// The SDI inputs 0-7: what each finds arriving at its connector.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/card_ports.h"
#include "card/sim_board.h"
#include "video/input_signal.h"
#include "widgets/sdi_widgets.h"

#include "ZyvoSDIWidgets.h"

#include <memory>

namespace zyvosim {
namespace {

const char* const kTarget = "SDIInput";

class SimSDIInput final : public ZyvoSDIInputV2Widget {
public:
    SimSDIInput(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    // The input reports what it finds in the configuration: whether a signal arrives and, when
    // one does, its format. The trace shows the configuration as the input filled it.
    int GetInputConfiguration(ZyvoVideoConfiguration* configuration) override {
        SimCall call(kTarget, static_cast<int>(mIndex), "GetInputConfiguration",
                     traceArguments(configuration));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (configuration == nullptr)
            return call.returns(0);
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

} // namespace

void installSDIInputs(SimBoard& board) {
    for (unsigned index = 0; index < kSDIInputCount; ++index) {
        board.widgets().add(ZYVO_WidgetType_SDIInputWidget, index,
                            std::make_unique<SimSDIInput>(board, index));
    }
}

// An input holds nothing of its own but the count of queries, zero at power-on.
void powerOnSDIInputs(CardState& state) {
    for (SDIInputState& input : state.sdiInput)
        input = SDIInputState{};
}

} // namespace zyvosim
