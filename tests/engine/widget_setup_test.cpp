// Setting up widgets: the order in which WidgetsInit fetches them (pinned here once), what it
// and InputWidgetsInit fill, and how a device with fewer widgets is reported.
#include "engine_test.h"

namespace enginetest {
namespace {

// A marker for the entries a set-up must not write.
char s_untouched;

using SetUpSequenceTest = EngineTest;

// A dual-link input left at format 0 keeps whatever configuration it had.
TEST_F(SetUpSequenceTest, dualLinkInputSkipsTheConfigurationForFormat0) {
    openDevice();
    ZyvoWidget* input = diag.dualLinkInputInit(2, ZYVO_VideoFormat_Unknown);
    EXPECT_EQ(calls(), getWidgetCalls(ZYVO_WidgetType_DualLinkInWidget, 2));
    EXPECT_NE(input, nullptr);
    EXPECT_EQ(input, mDevice.mpDevice->GetWidget(ZYVO_WidgetType_DualLinkInWidget, 2));
}

// Both interrupts go off before the timing changes, and come back one after the other. Their
// configuration is the timing set-up tests' business.
TEST_F(SetUpSequenceTest, syncGenInitSilencesBothInterruptsFirstAndArms7Last) {
    openDevice();
    ASSERT_NE(diag.syncGenInit(k1080i, ZYVO_SyncGeneratorReferenceSource_FreeRun, kYCbCr8),
              nullptr);
    Lines seen = calls({"SyncGenerator", "InterruptControl"});
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(Lines(seen.begin(), seen.begin() + 4),
              (Lines{"SyncGenerator[0].GetInterruptControlIndex(6)",
                     "InterruptControl[6].SetInterruptEnable(false)",
                     "InterruptControl[7].SetInterruptEnable(false)",
                     "SyncGenerator[0].SetReferenceSource(2)"}));
    EXPECT_EQ(seen.back(), "InterruptControl[7].SetInterruptEnable(true)");
}

using WidgetSetupTest = EngineTest;

constexpr auto kPlayoutStore = ZYVO_WidgetType_FrameBufferPlayWidget;
// SDI inputs, dual-link inputs and capture stores, as both set-ups fetch them.
const Lines kInputSide = getWidgetCalls(ZYVO_WidgetType_SDIInputWidget, 0, 7) +
                         getWidgetCalls(ZYVO_WidgetType_DualLinkInWidget, 0, 3) +
                         getWidgetCalls(ZYVO_WidgetType_FrameBufferCaptureWidget, 0, 3);

// WidgetsInit fetches every widget in order but the HDMI input; InputWidgetsInit the input side
// and the HDMI input only. Each fills the entries of what it fetched, silently.
TEST_F(WidgetSetupTest, eachSetUpFetchesItsWidgetsInOrderAndFillsOnlyTheirEntries) {
    for (const bool inputSide : {false, true}) {
        openDevice();
        fillEntries(diag, &s_untouched);
        zyvotest::StreamCapture capture;
        if (inputSide) {
            diag.InputWidgetsInit(k1080i, kYCbCr8);
            EXPECT_EQ(calls({"device"}),
                      kInputSide + getWidgetCalls(ZYVO_WidgetType_HDMIInV4Widget, 0));
            EXPECT_EQ(membersHolding(diag, &s_untouched),
                      (Lines{"mpSyncGen", "mpLTC", "mpFBPlayback", "mpSDIOutput",
                             "mpDualLinkOutput", "mpHDMIOutput"}));
            EXPECT_EQ(diag.mpHDMIInput,
                      deviceWidget<ZyvoHDMIInV4Widget>(ZYVO_WidgetType_HDMIInV4Widget, 0));
        } else {
            diag.WidgetsInit(k1080i, kYCbCr8);
            EXPECT_EQ(calls({"device"}),
                      getWidgetCalls(ZYVO_WidgetType_SyncGeneratorWidget, 0) +
                          getWidgetCalls(ZYVO_WidgetType_InterruptControlWidget, 6, 7) +
                          kInputSide + getWidgetCalls(kPlayoutStore, 0, 5) +
                          getWidgetCalls(ZYVO_WidgetType_SDIOutputWidget, 0, 10) +
                          getWidgetCalls(ZYVO_WidgetType_DualLinkOutWidget, 0, 4) +
                          getWidgetCalls(ZYVO_WidgetType_HDMI4kOutWidget, 0) +
                          getWidgetCalls(ZYVO_WidgetType_LTCIOWidget, 0));
            EXPECT_EQ(membersHolding(diag, &s_untouched), Lines{"mpHDMIInput"});
            EXPECT_EQ(diag.mpSDIOutput[10],
                      deviceWidget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget, 10));
            EXPECT_EQ(diag.mpFBPlayback[5], deviceWidget<ZyvoFrameBufferPlayWidget>(
                                                ZYVO_WidgetType_FrameBufferPlayWidget, 5));
        }
        EXPECT_EQ(capture.text(), "");
        EXPECT_EQ(capture.errorText(), "");
        EXPECT_EQ(nullEntries(diag), Lines{});
    }
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

// One missing widget per row, its message on a line of its own: printed, sent to the error
// stream, or none; each reported once and left null. The HDMI widgets' messages are the HDMI
// tests' business.
TEST_F(WidgetSetupTest, eachMissingWidgetIsReportedOnceAndLeftNull) {
    const bool kWidgetsInit = false, kInputWidgetsInit = true;
    const struct {
        const char* bench;
        bool inputSide; // InputWidgetsInit rather than WidgetsInit
        Lines nullEntries;
        const char* out;
        const char* err;
    } cases[] = {
        // clang-format off
        {"missing SDIInput 5", kWidgetsInit, {"mpSDIInput[5]"},
         "sdiInputInit() Could not GetWidget(ZYVO_WidgetType_SDIInputWidget, 5)\n", ""},
        {"wrong-class SDIOutput 3", kWidgetsInit, {"mpSDIOutput[3]"},
         "sdiOutputInit() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, 3)\n", ""},
        {"wrong-class PlayoutStore 5", kWidgetsInit, {"mpFBPlayback[5]"},
         "", "playoutStoreInit: Could not GetWidget(ZYVO_WidgetType_FrameBufferPlayWidget)\n"},
        {"missing LTC 0", kWidgetsInit, {"mpLTC"}, "", ""},
        {"missing InterruptControl 7", kWidgetsInit, {}, "", ""},
        {"missing CaptureStore 0; missing SDIInput 7", kInputWidgetsInit,
         {"mpFBCapture[0]", "mpSDIInput[7]"},
         "sdiInputInit() Could not GetWidget(ZYVO_WidgetType_SDIInputWidget, 7)\n"
         "captureStoreInit() Could not GetWidget(ZYVO_WidgetType_FrameBufferCaptureWidget, 0)\n",
         ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bench);
        openDevice(c.bench);
        fillEntries(diag, &s_untouched);
        zyvotest::StreamCapture capture;
        if (c.inputSide) {
            diag.InputWidgetsInit(k1080i, kYCbCr8);
        } else {
            diag.WidgetsInit(k1080i, kYCbCr8);
        }
        EXPECT_EQ(capture.text(), c.out);
        EXPECT_EQ(capture.errorText(), c.err);
        EXPECT_EQ(nullEntries(diag), c.nullEntries);
    }
}

} // namespace
} // namespace enginetest
