// The simulated card on a shared machine as the tool's user meets it: sim-reset leaves a card
// another process holds alone and fails, and a bench that is no short text file is refused at
// once.
#include "scratch_directory.h"
#include "tool_process.h"

#include "ZyvoDevice.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

// This process and the tools it starts use the card in `directory` while the object lives.
class CardIn {
public:
    explicit CardIn(const std::string& directory) {
        const char* before = std::getenv("ZYVO_SIM_STATE");
        mBefore = before != nullptr ? before : "";
        setenv("ZYVO_SIM_STATE", directory.c_str(), 1);
        zyvosim::reset();
    }
    ~CardIn() {
        setenv("ZYVO_SIM_STATE", mBefore.empty() ? "private" : mBefore.c_str(), 1);
        zyvosim::reset();
    }

private:
    std::string mBefore;
};

TEST(SimSafetyTest, simResetOfAHeldCardFailsAndNamesTheHolder) {
    tooltest::ScratchDirectory scratch;
    CardIn card(scratch.path());
    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    factory.FindLocalDevices();
    ASSERT_EQ(factory.CreateLocalDevice(0, device), 1);

    ToolRun held = runTool("sim-reset");
    EXPECT_EQ(held.status, 1);
    EXPECT_EQ(held.out, "zyvosim: the simulated device in " + scratch.path() +
                            " is in use by process " + std::to_string(getpid()) + "\n");
    factory.ReleaseDevice(device);
    ToolRun free = runTool("sim-reset");
    EXPECT_EQ(free.status, 0);
    EXPECT_EQ(free.out, "simulated device in " + scratch.path() + " powered off and on\n");
}

// A FIFO would wait for a writer forever, /dev/zero be read until memory ran out.
TEST(SimSafetyTest, aBenchThatIsNoShortTextFileIsRefusedAtOnce) {
    tooltest::ScratchDirectory scratch;
    const std::string fifo = scratch / "lab.bench";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& bench : {fifo, std::string("/dev/zero")}) {
        ToolRun run = runTool("--sim " + bench + " open");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "zyvodiag: " + bench + ": cannot read: not a regular file\n");
    }
}

} // namespace
