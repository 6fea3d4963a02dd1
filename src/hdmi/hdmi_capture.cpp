// HDMI capture: the HDMI input into capture store 0 (and 1 for a 4K quad format), then into a
// raw frame file.
#include "engine/widget_access.h"

#include "QELTime.h"
#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using zyvodiag::engine::FailureCount;

namespace {

constexpr uint32_t tpiBufferStart = 0x1000000;
const ZyvoVideoChannel vidChannel[4] = {ZYVO_VideoChannel_1, ZYVO_VideoChannel_2,
                                        ZYVO_VideoChannel_3, ZYVO_VideoChannel_4};
// The receiver needs this long after a reset before it reports what it locked to.
constexpr useconds_t kReceiverSettleMicroseconds = 200000;
constexpr int kStopSettleMilliseconds = 200;
constexpr int kUsable = 2;
constexpr int kNoValidInput = -19;
constexpr int kUnknownFormat = -1;
constexpr int kNoWidget = -2;

ZyvoVideoSource source(int value) {
    return static_cast<ZyvoVideoSource>(value);
}

const char* acquireFailureText(int status) {
    switch (status) {
    case kNoValidInput:
        return "No valid input detected";
    case kUnknownFormat:
        return "Unknown input detected";
    default:
        return "Acquire HDMI Input failure";
    }
}

} // namespace

// A capture store the device lacks is skipped.
void ZyvoDiag::ConnectHDMIInputPath(ZyvoVideoFormat format) {
    ZyvoFrameBufferCaptureWidget** stores = mpFBCapture;
    if (ZyvoVideoFormatInfo::isQuad(format)) {
        // The receiver's four quadrant streams go in pairs into stores 0 and 1.
        if (stores[0] != nullptr) {
            stores[0]->SetVideoSource1(source(111));
            stores[0]->SetVideoSource2(source(112));
        }
        if (stores[1] != nullptr) {
            stores[1]->SetVideoSource1(source(113));
            stores[1]->SetVideoSource2(source(114));
        }
        for (int i = 2; i < 4; ++i) {
            if (stores[i] != nullptr) {
                stores[i]->SetVideoSource(ZYVO_VideoSource_Default, true);
            }
        }
        if (ZyvoDiagUserCommands::msDebugOutput) {
            std::printf("%s: Setting up the HDMI crosspoints for 4K\n", "ConnectHDMIInputPath");
        }
        return;
    }
    if (stores[0] != nullptr) {
        stores[0]->SetVideoSource1(source(111));
    }
    for (int i = 1; i < 4; ++i) {
        if (stores[i] != nullptr) {
            stores[i]->SetVideoSource(ZYVO_VideoSource_None, true);
        }
    }
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("%s: Setting up the HDMI crosspoints for HD\n", "ConnectHDMIInputPath");
    }
}

int ZyvoDiag::AcquireHDMIInput(bool) {
    if (mpHDMIInput == nullptr) {
        return kNoWidget;
    }
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::fprintf(stderr, "ZyvoDiag::%s: Initialize Adv7619\n", "AcquireHDMIInput");
    }
    mpHDMIInput->Initialize();
    usleep(kReceiverSettleMicroseconds);
    bool present = false;
    ZyvoVideoFormat format = ZYVO_VideoFormat_Unknown;
    int status = mpHDMIInput->GetInputSignal(present, format);
    // A query that failed with a value the caller would read as a verdict on the signal is
    // reported as a plain failure instead.
    if (status <= 0) {
        return status == kNoValidInput || status == kUnknownFormat ? 0 : status;
    }
    if (!present) {
        return kNoValidInput;
    }
    return format == ZYVO_VideoFormat_Unknown ? kUnknownFormat : kUsable;
}

