// The text singleton: display names, its absence, and what reset() puts back.
#include "sim_fixture.h"

#include "ZyvoText.h"
#include "ZyvoVideoConfiguration.h"

#include <set>

namespace {

using TextTablesTest = SimTest;

TEST_F(TextTablesTest, namesFormatsByStandardAndRate) {
    ZyvoText* text = ZyvoText::GetInstance();
    ASSERT_NE(text, nullptr);
    const std::pair<int, const char*> names[] = {
        {4, "486i 29.97"},         {8, "576i 25"},           {15, "720p 50"},
        {19, "1080i 29.97"},       {26, "1080p 23.98"},      {64, "2160p 23.98"},
        {87, "2160p 29.97 SID"},   {97, "2160p 29.97 HDMI"}, {181, "4096p 59.94"},
        {201, "4096p 59.94 HDMI"},
    };
    for (const auto& [format, name] : names)
        EXPECT_EQ(text->mVideoFormatNames.at(static_cast<ZyvoVideoFormat>(format)), name);
}

TEST_F(TextTablesTest, namesStandardsRatesAndPixelFormats) {
    ZyvoText* text = ZyvoText::GetInstance();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->mVideoStandardNames.at(ZYVO_VideoStandard_486i), "486i");
    EXPECT_EQ(text->mVideoStandardNames.at(ZYVO_VideoStandard_4k1080p), "2160p");
    EXPECT_EQ(text->mVideoStandardNames.at(ZYVO_VideoStandard_4096p), "4096p");
    EXPECT_EQ(text->mVideoStandardNames.size(), 9u);
    EXPECT_EQ(text->mVideoRateNames.at(ZYVO_VideoRate_2398), "23.98");
    EXPECT_EQ(text->mVideoRateNames.at(ZYVO_VideoRate_2997), "29.97");
    EXPECT_EQ(text->mVideoRateNames.at(ZYVO_VideoRate_60), "60");
    EXPECT_EQ(text->mVideoRateNames.size(), 10u);
    EXPECT_EQ(text->mPixelFormatNames.at(ZYVO_PixelFormat_YCbCr10), "YCbCr 4:2:2 10-bit");
    EXPECT_EQ(text->mPixelFormatNames.at(ZYVO_PixelFormat_YCbCr8), "YCbCr 4:2:2 8-bit");
    EXPECT_EQ(text->mPixelFormatNames.at(ZYVO_PixelFormat_RGB8), "RGB 8-bit");
    EXPECT_EQ(text->mPixelFormatNames.at(ZYVO_PixelFormat_RGB10), "RGB 10-bit");
    EXPECT_EQ(text->mPixelFormatNames.at(ZYVO_PixelFormat_YCbCr12), "YCbCr 4:2:2 12-bit");
}

// A slip in the format table shows up as a repeated name or a format without a raster.
TEST_F(TextTablesTest, everyNamedFormatIsDistinctAndHasAPicture) {
    ZyvoText* text = ZyvoText::GetInstance();
    ASSERT_NE(text, nullptr);
    std::set<std::string> seen;
    for (const auto& [format, name] : text->mVideoFormatNames) {
        EXPECT_TRUE(seen.insert(name).second) << "repeated name " << name;
        unsigned width = 0;
        EXPECT_EQ(ZyvoVideoConfiguration(format).GetPictureWidth(width), 1) << name;
    }
    EXPECT_EQ(seen.size(), 47u);
}

TEST_F(TextTablesTest, oneInstanceForTheProcess) {
    EXPECT_EQ(ZyvoText::GetInstance(), ZyvoText::GetInstance());
}

TEST_F(TextTablesTest, absentWhenTheBenchSaysSo) {
    useBench("text absent\n");
    EXPECT_EQ(ZyvoText::GetInstance(), nullptr);
}

TEST_F(TextTablesTest, resetDropsEntriesLeftByLookupsAndRestoresNames) {
    ZyvoText* text = ZyvoText::GetInstance();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->mVideoFormatNames[static_cast<ZyvoVideoFormat>(7)], "");
    text->mVideoRateNames[ZYVO_VideoRate_2997] = "changed";

    zyvosim::reset();
    EXPECT_EQ(text->mVideoFormatNames.count(static_cast<ZyvoVideoFormat>(7)), 0u);
    EXPECT_EQ(text->mVideoRateNames.at(ZYVO_VideoRate_2997), "29.97");
}

} // namespace
