// HDMI playback: the playout frame buffer on the HDMI output, as one store for HD or two
// two-sample-interleave stores for a 4K quad format.
#include "engine/device_layout.h"
#include "engine/routing_tables.h"
#include "engine/widget_access.h"
#include "hdmi/hdmi_store_layout.h"

#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdio>

using zyvodiag::engine::FailureCount;
using namespace zyvodiag::hdmi;

namespace {

// Columns: HDMI output, two unused, the source of the output's first input, and the sources of
// its other three inputs for a quad format. Both rows are the same path.
constexpr int kRows = 2;
const int hdmi_4Koutput_widget_setup[kRows][7] = {
    {0, 0, 1, 92, 98, 99, 100},
    {0, 0, 1, 92, 98, 99, 100},
};

// Playout store 0 carries channel 1 and store 1 channel 2 of a quad picture.
const ZyvoVideoChannel vidChannel[2] = {ZYVO_VideoChannel_1, ZYVO_VideoChannel_2};

// Looks up the row for `output` (the SDI output number of the command line); any other number
// than a row is reported and row 1 is used. Returns the row used.
int designateHDMI4KOutputWidgets(int output, int& hdmiOutput, int& second, int& third) {
    return zyvodiag::engine::designateRow(hdmi_4Koutput_widget_setup, output,
                                          "designateHDMI4KOutputWidgets", hdmiOutput, second,
                                          third);
}

} // namespace

bool ZyvoDiag::ConfigureHDMIPlaybackFrameBuffers(ZyvoVideoFormat format,
                                                 ZyvoPixelFormat pixelFormat) {
    const StoreLayout& layout = storeLayoutOf(format);
    ZyvoVideoFormat frameFormat =
        layout.interleaved ? ZyvoVideoFormatInfo::Get4KSIDFormat(format) : format;
    ZyvoFrameBufferConfiguration pbFrameConfig(frameFormat, pixelFormat);
    unsigned int bufferSize = 0;
    pbFrameConfig.GetFrameBufferSize(bufferSize);

    const char* stores = "mpFBPlayback";
    FailureCount failures;
    setUpEachStore(layout, mpFBPlayback, failures, [&](ZyvoFrameBufferPlayWidget& playout, int i) {
        failures.check(playout.SetTwoSampleInterleaveMode(layout.interleaved),
                       layout.interleaveCall(stores).c_str());
        failures.check(playout.SetRegisterSync(ZYVO_RegisterSync_Immediate),
                       layout.call(stores, "SetRegisterSync(ZYVO_RegisterSync_Immediate)").c_str());
        failures.check(
            playout.SetVideoMode(ZYVO_FrameBufferVideoMode_Display),
            layout.call(stores, "SetVideoMode(ZYVO_FrameBufferVideoMode_Display)").c_str());
        failures.check(pbFrameConfig.SetVideoChannel(vidChannel[i]),
                       layout.channelCall("pbFrameConfig").c_str());
        failures.check(playout.SetFrameBufferConfiguration(&pbFrameConfig),
                       layout.call(stores, "SetFrameBufferConfiguration(&pbFrameConfig)").c_str());
        failures.check(
            playout.SetFrameBufferBaseAddress(zyvodiag::engine::kPlayoutBufferBase),
            layout.call(stores, "SetFrameBufferBaseAddress(((uint32_t)0x4000000))").c_str());
        failures.check(playout.SetFrameBufferSize(bufferSize),
                       layout.call(stores, "SetFrameBufferSize(bufferSize)").c_str());
        failures.check(playout.SetFrameBufferNumber(0),
                       layout.call(stores, "SetFrameBufferNumber(0)").c_str());
        failures.check(playout.WritePreset(), layout.call(stores, "WritePreset()").c_str());
    });
    return failures.none();
}

bool ZyvoDiag::ConnectHDMIOutputPath(int output, ZyvoVideoFormat format, int, int, int hdmiOutput) {
    if (output < 0 || output >= kRows) {
        return false;
    }
    const int* row = hdmi_4Koutput_widget_setup[output];
    const bool quad = ZyvoVideoFormatInfo::isQuad(format);
    auto source = [](int value) { return static_cast<ZyvoVideoSource>(value); };
    ZyvoVideoSource second = quad ? source(row[4]) : ZYVO_VideoSource_None;
    ZyvoVideoSource third = quad ? source(row[5]) : ZYVO_VideoSource_None;
    ZyvoVideoSource fourth = quad ? source(row[6]) : ZYVO_VideoSource_None;
    // The device has one HDMI output, number 0.
    if (hdmiOutput != 0 || mpHDMIOutput == nullptr) {
        return false;
    }
    mpHDMIOutput->SetVideoSource1(source(row[3]));
    mpHDMIOutput->SetVideoSource2(second);
    mpHDMIOutput->SetVideoSource3(third);
    mpHDMIOutput->SetVideoSource4(fourth);
    return true;
}

bool ZyvoDiagUserCommands::outputHDMI4KVideo(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    int hdmiOutput = 0, second = 0, third = 0;
    int row = designateHDMI4KOutputWidgets(static_cast<int>(mSDIOutput), hdmiOutput, second, third);
    diag.SDIAllOutputsDisable();
    // Store failures are reported with -D; the result only says whether HDMI was routed.
    diag.ConfigureHDMIPlaybackFrameBuffers(mVideoFormat, mPixelFormat);
    return diag.ConnectHDMIOutputPath(row, mVideoFormat, second, third, hdmiOutput);
}
