// Format facts the diagnostics build on: frame layouts, 4K translations and picture sizes.
#include "ZyvoDma.h"
#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoVideoConfiguration.h"

#include <gtest/gtest.h>

namespace {

struct FrameLayout {
    int format;
    int pixelFormat;
    unsigned pitch;
    unsigned lines;
    unsigned size;
};

class FrameBufferLayoutTest : public ::testing::TestWithParam<FrameLayout> {};

TEST_P(FrameBufferLayoutTest, followsFromFormatAndPixelFormat) {
    const FrameLayout& expected = GetParam();
    ZyvoFrameBufferConfiguration configuration(static_cast<ZyvoVideoFormat>(expected.format),
                                               static_cast<ZyvoPixelFormat>(expected.pixelFormat));
    unsigned pitch = 1, lines = 1, size = 1;
    configuration.GetLinePitch(pitch);
    configuration.GetLineCount(lines);
    configuration.GetFrameBufferSize(size);
    EXPECT_EQ(pitch, expected.pitch);
    EXPECT_EQ(lines, expected.lines);
    EXPECT_EQ(size, expected.size);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FrameBufferLayoutTest,
    ::testing::Values(FrameLayout{19, 2, 3840, 1080, 4147200},    // two bytes a pixel
                      FrameLayout{19, 5, 7680, 1080, 8294400},    // one word a pixel
                      FrameLayout{19, 1, 5120, 1080, 5529600},    // six pixels in 16 bytes
                      FrameLayout{16, 1, 3424, 720, 2465280},     // 1280 ends inside a cadence
                      FrameLayout{19, 23, 5760, 1080, 6220800},   // eight pixels in 24 bytes
                      FrameLayout{4, 2, 1440, 486, 699840},       // both fields of 486i
                      FrameLayout{67, 2, 7680, 2160, 16588800},   // a quad frame is whole
                      FrameLayout{181, 5, 16384, 2160, 35389440}, // 4096 wide
                      FrameLayout{0, 2, 0, 0, 0},                 // unknown format
                      FrameLayout{19, 3, 0, 0, 0}));              // unknown pixel format

TEST(VideoFormatInfoTest, quadFormatsTranslateToTheirSIDAndHDMIForms) {
    // The 2160p and 4096p families: first and last rate of each.
    const int quads[][3] = {{64, 84, 94}, {68, 88, 98}, {178, 188, 198}, {181, 191, 201}};
    for (const auto& quad : quads) {
        auto format = static_cast<ZyvoVideoFormat>(quad[0]);
        EXPECT_TRUE(ZyvoVideoFormatInfo::isQuad(format)) << quad[0];
        EXPECT_EQ(ZyvoVideoFormatInfo::Get4KSIDFormat(format), quad[1]);
        EXPECT_EQ(ZyvoVideoFormatInfo::Get4KHDMIFormat(format), quad[2]);
    }
    for (int plain : {0, 19, 35, 87, 97, 201, 999}) {
        auto format = static_cast<ZyvoVideoFormat>(plain);
        EXPECT_FALSE(ZyvoVideoFormatInfo::isQuad(format)) << plain;
        EXPECT_EQ(ZyvoVideoFormatInfo::Get4KSIDFormat(format), 0) << plain;
        EXPECT_EQ(ZyvoVideoFormatInfo::Get4KHDMIFormat(format), 0) << plain;
    }
}

TEST(VideoConfigurationTest, pictureSizeComesFromTheFormat) {
    unsigned width = 1, height = 1;
    ZyvoVideoConfiguration configuration;
    EXPECT_EQ(configuration.GetPictureWidth(width), 0);
    EXPECT_EQ(configuration.GetPictureHeight(height), 0);
    EXPECT_EQ(width + height, 0u);

    EXPECT_EQ(configuration.SetDefaultFormat(ZYVO_VideoFormat_4096p_5994_HDMI), 1);
    EXPECT_EQ(configuration.GetPictureWidth(width), 1);
    EXPECT_EQ(configuration.GetPictureHeight(height), 1);
    EXPECT_EQ(width, 4096u);
    EXPECT_EQ(height, 2160u);
}

TEST(DmaBufferTest, handsOutZeroedMemoryOfTheSizeAsked) {
    ZyvoDmaBuffer buffer;
    unsigned char* start = buffer.SetupAndGetBufferStart(4096);
    ASSERT_NE(start, nullptr);
    for (unsigned i = 0; i < 4096; ++i)
        ASSERT_EQ(start[i], 0) << i;
    EXPECT_EQ(buffer.SetupAndGetBufferStart(0), nullptr);
}

} // namespace
