// Filling a frame store with a test pattern: where the picture lands in device memory, which
// generator draws it, and what a user reads when there is no store or no DMA engine.
#include "frames_test.h"

#include <functional>

namespace framestest {
namespace {

QELTestPatternSelect pattern(int number) {
    return static_cast<QELTestPatternSelect>(number);
}

QEL_PixelFormat pixels(int number) {
    return static_cast<QEL_PixelFormat>(number);
}

class PatternFillTest : public FramesTest {
protected:
    int fill(unsigned index, int number, int pixelFormat) {
        return diag.frameBufferFillWithTestPattern(index, pattern(number), k1080i,
                                                   pixels(pixelFormat));
    }
};

// Playout store index N fills frame N, the last store included; through a store itself, the
// frame its registers name now: base + number x size.
TEST_F(PatternFillTest, patternLandsInTheFrameTheIndexOrTheStoresRegistersName) {
    setUpCommand();
    EXPECT_EQ(printedBy([&] { EXPECT_EQ(fill(5, kWhite, 2), 2); }), "");
    EXPECT_EQ(deviceBytes(playoutBase() + 5 * kFrame8Bit, kFrame8Bit), generated(kWhite, 2));
    EXPECT_EQ(deviceBytes(playoutBase() + 4 * kFrame8Bit, kFrame8Bit), Bytes(kFrame8Bit, 0));
    EXPECT_EQ(calls({"DMA"}), Lines{"DMA[0].DoDma(1, 0x053c6800, 4147200, 1, 0, 0, 0)"});

    diag.mpFBPlayback[2]->SetFrameBufferSize(0x800000);
    diag.mpFBCapture[1]->SetFrameBufferNumber(3);
    EXPECT_EQ(diag.frameBufferFillWithTestPattern(diag.mpFBPlayback[2], pattern(kWhite), k1080i,
                                                  pixels(2)),
              2);
    EXPECT_EQ(diag.frameBufferFillWithTestPattern(diag.mpFBCapture[1], pattern(kBlack), k1080i,
                                                  pixels(2)),
              2);
    EXPECT_EQ(deviceBytes(playoutBase() + 2 * 0x800000, kFrame8Bit), generated(kWhite, 2));
    EXPECT_EQ(deviceBytes(captureBase() + 3 * kFrame8Bit, kFrame8Bit), generated(kBlack, 2));
    EXPECT_EQ(deviceBytes(playoutBase() + 2 * kFrame8Bit, 16), Bytes(16, 0));
}

TEST_F(PatternFillTest, onlyFullBarsInTenBitRGBAreTheLibrarysOwn) {
    const std::pair<ZyvoPixelFormat, int> generatorCases[] = {{ZYVO_PixelFormat_RGB10, 1},
                                                              {ZYVO_PixelFormat_YCbCr8, 0}};
    for (auto [pixelFormat, number] : generatorCases) {
        setUpCommand("", pixelFormat);
        EXPECT_EQ(fill(0, number, pixelFormat), 2);
        Bytes expected = generated(number, pixelFormat);
        EXPECT_EQ(deviceBytes(playoutBase(), static_cast<uint32_t>(expected.size())), expected)
            << "pixel format " << pixelFormat << " pattern " << number;
    }
    setUpCommand("", ZYVO_PixelFormat_RGB10);
    EXPECT_EQ(fill(0, 0, 5), 2);
    Bytes bars(1920 * 1080 * 4);
    Create10BitRGBColorBars(1920, 1080, 4, bars);
    Bytes memory = deviceBytes(playoutBase(), static_cast<uint32_t>(bars.size()));
    EXPECT_TRUE(memory == bars);
}

// Index 6, just past the last store, is the generate command's story.
TEST_F(PatternFillTest, refusedFillSaysWhyAndWritesNothing) {
    const struct {
        const char* bench;
        std::function<int()> fill;
        const char* printed;
    } cases[] = {
        {"", [this] { return fill(0xFFFFFFFFu, kWhite, 2); },
         "frameBufferFillWithTestPattern Invalid frameStoreIdx (-1)\n"},
        {"",
         [this] {
             return diag.frameBufferFillWithTestPattern(nullptr, pattern(kWhite), k1080i,
                                                        pixels(2));
         },
         "frameBufferFillWithTestPattern NULL pointer\n"},
        {"missing DMA 0", [this] { return fill(1, kWhite, 2); },
         "Could not GetWidget(ZYVO_WidgetType_DmaIO)\n"},
    };
    for (const auto& c : cases) {
        setUpCommand(c.bench);
        int result = 0;
        EXPECT_EQ(printedBy([&] { result = c.fill(); }), c.printed);
        EXPECT_EQ(result, -2) << c.printed;
        EXPECT_EQ(calls({"DMA"}), Lines{}) << c.printed;
        EXPECT_EQ(deviceBytes(playoutBase() + kFrame8Bit, 64), Bytes(64, 0)) << c.printed;
    }
}

TEST_F(PatternFillTest, verboseFillShowsBothLayersTheTransferAndTheFirstWords) {
    setUpCommand();
    verbose(true);
    EXPECT_EQ(maskPointers(printedBy([&] { fill(1, kBlack, 2); })),
              "  frameBufferFillWithTestPattern(1)(FrameStoreIdx:1 TestPattern:8 VideoFormat:19 "
              "PixelFormat:2)\n"
              "  frameBufferFillWithTestPattern(2)(pFrameStore:PTR TestPattern:8 VideoFormat:19 "
              "PixelFormat:2)\n"
              "  frameBufferFillWithTestPattern\n"
              "  doDma(hostbuf = PTR, fbaddr = 0x043f4800, fbSize = 0x003f4800)\n" +
                  fbDataLines(generated(kBlack, 2)));
}

} // namespace
} // namespace framestest
