// The audio diagnostics command line on arbitrary arguments, one argument per input line.
#include <zyvodiag>

#include <tuple>

#include "command_line_property.h"

namespace {

auto audioFields(const ZyvoDiagUserCommands& record) {
    return std::make_tuple(record.mAudioTestType, record.mAudioLevel, record.mAudioChannel,
                           record.mAudioChannelCount, record.mAudioInteractive,
                           ZyvoDiagUserCommands::msDebugOutput,
                           ZyvoDiagUserCommands::msDebugOutputLevel);
}

// A command line that sets the audio switches, parsed before the input by a reused record.
bool parseEarlierCommandLine(ZyvoDiagUserCommands& record) {
    char program[] = "zyvodiag", type[] = "-t1", level[] = "-l3", channel[] = "-c2",
         count[] = "-n*", interactive[] = "-i", debug[] = "-D";
    char* arguments[] = {program, type, level, channel, count, interactive, debug, nullptr};
    return record.parseAudioCmdLineArgs(7, arguments);
}

void checkAccepted(const ZyvoDiagUserCommands& record) {
    zyvofuzz::check(record.mAudioTestType <= 2, "an accepted command line has a test type");
    zyvofuzz::check(record.mAudioLevel <= 3, "an accepted command line has an audio level");
}

const auto kAudioCommandLine =
    zyvofuzz::makeCommandLine(&ZyvoDiagUserCommands::parseAudioCmdLineArgs, audioFields,
                              parseEarlierCommandLine, checkAccepted);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zyvofuzz::checkParsesAfresh(kAudioCommandLine, data, size);
    return 0;
}
