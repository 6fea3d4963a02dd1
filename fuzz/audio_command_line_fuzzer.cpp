// The audio diagnostics command line on arbitrary arguments, one argument per input line.
#include <zyvodiag>

#include <tuple>

#include "fuzz_support.h"

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

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zyvofuzz::silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zyvofuzz::ArgumentVector fresh("zyvodiag", data, size);
    ZyvoDiagUserCommands record;
    bool accepted = record.parseAudioCmdLineArgs(fresh.count(), fresh.values());
    if (accepted) {
        zyvofuzz::check(record.mAudioTestType <= 2, "an accepted command line has a test type");
        zyvofuzz::check(record.mAudioLevel <= 3, "an accepted command line has an audio level");
    }
    auto freshFields = audioFields(record);

    ZyvoDiagUserCommands reused;
    parseEarlierCommandLine(reused);
    zyvofuzz::ArgumentVector again("zyvodiag", data, size);
    zyvofuzz::check(reused.parseAudioCmdLineArgs(again.count(), again.values()) == accepted,
                    "an earlier command line changes whether this one is accepted");
    zyvofuzz::check(audioFields(reused) == freshFields,
                    "an earlier command line leaks into the parameters of this one");
    return 0;
}
