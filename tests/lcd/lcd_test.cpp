// The front-panel LCD: the picture that reaches playout store 5's frame buffer, the 720p raster
// and SDI output 9 it is shown through, and a device without what the panel needs.
#include "engine_test.h"

#include <array>

namespace enginetest {
namespace {

using Pixel = std::array<uint8_t, 4>; // alpha, red, green, blue as the store holds them

// Frame 5 of the playout region, as the 1080i 8-bit set-up of the command leaves store 5.
constexpr uint32_t kFrameAddress = 0x053C6800;
constexpr uint32_t kLineBytes = 5120;
constexpr uint32_t kPictureBytes = kLineBytes * 720;

class LcdTest : public EngineTest {
protected:
    // The command as a host runs it, with -b`frameBuffer`: its result and what it printed.
    zyvotest::Outcome<bool> display(uint32_t frameBuffer) {
        ZyvoDiagUserCommands record;
        record.mFrameBuffer = frameBuffer;
        return zyvotest::captured([&] { return record.lcdColorBarsDisplay(mDevice.mpDevice); });
    }
    // The frame buffer, and one byte past it.
    static std::vector<uint8_t> frame() {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(zyvosim::readDeviceMemory(kFrameAddress, kPictureBytes + 1, bytes));
        return bytes;
    }
    static Pixel pixel(const std::vector<uint8_t>& bytes, uint32_t line, uint32_t x) {
        const uint8_t* p = &bytes[line * kLineBytes + 4 * x];
        return {p[0], p[1], p[2], p[3]};
    }
};

struct Bar {
    uint32_t first, last;
    Pixel colour;
};

// The calls on playout store 5, in order.
Lines onStore5(const Lines& operations) {
    Lines lines;
    for (const std::string& operation : operations) {
        lines.push_back("PlayoutStore[5]." + operation);
    }
    return lines;
}

const Bar kBars[] = {{0, 141, {0xFF, 105, 105, 105}},    {142, 283, {0xFF, 193, 193, 193}},
                     {284, 425, {0xFF, 193, 193, 0}},    {426, 567, {0xFF, 0, 193, 193}},
                     {568, 709, {0xFF, 0, 193, 0}},      {710, 851, {0xFF, 193, 0, 193}},
                     {852, 993, {0xFF, 193, 0, 0}},      {994, 1135, {0xFF, 0, 0, 193}},
                     {1136, 1279, {0xFF, 105, 105, 105}}};

// Buffer 0 shows black, any other the nine bars, on every line.
TEST_F(LcdTest, bufferZeroIsBlackAnyOtherTheNineBarsOnEveryLine) {
    for (uint32_t buffer : {0u, 7u}) {
        SCOPED_TRACE(buffer);
        const bool bars = buffer != 0;
        openDevice();
        verbose(true);
        auto printed = display(buffer);
        EXPECT_FALSE(printed.result);
        EXPECT_EQ(printed.out, bars ? "\nlcdColorBarsEnable(1)\n" : "\nlcdColorBarsEnable(0)\n");
        EXPECT_EQ(calls({"DMA"}), Lines{"DMA[0].DoDma(1, 0x053c6800, 3686400, 1, 0, 0, 0)"});
        std::vector<uint8_t> bytes = frame();
        ASSERT_EQ(bytes.size(), kPictureBytes + 1);
        for (const Bar& bar : kBars) {
            Pixel expected = bars ? bar.colour : Pixel{0xFF, 0, 0, 0};
            for (uint32_t line : {0u, 359u, 719u}) {
                EXPECT_EQ(pixel(bytes, line, bar.first), expected) << line << ":" << bar.first;
                EXPECT_EQ(pixel(bytes, line, bar.last), expected) << line << ":" << bar.last;
            }
        }
        for (uint32_t line = 1; line < 720; ++line) {
            ASSERT_TRUE(std::equal(&bytes[0], &bytes[kLineBytes], &bytes[line * kLineBytes]))
                << line;
        }
        EXPECT_EQ(bytes[kPictureBytes], 0);
    }
}

TEST_F(LcdTest, programsThePanelRasterAndOutputNineThenMovesOneFrame) {
    openDevice();
    diag.LCDWidgetsInit(k1080i, kYCbCr8);
    EXPECT_EQ(card().sdiOutput[9].enable, false);
    zyvosim::clearTrace();
    EXPECT_FALSE(diag.lcdColorBarsEnable(true));
    const Lines raster =
        onStore5({"SetLinePitch(5120)", "SetSamplesPerLine(2560)", "SetActiveLineCount(720)",
                  "SetRasterParameterA(1, 26)", "SetRasterParameterB(1, 0)",
                  "SetRasterParameterC(2560, 1650)", "SetRasterParameterD(0, 0)",
                  "SetRasterParameterE(26, 745)", "SetRasterParameterF(0, 0)", "SetVideoMode(3)",
                  "SetRasterParameterG(2)", "SetRasterParameterH(1)", "SetRasterParameterI(4)",
                  "SetRasterParameterJ(3)", "SetRegisterSync(3)", "SetTotalLineCount(750)",
                  "SetRasterParameterK(1, 1500)"});
    const Lines readBack = onStore5(
        {"GetFrameBufferAddress(0x053c6800)", "GetBytesPerLine(5120)", "GetLineCount(720)"});
    const Lines output = getWidgetCalls(ZYVO_WidgetType_SDIOutputWidget, 9) +
                         Lines{"SDIOutput[9].SetConfiguration(video{fmt=16,smp=2,cs=1,cr=2,ar=2,"
                               "bd=1,ch=1}, 0)",
                               "SDIOutput[9].SetEnable(true)", "SDIOutput[9].Apply()"};
    const Lines dma = getWidgetCalls(ZYVO_WidgetType_DmaIO, 0) +
                      Lines{"DMA[0].DoDma(1, 0x053c6800, 3686400, 1, 0, 0, 0)"};
    EXPECT_EQ(calls(), getWidgetCalls(ZYVO_WidgetType_FrameBufferPlayWidget, 5) + raster + output +
                           readBack + dma);
    // What the panel runs on afterwards.
    const zyvosim::PlayoutStoreState& panel = card().playoutStore[5];
    EXPECT_EQ(panel.store.videoMode, ZYVO_FrameBufferVideoMode_Display);
    EXPECT_EQ(panel.raster.totalLineCount, 750u);
    EXPECT_TRUE(card().sdiOutput[9].enable);
    EXPECT_TRUE(card().sdiOutput[9].applied);
    EXPECT_EQ(card().sdiOutput[9].config.format, ZYVO_VideoFormat_720p_5994);
}

// Nothing reaches the panel, and nothing goes to standard error.
TEST_F(LcdTest, withoutAWidgetItNeedsNothingReachesThePanel) {
    const std::pair<const char*, const char*> cases[] = {
        {"missing DMA 0", "lcdColorBarsEnable could not get DMA widget\n"},
        {"missing SDIOutput 9",
         "sdiOutputInit() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, 9)\n"
         "SDIOutputDisable: sdiOutputGet(9) returned NULL\n"},
    };
    for (const auto& [bench, out] : cases) {
        openDevice(bench);
        auto printed = display(1);
        EXPECT_FALSE(printed.result);
        EXPECT_EQ(printed.out, out);
        EXPECT_EQ(printed.err, "");
        EXPECT_EQ(calls({"DMA"}), Lines{});
        EXPECT_EQ(frame(), std::vector<uint8_t>(kPictureBytes + 1, 0)) << bench;
    }
}

} // namespace
} // namespace enginetest
