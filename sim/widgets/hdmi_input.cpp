// The HDMI input: the receiver's initialisation, its registers, and the signal it locks to.
//
// The receiver sees a signal when a picture arrives over the HDMI cable on the output's first
// crosspoint input (input_signal.cpp says what it reports, video_path.cpp where it comes from).
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "video/input_signal.h"
#include "widgets/hdmi_register_calls.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoHDMIWidgets.h"

namespace zyvosim {
namespace {

class SimHDMIInput final : public ZyvoHDMIInV4Widget {
public:
    explicit SimHDMIInput(SimBoard& board) : mBoard(board) {}

    int Initialize() override {
        return setterCall(kHDMIInKind, 0, "Initialize", {}, true, [&] {
            ++mBoard.state().hdmiInput.initializations;
            resetHDMIReceiver(mBoard);
        });
    }

    int WriteRegister(uint32_t reg, uint32_t value) override {
        return writeRegisterCall(mBoard, HDMIChip::Receiver, kHDMIInKind, reg, value);
    }
    int ReadRegister(uint32_t reg, uint32_t& value) override {
        return readRegisterCall(mBoard, HDMIChip::Receiver, kHDMIInKind, reg, value);
    }

    int GetInputSignal(bool& present, ZyvoVideoFormat& format) override {
        return queryCall(kHDMIInKind, 0, "GetInputSignal", [&] {
            InputSignal signal = signalAtHDMIInput(mBoard);
            present = signal.present;
            format = signal.format;
            return answered(1, present, format);
        });
    }

private:
    SimBoard& mBoard;
};

void powerOn(CardState& state) {
    state.hdmiInput = HDMIInputState{};
}

const char* const kOperations[] = {"Initialize", "WriteRegister", "ReadRegister", "GetInputSignal"};

} // namespace

const WidgetKind kHDMIInKind("HDMIIn", ZYVO_WidgetType_HDMIInV4Widget, 1, kOperations,
                             installEach<SimHDMIInput, kHDMIInKind>, powerOn);

} // namespace zyvosim
