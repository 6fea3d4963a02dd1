// Setting up every widget of a context in one call, or the input side only.
#include "device_layout.h"

using namespace zyvodiag::engine;

namespace {

constexpr ZyvoSyncGeneratorReferenceSource kFreeRun = ZYVO_SyncGeneratorReferenceSource_FreeRun;

// The SDI inputs, the dual-link inputs and the capture stores, in that order: the input side
// both set-ups share.
void initInputSide(ZyvoDiag& diag, ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    for (int i = 0; i < kSDIInputCount; ++i) {
        diag.mpSDIInput[i] = diag.sdiInputInit(i);
    }
    for (int i = 0; i < kDualLinkInputCount; ++i) {
        diag.mpDualLinkInput[i] = diag.dualLinkInputInit(i, format);
    }
    for (int i = 0; i < kCaptureStoreCount; ++i) {
        diag.mpFBCapture[i] = diag.captureStoreInit(i, format, pixelFormat);
    }
}

} // namespace

void ZyvoDiag::WidgetsInit(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    mpSyncGen = syncGenInit(format, kFreeRun, pixelFormat);
    initInputSide(*this, format, pixelFormat);
    for (int i = 0; i < kPlayoutStoreCount; ++i) {
        mpFBPlayback[i] = playoutStoreInit(i, format, pixelFormat);
    }
    for (int i = 0; i < kSDIOutputCount; ++i) {
        mpSDIOutput[i] = sdiOutputInit(i, format);
    }
    for (int i = 0; i < kDualLinkOutputCount; ++i) {
        mpDualLinkOutput[i] = dualLinkOutputInit(i, format);
    }
    mpHDMIOutput = hdmiOutputInit(0, format, pixelFormat);
    mpLTC = ltcInit();
}

void ZyvoDiag::InputWidgetsInit(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    initInputSide(*this, format, pixelFormat);
    mpHDMIInput = hdmiInputInit();
}
