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
    {1,  "486i default case",    6,  4,   6,  4,   7},
    {2,  "486p default case",    8,  5,   11, 6,   9},
    {3,  "576i default case",    5,  8,   5,  8,   6},
    {4,  "576p default case",    10, 9,   10, 9,   11},
    {5,  "720p default case",    3,  10,  12, 17,  8},
    {6,  "1080i default case",   5,  18,  7,  20,  3},
    {7,  "1080p default case",   3,  26,  12, 35,  13},
    {19, "4k1080p default case", 3,  64,  7,  68,  8},
    {24, "4096p default case",   6,  178, 11, 181, 12},
};
// clang-format on

// Standards the table has no row for, and a rate to ask them with.
const std::pair<int32_t, int32_t> kStandardsWithoutRow[] = {{0, 6}, {8, 5}, {17, 6}};

class VideoFormatTableTest : public CommandLineTest {
protected:
    // The format of (rate, standard); what the lookup printed goes to mOut.
    int32_t lookUp(int32_t rate, int32_t standard) {
        auto looked = zyvotest::captured([&] {
            return mRecord.videoFormatFromFrameRateAndVideoStandard(
                static_cast<ZyvoVideoRate>(rate), static_cast<ZyvoVideoStandard>(standard));
        });
        mOut = looked.out;
        return looked.result;
    }
    void expectFallback(int32_t rate, int32_t standard, const std::string& context) {
        EXPECT_EQ(lookUp(rate, standard), 19);
        EXPECT_EQ(mOut, formatWarning(rate, standard, context));
    }
};

// Rates outside 3 to 12 are unsupported in every row; an unsupported pair falls back to 19.
TEST_F(VideoFormatTableTest, everyStandardsEdgesAndAnUnsupportedRate) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.context);
        EXPECT_EQ(lookUp(row.firstRate, row.standard), row.firstFormat);
        EXPECT_EQ(lookUp(row.lastRate, row.standard), row.lastFormat);
        EXPECT_EQ(mOut, "");
        expectFallback(row.unsupportedRate, row.standard, row.context);
        expectFallback(2, row.standard, row.context);
    }
    for (auto [standard, rate] : kStandardsWithoutRow) {
        SCOPED_TRACE(standard);
        expectFallback(rate, standard, "videoStanard default case");
        expectFallback(2, standard, "videoStanard default case");
    }
}

} // namespace
