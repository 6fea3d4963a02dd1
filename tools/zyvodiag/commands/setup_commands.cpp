// The setup and sim-reset commands: program every widget as a diagnostic would, and power the
// simulated device off and on.
#include "commands/argument_vector.h"
#include "commands/command_table.h"
#include "commands/device_session.h"
#include "commands/video_invocation.h"
#include "simulator/simulator_probe.h"

#include <zyvodiag>

#include <cstdio>
#include <string>
#include <vector>

namespace zyvodiag {

int runSetup(const Invocation& invocation) {
    std::vector<std::string> arguments;
    bool inputsOnly = false;
    for (const auto& argument : invocation.arguments) {
        if (argument == "--inputs") {
            inputsOnly = true;
        } else {
            arguments.push_back(argument);
        }
    }
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    DeviceSession session;
    if (!session.opened()) {
        return kFail;
    }
    ZyvoDiag diag;
    diag.mpDevice = session.device();
    if (inputsOnly) {
        diag.InputWidgetsInit(record.mVideoFormat, record.mPixelFormat);
    } else {
        diag.WidgetsInit(record.mVideoFormat, record.mPixelFormat);
    }
    std::printf("%s set up for %s, %s\n", inputsOnly ? "input widgets" : "widgets",
                ZyvoDiag::videoFormatNameString(record.mVideoFormat),
                ZyvoDiag::pixelNameString(record.mPixelFormat));
    return kPass;
}

int runSimReset(const Invocation& invocation) {
    const std::string missing = simulatorMissing("sim-reset");
    if (!missing.empty()) {
        std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), missing.c_str());
        return kUnusable;
    }
    if (!invocation.arguments.empty()) {
        std::fprintf(stderr, "%s: takes no arguments\n", invocation.programName.c_str());
        return kUnusable;
    }
    // A card held by another process, or one that cannot be had, has had its message from the
    // simulator; a memory file that refused to clear has not.
    if (!powerOnAfresh(chosenDevice())) {
        std::string failure = takeSimulatorStorageFailure();
        if (!failure.empty()) {
            std::fprintf(stderr, "%s: cannot power the simulated device off and on: %s\n",
                         invocation.programName.c_str(), failure.c_str());
        }
        return kFail;
    }
    const std::string number = chosenDevice() == 0 ? "" : std::to_string(chosenDevice()) + " ";
    std::printf("simulated device %sin %s powered off and on\n", number.c_str(),
                simulatedStateDirectory().c_str());
    return kPass;
}

} // namespace zyvodiag
