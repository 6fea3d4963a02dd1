// A test's commands run through the tool's own runner, and the frames they leave.
#include "selftest/self_test_run.h"

#include "analysis/analysis_json.h"
#include "pictures/frame_file.h"
#include "selftest/root_cause.h"
#include "simulator/simulator_probe.h"
#include "system/pending_file.h"
#include "system/stop_signals.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace zyvodiag {

TestRun::TestRun(std::string directory, bool keep, std::vector<std::string> toolOptions,
                 bool decodeFrames)
    : mDirectory(std::move(directory)), mKeep(keep), mToolOptions(std::move(toolOptions)),
      mDecodeFrames(decodeFrames) {}

// Frames of a test nobody asked to keep go as soon as it ends: a 4K frame is tens of
// megabytes. Its pictures, if any, are drawn from the frames already decoded.
TestRun::~TestRun() {
    if (mKeep) {
        return;
    }
    std::error_code ignored;
    for (const TestFrame& frame : mFrames) {
        std::filesystem::remove(frame.file, ignored);
    }
}

void TestRun::note(const std::string& text) {
    mLog += "zyvodiag: " + text + "\n";
    mEvidence.finding = text;
}

bool TestRun::command(const std::string& name, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {"zyvodiag"};
    words.insert(words.end(), mToolOptions.begin(), mToolOptions.end());
    words.push_back(name);
    words.insert(words.end(), arguments.begin(), arguments.end());
    const std::string line = shellLine(words);
    mCommands.push_back(line);
    mLog += "$ " + line + "\n";
    const Command* found = findCommand(name);
    if (found == nullptr) {
        note("the tool has no command " + name);
        return false;
    }
    const std::string bench = mToolOptions.size() == 2 ? mToolOptions[1] : "";
    const size_t mark = callTraceMark();
    mLast = runCommand(*found, Invocation{"zyvodiag " + name, arguments, bench, false}, true);
    mLog += mLast.output;
    if (!mLast.output.empty() && mLast.output.back() != '\n') {
        mLog += "\n";
    }
    mCommandCalls.push_back(CommandCalls{name, arguments, mark, callTraceMark()});
    std::vector<std::string> failed = failedCallsSince(mark);
    if (mLast.status == kPass) {
        mEvidence.passedCommandCalls.push_back(std::move(failed));
        return true;
    }
    mEvidence.failingCalls = std::move(failed);
    // A library goes past a widget it cannot use in one command and fails in a later one: the
    // widgets on the path of every command so far are looked at, latest first.
    for (auto done = mCommandCalls.rbegin();
         done != mCommandCalls.rend() && stopSignal() == 0 && mEvidence.deviceFault.empty();
         ++done) {
        mEvidence.deviceFault = widgetFault(done->name, done->arguments, callsOf(*done));
    }
    note(name + " failed" + (mLast.finding.empty() ? "" : ": " + mLast.finding));
    return false;
}

// The calls of the latest command that named `file` and called the device: the one that wrote
// it, not the comparison that read it.
std::vector<TracedCall> TestRun::callsOf(const std::string& file) const {
    for (auto command = mCommandCalls.rbegin(); command != mCommandCalls.rend(); ++command) {
        if (command->end > command->begin &&
            std::count(command->arguments.begin(), command->arguments.end(), file) != 0) {
            return callsOf(*command);
        }
    }
    return {};
}

std::vector<TracedCall> TestRun::callsOf(const CommandCalls& command) const {
    std::vector<TracedCall> calls = callsSince(command.begin);
    calls.resize(std::min(calls.size(), command.end - command.begin));
    return calls;
}

FramePair TestRun::framePair(const std::string& stem, const FrameFormat& format,
                             const std::string& port) {
    FramePair pair;
    pair.title = stem;
    pair.port = port;
    std::string error;
    if (!frameShapeOf(format, pair.shape, pair.size, error)) {
        note(stem + ": " + error);
    }
    const std::filesystem::path directory(mDirectory);
    pair.expected = (directory / (stem + "-expected.raw")).string();
    pair.captured = (directory / (stem + "-captured.raw")).string();
    for (const std::string& file : {pair.expected, pair.captured}) {
        mFrames.push_back(TestFrame{file, pair.shape, pair.size, "", ""});
    }
    return pair;
}

bool TestRun::compare(const FramePair& pair, const std::vector<std::string>& switches) {
    std::vector<std::string> arguments = switches;
    arguments.insert(arguments.end(), {"-D", pair.expected, pair.captured});
    const bool identical = command("compare", arguments);
    if (identical && !mDecodeFrames) {
        return true;
    }
    if (!identical && mEvidence.deviceFault.empty()) {
        mEvidence.deviceFault = captureFault(callsOf(pair.captured), pair.expected, pair.captured);
    }
    FrameComparison comparison = compareDecoded(pair, identical);
    if (!identical && comparison.analysed) {
        mLog += "zyvodiag: " + comparison.summary + "\n";
        mEvidence.analysis = analysisJson(comparison.analysis, pair.shape.layout);
    }
    if (!identical && !comparison.summary.empty()) {
        note(comparisonCause(comparison));
    }
    mComparisons.push_back(std::move(comparison));
    return identical;
}

bool TestRun::keepFrame(const std::string& stem, const FrameShape& shape,
                        const std::vector<uint8_t>& bytes) {
    FramePair pair;
    pair.title = stem;
    pair.shape = shape;
    pair.size = frameBytes(shape);
    pair.captured = (std::filesystem::path(mDirectory) / (stem + ".raw")).string();
    mFrames.push_back(TestFrame{pair.captured, shape, pair.size, "", ""});
    std::string error;
    if (!writeWholeFile(pair.captured, bytes.data(), bytes.size(), error)) {
        note(error);
        return false;
    }
    if (mDecodeFrames) {
        mComparisons.push_back(compareDecoded(pair, true));
    }
    return true;
}

} // namespace zyvodiag
