// The pattern generator's frames against the simulated frame stores' layout.
#include "QELTestPatternGen.h"
#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoVideoConfiguration.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A frame drawn for playout must fill the store's frame exactly, or the DMA moves too little
// or runs into the next frame.
TEST(patterns_layout, frameSizeIsTheFrameStoresForEveryFormat) {
    unsigned formatsSeen = 0;
    for (int number = 1; number < 256; ++number) {
        auto format = static_cast<ZyvoVideoFormat>(number);
        unsigned width = 0, height = 0;
        if (ZyvoVideoConfiguration(format).GetPictureWidth(width) <= 0) {
            continue;
        }
        ZyvoVideoConfiguration(format).GetPictureHeight(height);
        ++formatsSeen;
        for (int pixelFormat : {1, 2, 4, 5, 23}) {
            unsigned size = 0;
            ZyvoFrameBufferConfiguration(format, static_cast<ZyvoPixelFormat>(pixelFormat))
                .GetFrameBufferSize(size);
            std::vector<unsigned char> bytes;
            EXPECT_GT(QELTestPatternGen().DrawTestPattern(QEL_TestPattern_Black, width, height,
                                                          static_cast<QEL_PixelFormat>(pixelFormat),
                                                          bytes),
                      0);
            EXPECT_EQ(bytes.size(), size) << "format " << number << " pixel format " << pixelFormat;
        }
    }
    EXPECT_GE(formatsSeen, 40u);
}

} // namespace
