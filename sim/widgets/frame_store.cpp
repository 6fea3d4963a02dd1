// The frame buffer registers both kinds of store share, and the operations on them.
#include "widgets/frame_store.h"

#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/widget_calls.h"

namespace zyvosim {

template <typename Interface>
int FrameStoreWidget<Interface>::GetFrameBufferConfiguration(
    ZyvoFrameBufferConfiguration* configuration) {
    SimCall call(kind(), index(), "GetFrameBufferConfiguration", traceArguments(configuration));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    if (configuration == nullptr) {
        return call.returns(0);
    }
    const FrameStoreState& registers = store();
    const FrameBufferConfigState& given = registers.config;
    ZyvoFrameBufferConfiguration current(static_cast<ZyvoVideoFormat>(given.format),
                                         static_cast<ZyvoPixelFormat>(given.pixelFormat));
    if (registers.configured) {
        current.SetVideoChannel(static_cast<ZyvoVideoChannel>(given.channel));
    }
    current.SetFrameBufferBaseAddress(registers.baseAddress);
    current.SetFrameBufferSize(registers.size);
    current.SetFrameBufferNumber(registers.number);
    *configuration = current;
    call.setArguments(traceArguments(configuration));
    return call.returns(1);
}

template <typename Interface> int FrameStoreWidget<Interface>::SetActiveFrameBuffer(int frame) {
    // Selecting a frame moves the frame number register: the store plays or captures that
    // frame from now on, and its configuration reports it, so a fill after a select lands in
    // the frame that will be played.
    return setterCall(kind(), index(), "SetActiveFrameBuffer", traceArguments(frame), true, [&] {
        store().activeFrame = frame;
        store().number = static_cast<uint32_t>(frame);
    });
}

template <typename Interface>
int FrameStoreWidget<Interface>::SetFrameBufferConfiguration(
    ZyvoFrameBufferConfiguration* configuration) {
    return setterCall(kind(), index(), "SetFrameBufferConfiguration", traceArguments(configuration),
                      configuration != nullptr, [&] {
                          FrameStoreState& registers = store();
                          registers.configured = true;
                          registers.config = stateOf(*configuration);
                          registers.baseAddress = registers.config.baseAddress;
                          registers.size = registers.config.size;
                          registers.number = registers.config.number;
                      });
}

template <typename Interface>
int FrameStoreWidget<Interface>::SetVideoMode(ZyvoFrameBufferVideoMode mode) {
    return keepValueCall(kind(), index(), "SetVideoMode", mode, store().videoMode);
}

template <typename Interface>
int FrameStoreWidget<Interface>::SetRegisterSync(ZyvoRegisterSync sync) {
    return keepValueCall(kind(), index(), "SetRegisterSync", sync, store().registerSync);
}

template <typename Interface> int FrameStoreWidget<Interface>::SetTwoSampleInterleaveMode(bool on) {
    return keepValueCall(kind(), index(), "SetTwoSampleInterleaveMode", on,
                         store().twoSampleInterleave);
}

template <typename Interface>
int FrameStoreWidget<Interface>::SetFrameBufferBaseAddress(uint32_t address) {
    return setterCall(kind(), index(), "SetFrameBufferBaseAddress", traceArguments(Hex{address}),
                      true, [&] { store().baseAddress = address; });
}

template <typename Interface> int FrameStoreWidget<Interface>::SetFrameBufferSize(uint32_t size) {
    return keepValueCall(kind(), index(), "SetFrameBufferSize", size, store().size);
}

template <typename Interface>
int FrameStoreWidget<Interface>::SetFrameBufferNumber(uint32_t number) {
    return keepValueCall(kind(), index(), "SetFrameBufferNumber", number, store().number);
}

template <typename Interface> int FrameStoreWidget<Interface>::WritePreset() {
    return setterCall(kind(), index(), "WritePreset", {}, true, [&] { ++store().presets; });
}

template <typename Interface> int FrameStoreWidget<Interface>::SetEnable(bool enable) {
    return keepValueCall(kind(), index(), "SetEnable", enable, store().enable);
}

template class FrameStoreWidget<ZyvoFrameBufferCaptureWidget>;
template class FrameStoreWidget<ZyvoFrameBufferPlayWidget>;

FrameStoreState powerOnFrameStore() {
    FrameStoreState store{};
    store.videoMode = ZYVO_FrameBufferVideoMode_Disable;
    store.registerSync = ZYVO_RegisterSync_Frame;
    return store;
}

} // namespace zyvosim
