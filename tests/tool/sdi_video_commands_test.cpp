// The SDI loop as a user runs it: one zyvodiag invocation plays a pattern out, the next captures
// it on the cabled input, a third writes the pattern itself, and compare finds them identical.
// The invocations share the card through one state directory, as they would share hardware.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

class SdiLoopTest : public ::testing::Test {
protected:
    static std::string file(const std::string& name) { return zyvotest::scratchPath(name); }
    // zyvodiag on the card in the test's directory, which every run of the test shares.
    static ToolRun onTheCard(const std::string& arguments) {
        return runTool(arguments, "ZYVO_SIM_STATE=" + zyvotest::scratchDirectory());
    }

    // Output N, capture input N, the pattern's own file, compare: the compare run.
    ToolRun loop(int n, int pattern, int pixelFormat, const std::string& raster) {
        std::string video = " -p" + std::to_string(pattern) + " -v" + std::to_string(pixelFormat) +
                            " " + raster + " ";
        std::string story = "N=" + std::to_string(n) + video;
        EXPECT_EQ(onTheCard("output -o" + std::to_string(n) + video).status, 0) << story;
        ToolRun capture = onTheCard("capture -i" + std::to_string(n) + video + file("captured"));
        EXPECT_EQ(capture.status, 0) << story << capture.out;
        EXPECT_EQ(onTheCard("capture-pattern -o1" + video + file("expected")).status, 0) << story;
        return runTool("compare " + file("expected") + " " + file("captured"));
    }
    static std::string identical() {
        return file("expected") + " and " + file("captured") + " are identical\n";
    }
};

struct Loop {
    int n;
    int pattern;
    int pixelFormat;
    const char* raster;
};

// The switches the loop runs with, as the test's name shows them.
void PrintTo(const Loop& c, std::ostream* out) {
    *out << "-o" << c.n << " -p" << c.pattern << " -v" << c.pixelFormat << " " << c.raster;
}

class SdiLoopTable : public SdiLoopTest, public ::testing::WithParamInterface<Loop> {};

TEST_P(SdiLoopTable, capturedFrameIsThePatternPlayedOut) {
    const Loop& c = GetParam();
    ToolRun compare = loop(c.n, c.pattern, c.pixelFormat, c.raster);
    EXPECT_EQ(compare.status, 0);
    EXPECT_EQ(compare.out, identical());
}

// One row for each pixel format, across the interlaced, 720p and 1080p rasters.
INSTANTIATE_TEST_SUITE_P(Combinations, SdiLoopTable,
                         ::testing::Values(Loop{2, 1, 1, "-f6 -r29"}, Loop{3, 7, 4, "-f7 -r24"},
                                           Loop{4, 0, 5, "-f6 -r29"}, Loop{7, 15, 1, "-f5 -r50"}));

// A pattern of its own for each output, so a frame taken from the wrong store or the wrong
// input shows.
TEST_F(SdiLoopTest, everyOutputReachesItsOwnInput) {
    const int patterns[] = {1, 2, 3, 4, 5, 6, 7, 9};
    for (int n = 1; n <= 8; ++n) {
        ToolRun compare = loop(n, patterns[n - 1], 2, "-f5 -r59");
        EXPECT_EQ(compare.status, 0) << n;
        EXPECT_EQ(compare.out, identical()) << n;
    }
}

// Output 2 is cabled to input 2: input 3 sees nothing.
TEST_F(SdiLoopTest, captureWithNoSignalLeavesTheFileUntouched) {
    std::ofstream(file("captured")) << "untouched";
    ASSERT_EQ(onTheCard("output -o2 -p9").status, 0);
    EXPECT_TRUE(tooltest::endedWith(onTheCard("capture -i3 -D " + file("captured")), 1,
                                    {"\nNo valid input detected for SDI input 3\n"}));
    EXPECT_EQ(zyvotest::fileText(file("captured")), "untouched");
}

} // namespace
