// HDMI capture: the HDMI input into capture store 0 (and 1 for a 4K quad format), then into a
// raw frame file.
#include "engine/device_layout.h"
#include "engine/status_codes.h"
#include "engine/widget_access.h"
#include "hdmi/hdmi_store_layout.h"

#include "QELTime.h"
#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using zyvodiag::engine::FailureCount;
using namespace zyvodiag::status;

namespace {

using zyvodiag::engine::kCaptureBufferBase;
using zyvodiag::hdmi::setUpEachStore;
using zyvodiag::hdmi::StoreLayout;
using zyvodiag::hdmi::storeLayoutOf;

// How failure reports name the capture stores.
constexpr const char* kStoresText = "mpFBCapture";

// The receiver's streams on the crosspoint, as the two sources of capture stores 0 and 1: the
// four quadrants of a quad picture in pairs; an HD picture is the first stream alone.
const int kReceiverSources[2][2] = {{111, 112}, {113, 114}};
const ZyvoVideoChannel vidChannel[2] = {ZYVO_VideoChannel_1, ZYVO_VideoChannel_2};
constexpr int kStopSettleMilliseconds = 200;

ZyvoVideoSource source(int value) {
    return static_cast<ZyvoVideoSource>(value);
}

// How the receiver's streams reach the capture stores in each mode: a quad picture's four
// quadrant streams go in pairs into stores 0 and 1, and the other stores keep their default
// source; an HD picture goes into store 0 alone, and the other stores are cut off.
struct InputRouting {
    int fedStores;
    bool bothSources;
    ZyvoVideoSource otherStores;
    const char* name;
};
constexpr InputRouting kQuadRouting = {2, true, ZYVO_VideoSource_Default, "4K"};
constexpr InputRouting kHDRouting = {1, false, ZYVO_VideoSource_None, "HD"};

// The frame buffer every store of the capture writes into.
struct CaptureBuffer {
    ZyvoFrameBufferConfiguration* configuration; // named cbFrameConfig in failure reports
    unsigned int size;                           // tpiBufferSize
    unsigned int number;                         // frameBufferNumber
};

// Points capture store `index` at the buffer, in the order the device expects, counting every
// call that fails.
void setUpCaptureStore(ZyvoFrameBufferCaptureWidget& capture, const StoreLayout& layout, int index,
                       const CaptureBuffer& buffer, FailureCount& failures) {
    failures.check(capture.SetTwoSampleInterleaveMode(layout.interleaved),
                   layout.interleaveCall(kStoresText).c_str());
    failures.check(
        capture.SetVideoMode(ZYVO_FrameBufferVideoMode_Disable),
        layout.call(kStoresText, "SetVideoMode(ZYVO_FrameBufferVideoMode_Disable)").c_str());
    failures.check(buffer.configuration->SetVideoChannel(vidChannel[index]),
                   layout.channelCall("cbFrameConfig").c_str());
    failures.check(capture.SetFrameBufferConfiguration(buffer.configuration),
                   layout.call(kStoresText, "SetFrameBufferConfiguration(&cbFrameConfig)").c_str());
    failures.check(capture.SetFrameBufferBaseAddress(kCaptureBufferBase),
                   layout.call(kStoresText, "SetFrameBufferBaseAddress(tpiBufferStart)").c_str());
    failures.check(capture.SetFrameBufferSize(buffer.size),
                   layout.call(kStoresText, "SetFrameBufferSize(tpiBufferSize)").c_str());
    failures.check(capture.SetFrameBufferNumber(buffer.number),
                   layout.call(kStoresText, "SetFrameBufferNumber(frameBufferNumber)").c_str());
    failures.check(capture.WritePreset(), layout.call(kStoresText, "WritePreset()").c_str());
    failures.check(
        capture.SetRegisterSync(ZYVO_RegisterSync_Immediate),
        layout.call(kStoresText, "SetRegisterSync(ZYVO_RegisterSync_Immediate)").c_str());
}

} // namespace

// A capture store the device lacks is skipped.
void ZyvoDiag::ConnectHDMIInputPath(ZyvoVideoFormat format) {
    const InputRouting& routing = ZyvoVideoFormatInfo::isQuad(format) ? kQuadRouting : kHDRouting;
    for (int i = 0; i < zyvodiag::engine::kCaptureStoreCount; ++i) {
        ZyvoFrameBufferCaptureWidget* store = mpFBCapture[i];
        if (store == nullptr) {
            continue;
        }
        if (i >= routing.fedStores) {
            store->SetVideoSource(routing.otherStores, true);
            continue;
        }
        store->SetVideoSource1(source(kReceiverSources[i][0]));
        if (routing.bothSources) {
            store->SetVideoSource2(source(kReceiverSources[i][1]));
        }
    }
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("%s: Setting up the HDMI crosspoints for %s\n", "ConnectHDMIInputPath",
                    routing.name);
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
    usleep(zyvodiag::engine::kHDMIReceiverSettleMicroseconds);
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
    const StoreLayout& layout = storeLayoutOf(format);
    ZyvoVideoFormat frameFormat = format;
    if (layout.interleaved) {
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
    CaptureBuffer buffer{&cbFrameConfig, 0, frameBufferNumber};
    wholeFrame.GetFrameBufferSize(buffer.size);
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::fprintf(stderr, "%s: tpiBufferStart:0x%X Size:0x%X FrameBufferNumber:%d\n", name,
                     kCaptureBufferBase, buffer.size, static_cast<int>(frameBufferNumber));
    }

    FailureCount failures;
    setUpEachStore(layout, mpFBCapture, failures,
                   [&](ZyvoFrameBufferCaptureWidget& capture, int index) {
                       setUpCaptureStore(capture, layout, index, buffer, failures);
                       // The HD store starts at once; the halves of a quad picture start
                       // together, once both are set up.
                       if (!layout.interleaved) {
                           failures.check(capture.SetEnable(true),
                                          layout.call(kStoresText, "SetEnable(true)").c_str());
                       }
                   });
    if (layout.interleaved) {
        for (int i = 0; i < layout.storeCount; ++i) {
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
            std::printf("\n%s for HDMI input\n",
                        acquireFailureText(status, "Acquire HDMI Input failure"));
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
