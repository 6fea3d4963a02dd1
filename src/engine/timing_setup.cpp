// Sync generator and LTC set-up.
#include "widget_access.h"

#include "ZyvoTimingWidgets.h"

using zyvodiag::engine::callSucceeded;
using zyvodiag::engine::getWidget;

namespace {

// The interrupts follow the sync generator's own timing.
constexpr ZyvoVideoSource syncSource = ZYVO_VideoSource_Default;

void disableInterrupt(ZyvoInterruptControlWidget* control) {
    if (control != nullptr) {
        control->SetInterruptEnable(false);
    }
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
    syncConfig.SetDefaultFormat(format);
    syncConfig.SetVideoSampling(static_cast<ZyvoVideoSampling>(2));
    syncConfig.SetVideoColorSpace(static_cast<ZyvoVideoColorSpace>(2));
    syncConfig.SetVideoColorRange(static_cast<ZyvoVideoColorRange>(1));
    syncConfig.SetVideoAspectRatio(static_cast<ZyvoVideoAspectRatio>(2));
    syncConfig.SetVideoBitDepth(static_cast<ZyvoVideoBitDepth>(2));
    syncConfig.SetVideoChannel(static_cast<ZyvoVideoChannel>(1));
    if (pixelFormat == ZYVO_PixelFormat_RGB8 || pixelFormat == ZYVO_PixelFormat_RGB10) {
        syncConfig.SetVideoSampling(static_cast<ZyvoVideoSampling>(5));
        syncConfig.SetVideoColorSpace(static_cast<ZyvoVideoColorSpace>(3));
        syncConfig.SetVideoColorRange(static_cast<ZyvoVideoColorRange>(2));
    }

    syncGen->SetReferenceSource(referenceSource);
    syncGen->SetConfiguration(&syncConfig, 0, 0);

    ZyvoVideoTransport videoTransport(syncConfig);
    // A missing interrupt control is skipped rather than dereferenced; the other one is still
    // armed.
    if (pSyncGenIntControl != nullptr) {
        callSucceeded(pSyncGenIntControl->SetConfiguration(&syncConfig, &videoTransport, true),
                      "pSyncGenIntControl->SetConfiguration(&syncConfig, &videoTransport, true)");
        callSucceeded(pSyncGenIntControl->SetSyncSource(syncSource),
                      "pSyncGenIntControl->SetSyncSource(syncSource)");
        callSucceeded(pSyncGenIntControl->SetInterruptEnable(true),
                      "pSyncGenIntControl->SetInterruptEnable(true)");
    }
    if (pVideoIntControl != nullptr) {
        callSucceeded(pVideoIntControl->SetConfiguration(&syncConfig, &videoTransport, true),
                      "pVideoIntControl->SetConfiguration(&syncConfig, &videoTransport, true)");
        callSucceeded(pVideoIntControl->SetSyncSource(syncSource),
                      "pVideoIntControl->SetSyncSource(syncSource)");
        callSucceeded(pVideoIntControl->SetInterruptEnable(true),
                      "pVideoIntControl->SetInterruptEnable(true)");
    }
    return syncGen;
}

ZyvoLTCIOWidget* ZyvoDiag::ltcInit() {
    // A device without LTC is normal: the LTC operations report it when they are used.
    return getWidget<ZyvoLTCIOWidget>(mpDevice, ZYVO_WidgetType_LTCIOWidget, 0);
}
