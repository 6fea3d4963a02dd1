// Sync generator and LTC set-up.
#include "widget_access.h"

#include "ZyvoTimingWidgets.h"

#include <string>

using zyvodiag::engine::callSucceeded;
using zyvodiag::engine::getWidget;

namespace {

// The interrupts follow the sync generator's own timing.
constexpr ZyvoVideoSource kSyncSource = ZYVO_VideoSource_Default;

void disableInterrupt(ZyvoInterruptControlWidget* control) {
    if (control != nullptr) {
        control->SetInterruptEnable(false);
    }
}

// The generator's timing: 10-bit 4:2:2 YCbCr in legal range, or 4:4:4 RGB in full range for an
// RGB pixel format.
void describeTiming(ZyvoVideoConfiguration& timing, ZyvoVideoFormat format,
                    ZyvoPixelFormat pixelFormat) {
    timing.SetDefaultFormat(format);
    timing.SetVideoSampling(ZYVO_VideoSampling_422);
    timing.SetVideoColorSpace(ZYVO_VideoColorSpace_YCbCr);
    timing.SetVideoColorRange(ZYVO_VideoColorRange_Legal);
    timing.SetVideoAspectRatio(ZYVO_VideoAspectRatio_16x9);
    timing.SetVideoBitDepth(ZYVO_VideoBitDepth_10);
    timing.SetVideoChannel(ZYVO_VideoChannel_1);
    if (pixelFormat == ZYVO_PixelFormat_RGB8 || pixelFormat == ZYVO_PixelFormat_RGB10) {
        timing.SetVideoSampling(ZYVO_VideoSampling_444);
        timing.SetVideoColorSpace(ZYVO_VideoColorSpace_RGB);
        timing.SetVideoColorRange(ZYVO_VideoColorRange_Full);
    }
}

// Arms one interrupt on the generator's timing. A missing control is skipped rather than
// dereferenced; `name` is how a failure report names it.
void armInterrupt(ZyvoInterruptControlWidget* control, const std::string& name,
                  ZyvoVideoConfiguration& syncConfig, ZyvoVideoTransport& videoTransport) {
    if (control == nullptr) {
        return;
    }
    callSucceeded(control->SetConfiguration(&syncConfig, &videoTransport, true),
                  (name + "->SetConfiguration(&syncConfig, &videoTransport, true)").c_str());
    callSucceeded(control->SetSyncSource(kSyncSource),
                  (name + "->SetSyncSource(syncSource)").c_str());
    callSucceeded(control->SetInterruptEnable(true), (name + "->SetInterruptEnable(true)").c_str());
}

} // namespace

ZyvoSyncGeneratorV3Widget* ZyvoDiag::syncGenInit(ZyvoVideoFormat format,
                                                 ZyvoSyncGeneratorReferenceSource referenceSource,
                                                 ZyvoPixelFormat pixelFormat) {
    auto* syncGen =
        getWidget<ZyvoSyncGeneratorV3Widget>(mpDevice, ZYVO_WidgetType_SyncGeneratorWidget, 0);
    // Without a generator there is no interrupt index to ask for: nothing is touched, and the
    // lock test reports the missing generator when it runs.
    if (syncGen == nullptr) {
        return nullptr;
    }
    uint32_t interruptIndex = 0;
    syncGen->GetInterruptControlIndex(interruptIndex);
    auto* pSyncGenIntControl = getWidget<ZyvoInterruptControlWidget>(
        mpDevice, ZYVO_WidgetType_InterruptControlWidget, interruptIndex);
    auto* pVideoIntControl = getWidget<ZyvoInterruptControlWidget>(
        mpDevice, ZYVO_WidgetType_InterruptControlWidget, interruptIndex + 1);

    // Both interrupts stay off while the timing changes under them.
    disableInterrupt(pSyncGenIntControl);
    disableInterrupt(pVideoIntControl);

    ZyvoVideoConfiguration syncConfig;
    describeTiming(syncConfig, format, pixelFormat);
    syncGen->SetReferenceSource(referenceSource);
    syncGen->SetConfiguration(&syncConfig, 0, 0);

    ZyvoVideoTransport videoTransport(syncConfig);
    armInterrupt(pSyncGenIntControl, "pSyncGenIntControl", syncConfig, videoTransport);
    armInterrupt(pVideoIntControl, "pVideoIntControl", syncConfig, videoTransport);
    return syncGen;
}

ZyvoLTCIOWidget* ZyvoDiag::ltcInit() {
    // A device without LTC is normal: the LTC operations report it when they are used.
    return getWidget<ZyvoLTCIOWidget>(mpDevice, ZYVO_WidgetType_LTCIOWidget, 0);
}
