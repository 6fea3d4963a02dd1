// The HDMI output's configuration, its checked calls, and the HDMI input's settling pause.
#include "engine_test.h"

#include "ZyvoFormatInfo.h"

namespace enginetest {
namespace {

using HDMISetupTest = EngineTest;

TEST_F(HDMISetupTest, pixelFormatChoosesColourSpaceSamplingAndDepthAndAQuadFormatItsTranslation) {
    openDevice();
    const struct {
        ZyvoPixelFormat pixelFormat;
        int colorSpace, sampling, bitDepth;
    } cases[] = {{ZYVO_PixelFormat_YCbCr10, 2, 2, 2},
                 {ZYVO_PixelFormat_RGB8, 3, 5, 1},
                 {ZYVO_PixelFormat_RGB10, 3, 5, 2},
                 {ZYVO_PixelFormat_YCbCr12, 2, 2, 3}};
    for (const auto& c : cases) {
        ASSERT_NE(diag.hdmiOutputInit(0, k1080i, c.pixelFormat), nullptr);
        const zyvosim::VideoConfigState& config = card().hdmiOutput.sourceConfig;
        EXPECT_EQ(config.colorSpace, c.colorSpace) << c.pixelFormat;
        EXPECT_EQ(config.sampling, c.sampling) << c.pixelFormat;
        EXPECT_EQ(config.bitDepth, c.bitDepth) << c.pixelFormat;
    }
    // A quad format goes out as its HDMI translation, and legal range as range 1.
    auto* output = deviceWidget<ZyvoHDMIOutV4Widget>(ZYVO_WidgetType_HDMI4kOutWidget, 0);
    EXPECT_TRUE(diag.ConfigureHDMIOutput(output, ZYVO_VideoFormat_2160p_2997, kYCbCr8, false));
    EXPECT_EQ(card().hdmiOutput.sourceConfig.format,
              ZyvoVideoFormatInfo::Get4KHDMIFormat(ZYVO_VideoFormat_2160p_2997));
    EXPECT_EQ(card().hdmiOutput.defaultColorRange, 1);
    EXPECT_EQ(card().hdmiOutput.sourceConfig.colorRange, 1);
}

TEST_F(HDMISetupTest, configurationRefusesAMissingWidgetAndAnUnknownFormat) {
    openDevice();
    auto* output = deviceWidget<ZyvoHDMIOutV4Widget>(ZYVO_WidgetType_HDMI4kOutWidget, 0);
    zyvosim::clearTrace();
    zyvotest::StreamCapture capture;
    EXPECT_FALSE(diag.ConfigureHDMIOutput(output, ZYVO_VideoFormat_Unknown, kYCbCr8, true));
    EXPECT_EQ(capture.text(), "");
    EXPECT_FALSE(diag.ConfigureHDMIOutput(nullptr, k1080i, kYCbCr8, true));
    EXPECT_EQ(capture.text(),
              "ConfigureHDMIOutput: Could not GetWidget(ZYVO_WidgetType_HDMI4kOutWidget)\n");
    EXPECT_EQ(capture.errorText(), "");
    EXPECT_EQ(calls(), Lines{});
}

const Lines kCheckedCalls = {"HDMIOut[0].SetVendorName",
                             "HDMIOut[0].SetProductName",
                             "HDMIOut[0].SetSourceAudioMode",
                             "HDMIOut[0].SetSinkAudioMode",
                             "HDMIOut[0].SetAudioMute",
                             "HDMIOut[0].SetMonitorState",
                             "HDMIOut[0].SetDefaultVideoColorRange",
                             "HDMIOut[0].SetSourceConfiguration"};

// The first call, one of the audio calls made twice, and the last: each fails the output after
// the whole sequence, and is reported when verbose.
TEST_F(HDMISetupTest, aFailedCheckedCallFailsTheOutputAfterTheWholeSequence) {
    const std::pair<const char*, const char*> cases[] = {
        {"SetVendorName", "pHDMIOut->SetVendorName(\"QELVideo\")"},
        {"SetSourceAudioMode", "pHDMIOut->SetSourceAudioMode(ZYVO_AudioFormat_16Channel_48kHz)"},
        {"SetSourceConfiguration", "pHDMIOut->SetSourceConfiguration(&hdmiVideoConfig)"}};
    for (const auto& [fault, report] : cases) {
        SCOPED_TRACE(fault);
        openDevice(std::string("fault HDMIOut[0].") + fault + " -1");
        verbose(true);
        zyvotest::StreamCapture capture;
        EXPECT_EQ(diag.hdmiOutputInit(0, k1080i, kYCbCr8), nullptr);
        EXPECT_EQ(operations({"HDMIOut"}), kCheckedCalls);
        EXPECT_EQ(capture.errorText(), std::string(report) + " failed with -1\n");
        EXPECT_EQ(capture.text(), "");
    }
}

TEST_F(HDMISetupTest, unsupportedPixelFormatStopsBeforeTheVideoCalls) {
    openDevice();
    zyvotest::StreamCapture capture;
    diag.WidgetsInit(k1080i, static_cast<ZyvoPixelFormat>(3));
    EXPECT_EQ(capture.errorText(), "ConfigureHDMIOutput: Unsupported pixel format:3\n");
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(diag.mpHDMIOutput, nullptr);
    EXPECT_EQ(operations({"HDMIOut"}), Lines(kCheckedCalls.begin(), kCheckedCalls.begin() + 5));
}

TEST_F(HDMISetupTest, enableFeedsPlayoutStore0UnmutedAndDisableCutsItOff) {
    openDevice();
    EXPECT_EQ(diag.HDMIOutputEnable(), 1) << "without an output nothing is touched";
    EXPECT_EQ(diag.HDMIOutputDisable(), 1);
    EXPECT_EQ(calls(), Lines{});
    diag.mpHDMIOutput = diag.hdmiOutputInit(0, k1080i, kYCbCr8);
    zyvosim::clearTrace();
    EXPECT_EQ(diag.HDMIOutputEnable(), 1);
    EXPECT_EQ(card().hdmiOutput.videoSource[0], 92);
    EXPECT_FALSE(card().hdmiOutput.audioMute);
    EXPECT_EQ(diag.HDMIOutputDisable(), 1);
    EXPECT_EQ(card().hdmiOutput.videoSource[0], 14);
    EXPECT_TRUE(card().hdmiOutput.audioMute);
    EXPECT_EQ(calls(), (Lines{"HDMIOut[0].SetVideoSource1(92)", "HDMIOut[0].SetAudioMute(false)",
                              "HDMIOut[0].SetVideoSource1(14)", "HDMIOut[0].SetAudioMute(true)"}));
}

// Even when the initialisation fails.
TEST_F(HDMISetupTest, theInputPauses200MillisecondsAfterInitialising) {
    for (const char* bench : {"", "fault HDMIIn[0].Initialize 0"}) {
        openDevice(bench);
        EXPECT_NE(diag.hdmiInputInit(), nullptr);
        EXPECT_EQ(zyvosim::nowMicroseconds(), 200000u) << bench;
        EXPECT_EQ(operations({"HDMIIn"}), Lines{"HDMIIn[0].Initialize"});
    }
}

} // namespace
} // namespace enginetest
