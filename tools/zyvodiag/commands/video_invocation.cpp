// Parsing, opening the device and running one user command, for every device command.
#include "commands/video_invocation.h"

#include "commands/argument_vector.h"
#include "commands/command_runner.h"
#include "commands/device_session.h"
#include "commands/test_patterns.h"
#include "simulator/simulator_probe.h"
#include "system/pending_file.h"
#include "system/stop_signals.h"

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
    if (record.parseCmdLineArgs(args.argc(), args.argv())) {
        return true;
    }
    // "invalid switch x" ends without a line end.
    std::printf("\n");
    return false;
}

namespace {

int unusable(const Invocation& invocation, const std::string& why) {
    return commandFails(invocation, kUnusable, why);
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
    std::optional<PendingFile> file;
    if (needs.writesInputFile) {
        file.emplace(record.mInputFileName);
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
    if (!passed) {
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
