// The zyvodiag program as a user runs it: its output and its exit status.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tooltest::endedWith;
using tooltest::runTool;
using tooltest::ToolRun;

std::string benchFile(const std::string& text) {
    return zyvotest::scratchFile("bench", text);
}

TEST(ToolTest, openPassesOnTheDefaultBench) {
    ToolRun run = runTool("open");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "device 0 opened\ndevice 0 closed\n");
}

// What each command line ends with, its status and what it says. Long options take
// "--opt VALUE" and "--opt=VALUE" alike; a misspelt one names the nearest.
TEST(ToolTest, eachCommandLineSaysWhatItDidAndExitsWithItsStatus) {
    const struct {
        std::string arguments;
        int status;
        std::string says, alsoSays;
    } rows[] = {
        {"--allow-fallback parse -f5 -r47", 0,
         "Warning !!! Video Format selection (rate: 8, std: 5, fmt: 19) is unsupported !!!\n"
         "context: 720p default case\n",
         "video format         19 (1080i 29.97)"},
        {"parse -i9", 2, " -i : SDI input range is 1-8\n", ""},
        {"audio -n* -t1", 0, "channel count        all", "test type            1 (HDMI)"},
        {"--sim " + benchFile("fault device.Open -1\n") + " open", 1,
         "device 0 open failed (Fpga fail to load ?)", ""},
        {"--sim=/nonexistent/bench open", 2, "/nonexistent/bench", ""},
        {"--simm x open", 2, "zyvodiag: unknown option --simm; did you mean --sim?", ""},
        {"--trace=1 open", 2, "zyvodiag: --trace takes no value", ""},
        {"open --trace", 2, "zyvodiag open: --trace goes before the command", ""},
        {"selftest --jsn r.json", 2,
         "zyvodiag selftest: unknown option --jsn; did you mean --json?", ""},
        {"monitor --sdi=1", 2, "zyvodiag monitor: --sdi takes no value", ""},
        {"view frame.raw --help", 0, "usage:  zyvodiag view [switches] file", ""},
        {"--sim " + zyvotest::scratchFile("bad.bench", "# fine\nwibble 3\n") + " open", 2,
         ":2: unknown directive", ""},
        // --device: its value, and where it goes.
        {"--device=x open", 2, "zyvodiag: --device 'x': a local device number from 0 to 65535\n",
         ""},
        {"--device 65536 open", 2,
         "zyvodiag: --device '65536': a local device number from 0 to 65535\n", ""},
        {"--device", 2, "zyvodiag: --device needs a local device number\n", ""},
        {"open --device 1", 2, "--device goes before the command", ""},
        {"--device 2 open", 1, "zyvodiag: no local device 2: the device library found 1\n", ""},
        {"--device 2 sim-reset", 1, "zyvosim: the bench has no device 2 (it has 1)\n", ""},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(endedWith(runTool(row.arguments), row.status, {row.says, row.alsoSays}))
            << row.arguments;
    }
}

TEST(ToolTest, unusableCommandLinesExitWith2) {
    for (const char* arguments : {"", "frobnicate", "--sim", "--sim /nonexistent/bench open",
                                  "list extra", "selftest --frobnicate", "selftest --json",
                                  "compare --diff-png", "audio -q", "output -q"}) {
        EXPECT_EQ(runTool(arguments).status, 2) << arguments;
    }
}

} // namespace
