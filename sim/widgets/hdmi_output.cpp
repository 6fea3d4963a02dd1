// The HDMI output: the transmitter's identity, audio, picture, crosspoint sources and registers.
//
// Every setter keeps what it is given; the input at the far end of the HDMI cable reads the
// configuration and the first source from here (hdmi_input.cpp).
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/hdmi_register_calls.h"
#include "widgets/hdmi_widgets.h"

#include "ZyvoHDMIWidgets.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace zyvosim {
namespace {

const char* const kTarget = "HDMIOut";

// Names longer than the transmitter's field are cut, as the chip's info frames would cut them.
template <size_t Size> void storeName(char (&field)[Size], const char* name) {
    size_t length = std::min(std::strlen(name), Size - 1);
    std::memset(field, 0, Size);
    std::memcpy(field, name, length);
}

class SimHDMIOutput final : public ZyvoHDMIOutV4Widget {
public:
    explicit SimHDMIOutput(SimBoard& board) : mBoard(board) {}

    int SetMonitorState(bool on) override { return keep("SetMonitorState", on, state().monitor); }

    int SetSourceConfiguration(ZyvoVideoConfiguration* configuration) override {
        SimCall call(kTarget, 0, "SetSourceConfiguration", traceArguments(configuration));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (configuration == nullptr)
            return call.returns(0);
        state().configured = true;
        state().sourceConfig = stateOf(*configuration);
        return call.returns(1);
    }

    int SetSourceAudioMode(ZyvoAudioFormat format) override {
        return keep("SetSourceAudioMode", format, state().sourceAudioMode);
    }

    int SetSinkAudioMode(ZyvoHDMIOutV4AudioMode mode) override {
        return keep("SetSinkAudioMode", mode, state().sinkAudioMode);
    }

    int SetDefaultVideoColorRange(ZyvoVideoColorRange range) override {
        return keep("SetDefaultVideoColorRange", range, state().defaultColorRange);
    }

    int SetAudioMute(bool mute) override { return keep("SetAudioMute", mute, state().audioMute); }

    int SetVendorName(const char* name) override {
        SimCall call(kTarget, 0, "SetVendorName", traceArguments(name));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (name == nullptr)
            return call.returns(0);
        storeName(state().vendorName, name);
        return call.returns(1);
    }

    int SetProductName(const char* name) override {
        SimCall call(kTarget, 0, "SetProductName", traceArguments(name));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (name == nullptr)
            return call.returns(0);
        storeName(state().productName, name);
        return call.returns(1);
    }

    int SetVideoSource1(ZyvoVideoSource source) override {
        return keep("SetVideoSource1", source, state().videoSource[0]);
    }
    int SetVideoSource2(ZyvoVideoSource source) override {
        return keep("SetVideoSource2", source, state().videoSource[1]);
    }
    int SetVideoSource3(ZyvoVideoSource source) override {
        return keep("SetVideoSource3", source, state().videoSource[2]);
    }
    int SetVideoSource4(ZyvoVideoSource source) override {
        return keep("SetVideoSource4", source, state().videoSource[3]);
    }

    int WriteRegister(uint32_t reg, uint32_t value) override {
        return writeRegisterCall(mBoard, HDMIChip::Transmitter, kTarget, reg, value);
    }
    int ReadRegister(uint32_t reg, uint32_t& value) override {
        return readRegisterCall(mBoard, HDMIChip::Transmitter, kTarget, reg, value);
    }

private:
    HDMIOutputState& state() { return mBoard.state().hdmiOutput; }

    // Most setters only keep their value in the card's state.
    template <typename Value, typename Field>
    int keep(const char* operation, Value value, Field& field) {
        SimCall call(kTarget, 0, operation, traceArguments(value));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        field = value;
        return call.returns(1);
    }

    SimBoard& mBoard;
};

} // namespace

void installHDMIOutput(SimBoard& board) {
    board.widgets().add(ZYVO_WidgetType_HDMI4kOutWidget, 0, std::make_unique<SimHDMIOutput>(board));
}

// The output comes up unrouted: all four inputs from no source, so nothing reaches the cable.
void powerOnHDMIOutput(CardState& state) {
    state.hdmiOutput = HDMIOutputState{};
    for (int32_t& source : state.hdmiOutput.videoSource)
        source = ZYVO_VideoSource_None;
}

} // namespace zyvosim
