// The HDMI input: the receiver's initialisation, its registers, and the signal it locks to.
//
// The receiver sees a signal when the bench cables the HDMI output to it and the output's first
// crosspoint input has a source (anything but 14, none). It then reports the format the output
// was configured with, which is 0 (unknown) while the output has no configuration yet.
#include "hdmi_registers.h"
#include "hdmi_widgets.h"
#include "sim_board.h"
#include "sim_call.h"
#include "trace_values.h"

#include "ZyvoHDMIWidgets.h"

#include <memory>

namespace zyvosim {
namespace {

const char* const cTarget = "HDMIIn";

bool cabledToOutput(const Bench& bench) {
    for (const Cable& cable : bench.cables) {
        if (cable.kind == CableKind::HDMI && cable.output == 0 && cable.input == 0)
            return true;
    }
    return false;
}

class SimHDMIInput final : public ZyvoHDMIInV4Widget {
public:
    explicit SimHDMIInput(SimBoard& board) : mBoard(board) {}

    int Initialize() override {
        SimCall call(cTarget, 0, "Initialize");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        ++mBoard.state().hdmiInput.initializations;
        return call.returns(1);
    }

    // A register the receiver does not have fails with 0 and reads nothing.
    int WriteRegister(uint32_t reg, uint32_t value) override {
        SimCall call(cTarget, 0, "WriteRegister", traceArguments(reg, Hex{value}));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        return call.returns(writeHDMIRegister(mBoard, HDMIChip::Receiver, reg, value) ? 1 : 0);
    }

    int ReadRegister(uint32_t reg, uint32_t& value) override {
        SimCall call(cTarget, 0, "ReadRegister", traceArguments(reg));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (!readHDMIRegister(mBoard, HDMIChip::Receiver, reg, value))
            return call.returns(0);
        call.setArguments(traceArguments(reg, Hex{value}));
        return call.returns(1);
    }

    int GetInputSignal(bool& present, ZyvoVideoFormat& format) override {
        SimCall call(cTarget, 0, "GetInputSignal");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        const HDMIOutputState& output = mBoard.state().hdmiOutput;
        present = cabledToOutput(mBoard.bench()) && output.videoSource[0] != ZYVO_VideoSource_None;
        format = present ? static_cast<ZyvoVideoFormat>(output.sourceConfig.format)
                         : ZYVO_VideoFormat_Unknown;
        call.setArguments(traceArguments(present, format));
        return call.returns(1);
    }

private:
    SimBoard& mBoard;
};

} // namespace

void installHDMIInput(SimBoard& board) {
    board.widgets().add(ZYVO_WidgetType_HDMIInV4Widget, 0, std::make_unique<SimHDMIInput>(board));
}

void powerOnHDMIInput(CardState& state) {
    state.hdmiInput = HDMIInputState{};
}

} // namespace zyvosim
