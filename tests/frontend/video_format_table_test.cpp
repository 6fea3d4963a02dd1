// The standard-by-rate table: every cell, and the warning of every unsupported one.
#include "command_line_test.h"

namespace {

struct Row {
    int32_t standard;
    const char* context;
    int32_t formats[10]; // rates 3 (23.98) to 12 (60); 0 where the pair is unsupported
};

// clang-format off
const Row cRows[] = {
    {1,  "486i default case",         {0,  0,  0,  4,   0,  0,  0,  0,  0,   0}},
    {2,  "486p default case",         {0,  0,  0,  0,   0,  5,  0,  0,  6,   0}},
    {3,  "576i default case",         {0,  0,  8,  0,   0,  0,  0,  0,  0,   0}},
    {4,  "576p default case",         {0,  0,  0,  0,   0,  0,  0,  9,  0,   0}},
    {5,  "720p default case",         {10, 11, 12, 13,  14, 0,  0,  15, 16,  17}},
    {6,  "1080i default case",        {0,  0,  18, 19,  20, 0,  0,  0,  0,   0}},
    {7,  "1080p default case",        {26, 27, 28, 29,  30, 31, 32, 33, 34,  35}},
    {19, "4k1080p default case",      {64, 65, 66, 67,  68, 0,  0,  0,  0,   0}},
    {24, "4096p default case",        {0,  0,  0,  178, 0,  0,  0,  0,  181, 0}},
    {0,  "videoStanard default case", {}},
    {8,  "videoStanard default case", {}},
    {17, "videoStanard default case", {}},
};
// clang-format on

// Names each case by its row in test listings.
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.context;
}

class VideoFormatTableTest : public CommandLineTest, public ::testing::WithParamInterface<Row> {};

// Rates 0 to 2 and 13 to 14 lie outside the table and are unsupported in every row.
TEST_P(VideoFormatTableTest, everyRateOfTheStandard) {
    const Row& row = GetParam();
    for (int32_t rate = 0; rate <= 14; ++rate) {
        SCOPED_TRACE("rate " + std::to_string(rate));
        const int32_t cell = rate >= 3 && rate <= 12 ? row.formats[rate - 3] : 0;
        std::string out;
        ZyvoVideoFormat format;
        {
            zyvotest::OutputCapture capture;
            format = mRecord.videoFormatFromFrameRateAndVideoStandard(
                static_cast<ZyvoVideoRate>(rate), static_cast<ZyvoVideoStandard>(row.standard));
            out = capture.out();
        }
        EXPECT_EQ(format, cell != 0 ? cell : 19);
        EXPECT_EQ(out, cell != 0 ? "" : formatWarning(rate, row.standard, row.context));
    }
}

INSTANTIATE_TEST_SUITE_P(Standards, VideoFormatTableTest, ::testing::ValuesIn(cRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return "standard" + std::to_string(info.param.standard);
                         });

} // namespace
