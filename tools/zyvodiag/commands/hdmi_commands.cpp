// The HDMI commands: play out, capture, and the register loopback test.
#include "commands/video_invocation.h"

#include <cstdio>

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
    // With -D the test waits for a key between its halves, read from standard input: a
    // terminal, or whatever a script pipes in. A standard input the caller closed is /dev/null
    // by now (main), so the wait reads end-of-file rather than some file of ours.
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.runHDMI2LoopbackTest(device);
    });
}

} // namespace zyvodiag
