// The LTC, genlock and LCD commands of zyvodiag as a user runs them, one card kept between runs.
#include "test_files.h"
#include "tool_process.h"
#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

class TimingToolTest : public ::testing::Test {
protected:
    void TearDown() override { zyvosim::reset(); }

    // Runs zyvodiag on the default bench plus `benchLines`, its card in this test's directory and
    // its waits on the virtual clock the tests run on, so the two seconds of the LTC test cost
    // nothing.
    ToolRun run(const std::string& arguments, const std::string& benchLines = "") {
        return runTool("--sim " + zyvotest::scratchFile("bench", benchText(benchLines)) + " " +
                       arguments);
    }

    // The card the runs left behind, as the next command would find it.
    const zyvosim::CardState& card() {
        std::string error;
        EXPECT_TRUE(zyvosim::loadBench(benchText(""), error)) << error;
        return zyvosim::cardState();
    }

private:
    std::string benchText(const std::string& lines) {
        std::string bench =
            zyvosim::defaultBenchText() + "\nstate-dir " + zyvotest::scratchDirectory() + "\n";
        for (char c : lines) {
            bench += c == ';' ? '\n' : c;
        }
        return bench + "\n";
    }
};

// Each command prints its result and exits with its verdict, on the default bench plus the
// directives of its row (';' between them).
TEST_F(TimingToolTest, eachCommandPrintsItsResultAndExitsWithItsVerdict) {
    const struct {
        const char* arguments;
        const char* bench;
        int status;
        const char* out;
    } cases[] = {
        {"ltc-get", "ltc-source rate 5 start 23:59:59:24", 0, "23:59:59:24\n"},
        {"ltc-set 10:20:30:12", "ltc-port input", 1,
         "zyvodiag ltc-set: failed (-D shows the detail)\n"},
        {"ltc-set 1:2:3", "", 2, "zyvodiag ltc-set: needs a timecode HH:MM:SS:FF, not '1:2:3'\n"},
        {"ltc-set 10:60:30:12", "", 2,
         "zyvodiag ltc-set: '10:60:30:12': minutes 60 is out of range 0-59\n"},
        {"ltc-set 25:00:00:00", "", 2,
         "zyvodiag ltc-set: '25:00:00:00': hours 25 is out of range 0-23\n"},
        {"ltc-mode", "", 0, "in\n"},
        {"ltc-mode out", "ltc-port input", 1,
         " ltcSetMode() LTC output mode not available\n"
         "zyvodiag ltc-mode: failed (-D shows the detail)\n"},
        {"ltc-mode sideways", "", 2, "zyvodiag ltc-mode: mode is 'in' or 'out'\n"},
        {"ltc-rate 26", "", 2,
         "zyvodiag ltc-rate: needs a rate: 23, 24, 25, 29, 30, 47, 48, 50, 59 or 60\n"},
        {"ltc-test", "", 0, ""},
        {"ltc-test", "ltc-source rate 6 start 01:00:00:00 frozen", 1,
         "zyvodiag ltc-test: failed (-D shows the detail)\n"},
        {"genlock", "", 0, ""},
        // The rows share one card: here the bars never reach the panel's store, whose memory
        // still holds nothing, as no row before has written it.
        {"lcd -b2", "fault DMA.DoDma -1 once", 1,
         "LCD should show colour bars: pixel 0 of the LCD picture is not opaque\n"
         "zyvodiag lcd: failed (-D shows the detail)\n"},
        {"lcd -b0", "", 0, "LCD shows black\n"},
        {"lcd -b2", "", 0, "LCD shows colour bars\n"},
    };
    for (const auto& c : cases) {
        const ToolRun result = run(c.arguments, c.bench);
        EXPECT_EQ(result.status, c.status) << c.arguments << " / " << c.bench;
        EXPECT_EQ(result.out, c.out) << c.arguments << " / " << c.bench;
    }
}

TEST_F(TimingToolTest, timecodeModeAndRateStayOnTheCardForTheNextCommand) {
    const ToolRun set = run("ltc-set 10:20:30:12");
    EXPECT_EQ(set.status, 0);
    EXPECT_EQ(set.out, "");
    EXPECT_EQ(card().ltc.outputLow, 0x03000102u);
    EXPECT_EQ(card().ltc.outputHigh, 0x01000200u);
    EXPECT_EQ(run("ltc-mode out").status, 0);
    EXPECT_EQ(run("ltc-mode").out, "out\n");
    EXPECT_EQ(run("ltc-rate 25").status, 0);
    EXPECT_EQ(card().ltc.rate, 5);
}

} // namespace
