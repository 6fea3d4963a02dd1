// The SDI loop as a user runs it: one zyvodiag invocation plays a pattern out, the next captures
// it on the cabled input, a third writes the pattern itself, and compare finds them identical.
// The invocations share the card through one state directory, as they would share hardware.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <fstream>

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

// Each output's own pattern, so a frame taken from the wrong store or the wrong input shows;
// every pixel format, across the interlaced, 720p and 1080p rasters.
TEST_F(SdiLoopTest, everyOutputReachesItsOwnInputInEveryPixelFormat) {
    const struct {
        int pattern;
        int pixelFormat;
        const char* raster;
    } outputs[] = {{2, 2, "-f5 -r59"}, {1, 1, "-f6 -r29"}, {7, 4, "-f7 -r24"},  {0, 5, "-f6 -r29"},
                   {5, 2, "-f5 -r59"}, {6, 2, "-f5 -r59"}, {15, 1, "-f5 -r50"}, {9, 2, "-f5 -r59"}};
    for (int n = 1; n <= 8; ++n) {
        const auto& c = outputs[n - 1];
        ToolRun compare = loop(n, c.pattern, c.pixelFormat, c.raster);
        EXPECT_EQ(compare.status, 0) << n;
        EXPECT_EQ(compare.out, identical()) << n;
    }
}

} // namespace
