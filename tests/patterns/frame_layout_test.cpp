// The generated frame's bytes and padding against the frame store's memory layout.
#include "frame_decoder.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace patternstest {
namespace {

const int kPixelFormats[] = {1, 2, 4, 5, 23};

int draw(int pattern, unsigned width, unsigned height, int pixelFormat,
         std::vector<unsigned char>& bytes) {
    return QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), width,
                                               height, static_cast<QEL_PixelFormat>(pixelFormat),
                                               bytes);
}

// Odd sizes end inside every cadence. Nothing but zeros lies past the picture, and a buffer
// that still holds an older frame comes back exactly as a fresh one does.
TEST(patterns_layout, everyPatternFillsWholeLinesWithZeroPadding) {
    const unsigned rasters[][2] = {{1, 1}, {7, 3}, {37, 11}, {1283, 5}};
    for (const auto& raster : rasters) {
        for (int pixelFormat : kPixelFormats) {
            for (int pattern = 0; pattern < 16; ++pattern) {
                SCOPED_TRACE(testing::Message() << "pattern " << pattern << " format "
                                                << pixelFormat << " width " << raster[0]);
                std::vector<unsigned char> fresh, reused(100000, 0xA5);
                draw(pattern, raster[0], raster[1], pixelFormat, fresh);
                draw(pattern, raster[0], raster[1], pixelFormat, reused);
                EXPECT_EQ(fresh, reused);
                EXPECT_EQ(drawAndDecode(pattern, raster[0], raster[1], pixelFormat).strayBytes, 0u);
            }
        }
    }
}

TEST(patterns_layout, refusedRequestsLeaveTheBufferEmptyAndAnUnknownPatternAZeroFrame) {
    // pattern, width, height, pixel format
    const int refused[][4] = {{0, 1920, 1080, 0}, {0, 1920, 1080, 3}, {0, 1920, 1080, 24},
                              {0, 0, 1080, 2},    {0, 1920, 0, 5},    {0, 100000, 10, 5}};
    for (const auto& r : refused) {
        std::vector<unsigned char> bytes(64, 1);
        EXPECT_EQ(draw(r[0], r[1], r[2], r[3], bytes), 0) << r[0] << " " << r[1] << "x" << r[2];
        EXPECT_TRUE(bytes.empty());
    }
    // An unknown pattern fails with a frame of zero bytes: nothing of an earlier pattern is left
    // to be transferred and compared as if it were the one asked for.
    std::vector<unsigned char> earlier;
    ASSERT_GT(draw(3, 1920, 1080, 2, earlier), 0);
    for (int pattern : {16, 99, -1}) {
        std::vector<unsigned char> bytes = earlier;
        EXPECT_EQ(draw(pattern, 1920, 1080, 2, bytes), 0) << pattern;
        EXPECT_EQ(bytes.size(), earlier.size()) << pattern;
        EXPECT_TRUE(
            std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == 0; }));
    }
}

} // namespace
} // namespace patternstest
