// Capture and playout frame stores: set-up at their fixed device addresses, enable, grab, and
// the memory aperture window.
#include "device_layout.h"
#include "widget_access.h"

#include "QELTime.h"
#include "ZyvoFrameBufferWidgets.h"

#include <cstdio>

using namespace zyvodiag::engine;

namespace {

// One frame time and then some, so a whole frame lands in the store.
constexpr int kFrameGrabMilliseconds = 100;

// The control widget that holds the memory aperture; null, reported, when the device has none.
ZyvoGarnControlWidget* apertureControl(ZyvoDevice* device) {
    auto* control = getWidget<ZyvoGarnControlWidget>(device, ZYVO_WidgetType_RimbaControlWidget, 0);
    if (control == nullptr) {
        std::printf("Could not GetWidget(ZYVO_WidgetType_RimbaControlWidget)\n");
    }
    return control;
}

} // namespace

ZyvoFrameBufferCaptureWidget* ZyvoDiag::captureStoreInit(int index, ZyvoVideoFormat format,
                                                         ZyvoPixelFormat pixelFormat) {
    ZyvoFrameBufferConfiguration configuration(format, pixelFormat);
    configuration.SetFrameBufferBaseAddress(kCaptureBufferBase);
    auto* store = getReportedWidget<ZyvoFrameBufferCaptureWidget>(
        mpDevice, ZYVO_WidgetType_FrameBufferCaptureWidget,
        "ZYVO_WidgetType_FrameBufferCaptureWidget", index, "captureStoreInit");
    if (store == nullptr) {
        return nullptr;
    }
    store->SetTwoSampleInterleaveMode(false);
    store->SetEnable(false);
    store->SetFrameBufferConfiguration(&configuration);
    store->SetFrameBufferNumber(0);
    callSucceeded(store->SetRegisterSync(ZYVO_RegisterSync_Immediate),
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
    ZyvoFrameBufferCaptureWidget* store = entryAt(mpFBCapture, index);
    if (store == nullptr) {
        return 0;
    }
    captureStoreEnable(store, enable);
    return 1;
}

int ZyvoDiag::VideoFrameGrab(int index, int /*frame*/) {
    // The frame to capture into was chosen before with frameBufferSelect.
    ZyvoFrameBufferCaptureWidget* store = entryAt(mpFBCapture, index);
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
    ZyvoGarnControlWidget* control = apertureControl(mpDevice);
    if (control == nullptr) {
        return 0;
    }
    control->SetFrameApertureBaseAddress(address);
    return 1;
}

int ZyvoDiag::MemoryApertureWindowGet(uint32_t& address) {
    ZyvoGarnControlWidget* control = apertureControl(mpDevice);
    if (control == nullptr) {
        return 0;
    }
    control->GetFrameApertureBaseAddress(address);
    return 1;
}
