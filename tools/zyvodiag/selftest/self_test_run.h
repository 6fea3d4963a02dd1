// One self-test as it runs: the tool's own commands run through the tool's runner, its frames
// and what each step found.
#pragma once

#include "commands/command_runner.h"
#include "pictures/frame_geometry.h"
#include "selftest/frame_comparison.h"
#include "simulator/simulator_probe.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace zyvodiag {

// A frame file a test wrote, and what the report shows of it.
struct TestFrame {
    std::string file;
    FrameShape shape;
    size_t size;
    std::string preview;    // the PNG beside it, once written
    std::string difference; // the difference picture of a failed comparison, if any
};

// What a failed test leaves for choosing its root cause once every test has run.
struct RootCauseEvidence {
    // Device calls that failed within the command that failed the test, in order.
    std::vector<std::string> failingCalls;
    // Device calls that failed within each of the test's commands that passed, in order.
    std::vector<std::vector<std::string>> passedCommandCalls;
    // A fault of the device the failing command's trace or frames show without a failed call.
    std::string deviceFault;
    // What the tool or the library said was wrong, last.
    std::string finding;
    // The analyser's object for the last frame comparison that failed (analysisJson); null
    // when none did.
    nlohmann::json analysis;
};

class TestRun {
public:
    // Frame files go into `directory`; with `keep`, they stay there. `toolOptions` go before
    // each command the test records ({"--sim", FILE}), so it can be typed again as it ran.
    // With `decodeFrames` every pair is decoded for its pictures, passed or not.
    TestRun(std::string directory, bool keep, std::vector<std::string> toolOptions,
            bool decodeFrames);
    ~TestRun();
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    // `zyvodiag NAME ARGUMENTS` through the tool's runner, its output kept in the test's log.
    // False when it did not pass.
    bool command(const std::string& name, const std::vector<std::string>& arguments);
    const CommandResult& lastResult() const { return mLast; }

    // The pair of frame files named after `stem` ("sdi3-expected.raw", "sdi3-captured.raw"),
    // the captured one coming through `port` ("SDI input 3").
    FramePair framePair(const std::string& stem, const FrameFormat& format,
                        const std::string& port);
    // `zyvodiag compare SWITCHES EXPECTED CAPTURED`; then both frames decoded once and, when
    // they differ, their statistics logged and the analyser's verdict noted as the finding.
    bool compare(const FramePair& pair, const std::vector<std::string>& switches);
    // A frame the test read itself (the LCD's), written as `stem`.raw for the report.
    bool keepFrame(const std::string& stem, const FrameShape& shape,
                   const std::vector<uint8_t>& bytes);

    // A line of the tool's own in the test's log; the last one before a failure stands as the
    // finding when no device call explains it.
    void note(const std::string& text);

    // Records that a command of the test checks what only a simulated device shows (a look
    // inside the card, where no input can see), and why.
    void simulatorOnly(const std::string& why) { mSimulatorOnly = why; }

    const std::string& log() const { return mLog; }
    std::vector<TestFrame>& frames() { return mFrames; }
    // The comparisons of the test, their frames decoded, for the pictures.
    std::vector<FrameComparison>& comparisons() { return mComparisons; }
    // The commands run, each word quoted for a shell: "zyvodiag capture -i3 ... FILE".
    const std::vector<std::string>& commands() const { return mCommands; }
    const RootCauseEvidence& evidence() const { return mEvidence; }
    const std::string& simulatorOnly() const { return mSimulatorOnly; }

private:
    // Where each command's calls start and end in the call trace, and its arguments.
    struct CommandCalls {
        std::string name;
        std::vector<std::string> arguments;
        size_t begin;
        size_t end;
    };
    std::vector<TracedCall> callsOf(const std::string& file) const;
    std::vector<TracedCall> callsOf(const CommandCalls& command) const;

    std::string mDirectory;
    bool mKeep;
    std::vector<std::string> mToolOptions;
    bool mDecodeFrames;
    std::string mLog;
    CommandResult mLast;
    std::vector<TestFrame> mFrames;
    std::vector<FrameComparison> mComparisons;
    std::vector<std::string> mCommands;
    std::vector<CommandCalls> mCommandCalls;
    RootCauseEvidence mEvidence;
    std::string mSimulatorOnly;
};

} // namespace zyvodiag
