// The sync generator's set-up: its configuration by pixel format, its pair of interrupt
// controls, their reported calls, and devices without them.
#include "engine_test.h"

namespace enginetest {
namespace {

constexpr auto kExternal = ZYVO_SyncGeneratorReferenceSource_ExtRefIn;

using TimingSetupTest = EngineTest;

// By pixel format: the sampling, colour space and range the three configurations share.
TEST_F(TimingSetupTest, generatorAndBothInterruptsShareOneConfiguration) {
    const struct {
        ZyvoPixelFormat pixelFormat;
        int sampling, colorSpace, colorRange;
    } cases[] = {{ZYVO_PixelFormat_YCbCr10, 2, 2, 1}, {ZYVO_PixelFormat_RGB8, 5, 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pixelFormat);
        openDevice();
        ASSERT_NE(diag.syncGenInit(k1080i, kExternal, c.pixelFormat), nullptr);
        EXPECT_EQ(card().syncGenerator.referenceSource, kExternal);
        for (const zyvosim::VideoConfigState* config :
             {&card().syncGenerator.config, &card().interruptControl[6].config,
              &card().interruptControl[7].config}) {
            EXPECT_EQ(config->format, k1080i);
            EXPECT_EQ(config->sampling, c.sampling);
            EXPECT_EQ(config->colorSpace, c.colorSpace);
            EXPECT_EQ(config->colorRange, c.colorRange);
            EXPECT_EQ(config->aspectRatio, 2);
            EXPECT_EQ(config->bitDepth, 2);
            EXPECT_EQ(config->channel, 1);
        }
        for (int control : {6, 7}) {
            EXPECT_TRUE(card().interruptControl[control].enable) << control;
            EXPECT_EQ(card().interruptControl[control].transportFormat, k1080i) << control;
            EXPECT_EQ(card().interruptControl[control].syncSource, 0) << control;
        }
    }
}

TEST_F(TimingSetupTest, theGeneratorsInterruptIndexChoosesTheControlPair) {
    openDevice("interrupt-index 10");
    diag.syncGenInit(k1080i, kExternal, ZYVO_PixelFormat_YCbCr8);
    EXPECT_EQ(calls({"device"}),
              getWidgetCalls(ZYVO_WidgetType_SyncGeneratorWidget, 0) +
                  getWidgetCalls(ZYVO_WidgetType_InterruptControlWidget, 10, 11));
    EXPECT_TRUE(card().interruptControl[10].enable);
    EXPECT_TRUE(card().interruptControl[11].enable);
    EXPECT_FALSE(card().interruptControl[6].configured);
}

// One call of each control, named as that control, is reported when verbose and the sequence
// goes on. The set-up pins the order of the calls; here only that all eight are still made.
TEST_F(TimingSetupTest, aFailedInterruptCallIsReportedWhenVerboseAndTheSequenceGoesOn) {
    const std::pair<const char*, const char*> cases[] = {
        {"InterruptControl[6].SetConfiguration",
         "pSyncGenIntControl->SetConfiguration(&syncConfig, &videoTransport, true)"},
        {"InterruptControl[7].SetInterruptEnable", "pVideoIntControl->SetInterruptEnable(true)"}};
    for (const auto& [fault, report] : cases) {
        openDevice(std::string("fault ") + fault + " -1");
        verbose(true);
        zyvotest::StreamCapture capture;
        diag.syncGenInit(k1080i, kExternal, ZYVO_PixelFormat_YCbCr8);
        EXPECT_EQ(operations({"InterruptControl"}).size(), 8u) << fault;
        EXPECT_EQ(capture.errorText(), std::string(report) + " failed with -1\n");
        EXPECT_EQ(capture.text(), "");
    }
}

TEST_F(TimingSetupTest, withoutAGeneratorNothingIsArmedAndNothingPrinted) {
    openDevice("missing SyncGenerator 0");
    verbose(true);
    zyvotest::StreamCapture capture;
    EXPECT_EQ(diag.syncGenInit(k1080i, kExternal, ZYVO_PixelFormat_YCbCr8), nullptr);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(capture.errorText(), "");
    EXPECT_EQ(operations({"InterruptControl"}), Lines{});
}

TEST_F(TimingSetupTest, aMissingVideoInterruptControlStillArmsTheGenerators) {
    openDevice("missing InterruptControl 7");
    zyvotest::StreamCapture capture;
    auto* syncGen = diag.syncGenInit(k1080i, kExternal, ZYVO_PixelFormat_YCbCr8);
    EXPECT_EQ(syncGen,
              deviceWidget<ZyvoSyncGeneratorV3Widget>(ZYVO_WidgetType_SyncGeneratorWidget, 0));
    EXPECT_TRUE(card().interruptControl[6].enable);
    EXPECT_TRUE(card().interruptControl[6].configured);
    EXPECT_EQ(capture.text(), "");
}

} // namespace
} // namespace enginetest
