// The SDI video test commands: generate, output, monitor, capture-pattern, capture, save and
// compare.
#include "video_invocation.h"

#include <cstdio>

namespace zyvodiag {

int runGenerate(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.generateVideoTestPattern(device);
    });
}

int runOutput(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.outputVideoTestPattern(device);
    });
}

int runMonitor(const Invocation& invocation) {
    std::vector<bool> given;
    auto arguments = takeFlags(invocation.arguments, {"--sdi", "--hdmi"}, given);
    const bool sdi = given[0], hdmi = given[1];
    return runOnDevice(invocation, arguments,
                       [sdi, hdmi](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.outputVideoMonitorTestPattern(device, sdi, hdmi);
                       });
}

int runCapturePattern(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.captureVideoTestPattern(device);
    });
}

int runCapture(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.captureVideoInput(device);
    });
}

int runSave(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.saveFrameBuffer(device);
    });
}

int runCompare(const Invocation& invocation) {
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, invocation.arguments, record)) {
        return kUnusable;
    }
    // Two files on the host: the device is not needed.
    bool same = record.compareVideoTestPattern(nullptr);
    std::printf("%s and %s %s\n", record.mInputFileName.c_str(), record.mOutputFileName.c_str(),
                same ? "are identical" : "differ");
    return same ? kPass : kFail;
}

} // namespace zyvodiag
