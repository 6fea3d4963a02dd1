// Cards and processes: a self-test holds its card against every other process for its whole run,
// a process killed at any moment leaves its card whole, and --device N runs on card N, so four
// cards self-test side by side.
#include "saved_environment.h"
#include "test_files.h"
#include "tool_process.h"
#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

using tooltest::endedWith;
using tooltest::runScript;
using tooltest::runTool;
using tooltest::ToolRun;
using zyvotest::fileText;
using zyvotest::scratchPath;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The tool runs on a card directory of the test's own, shared by every process the test starts,
// and its temporary files go to the test's directory, which a killed run cannot clean.
class CardProcessesTest : public ::testing::Test {
protected:
    void SetUp() override {
        mkdir(card().c_str(), 0700);
        mkdir(scratchPath("tmp").c_str(), 0700);
    }

    static std::string card() { return scratchPath("card"); }
    // The shell's preamble: the shared card, the virtual clock, and $tool.
    static std::string preamble() {
        return "export ZYVO_SIM_STATE=" + card() + " TMPDIR=" + scratchPath("tmp") +
               " ZYVO_SIM_CLOCK=virtual; tool=\"" + tooltest::toolCommand() + " --quiet\"; ";
    }
    static std::string refusal(const std::string& device = "") {
        return "zyvosim: the simulated device " + device + "in " + card() +
               " is in use by process ";
    }

    // The card's record as its file holds it, read here as the next process would.
    static zyvosim::CardState cardOnFile(unsigned device = 0) {
        zyvotest::SavedEnvironment saved{"ZYVO_SIM_STATE"};
        setenv("ZYVO_SIM_STATE", card().c_str(), 1);
        zyvosim::reset();
        zyvosim::CardState state = zyvosim::cardState(device);
        saved.restore();
        zyvosim::reset();
        return state;
    }
};

// While a self-test runs on a healthy card, other processes keep asking for it: sim-reset, a
// second self-test and a plain command. Each is refused, naming the holder, for as long as the
// holder runs, and the holder's verdicts are all passes.
TEST_F(CardProcessesTest, aSelfTestHoldsItsCardAgainstEveryOtherProcess) {
    // An attempt that ended before the holder's totals appeared ran while the card was held.
    ToolRun run = runScript(preamble() + "out=" + scratchPath("holder.out") + "; refusal='" +
                            refusal() + "'\n" + R"(
$tool selftest >$out 2>&1 & holder=$!
for i in $(seq 3000); do grep -q '1/16' $out && break; sleep 0.01; done
for round in $(seq 1000); do
    grep -q Total: $out && break
    for command in sim-reset selftest 'ltc-mode in'; do
        said=$($tool $command 2>&1); status=$?
        grep -q Total: $out && break
        case "$said" in
        *"$refusal$holder"*) echo "refused $command $status" ;;
        *) echo "not refused: $command: $said" ;;
        esac
    done
done
wait $holder; echo "holder status $?"; cat $out)");
    EXPECT_TRUE(
        endedWith(run, 0,
                  {"refused sim-reset 1\n", "refused selftest 1\n", "refused ltc-mode in 1\n",
                   "holder status 0\n", "Total: 16, Passed: 16, Failed: 0\n"}));
    EXPECT_FALSE(contains(run.out, "not refused")) << run.out;
    EXPECT_FALSE(contains(run.out, "refused selftest 0")) << run.out;
}

struct KilledCommand {
    const char* command;
    const char* virtualClockMoments; // seconds after the start, spread over the whole command
    const char* realClockMoment;     // when the command is in one of its waits
    bool powersOn;                   // the command powers the card off and on first
};

const char* const kShortRun = "0 0.005 0.01 0.015 0.02 0.03 0.045 0.06";

