// The zyvodiag program as a user runs it: its output and its exit status.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

std::string benchFile(const std::string& text) {
    return zyvotest::scratchFile("bench", text);
}

TEST(ToolTest, parseWithAnUnsupportedPairWarnsAndFallsBackToFormat19) {
    ToolRun run = runTool("parse -f5 -r47");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Warning !!! Video Format selection (rate: 8, std: 5, fmt: 19) is "
                           "unsupported !!!\ncontext: 720p default case\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("video format         19 (1080i 29.97)"), std::string::npos) << run.out;
}

TEST(ToolTest, parseWithAnInputOutOfRangeIsAnUnusableCommandLine) {
    ToolRun run = runTool("parse -i9");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(" -i : SDI input range is 1-8\n"), std::string::npos) << run.out;
}

TEST(ToolTest, audioShowsAllChannels) {
    ToolRun run = runTool("audio -n* -t1");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("channel count        all"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("test type            1 (HDMI)"), std::string::npos) << run.out;
}

TEST(ToolTest, openPassesOnTheDefaultBenchAndFailsWithTheDevice) {
    ToolRun run = runTool("open");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "device 0 opened\ndevice 0 closed\n");
    run = runTool("--sim " + benchFile("fault device.Open -1\n") + " open");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("device 0 open failed (Fpga fail to load ?)"), std::string::npos)
        << run.out;
}

// Long options take "--opt VALUE" and "--opt=VALUE" alike; a misspelt one names the nearest.
TEST(ToolTest, longOptionsTakeBothSpellingsAndSuggestTheNearest) {
    struct Row {
        const char* arguments;
        int status;
        const char* says;
    } rows[] = {
        {"--sim=/nonexistent/bench open", 2, "/nonexistent/bench"},
        {"--simm x open", 2, "zyvodiag: unknown option --simm; did you mean --sim?"},
        {"--trace=1 open", 2, "zyvodiag: --trace takes no value"},
        {"open --trace", 2, "zyvodiag open: --trace goes before the command"},
        {"selftest --jsn r.json", 2,
         "zyvodiag selftest: unknown option --jsn; did you mean --json?"},
        {"monitor --sdi=1", 2, "zyvodiag monitor: --sdi takes no value"},
        {"view frame.raw --help", 0, "usage:  zyvodiag view [switches] file"},
    };
    for (const Row& row : rows) {
        ToolRun run = runTool(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(row.says), std::string::npos) << row.arguments << "\n" << run.out;
    }
}

TEST(ToolTest, unusableCommandLinesExitWith2) {
    for (const char* arguments : {"", "frobnicate", "--sim", "--sim /nonexistent/bench open",
                                  "list extra", "selftest --frobnicate", "selftest --json",
                                  "compare --diff-png", "audio -q", "output -q"}) {
        EXPECT_EQ(runTool(arguments).status, 2) << arguments;
    }
}

TEST(ToolTest, badBenchFileIsRefusedNamingItsLine) {
    ToolRun run = runTool("--sim " + benchFile("# fine\nwibble 3\n") + " open");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(":2:"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("device 0 opened"), std::string::npos) << run.out;
}

} // namespace
