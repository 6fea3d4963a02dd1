// Command lines the tool must refuse, and commands that fail or are interrupted: a clear
// message, a non-zero status, and no file left under the name asked for.
#include "scratch_directory.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

class BadInputTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return mScratch / name; }
    // The names of the files in the directory.
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(mScratch.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    tooltest::ScratchDirectory mScratch;
};

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

// Frame 1030 still has a 32-bit address, but one the card's memory does not reach.
TEST_F(BadInputTest, failedSaveKeepsTheFileThatWasThere) {
    std::ofstream(file("f")) << "earlier frame";
    ToolRun run = runTool("save -b1030 " + file("f"));
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("frameBufferDmaToFile() Error dma-ing"), std::string::npos) << run.out;
    std::ifstream kept(file("f"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier frame");
    EXPECT_EQ(listing(), std::vector<std::string>{"f"});
}

TEST_F(BadInputTest, interruptedCaptureWritesNoFile) {
    std::ofstream(file("bench")) << "interrupt DMA.DoDma once\n";
    ToolRun run = runTool("--sim " + file("bench") + " capture-pattern " + file("f"));
    EXPECT_EQ(run.status, 130) << run.out;
    EXPECT_NE(run.out.find("zyvodiag capture-pattern: interrupted; no file written\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(listing(), std::vector<std::string>{"bench"});
}

// A device file is written in place: renaming a temporary over it would replace the device.
TEST_F(BadInputTest, fullDiskIsAFailedWriteAndTheDeviceFileStays) {
    ToolRun run = runTool("save /dev/full");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("frameBufferDmaToFile() Failed to write file (ferror = 1)\n"),
              std::string::npos)
        << run.out;
    struct stat facts {};
    ASSERT_EQ(stat("/dev/full", &facts), 0);
    EXPECT_TRUE(S_ISCHR(facts.st_mode));
}

} // namespace
