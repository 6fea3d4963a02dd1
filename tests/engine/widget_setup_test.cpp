// Setting up widgets: what each set-up operation asks of a healthy device, in what order, what
// WidgetsInit and InputWidgetsInit fill, and how a device with fewer widgets is reported.
#include "engine_test.h"

namespace enginetest {
namespace {

constexpr auto k1080i = ZYVO_VideoFormat_1080i_2997;
constexpr auto kYCbCr8 = ZYVO_PixelFormat_YCbCr8;
const std::string kSDIConfig = "video{fmt=19,smp=2,cs=1,cr=2,ar=2,bd=1,ch=1}";
const std::string kCaptureBuffer = "fb{fmt=19,pix=2,base=0x01000000,num=0,size=4147200,ch=1}";
const std::string kPlayoutBuffer = "fb{fmt=19,pix=2,base=0x04000000,num=0,size=4147200,ch=1}";

// A marker for the entries a set-up must not write.
char s_untouched;

class SetUpSequenceTest : public EngineTest {
protected:
    // The calls since the device opened were `expected`, and `result` is the widget the device
    // itself hands out at (type, index).
    void expectSetUp(ZyvoWidget* result, ZyvoWidgetType type, unsigned index,
                     const Lines& expected) {
        EXPECT_EQ(calls(), expected);
        EXPECT_NE(result, nullptr);
        EXPECT_EQ(result, mDevice.mpDevice->GetWidget(type, index));
    }
};

TEST_F(SetUpSequenceTest, sdiInputAndLtcInitOnlyFetchTheirWidget) {
    openDevice();
    expectSetUp(diag.sdiInputInit(5), ZYVO_WidgetType_SDIInputWidget, 5,
                {"device.GetWidget(2, 5)"});
    zyvosim::clearTrace();
    expectSetUp(diag.ltcInit(), ZYVO_WidgetType_LTCIOWidget, 0, {"device.GetWidget(82, 0)"});
}

TEST_F(SetUpSequenceTest, sdiOutputInitConfiguresThenClosesSwitchesCDAB) {
    openDevice();
    expectSetUp(diag.sdiOutputInit(3, k1080i), ZYVO_WidgetType_SDIOutputWidget, 3,
                {"device.GetWidget(3, 3)", "SDIOutput[3].SetConfiguration(" + kSDIConfig + ", 0)",
                 "SDIOutput[3].SetOutputSwitchC(true)", "SDIOutput[3].SetOutputSwitchD(true)",
                 "SDIOutput[3].SetOutputSwitchA(true)", "SDIOutput[3].SetOutputSwitchB(true)"});
}

// The input skips the configuration for format 0, the output does not.
TEST_F(SetUpSequenceTest, dualLinkInitConfiguresUnlessAnInputsFormatIs0) {
    openDevice();
    expectSetUp(
        diag.dualLinkInputInit(2, k1080i), ZYVO_WidgetType_DualLinkInWidget, 2,
        {"device.GetWidget(38, 2)", "DualLinkIn[2].SetConfiguration(" + kSDIConfig + ", 0)"});
    zyvosim::clearTrace();
    expectSetUp(diag.dualLinkInputInit(2, ZYVO_VideoFormat_Unknown),
                ZYVO_WidgetType_DualLinkInWidget, 2, {"device.GetWidget(38, 2)"});
    zyvosim::clearTrace();
    expectSetUp(
        diag.dualLinkOutputInit(4, ZYVO_VideoFormat_Unknown), ZYVO_WidgetType_DualLinkOutWidget, 4,
        {"device.GetWidget(39, 4)",
         "DualLinkOut[4].SetConfiguration(video{fmt=0,smp=2,cs=1,cr=2,ar=2,bd=1,ch=1}, 0)"});
}

TEST_F(SetUpSequenceTest, captureStoreInitDisablesConfiguresAndPresetsStore) {
    openDevice();
    expectSetUp(diag.captureStoreInit(1, k1080i, kYCbCr8), ZYVO_WidgetType_FrameBufferCaptureWidget,
                1,
                {"device.GetWidget(5, 1)", "CaptureStore[1].SetTwoSampleInterleaveMode(false)",
                 "CaptureStore[1].SetEnable(false)",
                 "CaptureStore[1].SetFrameBufferConfiguration(" + kCaptureBuffer + ")",
                 "CaptureStore[1].SetFrameBufferNumber(0)", "CaptureStore[1].SetRegisterSync(3)",
                 "CaptureStore[1].WritePreset()"});
}

TEST_F(SetUpSequenceTest, playoutStoreInitHasNoRegisterSync) {
    openDevice();
    expectSetUp(diag.playoutStoreInit(4, k1080i, kYCbCr8), ZYVO_WidgetType_FrameBufferPlayWidget, 4,
                {"device.GetWidget(6, 4)", "PlayoutStore[4].SetTwoSampleInterleaveMode(false)",
                 "PlayoutStore[4].SetEnable(false)",
                 "PlayoutStore[4].SetFrameBufferConfiguration(" + kPlayoutBuffer + ")",
                 "PlayoutStore[4].SetFrameBufferNumber(4)", "PlayoutStore[4].WritePreset()"});
}

// The audio settings come twice: checked inside the configuration, then once more.
TEST_F(SetUpSequenceTest, hdmiOutputInitConfiguresThenSetsTheAudioAgain) {
    openDevice();
    expectSetUp(diag.hdmiOutputInit(0, k1080i, kYCbCr8), ZYVO_WidgetType_HDMI4kOutWidget, 0,
                {"device.GetWidget(128, 0)", "HDMIOut[0].SetVendorName(\"QELVideo\")",
                 "HDMIOut[0].SetProductName(\"Rimba Zader\")", "HDMIOut[0].SetSourceAudioMode(4)",
                 "HDMIOut[0].SetSinkAudioMode(3)", "HDMIOut[0].SetAudioMute(true)",
                 "HDMIOut[0].SetMonitorState(false)", "HDMIOut[0].SetDefaultVideoColorRange(2)",
                 "HDMIOut[0].SetSourceConfiguration(video{fmt=19,smp=2,cs=2,cr=2,ar=2,bd=1,ch=1})",
                 "HDMIOut[0].SetSourceAudioMode(4)", "HDMIOut[0].SetSinkAudioMode(3)",
                 "HDMIOut[0].SetAudioMute(true)"});
}

// Both interrupts go off before the timing changes, and come back one after the other.
TEST_F(SetUpSequenceTest, syncGenInitArmsInterruptControls6Then7) {
    openDevice();
    const std::string config = "video{fmt=19,smp=2,cs=2,cr=1,ar=2,bd=2,ch=1}";
    expectSetUp(
        diag.syncGenInit(k1080i, ZYVO_SyncGeneratorReferenceSource_FreeRun, kYCbCr8),
        ZYVO_WidgetType_SyncGeneratorWidget, 0,
        {"device.GetWidget(30, 0)", "SyncGenerator[0].GetInterruptControlIndex(6)",
         "device.GetWidget(88, 6)", "device.GetWidget(88, 7)",
         "InterruptControl[6].SetInterruptEnable(false)",
         "InterruptControl[7].SetInterruptEnable(false)", "SyncGenerator[0].SetReferenceSource(2)",
         "SyncGenerator[0].SetConfiguration(" + config + ", 0, 0)",
         "InterruptControl[6].SetConfiguration(" + config + ", transport{fmt=19}, 1)",
         "InterruptControl[6].SetSyncSource(0)", "InterruptControl[6].SetInterruptEnable(true)",
         "InterruptControl[7].SetConfiguration(" + config + ", transport{fmt=19}, 1)",
         "InterruptControl[7].SetSyncSource(0)", "InterruptControl[7].SetInterruptEnable(true)"});
}

using WidgetSetupTest = EngineTest;

TEST_F(WidgetSetupTest, widgetsInitFetchesEveryWidgetInOrderButNotTheHDMIInput) {
    openDevice();
    fillEntries(diag, &s_untouched);
    zyvotest::OutputCapture capture;
    diag.WidgetsInit(k1080i, kYCbCr8);
    Lines timing = {"device.GetWidget(30, 0)", "device.GetWidget(88, 6)",
                    "device.GetWidget(88, 7)"};
    EXPECT_EQ(calls({"device"}), timing + getWidgetCalls(2, 0, 7) + getWidgetCalls(38, 0, 3) +
                                     getWidgetCalls(5, 0, 3) + getWidgetCalls(6, 0, 5) +
                                     getWidgetCalls(3, 0, 10) + getWidgetCalls(39, 0, 4) +
                                     getWidgetCalls(128, 0, 0) + getWidgetCalls(82, 0, 0));
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(nullEntries(diag), Lines{});
    EXPECT_EQ(membersHolding(diag, &s_untouched), Lines{"mpHDMIInput"});
    EXPECT_EQ(diag.mpSDIOutput[10],
              deviceWidget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget, 10));
    EXPECT_EQ(diag.mpFBPlayback[5],
              deviceWidget<ZyvoFrameBufferPlayWidget>(ZYVO_WidgetType_FrameBufferPlayWidget, 5));
}

TEST_F(WidgetSetupTest, inputWidgetsInitFetchesTheInputSideOnly) {
    openDevice();
    fillEntries(diag, &s_untouched);
    zyvotest::OutputCapture capture;
    diag.InputWidgetsInit(k1080i, kYCbCr8);
    EXPECT_EQ(calls({"device"}), getWidgetCalls(2, 0, 7) + getWidgetCalls(38, 0, 3) +
                                     getWidgetCalls(5, 0, 3) + getWidgetCalls(127, 0, 0));
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(nullEntries(diag), Lines{});
    EXPECT_EQ(membersHolding(diag, &s_untouched),
              (Lines{"mpSyncGen", "mpLTC", "mpFBPlayback", "mpSDIOutput", "mpDualLinkOutput",
                     "mpHDMIOutput"}));
    EXPECT_EQ(diag.mpHDMIInput,
              deviceWidget<ZyvoHDMIInV4Widget>(ZYVO_WidgetType_HDMIInV4Widget, 0));
}

TEST_F(WidgetSetupTest, aLaterCommandsSetUpDisablesEveryStoreButKeepsSDIOutputsOn) {
    openDevice();
    diag.WidgetsInit(k1080i, kYCbCr8);
    diag.SDIOutputEnable(2);
    diag.SetCaptureBufferEnable(1, true);
    diag.playoutStoreEnable(diag.mpFBPlayback[3], true);

    ZyvoDiag next;
    next.mpDevice = mDevice.mpDevice;
    next.WidgetsInit(k1080i, kYCbCr8);
    EXPECT_TRUE(card().sdiOutput[2].enable);
    EXPECT_FALSE(card().captureStore[1].store.enable);
    EXPECT_FALSE(card().playoutStore[3].store.enable);
}

struct FewerWidgets {
    const char* bench;
    bool inputSide; // InputWidgetsInit rather than WidgetsInit
    Lines nullEntries;
    const char* out;
    const char* err;
    friend void PrintTo(const FewerWidgets& c, std::ostream* os) { *os << c.bench; }
};

class FewerWidgetsTest : public EngineTest, public ::testing::WithParamInterface<FewerWidgets> {};

TEST_P(FewerWidgetsTest, eachMissingWidgetIsReportedOnceAndLeftNull) {
    openDevice(GetParam().bench);
    fillEntries(diag, &s_untouched);
    zyvotest::OutputCapture capture;
    if (GetParam().inputSide) {
        diag.InputWidgetsInit(k1080i, kYCbCr8);
    } else {
        diag.WidgetsInit(k1080i, kYCbCr8);
    }
    EXPECT_EQ(capture.out(), GetParam().out);
    EXPECT_EQ(capture.err(), GetParam().err);
    EXPECT_EQ(nullEntries(diag), GetParam().nullEntries);
}

const bool kWidgetsInit = false;
const bool kInputWidgetsInit = true;

// One missing widget per row, its message on a line of its own. The HDMI widgets' messages
// are the HDMI tests' business.
// clang-format off
INSTANTIATE_TEST_SUITE_P(EachKind, FewerWidgetsTest, ::testing::Values(
    FewerWidgets{"missing SDIInput 5", kWidgetsInit, {"mpSDIInput[5]"},
        "sdiInputInit() Could not GetWidget(ZYVO_WidgetType_SDIInputWidget, 5)\n", ""},
    FewerWidgets{"wrong-class SDIOutput 3", kWidgetsInit, {"mpSDIOutput[3]"},
        "sdiOutputInit() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, 3)\n", ""},
    FewerWidgets{"missing DualLinkIn 3", kWidgetsInit, {"mpDualLinkInput[3]"},
        "dualLinkInputInit() Could not GetWidget(ZYVO_WidgetType_DualLinkInWidget, 3)\n", ""},
    FewerWidgets{"missing DualLinkOut 4", kWidgetsInit, {"mpDualLinkOutput[4]"},
        "dualLinkOutputInit() Could not GetWidget(ZYVO_WidgetType_DualLinkOutWidget, 4)\n", ""},
    FewerWidgets{"missing CaptureStore 2", kWidgetsInit, {"mpFBCapture[2]"},
        "captureStoreInit() Could not GetWidget(ZYVO_WidgetType_FrameBufferCaptureWidget, 2)\n",
        ""},
    FewerWidgets{"wrong-class PlayoutStore 5", kWidgetsInit, {"mpFBPlayback[5]"},
        "", "playoutStoreInit: Could not GetWidget(ZYVO_WidgetType_FrameBufferPlayWidget)\n"},
    FewerWidgets{"missing LTC 0", kWidgetsInit, {"mpLTC"}, "", ""},
    FewerWidgets{"missing SyncGenerator 0", kWidgetsInit, {"mpSyncGen"}, "", ""},
    FewerWidgets{"missing InterruptControl 7", kWidgetsInit, {}, "", ""},
    FewerWidgets{"missing CaptureStore 0; missing SDIInput 7", kInputWidgetsInit,
        {"mpFBCapture[0]", "mpSDIInput[7]"},
        "sdiInputInit() Could not GetWidget(ZYVO_WidgetType_SDIInputWidget, 7)\n"
        "captureStoreInit() Could not GetWidget(ZYVO_WidgetType_FrameBufferCaptureWidget, 0)\n",
        ""}));
// clang-format on

} // namespace
} // namespace enginetest