bool ZyvoDiag::ConfigureHDMICaptureFrameBuffers(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat,
                                                unsigned int frameBufferNumber) {
    const char* name = "ConfigureHDMICaptureFrameBuffers";
    const bool quad = ZyvoVideoFormatInfo::isQuad(format);
    ZyvoVideoFormat frameFormat = format;
    if (quad) {
        frameFormat = ZyvoVideoFormatInfo::Get4KSIDFormat(format);
        if (frameFormat == ZYVO_VideoFormat_Unknown) {
            std::fprintf(stderr,
                         "%s: No SID video format translation for the capture format (%s)\n", name,
                         videoFormatNameString(format));
            return false;
        }
    }
    ZyvoFrameBufferConfiguration cbFrameConfig(frameFormat, pixelFormat);
    // Both stores of a quad format write into one frame buffer the size of the whole picture.
    ZyvoFrameBufferConfiguration wholeFrame(format, pixelFormat);
    unsigned int tpiBufferSize = 0;
    wholeFrame.GetFrameBufferSize(tpiBufferSize);
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::fprintf(stderr, "%s: tpiBufferStart:0x%X Size:0x%X FrameBufferNumber:%d\n", name,
                     tpiBufferStart, tpiBufferSize, static_cast<int>(frameBufferNumber));
    }

    // The report texts name the store as the code does: "i" in the quad loop, 0 otherwise.
    const std::string store = quad ? "mpFBCapture[i]->" : "mpFBCapture[0]->";
    const std::string channel = quad ? "vidChannel[i]" : "vidChannel[0]";
    FailureCount failures;
    const int storeCount = quad ? 2 : 1;
    for (int i = 0; i < storeCount; ++i) {
        ZyvoFrameBufferCaptureWidget* capture = mpFBCapture[i];
        if (capture == nullptr) {
            failures.countMissed();
            continue;
        }
        failures.check(capture->SetTwoSampleInterleaveMode(quad),
                       (store + (quad ? "SetTwoSampleInterleaveMode(true)"
                                      : "SetTwoSampleInterleaveMode(false)"))
                           .c_str());
        failures.check(capture->SetVideoMode(ZYVO_FrameBufferVideoMode_Disable),
                       (store + "SetVideoMode(ZYVO_FrameBufferVideoMode_Disable)").c_str());
        failures.check(cbFrameConfig.SetVideoChannel(vidChannel[i]),
                       ("cbFrameConfig.SetVideoChannel(" + channel + ")").c_str());
        failures.check(capture->SetFrameBufferConfiguration(&cbFrameConfig),
                       (store + "SetFrameBufferConfiguration(&cbFrameConfig)").c_str());
        failures.check(capture->SetFrameBufferBaseAddress(tpiBufferStart),
                       (store + "SetFrameBufferBaseAddress(tpiBufferStart)").c_str());
        failures.check(capture->SetFrameBufferSize(tpiBufferSize),
                       (store + "SetFrameBufferSize(tpiBufferSize)").c_str());
        failures.check(capture->SetFrameBufferNumber(frameBufferNumber),
                       (store + "SetFrameBufferNumber(frameBufferNumber)").c_str());
        failures.check(capture->WritePreset(), (store + "WritePreset()").c_str());
        failures.check(capture->SetRegisterSync(ZYVO_RegisterSync_Immediate),
                       (store + "SetRegisterSync(ZYVO_RegisterSync_Immediate)").c_str());
        if (!quad) {
            failures.check(capture->SetEnable(true), "mpFBCapture[0]->SetEnable(true)");
        }
    }
    // A quad picture starts on both stores together, once both are set up.
    if (quad) {
        for (int i = 0; i < 2; ++i) {
            if (mpFBCapture[i] != nullptr) {
                mpFBCapture[i]->SetEnable(true);
            }
        }
    }
    return failures.none();
}

bool ZyvoDiagUserCommands::captureHDMI4KVideo(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.InputWidgetsInit(mVideoFormat, mPixelFormat);
    // Painted black first, so a frame that never arrives reads back black.
    diag.InputVideoFramePatternFill(0, static_cast<int>(mFrameBuffer), QEL_TestPattern_Black,
                                    mVideoFormat, static_cast<QEL_PixelFormat>(mPixelFormat));
    diag.ConnectHDMIInputPath(mVideoFormat);
    int status = diag.AcquireHDMIInput(true);
    if (status <= 0) {
        if (msDebugOutput) {
            std::printf("\n%s for HDMI input\n", acquireFailureText(status));
        }
        return false;
    }
    diag.ConfigureHDMICaptureFrameBuffers(mVideoFormat, mPixelFormat, mFrameBuffer);
    // The stores capture continuously while we wait: longer for a 4K picture.
    for (int left = ZyvoVideoFormatInfo::isQuad(mVideoFormat) ? 4 : 2; left >= 1; --left) {
        if (msDebugOutput) {
            std::fprintf(stderr, "%s: Waiting to capture the HDMI Input:%d\r", "captureHDMI4KVideo",
                         left);
            std::fflush(stderr);
        }
        sleep(1);
    }
    // Stopping the stores freezes the last frame they wrote.
    diag.SetCaptureBufferEnable(0, false);
    diag.SetCaptureBufferEnable(1, false);
    QELTime::Sleep(kStopSettleMilliseconds);
    if (diag.VideoFrameWrite(captureFrameStore, 0, static_cast<int>(mFrameBuffer),
                             mInputFileName)) {
        return true;
    }
    if (msDebugOutput) {
        std::fprintf(stderr, "%s: VideoFrameWrite() failed\n", "captureHDMI4KVideo");
    }
    return false;
}
