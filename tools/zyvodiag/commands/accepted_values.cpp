// Asking the library's parsers which values they take: each switch is tried with every number
// up to a bound far past the device's tables.
#include "commands/accepted_values.h"

#include "commands/argument_vector.h"
#include "system/captured_output.h"

#include <zyvodiag>

#include <cstdio>
#include <cstdlib>

namespace zyvodiag {
namespace {

constexpr uint32_t kProbeLimit = 256;

bool parseVideo(const std::vector<std::string>& words, ZyvoDiagUserCommands& record) {
    ArgumentVector args("probe", words);
    return record.parseCmdLineArgs(args.argc(), args.argv());
}

bool parseAudio(const std::vector<std::string>& words, ZyvoDiagUserCommands& record) {
    ArgumentVector args("probe", words);
    return record.parseAudioCmdLineArgs(args.argc(), args.argv());
}

// The numbers after `switchText` that the record shows back as asked (`read` gives what it
// holds): the parser falls back, without an error, for every other number.
template <typename Read> std::vector<uint32_t> numbersKept(const char* switchText, Read read) {
    std::vector<uint32_t> kept;
    for (uint32_t number = 0; number < kProbeLimit; ++number) {
        ZyvoDiagUserCommands record;
        if (parseVideo({switchText + std::to_string(number)}, record) && read(record) == number) {
            kept.push_back(number);
        }
    }
    return kept;
}

// The last number after `switchText` the parser takes, counting up from `first`.
template <typename Parse>
uint32_t lastAccepted(const char* switchText, uint32_t first, Parse parse) {
    uint32_t last = first;
    for (uint32_t number = first; number < kProbeLimit; ++number) {
        ZyvoDiagUserCommands record;
        if (parse({switchText + std::to_string(number)}, record)) {
            last = number;
        }
    }
    return last;
}

uint32_t rateNumber(ZyvoVideoRate rate) {
    return static_cast<uint32_t>(std::atoi(ZyvoDiag::videoRateNameString(rate)));
}

AcceptedValues probe() {
    AcceptedValues values;
    values.standards = numbersKept("-f", [](const ZyvoDiagUserCommands& record) {
        return static_cast<uint32_t>(record.mVideoStandard);
    });
    values.rates = numbersKept(
        "-r", [](const ZyvoDiagUserCommands& record) { return rateNumber(record.mVideoRate); });
    for (uint32_t number : values.rates) {
        ZyvoDiagUserCommands record;
        parseVideo({"-r" + std::to_string(number)}, record);
        values.rateValues.push_back(static_cast<uint32_t>(record.mVideoRate));
    }
    values.pixelFormats = numbersKept("-v", [](const ZyvoDiagUserCommands& record) {
        return static_cast<uint32_t>(record.mPixelFormat);
    });
    values.lastInput = lastAccepted("-i", 1, parseVideo);
    values.lastOutput = lastAccepted("-o", 1, parseVideo);
    values.lastTestType = lastAccepted("-t", 0, parseAudio);
    values.lastLevel = lastAccepted("-l", 0, parseAudio);
    ZyvoDiagUserCommands defaults;
    parseVideo({}, defaults);
    values.frameBuffer = defaults.mFrameBuffer;
    values.input = defaults.mSDIInput;
    values.output = defaults.mSDIOutput;
    values.pattern = defaults.mTestPattern;
    values.standard = static_cast<uint32_t>(defaults.mVideoStandard);
    values.rate = rateNumber(defaults.mVideoRate);
    values.pixelFormat = static_cast<uint32_t>(defaults.mPixelFormat);
    values.inputFile = defaults.mInputFileName;
    values.outputFile = defaults.mOutputFileName;
    return values;
}

} // namespace

const AcceptedValues& acceptedValues() {
    static const AcceptedValues values = [] {
        std::fflush(stdout);
        const bool debug = ZyvoDiagUserCommands::msDebugOutput;
        const uint32_t level = ZyvoDiagUserCommands::msDebugOutputLevel;
        AcceptedValues found;
        {
            CapturedOutput quiet;
            found = probe();
            std::fflush(stdout);
        }
        ZyvoDiagUserCommands::msDebugOutput = debug;
        ZyvoDiagUserCommands::msDebugOutputLevel = level;
        return found;
    }();
    return values;
}

std::string rangeText(uint32_t first, uint32_t last) {
    return first == last ? std::to_string(first)
                         : std::to_string(first) + "-" + std::to_string(last);
}

std::string listText(const std::vector<uint32_t>& numbers) {
    std::string text;
    for (uint32_t number : numbers) {
        text += (text.empty() ? "" : " ") + std::to_string(number);
    }
    return text;
}

} // namespace zyvodiag
