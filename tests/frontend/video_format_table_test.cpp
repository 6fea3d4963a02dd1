// The standard-by-rate table: the first and last supported cell of each standard, and the
// warning, with the row's own context, of an unsupported cell.
#include "command_line_test.h"

namespace {

struct Row {
    int32_t standard;
    const char* context;
    int32_t firstRate, firstFormat, lastRate, lastFormat; // supported cells, rate 3 (23.98) to 12
    int32_t unsupportedRate;
};

// clang-format off
const Row kRows[] = {
    {1,  "486i default case",         6,  4,   6,  4,   7},
    {2,  "486p default case",         8,  5,   11, 6,   9},
    {3,  "576i default case",         5,  8,   5,  8,   6},
    {4,  "576p default case",         10, 9,   10, 9,   11},
    {5,  "720p default case",         3,  10,  12, 17,  8},
    {6,  "1080i default case",        5,  18,  7,  20,  3},
    {7,  "1080p default case",        3,  26,  12, 35,  13},
    {19, "4k1080p default case",      3,  64,  7,  68,  8},
    {24, "4096p default case",        6,  178, 11, 181, 12},
    {0,  "videoStanard default case", 0,  0,   0,  0,   6},
    {8,  "videoStanard default case", 0,  0,   0,  0,   5},
    {17, "videoStanard default case", 0,  0,   0,  0,   6},
};
// clang-format on

class VideoFormatTableTest : public CommandLineTest {
protected:
    // The format of (rate, standard); what the lookup printed goes to mOut.
    int32_t lookUp(int32_t rate, int32_t standard) {
        zyvotest::OutputCapture capture;
        ZyvoVideoFormat format = mRecord.videoFormatFromFrameRateAndVideoStandard(
            static_cast<ZyvoVideoRate>(rate), static_cast<ZyvoVideoStandard>(standard));
        mOut = capture.out();
        return format;
    }
};

// Rates outside 3 to 12 are unsupported in every row; an unsupported pair falls back to 19.
TEST_F(VideoFormatTableTest, everyStandardsEdgesAndAnUnsupportedRate) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.context + (" " + std::to_string(row.standard)));
        if (row.firstRate != 0) {
            EXPECT_EQ(lookUp(row.firstRate, row.standard), row.firstFormat);
            EXPECT_EQ(lookUp(row.lastRate, row.standard), row.lastFormat);
            EXPECT_EQ(mOut, "");
        }
        for (int32_t rate : {row.unsupportedRate, 2}) {
            EXPECT_EQ(lookUp(rate, row.standard), 19);
            EXPECT_EQ(mOut, formatWarning(rate, row.standard, row.context));
        }
    }
}

} // namespace