// Each long command is killed at many moments: on the virtual clock from its start to its end,
// and on the real clock in one of its waits. The next command never finds the card damaged, and
// the card keeps what earlier commands programmed there: LTC out, the HDMI output's sources.
TEST_F(CardProcessesTest, aCommandKilledAtAnyMomentLeavesTheCardWhole) {
    const KilledCommand rows[] = {
        {"hdmi-capture -f6 -r29 f.raw", kShortRun, "1.0", false},
        {"ltc-test -r25", kShortRun, "0.5", false},
        {"hdmi-loopback -r29", kShortRun, "1.0", false},
        {"genlock", kShortRun, "0.05", false},
        {"selftest", "0 0.02 0.05 0.1 0.2 0.4 0.8 1.2", "1.5", true},
    };
    ToolRun program = runScript(preamble() + "$tool ltc-mode out && $tool hdmi-output -f6 -r29");
    ASSERT_EQ(program.status, 0) << program.out;
    const zyvosim::CardState programmed = cardOnFile();
    for (const KilledCommand& row : rows) {
        SCOPED_TRACE(row.command);
        const std::string kill = " >/dev/null 2>&1 & sleep $moment; kill -9 $!; wait $!; $tool "
                                 "ltc-mode 2>&1; done\n";
        ToolRun run = runScript(preamble() + "cd " + scratchPath("tmp") + "; exec 2>/dev/null\n" +
                                "for moment in " + row.virtualClockMoments + "; do $tool " +
                                row.command + kill + "for moment in " + row.realClockMoment +
                                "; do ZYVO_SIM_CLOCK=real $tool " + row.command + kill);
        // After each kill the next command finds the card undamaged and says which way LTC goes.
        EXPECT_TRUE(
            std::regex_match(run.out, std::regex(row.powersOn ? "((in|out)\n){9}" : "(out\n){9}")))
            << run.out;
        if (row.powersOn) {
            continue;
        }
        const zyvosim::CardState now = cardOnFile();
        EXPECT_EQ(now.ltc.mode, programmed.ltc.mode);
        for (size_t i = 0; i < std::size(now.hdmiOutput.videoSource); ++i) {
            EXPECT_EQ(now.hdmiOutput.videoSource[i], programmed.hdmiOutput.videoSource[i]);
        }
    }
}

// Four self-tests at once on the four cards of one bench, each with its own reports: every one
// passes, and every report names its own card and no other. (The HTML report, whose pictures take
// long, is made of a run with one test.)
TEST_F(CardProcessesTest, fourCardsSelfTestSideBySide) {
    const std::string bench =
        "--sim " + zyvotest::scratchFile("bench", zyvosim::defaultBenchText() + "devices 4\n");
    std::string script = preamble();
    for (const char* n : {"0", "1", "2", "3"}) {
        script += "$tool " + bench + " --device " + n + " selftest --json " + scratchPath(n) +
                  ".json --junit " + scratchPath(n) + ".xml >" + scratchPath(n) +
                  ".out 2>&1 & runs[" + n + "]=$!\n";
    }
    script += "for run in ${runs[@]}; do wait $run; echo \"status $?\"; done\n$tool " + bench +
              " --device 3 selftest --only 12 --html " + scratchPath("3.html") + " >/dev/null";
    EXPECT_EQ(runScript(script).out, "status 0\nstatus 0\nstatus 0\nstatus 0\n");
    for (const std::string n : {"0", "1", "2", "3"}) {
        std::vector<std::string> reports = {n + ".out", n + ".json", n + ".xml"};
        if (n == "3") {
            reports.push_back("3.html/index.html");
        }
        for (const std::string& report : reports) {
            const std::string text = fileText(scratchPath(report));
            SCOPED_TRACE(report);
            EXPECT_TRUE(contains(text, "simulated device " + n + " (state in " + card() + ")"));
            for (const char* other : {"0", "1", "2", "3"}) {
                EXPECT_EQ(contains(text, "simulated device " + std::string(other) + " ("),
                          n == other);
            }
        }
        EXPECT_TRUE(
            contains(fileText(scratchPath(n + ".out")), "Total: 16, Passed: 16, Failed: 0\n"));
        // The commands to type again run on the same card.
        EXPECT_EQ(contains(fileText(scratchPath(n + ".json")), "--device " + n + " "), n != "0");
    }
}

// Device N is opened with the calls the library's open makes for device 0, N in place of 0, and
// its card is its own: a power cycle of one card leaves the others as they were.
TEST_F(CardProcessesTest, theDeviceOptionOpensAndResetsOnlyItsCard) {
    const std::string bench =
        "--sim " + zyvotest::scratchFile("bench", zyvosim::defaultBenchText() + "devices 2\n");
    ToolRun first = runTool(bench + " --trace open", "ZYVO_SIM_STATE=" + card());
    ToolRun second = runTool(bench + " --trace --device=1 open", "ZYVO_SIM_STATE=" + card());
    std::string expected = first.out;
    for (const std::string device0 : {"device 0 opened", "device 0 closed", "LocalDevice(0)"}) {
        std::string device1 = device0;
        device1[device1.find('0')] = '1';
        expected.replace(expected.find(device0), device0.size(), device1);
    }
    EXPECT_TRUE(endedWith(second, 0, {"device 1 opened\n", "CreateLocalDevice(1) -> 1"}));
    EXPECT_EQ(second.out, expected);

    ToolRun run =
        runScript(preamble() + "$tool " + bench + " ltc-mode out && $tool " + bench +
                  " --device 1 ltc-mode out && $tool " + bench + " --device 1 sim-reset && $tool " +
                  bench + " ltc-mode && $tool " + bench + " --device 1 ltc-mode");
    EXPECT_EQ(run.out, "simulated device 1 in " + card() + " powered off and on\nout\nin\n");
}

} // namespace
