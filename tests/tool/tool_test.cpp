// The zyvodiag program as a user runs it: its output and its exit status.
#include "tool_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

class ToolTest : public ::testing::Test {
protected:
    std::string benchFile(const std::string& text) {
        std::string path = ::testing::TempDir() + "zyvodiag-tool-bench.txt";
        std::ofstream(path) << text;
        return path;
    }
};

TEST_F(ToolTest, parseWithAnUnsupportedPairWarnsAndFallsBackToFormat19) {
    ToolRun run = runTool("parse -f5 -r47");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Warning !!! Video Format selection (rate: 8, std: 5, fmt: 19) is "
                           "unsupported !!!\ncontext: 720p default case\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("video format         19 (1080i 29.97)"), std::string::npos) << run.out;
}

TEST_F(ToolTest, parseWithAnInputOutOfRangeFails) {
    ToolRun run = runTool("parse -i9");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(" -i : SDI input range is 1-8\n"), std::string::npos) << run.out;
}

TEST_F(ToolTest, audioShowsAllChannels) {
    ToolRun run = runTool("audio -n* -t1");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("channel count        all"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("test type            1 (HDMI)"), std::string::npos) << run.out;
}

TEST_F(ToolTest, openOnTheDefaultBenchPasses) {
    ToolRun run = runTool("open");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "device 0 opened\ndevice 0 closed\n");
}

TEST_F(ToolTest, openOnABenchWithAFailingDeviceFails) {
    ToolRun run = runTool("--sim " + benchFile("fault device.Open -1\n") + " open");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("device 0 open failed (Fpga fail to load ?)"), std::string::npos)
        << run.out;
}

TEST_F(ToolTest, unusableCommandLinesExitWith2) {
    EXPECT_EQ(runTool("").status, 2);
    EXPECT_EQ(runTool("frobnicate").status, 2);
    EXPECT_EQ(runTool("--sim").status, 2);
    EXPECT_EQ(runTool("--sim /nonexistent/bench open").status, 2);
}

TEST_F(ToolTest, badBenchFileIsRefusedNamingItsLine) {
    ToolRun run = runTool("--sim " + benchFile("# fine\nwibble 3\n") + " open");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(":2:"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("device 0 opened"), std::string::npos) << run.out;
}

} // namespace
