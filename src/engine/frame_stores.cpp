// Capture and playout frame stores: set-up at their fixed device addresses, enable, grab, and
// the memory aperture window.
#include "widget_access.h"

#include "QELTime.h"
#include "ZyvoFrameBufferWidgets.h"

#include <cstdio>

using zyvodiag::engine::getWidget;

namespace {

// Every capture store writes at 16 MiB, every playout store reads at 64 MiB.
constexpr uint32_t kCaptureBufferBase = 0x1000000;
constexpr uint32_t kPlayoutBufferBase = 0x4000000;
constexpr int kCaptureStoreCount = 4;
// One frame time and then some, so a whole frame lands in the store.
constexpr int kFrameGrabMilliseconds = 100;

} // namespace

ZyvoFrameBufferCaptureWidget* ZyvoDiag::captureStoreInit(int index, ZyvoVideoFormat format,
                                                         ZyvoPixelFormat pixelFormat) {
    ZyvoFrameBufferConfiguration configuration(format, pixelFormat);
    configuration.SetFrameBufferBaseAddress(kCaptureBufferBase);
    auto* store = getWidget<ZyvoFrameBufferCaptureWidget>(
        mpDevice, ZYVO_WidgetType_FrameBufferCaptureWidget, index);
    if (store == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_FrameBufferCaptureWidget, %d)\n",
                    "captureStoreInit", index);
        return nullptr;
    }
    store->SetTwoSampleInterleaveMode(false);
    store->SetEnable(false);
    store->SetFrameBufferConfiguration(&configuration);
    store->SetFrameBufferNumber(0);
    zyvodiag::engine::callSucceeded(store->SetRegisterSync(ZYVO_RegisterSync_Immediate),
                                    "pCaptureStore->SetRegisterSync(ZYVO_RegisterSync_Immediate)");
    store->WritePreset();
    return store;
}

ZyvoFrameBufferPlayWidget* ZyvoDiag::playoutStoreInit(int index, ZyvoVideoFormat format,
                                                      ZyvoPixelFormat pixelFormat) {
    ZyvoFrameBufferConfiguration configuration(format, pixelFormat);
    configuration.SetFrameBufferBaseAddress(kPlayoutBufferBase);
    auto* store = getWidget<ZyvoFrameBufferPlayWidget>(
        mpDevice, ZYVO_WidgetType_FrameBufferPlayWidget, index);
    if (store == nullptr) {
        std::fprintf(stderr, "%s: Could not GetWidget(ZYVO_WidgetType_FrameBufferPlayWidget)\n",
                     "playoutStoreInit");
        return nullptr;
    }
    // Playout store i plays frame i of the common playout region.
    store->SetTwoSampleInterleaveMode(false);
    store->SetEnable(false);
    store->SetFrameBufferConfiguration(&configuration);
    store->SetFrameBufferNumber(static_cast<uint32_t>(index));
    store->WritePreset();
    return store;
}

// A null store is refused (status 0) rather than dereferenced.
int ZyvoDiag::captureStoreEnable(ZyvoFrameBufferCaptureWidget* store, bool enable) {
    return store == nullptr ? 0 : store->SetEnable(enable);
}

int ZyvoDiag::SetCaptureBufferEnable(int index, bool enable) {
    if (index < 0 || index >= kCaptureStoreCount || mpFBCapture[index] == nullptr) {
        return 0;
    }
    captureStoreEnable(mpFBCapture[index], enable);
    return 1;
}

int ZyvoDiag::VideoFrameGrab(int index, int /*frame*/) {
    // The frame to capture into was chosen before with frameBufferSelect.
    ZyvoFrameBufferCaptureWidget* store =
        index >= 0 && index < kCaptureStoreCount ? mpFBCapture[index] : nullptr;
    captureStoreEnable(store, true);
    QELTime::Sleep(kFrameGrabMilliseconds);
    captureStoreEnable(store, false);
    return 1;
}

int ZyvoDiag::playoutStoreEnable(ZyvoFrameBufferPlayWidget* store, bool enable) {
    if (store == nullptr) {
        std::printf("%s NULL pointer\n", "playoutStoreEnable");
        return 0;
    }
    int status = store->SetEnable(enable);
    if (status <= 0) {
        std::printf("%s: SetEnable() failed, status = %d\n", "playoutStoreEnable", status);
    }
    return status;
}

int ZyvoDiag::frameBufferSelect(ZyvoFrameBufferBaseWidget* store, int frame) {
    if (store == nullptr) {
        std::printf("%s NULL pointer\n", "frameBufferSelect");
        return 0;
    }
    return store->SetActiveFrameBuffer(frame);
}

int ZyvoDiag::MemoryApertureWindowSet(uint32_t address) {
    auto* control =
        getWidget<ZyvoGarnControlWidget>(mpDevice, ZYVO_WidgetType_RimbaControlWidget, 0);
    if (control == nullptr) {
        std::printf("Could not GetWidget(ZYVO_WidgetType_RimbaControlWidget)\n");
        return 0;
    }
    control->SetFrameApertureBaseAddress(address);
    return 1;
}

int ZyvoDiag::MemoryApertureWindowGet(uint32_t& address) {
    auto* control =
        getWidget<ZyvoGarnControlWidget>(mpDevice, ZYVO_WidgetType_RimbaControlWidget, 0);
    if (control == nullptr) {
        std::printf("Could not GetWidget(ZYVO_WidgetType_RimbaControlWidget)\n");
        return 0;
    }
    control->GetFrameApertureBaseAddress(address);
    return 1;
}
