// The HDMI output: the transmitter's identity, audio, picture, crosspoint sources and registers.
//
// Every setter keeps what it is given; the input at the far end of the HDMI cable reads the
// configuration and the first source from here (hdmi_input.cpp).
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/hdmi_register_calls.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoHDMIWidgets.h"

#include <algorithm>
#include <cstring>

namespace zyvosim {
namespace {

class SimHDMIOutput final : public ZyvoHDMIOutV4Widget {
public:
    explicit SimHDMIOutput(SimBoard& board) : mBoard(board) {}

    int SetMonitorState(bool on) override { return keep("SetMonitorState", on, state().monitor); }

    int SetSourceConfiguration(ZyvoVideoConfiguration* configuration) override {
        return setterCall(kHDMIOutKind, 0, "SetSourceConfiguration", traceArguments(configuration),
                          configuration != nullptr, [&] {
                              state().configured = true;
                              state().sourceConfig = stateOf(*configuration);
                          });
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
        return keepName("SetVendorName", name, state().vendorName);
    }
    int SetProductName(const char* name) override {
        return keepName("SetProductName", name, state().productName);
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
        return writeRegisterCall(mBoard, HDMIChip::Transmitter, kHDMIOutKind, reg, value);
    }
    int ReadRegister(uint32_t reg, uint32_t& value) override {
        return readRegisterCall(mBoard, HDMIChip::Transmitter, kHDMIOutKind, reg, value);
    }

private:
    HDMIOutputState& state() { return mBoard.state().hdmiOutput; }

    // Most setters only keep their value in the card's state.
    template <typename Value, typename Field>
    int keep(const char* operation, Value value, Field& field) {
        return keepValueCall(kHDMIOutKind, 0, operation, value, field);
    }

    // Names longer than the transmitter's field are cut, as the chip's info frames would cut
    // them; a null name fails with 0.
    template <size_t Size>
    int keepName(const char* operation, const char* name, char (&field)[Size]) {
        return setterCall(kHDMIOutKind, 0, operation, traceArguments(name), name != nullptr, [&] {
            size_t length = std::min(std::strlen(name), Size - 1);
            std::memset(field, 0, Size);
            std::memcpy(field, name, length);
        });
    }

    SimBoard& mBoard;
};

// The output comes up unrouted: all four inputs from no source, so nothing reaches the cable.
void powerOn(CardState& state) {
    state.hdmiOutput = HDMIOutputState{};
    for (int32_t& source : state.hdmiOutput.videoSource) {
        source = ZYVO_VideoSource_None;
    }
}

const char* const kOperations[] = {"SetMonitorState",
                                   "SetSourceConfiguration",
                                   "SetSourceAudioMode",
                                   "SetSinkAudioMode",
                                   "SetDefaultVideoColorRange",
                                   "SetAudioMute",
                                   "SetVendorName",
                                   "SetProductName",
                                   "SetVideoSource1",
                                   "SetVideoSource2",
                                   "SetVideoSource3",
                                   "SetVideoSource4",
                                   "WriteRegister",
                                   "ReadRegister"};

} // namespace

const WidgetKind kHDMIOutKind("HDMIOut", ZYVO_WidgetType_HDMI4kOutWidget, 1, kOperations,
                              installEach<SimHDMIOutput, kHDMIOutKind>, powerOn);

} // namespace zyvosim
