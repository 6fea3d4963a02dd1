// The SDI video test commands: generate, output, monitor, capture-pattern, capture, save and
// compare.
#include "commands/command_runner.h"
#include "commands/compare_report.h"
#include "commands/device_session.h"
#include "commands/picture_commands.h"
#include "commands/tool_options.h"
#include "commands/video_invocation.h"
#include "pictures/frame_file.h"
#include "simulator/simulator_probe.h"
#include "system/output_plan.h"

#include <cstdio>

namespace zyvodiag {

int runGenerate(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kPlayoutStore},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.generateVideoTestPattern(device);
                       });
}

int runOutput(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kPlayoutFrame},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.outputVideoTestPattern(device);
                       });
}

int runMonitor(const Invocation& invocation) {
    std::vector<bool> given;
    auto arguments = takeFlags(invocation.arguments, {"--sdi", "--hdmi"}, given);
    const bool sdi = given[0], hdmi = given[1];
    return runOnDevice(invocation, arguments, CommandNeeds{FrameArgument::kPlayoutFrame},
                       [sdi, hdmi](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           if (!record.outputVideoMonitorTestPattern(device, sdi, hdmi)) {
                               return false;
                           }
                           // No input is cabled to the monitor's SDI output, so nothing could
                           // capture it: on the simulator its routing is read from the card.
                           std::string why;
                           if (sdi && deviceIsSimulated() &&
                               !monitorOutputCarriesPlayoutStore0(chosenDevice(), why)) {
                               std::printf("%s\n", why.c_str());
                               return false;
                           }
                           return true;
                       });
}

int runCapturePattern(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kPlayoutFrame, true},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.captureVideoTestPattern(device);
                       });
}

int runCapture(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kCaptureFrame, true},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.captureVideoInput(device);
                       });
}

int runSave(const Invocation& invocation) {
    return runOnDevice(invocation, CommandNeeds{FrameArgument::kCaptureFrame, true},
                       [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.saveFrameBuffer(device);
                       });
}

int runCompare(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    std::string diffPng;
    bool wantsPixels = false;
    if (!takeValueOption(arguments, "--diff-png", diffPng, wantsPixels)) {
        return commandFails(invocation, kUnusable, "--diff-png needs a file name");
    }
    std::string jsonPath;
    bool wantsJson = false;
    if (!takeValueOption(arguments, "--json", jsonPath, wantsJson)) {
        return commandFails(invocation, kUnusable, "--json needs a file name");
    }
    const bool twelveBit = takeTwelveBitPixelFormat(arguments);
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    std::string error;
    const OutputPlan plan{
        {record.mInputFileName, record.mOutputFileName, benchInput(invocation.bench)},
        {wantsPixels ? diffPng : "", wantsJson ? jsonPath : ""},
        {}};
    if (!isReadableFile(record.mInputFileName, error) ||
        !isReadableFile(record.mOutputFileName, error) || !checkOutputPlan(plan, error)) {
        return commandFails(invocation, kUnusable, error);
    }
    // Two files on the host: the device is not needed.
    bool same = record.compareVideoTestPattern(nullptr);
    std::printf("%s and %s %s\n", record.mInputFileName.c_str(), record.mOutputFileName.c_str(),
                same ? "are identical" : "differ");
    const ZyvoPixelFormat pixelFormat = twelveBit ? ZYVO_PixelFormat_YCbCr12 : record.mPixelFormat;
    if (wantsPixels) {
        std::fflush(stdout);
        int status = reportPixelDifferences(invocation, record, pixelFormat, diffPng);
        if (status != kPass) {
            return status;
        }
    }
    std::fflush(stdout);
    const int status = reportLikelyCause(invocation, record, pixelFormat, same, jsonPath);
    if (status != kPass) {
        return status;
    }
    return same ? kPass : kFail;
}

} // namespace zyvodiag
