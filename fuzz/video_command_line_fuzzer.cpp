// The video diagnostics command line on arbitrary arguments, one argument per input line.
#include <zyvodiag>

#include <tuple>

#include "command_line_property.h"

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

void checkAccepted(const ZyvoDiagUserCommands& record) {
    zyvofuzz::check(record.mSDIInput >= 1 && record.mSDIInput <= 8,
                    "an accepted command line has an SDI input of the device");
    zyvofuzz::check(record.mSDIOutput >= 1 && record.mSDIOutput <= 10,
                    "an accepted command line has an SDI output of the device");
}

const auto kVideoCommandLine = zyvofuzz::makeCommandLine(
    &ZyvoDiagUserCommands::parseCmdLineArgs, videoFields, parseEarlierCommandLine, checkAccepted);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zyvofuzz::checkParsesAfresh(kVideoCommandLine, data, size);
    return 0;
}
