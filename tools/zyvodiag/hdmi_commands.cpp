// The HDMI commands: play out, capture, and the register loopback test.
#include "video_invocation.h"

#include <cstdio>
#include <unistd.h>

namespace zyvodiag {

int runHdmiOutput(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.outputHDMI4KVideo(device);
    });
}

int runHdmiCapture(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kCaptureFrame, true},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           bool captured = record.captureHDMI4KVideo(device);
                           // The countdown ends in a carriage return; finish its line.
                           if (ZyvoDiagUserCommands::msDebugOutput) {
                               std::fprintf(stderr, "\n");
                           }
                           return captured;
                       });
}

int runHdmiLoopback(const Invocation& invocation) {
    return runOnDevice(invocation, [&invocation](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        // With -D the test waits for a key between its halves. Without a terminal nobody can
        // press one: say so, and let the wait read end-of-file.
        if (ZyvoDiagUserCommands::msDebugOutput && !isatty(STDIN_FILENO)) {
            std::fprintf(stderr, "%s: standard input is not a terminal; not waiting for a key\n",
                         invocation.programName.c_str());
            if (std::freopen("/dev/null", "r", stdin) == nullptr) {
                std::fclose(stdin);
            }
        }
        return record.runHDMI2LoopbackTest(device);
    });
}

} // namespace zyvodiag
