// The SDI video test commands: draw, play out, capture, save and compare frames.
#include "engine/routing_tables.h"
#include "engine/status_codes.h"

#include <zyvodiag>

#include <cstdio>

namespace {

// Test pattern 8: a capture store is painted black first, so a frame that never arrives reads
// back black.
constexpr QELTestPatternSelect kBlack = QEL_TestPattern_Black;
constexpr int kMonitorRow = 11;
constexpr int kMonitorDualLinkOutput = 4;
constexpr int kMonitorSDIOutput = 10;

QELTestPatternSelect patternOf(uint32_t number) {
    return static_cast<QELTestPatternSelect>(number);
}

QEL_PixelFormat pixelFormatOf(ZyvoPixelFormat format) {
    return static_cast<QEL_PixelFormat>(format);
}

} // namespace

bool ZyvoDiagUserCommands::generateVideoTestPattern(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    // The frame buffer number picks the playout store; the pattern stays in its frame.
    diag.frameBufferFillWithTestPattern(static_cast<unsigned int>(mFrameBuffer),
                                        patternOf(mTestPattern), mVideoFormat,
                                        pixelFormatOf(mPixelFormat));
    return true;
}

bool ZyvoDiagUserCommands::outputVideoTestPattern(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    int playoutStore = 0, dualLinkOutput = 0, sdiOutput = 0;
    int output = zyvodiag::engine::designateOutputWidgets(static_cast<int>(mSDIOutput),
                                                          playoutStore, dualLinkOutput, sdiOutput);
    diag.SDIAllOutputsDisable();
    diag.HDMIOutputDisable();
    diag.SDIOutputEnable(sdiOutput);
    diag.VideoFramePatternFill(playoutStore, static_cast<int>(mFrameBuffer),
                               patternOf(mTestPattern), mVideoFormat, pixelFormatOf(mPixelFormat));
    diag.ConnectOutputPath(output, playoutStore, dualLinkOutput, sdiOutput);
    // The video monitor shows the same store.
    diag.VideoMonitorSDISet(playoutStore);
    return true;
}

bool ZyvoDiagUserCommands::outputVideoMonitorTestPattern(ZyvoDevice* device, bool sdiMonitor,
                                                         bool hdmi) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    diag.SDIAllOutputsDisable();
    if (sdiMonitor) {
        diag.SDIOutputEnable(kMonitorSDIOutput);
    }
    if (hdmi) {
        diag.HDMIOutputEnable();
    } else {
        diag.HDMIOutputDisable();
    }
    diag.VideoFramePatternFill(0, static_cast<int>(mFrameBuffer), patternOf(mTestPattern),
                               mVideoFormat, pixelFormatOf(mPixelFormat));
    diag.ConnectOutputPath(kMonitorRow, 0, kMonitorDualLinkOutput, kMonitorSDIOutput);
    diag.VideoMonitorSDISet(0);
    return true;
}

bool ZyvoDiagUserCommands::captureVideoTestPattern(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    // Output 1 uses playout store 0; outputs past the last store find no store.
    int store = static_cast<int>(mSDIOutput) - 1;
    diag.VideoFramePatternFill(store, static_cast<int>(mFrameBuffer), patternOf(mTestPattern),
                               mVideoFormat, pixelFormatOf(mPixelFormat));
    return diag.VideoFrameWrite(playoutFrameStore, store, static_cast<int>(mFrameBuffer),
                                mInputFileName);
}

bool ZyvoDiagUserCommands::captureVideoInput(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.InputWidgetsInit(mVideoFormat, mPixelFormat);
    int sdiInput = 0, dualLinkInput = 0, captureStore = 0;
    int input = zyvodiag::engine::designateInputWidgets(static_cast<int>(mSDIInput), sdiInput,
                                                        dualLinkInput, captureStore);
    diag.InputVideoFramePatternFill(captureStore, static_cast<int>(mFrameBuffer), kBlack,
                                    mVideoFormat, pixelFormatOf(mPixelFormat));
    diag.ConnectInputPath(input, sdiInput, dualLinkInput, captureStore);
    int status = diag.AcquireSDIInput(sdiInput);
    if (status <= 0) {
        if (msDebugOutput) {
            std::printf("\n%s for SDI input %d\n",
                        zyvodiag::status::acquireFailureText(status, "Acquire Input failure"),
                        input);
        }
        return false;
    }
    diag.VideoFrameGrab(captureStore, static_cast<int>(mFrameBuffer));
    if (diag.VideoFrameWrite(captureFrameStore, captureStore, static_cast<int>(mFrameBuffer),
                             mInputFileName)) {
        return true;
    }
    if (msDebugOutput) {
        std::printf("  %s VideoFrameWrite() failed\n", "captureVideoInput");
    }
    return false;
}

bool ZyvoDiagUserCommands::saveFrameBuffer(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.InputWidgetsInit(mVideoFormat, mPixelFormat);
    // Whatever device memory holds in that frame of capture store 0.
    return diag.VideoFrameWrite(captureFrameStore, 0, static_cast<int>(mFrameBuffer),
                                mInputFileName);
}

bool ZyvoDiagUserCommands::compareVideoTestPattern(ZyvoDevice* /*device*/) {
    // Two files on the host; the device is not needed.
    ZyvoDiag diag;
    return diag.compareFiles(mInputFileName.c_str(), mOutputFileName.c_str()) > 0;
}
