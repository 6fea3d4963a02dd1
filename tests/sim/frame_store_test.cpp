// The frame stores: where a store's frame lies as the library reads it back, what a new
// configuration undoes, and a fault on one store.
#include "card_fixture.h"

#include "ZyvoFrameBufferWidgets.h"
#include "zyvosim/card_state.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr uint32_t cPlayoutMemory = 0x4000000;

class FrameStoreTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        useBench("");
    }

    ZyvoFrameBufferCaptureWidget* capture(unsigned index) {
        return widget<ZyvoFrameBufferCaptureWidget>(ZYVO_WidgetType_FrameBufferCaptureWidget,
                                                    index);
    }
    ZyvoFrameBufferPlayWidget* playout(unsigned index) {
        return widget<ZyvoFrameBufferPlayWidget>(ZYVO_WidgetType_FrameBufferPlayWidget, index);
    }

    // A configuration for 1080i 29.97 (format 19) at `base`, frame 0, as the set-up builds it.
    static ZyvoFrameBufferConfiguration configuration(ZyvoPixelFormat pixelFormat, uint32_t base) {
        ZyvoFrameBufferConfiguration given(ZYVO_VideoFormat_1080i_2997, pixelFormat);
        given.SetFrameBufferBaseAddress(base);
        return given;
    }

    // The store's configuration as the library reads it back, in one line.
    static std::string readBack(ZyvoFrameBufferBaseWidget* store) {
        ZyvoFrameBufferConfiguration read;
        EXPECT_EQ(store->GetFrameBufferConfiguration(&read), 1);
        ZyvoVideoFormat format;
        ZyvoPixelFormat pixelFormat;
        unsigned base, number, size, pitch, lines;
        read.GetVideoFormat(format);
        read.GetPixelFormat(pixelFormat);
        read.GetFrameBufferBaseAddress(base);
        read.GetFrameBufferNumber(number);
        read.GetFrameBufferSize(size);
        read.GetLinePitch(pitch);
        read.GetLineCount(lines);
        char text[128];
        std::snprintf(text, sizeof text, "%d/%d base 0x%x frame %u of %u bytes, %u x %u", format,
                      pixelFormat, base, number, size, pitch, lines);
        return text;
    }
};

TEST_F(FrameStoreTest, aNewConfigurationReplacesWhatTheSettersChanged) {
    EXPECT_EQ(capture(1)->SetFrameBufferBaseAddress(0x2000000), 1);
    EXPECT_EQ(capture(1)->SetFrameBufferNumber(3), 1);
    ZyvoFrameBufferConfiguration given = configuration(ZYVO_PixelFormat_YCbCr10, 0x1000000);
    EXPECT_EQ(capture(1)->SetFrameBufferConfiguration(&given), 1);
    EXPECT_EQ(readBack(capture(1)), "19/1 base 0x1000000 frame 0 of 5529600 bytes, 5120 x 1080");
    EXPECT_EQ(readBack(capture(0)), "0/0 base 0x0 frame 0 of 0 bytes, 0 x 0");
}

// What the store answers after raster programming is the LCD tests' business.
TEST_F(FrameStoreTest, aNewConfigurationUndoesRasterProgramming) {
    ZyvoFrameBufferPlayWidget* store = playout(5);
    ZyvoFrameBufferConfiguration given = configuration(ZYVO_PixelFormat_YCbCr10, cPlayoutMemory);
    EXPECT_EQ(store->SetLinePitch(7680), 1);
    EXPECT_EQ(store->SetActiveLineCount(720), 1);
    EXPECT_EQ(store->SetFrameBufferConfiguration(&given), 1);
    uint32_t bytes = 0;
    uint32_t lines = 0;
    EXPECT_EQ(store->GetBytesPerLine(bytes), 1);
    EXPECT_EQ(store->GetLineCount(lines), 1);
    EXPECT_EQ(bytes, 5120u);
    EXPECT_EQ(lines, 1080u);
}

TEST_F(FrameStoreTest, faultOnOneStoresOperationLeavesItsRegisterAsItWas) {
    useBench("fault CaptureStore[2].SetRegisterSync -1 once\n");
    EXPECT_EQ(capture(1)->SetRegisterSync(ZYVO_RegisterSync_Immediate), 1);
    EXPECT_EQ(capture(2)->SetRegisterSync(ZYVO_RegisterSync_Immediate), -1);
    EXPECT_EQ(zyvosim::cardState().captureStore[2].store.registerSync, ZYVO_RegisterSync_Frame);
    EXPECT_EQ(lastCall(), "CaptureStore[2].SetRegisterSync(3) -> -1");
    EXPECT_EQ(capture(2)->SetRegisterSync(ZYVO_RegisterSync_Immediate), 1);
    EXPECT_EQ(zyvosim::cardState().captureStore[2].store.registerSync, ZYVO_RegisterSync_Immediate);
}

} // namespace
