// Command lines the tool must refuse, and commands that fail or are interrupted: a clear
// message, a non-zero status, and no file left under the name asked for.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;
using zyvotest::listing;

std::string file(const std::string& name) {
    return zyvotest::scratchPath(name);
}

using BadInputTest = ::testing::Test;

TEST_F(BadInputTest, unusableSwitchesAndFilesAreRefusedBeforeTheDeviceIsTouched) {
    std::filesystem::create_directory(file("sub"));
    struct Row {
        std::string arguments;
        std::string message;
    } rows[] = {
        // 4,147,200-byte frames from 16 MiB: frame 1031 ends past 4 GiB, so its address would wrap.
        {"save -b1031 " + file("f"), "-b1031: frame 1031 of 4147200 bytes lies beyond"},
        {"capture-pattern -b4294967295 " + file("f"), "lies beyond the device's 32-bit"},
        {"capture -b4294967295 " + file("f"), "lies beyond the device's 32-bit"},
        {"hdmi-capture -b4294967295 " + file("f"), "lies beyond the device's 32-bit"},
        {"output -b4294967295", "lies beyond the device's 32-bit"},
        {"monitor -b4294967295", "lies beyond the device's 32-bit"},
        {"generate -b6", "-b6: the playout store is 0 to 5"},
        {"save " + file("sub"), file("sub") + ": Is a directory"},
        {"capture-pattern " + file("missing/f"), file("missing") + ": No such file"},
        {"compare " + file("sub") + " " + file("sub"), file("sub") + ": Is a directory"},
        {"compare " + file("none") + " " + file("sub"), file("none") + ": No such file"},
        {"--sim " + file("sub") + " open", file("sub") + ": cannot read: Is a directory"},
    };
    for (const Row& row : rows) {
        ToolRun run = runTool(row.arguments);
        SCOPED_TRACE(row.arguments + "\n" + run.out);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.message), std::string::npos);
        EXPECT_EQ(run.out.find("device 0"), std::string::npos);
    }
    EXPECT_EQ(listing(), std::vector<std::string>{"sub"});
}

// Commands that fail as they run: each ends with its status and message, the file asked for
// left as it was (or never made), a device file still the device.
TEST_F(BadInputTest, aFailedCommandKeepsTheFileThatWasThere) {
    std::ofstream(file("f")) << "earlier frame";
    std::ofstream(file("bench")) << "interrupt DMA.DoDma once\n";
    const struct {
        std::string arguments;
        int status;
        std::string message;
    } rows[] = {
        // Frame 1030 still has a 32-bit address, but one the card's memory does not reach.
        {"save -b1030 " + file("f"), 1, "frameBufferDmaToFile() Error dma-ing"},
        {"--sim " + file("bench") + " capture-pattern " + file("f"), 130,
         "zyvodiag capture-pattern: interrupted; no file written\n"},
        // Nothing plays on the card of this run: input 3 sees nothing.
        {"capture -i3 -D " + file("f"), 1, "\nNo valid input detected for SDI input 3\n"},
        // A device file is written in place: renaming a temporary over it would replace the
        // device.
        {"save /dev/full", 1, "frameBufferDmaToFile() Failed to write file (ferror = 1)\n"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(tooltest::endedWith(runTool(row.arguments), row.status, {row.message}))
            << row.arguments;
    }
    EXPECT_EQ(zyvotest::fileText(file("f")), "earlier frame");
    EXPECT_EQ(listing(), (std::vector<std::string>{"bench", "f"}));
    struct stat facts {};
    ASSERT_EQ(stat("/dev/full", &facts), 0);
    EXPECT_TRUE(S_ISCHR(facts.st_mode));
}

} // namespace
