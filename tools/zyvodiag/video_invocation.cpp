// Parsing, opening the device and running one user command, for every device command.
#include "video_invocation.h"

#include "argument_vector.h"
#include "device_session.h"

#include <algorithm>
#include <cstdio>

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

int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                const std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>& command) {
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    DeviceSession session;
    if (!session.opened()) {
        std::fprintf(stderr, "%s: the device could not be opened\n",
                     invocation.programName.c_str());
        return kFail;
    }
    bool passed = command(record, session.device());
    std::fflush(stdout);
    if (!passed) {
        // Without -D the library says little about why; point the user at it.
        std::fprintf(stderr, "%s: failed%s\n", invocation.programName.c_str(),
                     ZyvoDiagUserCommands::msDebugOutput ? "" : " (-D shows the detail)");
    }
    return passed ? kPass : kFail;
}

int runOnDevice(const Invocation& invocation,
                const std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>& command) {
    return runOnDevice(invocation, invocation.arguments, command);
}

} // namespace zyvodiag
