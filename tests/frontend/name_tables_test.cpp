// Display names from the device library's text tables, with and without those tables.
#include "command_line_test.h"

#include <cstring>

namespace {

using NameTablesTest = CommandLineTest;

TEST_F(NameTablesTest, presentValuesGiveTheirNamesAbsentOnesAnEmptyEntry) {
    EXPECT_STREQ(ZyvoDiag::videoStandardNameString(ZYVO_VideoStandard_1080i), "1080i");
    EXPECT_STREQ(ZyvoDiag::videoRateNameString(ZYVO_VideoRate_2997), "29.97");
    EXPECT_STREQ(ZyvoDiag::videoFormatNameString(ZYVO_VideoFormat_720p_50), "720p 50");
    // Two lookups feed one message, so the first text must outlive the second lookup.
    const char* first = ZyvoDiag::videoFormatNameString(ZYVO_VideoFormat_1080i_2997);
    const char* second = ZyvoDiag::videoFormatNameString(ZYVO_VideoFormat_720p_50);
    EXPECT_STREQ(first, "1080i 29.97");
    EXPECT_STREQ(second, "720p 50");
    EXPECT_STREQ(ZyvoDiag::pixelNameString(ZYVO_PixelFormat_YCbCr8),
                 simulatorName(&ZyvoText::mPixelFormatNames, ZYVO_PixelFormat_YCbCr8).c_str());
    // An absent value's lookup leaves an empty entry behind, as the device library's tables do.
    const auto format = static_cast<ZyvoVideoFormat>(-7);
    const auto pixel = static_cast<ZyvoPixelFormat>(-7);
    EXPECT_STREQ(ZyvoDiag::videoFormatNameString(format), "");
    EXPECT_STREQ(ZyvoDiag::videoRateNameString(static_cast<ZyvoVideoRate>(-7)), "");
    EXPECT_STREQ(ZyvoDiag::videoStandardNameString(static_cast<ZyvoVideoStandard>(-7)), "");
    EXPECT_STREQ(ZyvoDiag::pixelNameString(pixel), "");
    EXPECT_EQ(ZyvoText::GetInstance()->mVideoFormatNames.count(format), 1u);
    EXPECT_EQ(ZyvoText::GetInstance()->mPixelFormatNames.count(pixel), 1u);
}

// Without text tables the messages still come out whole, with "Unknown" for every name.
TEST_F(NameTablesTest, withoutTextTablesEveryNameIsUnknown) {
    std::string error;
    ASSERT_TRUE(zyvosim::loadBench("text absent\n", error)) << error;
    EXPECT_STREQ(ZyvoDiag::pixelNameString(ZYVO_PixelFormat_YCbCr8), "Unknown");
    EXPECT_FALSE(parseVideo({"-f9", "-r31", "-f5", "-r47", "-x"}));
    EXPECT_EQ(mOut, "Unknown/Unsupported video standard -f9 : Unknown .... defaulting to Unknown\n"
                    "Unknown frame rate -r31 .... defaulting to Unknown\n"
                    "invalid switch x"
                    "Warning !!! Video Format selection (rate: 8, std: 5, fmt: 19) is unsupported "
                    "!!!\n"
                    "context: 720p default case\n"
                    ".....video standard Unknown : video line rate Unknown fps\n"
                    ".......... defaulting to video format Unknown !!\n");
}

} // namespace
