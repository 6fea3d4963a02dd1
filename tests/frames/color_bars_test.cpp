// The library's own 10-bit RGB bars and ramp, byte by byte.
#include <zyvodiag>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Pixel = std::array<unsigned char, 4>;

Pixel pixelAt(const std::vector<unsigned char>& buffer, size_t index) {
    return {buffer[4 * index], buffer[4 * index + 1], buffer[4 * index + 2], buffer[4 * index + 3]};
}

std::vector<unsigned char> barsFrame(unsigned width, unsigned lines) {
    std::vector<unsigned char> buffer(static_cast<size_t>(width) * lines * 4);
    Create10BitRGBColorBars(width, lines, 4, buffer);
    return buffer;
}

TEST(ColorBarsTest, fullHDLinesShowTheEightBarsInOrderOtherWidthsWhite) {
    const Pixel bars[8] = {{0xFF, 0xFF, 0xFF, 0x3F}, {0xFF, 0xFF, 0x0F, 0x00},
                           {0x00, 0xFC, 0xFF, 0x3F}, {0x00, 0xFC, 0x0F, 0x00},
                           {0xFF, 0x03, 0xF0, 0x3F}, {0xFF, 0x03, 0x00, 0x00},
                           {0x00, 0x00, 0xF0, 0x3F}, {0x00, 0x00, 0x00, 0x00}};
    auto frame = barsFrame(1920, 3);
    for (size_t line = 0; line < 3; ++line) {
        for (size_t bar = 0; bar < 8; ++bar) {
            size_t first = line * 1920 + bar * 240;
            EXPECT_EQ(pixelAt(frame, first), bars[bar]) << "line " << line << " bar " << bar;
            EXPECT_EQ(pixelAt(frame, first + 239), bars[bar]) << "line " << line << " bar " << bar;
        }
    }
    // Only full HD has bars: other widths are white at the 8-bit level, an empty buffer stays
    // empty, and a narrow picture does not divide by zero.
    for (unsigned width : {1280u, 3840u, 4u}) {
        auto frame = barsFrame(width, 2);
        for (size_t i = 0; i < frame.size() / 4; i += width == 4 ? 1 : 97) {
            ASSERT_EQ(pixelAt(frame, i), (Pixel{0xFC, 0xF3, 0xCF, 0x3F})) << width << " " << i;
        }
    }
    std::vector<unsigned char> empty;
    Create10BitRGBColorBars(1920, 1080, 4, empty);
    Create10BitVerticalRamp(1920, 1080, 4, empty);
    EXPECT_TRUE(empty.empty());
}

// One step every two lines, from 1; line 2046 holds level 1024, which keeps only its low ten bits.
TEST(VerticalRampTest, growsOneStepEveryTwoLinesAndWrapsAtTenBits) {
    std::vector<unsigned char> buffer(1920 * 2048 * 4);
    Create10BitVerticalRamp(1920, 2048, 4, buffer);
    EXPECT_EQ(pixelAt(buffer, 0), (Pixel{0x01, 0x04, 0x10, 0x00}));
    EXPECT_EQ(pixelAt(buffer, 3839), (Pixel{0x01, 0x04, 0x10, 0x00}));
    EXPECT_EQ(pixelAt(buffer, 3840), (Pixel{0x02, 0x08, 0x20, 0x00}));
    EXPECT_EQ(pixelAt(buffer, 4 * 1920), (Pixel{0x03, 0x0C, 0x30, 0x00}));
    EXPECT_EQ(pixelAt(buffer, 1920 * 2045), (Pixel{0xFF, 0xFF, 0xFF, 0x3F}));
    EXPECT_EQ(pixelAt(buffer, 1920 * 2046), (Pixel{0x00, 0x00, 0x00, 0x00}));
}

} // namespace
