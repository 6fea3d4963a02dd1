// The video diagnostics command line on arbitrary arguments, one argument per input line.
#include <zyvodiag>

#include <tuple>

#include "fuzz_support.h"

namespace {

auto videoFields(const ZyvoDiagUserCommands& record) {
    return std::make_tuple(record.mFrameBuffer, record.mSDIInput, record.mSDIOutput,
                           record.mInputFileName, record.mOutputFileName, record.mTestPattern,
                           record.mPixelFormat, record.mVideoRate, record.mVideoStandard,
                           record.mVideoFormat, ZyvoDiagUserCommands::msDebugOutput,
                           ZyvoDiagUserCommands::msDebugOutputLevel);
}

// A command line that sets nearly every switch, parsed before the input by a reused record.
bool parseEarlierCommandLine(ZyvoDiagUserCommands& record) {
    char program[] = "zyvodiag";
    char frameBuffer[] = "-b7", format[] = "-f5", rate[] = "-r50", input[] = "-i3",
         output[] = "-o9", pattern[] = "-p4", pixelFormat[] = "-v2", debug[] = "-D3";
    char* arguments[] = {program, frameBuffer, format,      rate,  input,
                         output,  pattern,     pixelFormat, debug, nullptr};
    return record.parseCmdLineArgs(9, arguments);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zyvofuzz::silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zyvofuzz::ArgumentVector fresh("zyvodiag", data, size);
    ZyvoDiagUserCommands record;
    bool accepted = record.parseCmdLineArgs(fresh.count(), fresh.values());
    if (accepted) {
        zyvofuzz::check(record.mSDIInput >= 1 && record.mSDIInput <= 8,
                        "an accepted command line has an SDI input of the device");
        zyvofuzz::check(record.mSDIOutput >= 1 && record.mSDIOutput <= 10,
                        "an accepted command line has an SDI output of the device");
    }
    auto freshFields = videoFields(record);

    ZyvoDiagUserCommands reused;
    parseEarlierCommandLine(reused);
    zyvofuzz::ArgumentVector again("zyvodiag", data, size);
    zyvofuzz::check(reused.parseCmdLineArgs(again.count(), again.values()) == accepted,
                    "an earlier command line changes whether this one is accepted");
    zyvofuzz::check(videoFields(reused) == freshFields,
                    "an earlier command line leaks into the parameters of this one");
    return 0;
}
