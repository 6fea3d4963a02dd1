// The audio diagnostics command line: parsing it into the audio settings, its echo and help.
#include <zyvodiag>

#include <cinttypes>
#include <cstdio>

#include "frontend/command_line_values.h"

using namespace zyvodiag::frontend;

namespace {

constexpr uint32_t kLastAudioTestType = 2; // AES
constexpr uint32_t kLastAudioLevel = 3;    // AES
constexpr uint32_t kAllChannels = 0xFFFFFFFFu;

// Channel number and count never fail: an unreadable number means the first channel, and
// "-n*" asks for all of them.
void applyChannelCount(ZyvoDiagUserCommands& record, const char* value) {
    if (readUnsigned(value, record.mAudioChannelCount)) {
        return;
    }
    record.mAudioChannelCount = value[0] == '*' ? kAllChannels : 1;
}

// Applies one switch to the record; false when the switch is in error. Help is handled by the
// caller because it ends the scan.
bool applyAudioSwitch(ZyvoDiagUserCommands& record, const char* argument) {
    const char* value = switchValue(argument);
    uint32_t number = 0;
    switch (switchLetter(argument)) {
    case 'T':
        if (readUnsigned(value, number) && number <= kLastAudioTestType) {
            record.mAudioTestType = number;
            return true;
        }
        std::printf(" -t<type> : Audio Test Type\n");
        std::printf("            range is 0 => XLR, 1 => HDMI, 2 => AES\n");
        return false;
    case 'L':
        if (readUnsigned(value, number) && number <= kLastAudioLevel) {
            record.mAudioLevel = number;
            return true;
        }
        std::printf(" -l<lvl> : Audio Level range is 0 => Line, 1 => Mic, 2 => HDMI, 3 => AES\n");
        return false;
    case 'C':
        record.mAudioChannel = readUnsigned(value, number) ? number : 0;
        return true;
    case 'N':
        applyChannelCount(record, value);
        return true;
    case 'I':
        record.mAudioInteractive = true;
        return true;
    case 'D':
        enableDebugOutput(value);
        return true;
    default:
        std::printf("invalid switch %c", argument[1]);
        return false;
    }
}

void printAudioEcho(const ZyvoDiagUserCommands& record, const char* programName) {
    const uint32_t level = ZyvoDiagUserCommands::msDebugOutputLevel;
    std::printf("\n");
    std::printf("%s -t%" PRId32 " -l%" PRId32 " %s-c%" PRIu32 " -n%" PRIu32 " -D%" PRIu32
                " (0x%08" PRIx32 ")\n",
                programName, static_cast<int32_t>(record.mAudioTestType),
                static_cast<int32_t>(record.mAudioLevel), record.mAudioInteractive ? "-i " : "",
                record.mAudioChannel, record.mAudioChannelCount, level, level);
}

const char* const audio_usage_lines[] = {
    "  -h -?               help",
    "  -c[chan|            Audio Channel number            (0)",
    "  -i                  Interactive Audio Level setting",
    "  -l[0|1]             Audio Level              [0-1]  (0)",
    "       0=Line Level  1=Mic Level",
    "  -n[num]             Number of channels              (1)",
    "      *=All channels",
    "  -t[0|1|2]           Audio Test type          [0-2]  (0)",
    "       0=XLR Audio Test  1=HDMI Audio Test  2=AES Audio Test",
    "  -D[debug output level] (level is optional, defaults to 0)",
};

} // namespace

void ZyvoDiagUserCommands::audioUsage(char* programName) {
    printUsage(programName, "[switches]", audio_usage_lines);
}

// Starts from the full defaults, video members included: an audio invocation must not run with
// video settings left over from an earlier parse. Plain arguments are ignored; this command
// line takes no file names.
bool ZyvoDiagUserCommands::parseAudioCmdLineArgs(int argc, char* argv[]) {
    SetCmdLineParameterDefaults();
    const Scan scan = scanArguments(
        argc, argv, [this](const char* argument) { return applyAudioSwitch(*this, argument); },
        [](const char*) {});
    if (scan == Scan::Help) {
        audioUsage(argv[0]);
        return false;
    }
    if (msDebugOutput) {
        printAudioEcho(*this, argv[0]);
    }
    return scan == Scan::Accepted;
}
