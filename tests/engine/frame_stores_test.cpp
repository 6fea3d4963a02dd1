// Frame stores: where their set-up puts them, switching them on and off, grabbing a frame, and
// the memory aperture window.
#include "engine_test.h"

namespace enginetest {
namespace {

using FrameStoreTest = EngineTest;

TEST_F(FrameStoreTest, captureStoresShareFrame0At16MiBAndPlayoutStoreNPlaysFrameNAt64MiB) {
    openDevice();
    for (int index = 0; index < 4; ++index) {
        diag.captureStoreInit(index, k1080i, kYCbCr8);
        const zyvosim::FrameStoreState& store = card().captureStore[index].store;
        EXPECT_EQ(store.config.baseAddress, 0x1000000u) << index;
        EXPECT_EQ(store.number, 0u) << index;
        EXPECT_EQ(store.registerSync, ZYVO_RegisterSync_Immediate) << index;
        EXPECT_EQ(store.presets, 1u) << index;
        EXPECT_FALSE(store.enable || store.twoSampleInterleave) << index;
    }
    for (int index = 0; index < 6; ++index) {
        diag.playoutStoreInit(index, k1080i, ZYVO_PixelFormat_YCbCr10);
        const zyvosim::FrameStoreState& store = card().playoutStore[index].store;
        EXPECT_EQ(store.config.baseAddress, 0x4000000u) << index;
        EXPECT_EQ(store.config.pixelFormat, ZYVO_PixelFormat_YCbCr10) << index;
        EXPECT_EQ(store.number, static_cast<uint32_t>(index)) << index;
        EXPECT_EQ(store.presets, 1u) << index;
        EXPECT_FALSE(store.enable || store.twoSampleInterleave) << index;
    }
}

TEST_F(FrameStoreTest, aRegisterSyncFailureStillWritesThePresetAndIsReportedOnlyWhenVerbose) {
    for (bool on : {false, true}) {
        openDevice("fault CaptureStore[1].SetRegisterSync -2");
        verbose(on);
        zyvotest::StreamCapture capture;
        EXPECT_NE(diag.captureStoreInit(1, k1080i, kYCbCr8), nullptr);
        EXPECT_EQ(operations({"CaptureStore"}).back(), "CaptureStore[1].WritePreset");
        EXPECT_EQ(capture.errorText(), on ? "pCaptureStore->SetRegisterSync(ZYVO_RegisterSync_"
                                            "Immediate) failed with -2\n"
                                          : "");
        EXPECT_EQ(capture.text(), "");
    }
}

TEST_F(FrameStoreTest, frameGrabKeepsTheStoreOnFor100Milliseconds) {
    setUpCommand();
    uint64_t start = zyvosim::nowMicroseconds();
    EXPECT_EQ(diag.VideoFrameGrab(2, 7), 1);
    EXPECT_EQ(calls(), (Lines{"CaptureStore[2].SetEnable(true)", "QELTime.Sleep(100)",
                              "CaptureStore[2].SetEnable(false)"}));
    EXPECT_EQ(zyvosim::nowMicroseconds() - start, 100000u);
    EXPECT_FALSE(card().captureStore[2].store.enable);
}

TEST_F(FrameStoreTest, captureBufferEnableAnswersForTheEntryNotTheWidget) {
    setUpCommand("fault CaptureStore[3].SetEnable -1");
    EXPECT_EQ(diag.SetCaptureBufferEnable(0, true), 1);
    EXPECT_TRUE(card().captureStore[0].store.enable);
    EXPECT_EQ(diag.SetCaptureBufferEnable(3, true), 1);
    diag.mpFBCapture[1] = nullptr;
    zyvosim::clearTrace();
    EXPECT_EQ(diag.SetCaptureBufferEnable(1, true), 0);
    EXPECT_EQ(calls(), Lines{});
}

// Frame selection and switching a playout store on go to the store; a refusal and a null store
// are reported.
TEST_F(FrameStoreTest, frameSelectionAndPlayoutEnableReportARefusalAndANullStore) {
    setUpCommand("fault PlayoutStore[2].SetEnable -3");
    zyvotest::StreamCapture capture;
    EXPECT_EQ(diag.frameBufferSelect(diag.mpFBCapture[1], 3), 1);
    EXPECT_EQ(diag.frameBufferSelect(diag.mpFBPlayback[4], 5), 1);
    diag.frameBufferSelect(nullptr, 1);
    EXPECT_EQ(calls(), (Lines{"CaptureStore[1].SetActiveFrameBuffer(3)",
                              "PlayoutStore[4].SetActiveFrameBuffer(5)"}));
    EXPECT_EQ(card().captureStore[1].store.activeFrame, 3);
    EXPECT_EQ(card().playoutStore[4].store.activeFrame, 5);
    EXPECT_EQ(capture.text(), "frameBufferSelect NULL pointer\n");
    EXPECT_EQ(diag.playoutStoreEnable(diag.mpFBPlayback[1], true), 1);
    EXPECT_TRUE(card().playoutStore[1].store.enable);
    EXPECT_EQ(capture.text(), "frameBufferSelect NULL pointer\n");
    diag.playoutStoreEnable(diag.mpFBPlayback[2], true);
    diag.playoutStoreEnable(nullptr, true);
    EXPECT_EQ(capture.text(), "frameBufferSelect NULL pointer\n"
                              "playoutStoreEnable: SetEnable() failed, status = -3\n"
                              "playoutStoreEnable NULL pointer\n");
    EXPECT_EQ(capture.errorText(), "");
}

TEST_F(FrameStoreTest, apertureWindowGoesThroughTheControlWidget) {
    openDevice();
    uint32_t address = 0;
    EXPECT_EQ(diag.MemoryApertureWindowSet(0x2000000), 1);
    EXPECT_EQ(card().control.apertureBase, 0x2000000u);
    EXPECT_EQ(diag.MemoryApertureWindowGet(address), 1);
    EXPECT_EQ(address, 0x2000000u);

    openDevice("missing Control 0");
    zyvotest::StreamCapture capture;
    EXPECT_EQ(diag.MemoryApertureWindowSet(0x2000000), 0);
    EXPECT_EQ(diag.MemoryApertureWindowGet(address), 0);
    EXPECT_EQ(address, 0x2000000u) << "left as it was";
    EXPECT_EQ(capture.text(), "Could not GetWidget(ZYVO_WidgetType_RimbaControlWidget)\n"
                              "Could not GetWidget(ZYVO_WidgetType_RimbaControlWidget)\n");
}

} // namespace
} // namespace enginetest
