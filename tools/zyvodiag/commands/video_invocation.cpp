// Parsing, opening the device and running one user command, for every device command.
#include "commands/video_invocation.h"

#include "commands/argument_vector.h"
#include "commands/command_runner.h"
#include "commands/device_session.h"
#include "commands/fallback_check.h"
#include "commands/test_patterns.h"
#include "pictures/frame_geometry.h"
#include "simulator/simulator_probe.h"
#include "system/output_plan.h"
#include "system/pending_file.h"
#include "system/stop_signals.h"
#include "system/write_failure.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace zyvodiag {

std::vector<std::string> takeFlags(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& flags,
                                   std::vector<bool>& given) {
    given.assign(flags.size(), false);
    std::vector<std::string> rest;
    for (const auto& argument : arguments) {
        auto found = std::find(flags.begin(), flags.end(), argument);
        if (found == flags.end()) {
            rest.push_back(argument);
        } else {
            given[static_cast<size_t>(found - flags.begin())] = true;
        }
    }
    return rest;
}

bool parseVideoArguments(const Invocation& invocation, const std::vector<std::string>& arguments,
                         ZyvoDiagUserCommands& record) {
    ArgumentVector args(invocation.programName, arguments);
    const bool parsed = record.parseCmdLineArgs(args.argc(), args.argv());
    if (!parsed) {
        // "invalid switch x" ends without a line end.
        std::printf("\n");
    }
    return acceptsWhatWasAsked(invocation, arguments, record, parsed);
}

namespace {

int unusable(const Invocation& invocation, const std::string& why) {
    return commandFails(invocation, kUnusable, why);
}

// The library says only that its write failed; the file and the reason are found by trying
// what the write needed: the room for one frame of the command's format.
bool explainFrameFailure(const Invocation& invocation, const ZyvoDiagUserCommands& record,
                         const std::string& name, const PendingFile& file) {
    FrameShape shape{};
    size_t size = 1;
    std::string ignored;
    frameShapeOf(FrameFormat{record.mVideoFormat, record.mPixelFormat}, shape, size, ignored);
    const std::string cause = writeFailureCause(file.writePath(), size);
    if (!cause.empty()) {
        std::fprintf(stderr, "%s: %s: %s\n", invocation.programName.c_str(), name.c_str(),
                     cause.c_str());
    }
    return !cause.empty();
}

} // namespace

int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                CommandNeeds needs, const DeviceCommand& command) {
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    std::string error;
    if (!checkFrameArgument(needs.frame, record, error) || !checkTestPattern(record, error)) {
        return unusable(invocation, error);
    }
    // The file is made before the card is taken, so nothing about it can keep the card waiting.
    const std::string frameName = record.mInputFileName;
    OutputPlan plan{{benchInput(invocation.bench)}, {needs.writesInputFile ? frameName : ""}, {}};
    if (!checkOutputPlan(plan, error)) {
        return unusable(invocation, error);
    }
    std::optional<PendingFile> file;
    if (needs.writesInputFile) {
        file.emplace(frameName);
        if (!file->ready()) {
            return unusable(invocation, file->error());
        }
        record.mInputFileName = file->writePath();
    }
    bool passed = false;
    {
        DeviceSession session;
        if (session.opened()) {
            passed = command(record, session.device());
            session.close();
        } else if (stopSignal() == 0) {
            return commandFails(invocation, kFail, "the device could not be opened");
        }
    }
    std::fflush(stdout);
    if (stopSignal() != 0) {
        return commandFails(invocation, stopStatus(),
                            std::string(stopDescription()) + (file ? "; no file written" : ""));
    }
    const std::string storage = takeSimulatorStorageFailure();
    if (!storage.empty()) {
        return commandFails(invocation, kFail, "the simulated card's own files failed: " + storage);
    }
    if (passed && file && !file->keep(error)) {
        return unusable(invocation, error);
    }
    if (!passed && !(file && explainFrameFailure(invocation, record, frameName, *file))) {
        // Without -D the library says little about why; point the user at it.
        std::fprintf(stderr, "%s: failed%s\n", invocation.programName.c_str(),
                     ZyvoDiagUserCommands::msDebugOutput ? "" : " (-D shows the detail)");
    }
    return passed ? kPass : kFail;
}

int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                const DeviceCommand& command) {
    return runOnDevice(invocation, arguments, CommandNeeds{}, command);
}

int runOnDevice(const Invocation& invocation, CommandNeeds needs, const DeviceCommand& command) {
    return runOnDevice(invocation, invocation.arguments, needs, command);
}

int runOnDevice(const Invocation& invocation, const DeviceCommand& command) {
    return runOnDevice(invocation, invocation.arguments, CommandNeeds{}, command);
}

} // namespace zyvodiag
