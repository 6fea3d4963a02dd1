// What each command says it did when it succeeded, from its name and its parsed record.
#include "commands/success_line.h"

#include "commands/argument_vector.h"
#include "commands/test_patterns.h"
#include "system/captured_output.h"

#include <zyvodiag>

#include <cstdio>

namespace zyvodiag {
namespace {

// The words the library's parser reads: the tool's long options (and a value given apart) and
// the tool's own -v23 are not its.
std::vector<std::string> libraryWords(const std::vector<std::string>& arguments,
                                      std::string& operand) {
    std::vector<std::string> words;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word.compare(0, 2, "--") == 0) {
            const bool valueApart = word.find('=') == std::string::npos &&
                                    i + 1 < arguments.size() && arguments[i + 1][0] != '-';
            i += (word == "--png" || word == "--diff-png") && valueApart ? 1 : 0;
        } else if (word != "-v23" && word != "-V23") {
            if (operand.empty() && !word.empty() && word[0] != '-') {
                operand = word;
            }
            words.push_back(word);
        }
    }
    return words;
}

// The record the command ran with: the library's parser again, its output caught.
ZyvoDiagUserCommands parsedRecord(const Invocation& invocation, std::string& operand) {
    ZyvoDiagUserCommands record;
    std::fflush(stdout);
    const bool debug = ZyvoDiagUserCommands::msDebugOutput;
    const uint32_t level = ZyvoDiagUserCommands::msDebugOutputLevel;
    {
        CapturedOutput quiet;
        ArgumentVector args(invocation.programName, libraryWords(invocation.arguments, operand));
        record.parseCmdLineArgs(args.argc(), args.argv());
        std::fflush(stdout);
    }
    ZyvoDiagUserCommands::msDebugOutput = debug;
    ZyvoDiagUserCommands::msDebugOutputLevel = level;
    return record;
}

std::string formatText(const ZyvoDiagUserCommands& record) {
    return std::string(ZyvoDiag::videoFormatNameString(record.mVideoFormat)) + ", " +
           ZyvoDiag::pixelNameString(record.mPixelFormat);
}

std::string what(const std::string& name, const ZyvoDiagUserCommands& record,
                 const std::string& operand) {
    const std::string pattern = testPatternName(record.mTestPattern);
    const std::string format = " (" + formatText(record) + ")";
    const std::string store = std::to_string(record.mFrameBuffer);
    if (name == "output") {
        return "SDI output " + std::to_string(record.mSDIOutput) + " plays " + pattern + format;
    }
    if (name == "capture") {
        return "SDI input " + std::to_string(record.mSDIInput) + " captured into " +
               record.mInputFileName + format;
    }
    if (name == "capture-pattern") {
        return pattern + " written to " + record.mInputFileName + format;
    }
    if (name == "generate") {
        return "playout store " + store + " holds " + pattern + format;
    }
    if (name == "monitor") {
        return "the video monitor plays " + pattern + format;
    }
    if (name == "save") {
        return "frame " + store + " of capture store 0 written to " + record.mInputFileName;
    }
    if (name == "hdmi-output") {
        return "HDMI output plays the playout frame buffer" + format;
    }
    if (name == "hdmi-capture") {
        return "HDMI input captured into " + record.mInputFileName + format;
    }
    if (name == "hdmi-loopback") {
        return std::string("HDMI transmitter and receiver registers pass at ") +
               ZyvoDiag::videoRateNameString(record.mVideoRate);
    }
    if (name == "ltc-set") {
        return "LTC output set to " + operand;
    }
    if (name == "ltc-mode" && !operand.empty()) {
        return "LTC port set to " + operand;
    }
    if (name == "ltc-rate") {
        return "LTC frame rate set to " + operand;
    }
    if (name == "ltc-test") {
        return "a live LTC timecode arrives and advances";
    }
    if (name == "genlock") {
        return "the sync generator locks to the reference";
    }
    if (name == "sim-reset") {
        return "the simulated device was powered off and on";
    }
    // The other commands print their result themselves: the record, the list, the comparison,
    // the picture, the timecode, the panel, the self-test's totals.
    return "";
}

} // namespace

std::string successLine(const Command& command, const Invocation& invocation) {
    std::string operand;
    const ZyvoDiagUserCommands record = parsedRecord(invocation, operand);
    const std::string text = what(command.name, record, operand);
    return text.empty() ? "" : invocation.programName + ": " + text;
}

} // namespace zyvodiag
