// Setting up every widget of a context in one call, or the input side only.
#include <zyvodiag>

namespace {

constexpr ZyvoSyncGeneratorReferenceSource kFreeRun = ZYVO_SyncGeneratorReferenceSource_FreeRun;

} // namespace

void ZyvoDiag::WidgetsInit(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    mpSyncGen = syncGenInit(format, kFreeRun, pixelFormat);
    for (int i = 0; i < 8; ++i) {
        mpSDIInput[i] = sdiInputInit(i);
    }
    for (int i = 0; i < 4; ++i) {
        mpDualLinkInput[i] = dualLinkInputInit(i, format);
    }
    for (int i = 0; i < 4; ++i) {
        mpFBCapture[i] = captureStoreInit(i, format, pixelFormat);
    }
    for (int i = 0; i < 6; ++i) {
        mpFBPlayback[i] = playoutStoreInit(i, format, pixelFormat);
    }
    for (int i = 0; i < 11; ++i) {
        mpSDIOutput[i] = sdiOutputInit(i, format);
    }
    for (int i = 0; i < 5; ++i) {
        mpDualLinkOutput[i] = dualLinkOutputInit(i, format);
    }
    mpHDMIOutput = hdmiOutputInit(0, format, pixelFormat);
    mpLTC = ltcInit();
}

void ZyvoDiag::InputWidgetsInit(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    for (int i = 0; i < 8; ++i) {
        mpSDIInput[i] = sdiInputInit(i);
    }
    for (int i = 0; i < 4; ++i) {
        mpDualLinkInput[i] = dualLinkInputInit(i, format);
    }
    for (int i = 0; i < 4; ++i) {
        mpFBCapture[i] = captureStoreInit(i, format, pixelFormat);
    }
    mpHDMIInput = hdmiInputInit();
}
