// The help of each command: the library's usage of its command line, then the tool's part.
#include "commands/command_help.h"

#include "commands/accepted_values.h"
#include "commands/test_patterns.h"
#include "commands/tool_options.h"

#include <zyvodiag>

#include <algorithm>
#include <cstdio>

namespace zyvodiag {
namespace {

enum class CommandLine { Video, Audio, ToolOnly };

struct CommandHelp {
    const char* name;
    CommandLine line;
    const char* toolUsage; // printed after the library's usage; for ToolOnly, the whole usage
};

const CommandHelp kHelp[] = {
    {"audio", CommandLine::Audio, nullptr},
    {"open", CommandLine::ToolOnly, "usage:  zyvodiag open\n  opens and closes device 0\n"},
    {"sim-reset", CommandLine::ToolOnly,
     "usage:  zyvodiag sim-reset\n  powers the simulated device off and on\n"},
    {"list", CommandLine::ToolOnly,
     "usage:  zyvodiag list [--json]\n  prints the formats each -f and -r pair selects, the pixel "
     "formats (-v) and the test patterns (-p)\n"
     "  --json          the same as JSON: formats, pixel_formats, test_patterns\n"},
    {"selftest", CommandLine::ToolOnly,
     "usage:  zyvodiag selftest [--json FILE] [--junit FILE] [--html DIR] [--keep DIR]\n"
     "                          [--only LIST] [--skip LIST] [--repeat N] [--stop-on-fail] "
     "[--list]\n"
     "  runs every test of the bench, one line each, then 'Total: N, Passed: N, Failed: N';\n"
     "  zyvodiag --sim FILE selftest runs them on another bench\n"
     "  --json FILE     also write the report as JSON (docs/selftest.md)\n"
     "  --junit FILE    also write the report as JUnit XML\n"
     "  --html DIR      also write an HTML report with pictures: DIR/index.html\n"
     "  --keep DIR      keep every frame file, a PNG beside it, in a new DIR/run-N\n"
     "  --only LIST     run only these tests: numbers, ranges (1-8), name globs ('HDMI*')\n"
     "  --skip LIST     leave these tests out\n"
     "  --repeat N      run the plan N times; each test's passes, slowest and median time\n"
     "  --stop-on-fail  leave every test after the first failure not run\n"
     "  --list          print the numbered plan and touch no card\n"},
    {"setup", CommandLine::Video, "  --inputs            set up the input side only\n"},
    {"monitor", CommandLine::Video,
     "  --sdi               also enable the monitor's SDI output\n"
     "  --hdmi              also enable the HDMI output (else it is disabled)\n"},
    {"ltc-set", CommandLine::Video, "  HH:MM:SS:FF         the timecode to send (required)\n"},
    {"ltc-mode", CommandLine::Video,
     "  in | out            the direction to set; none: print it\n"},
    {"ltc-rate", CommandLine::Video,
     "  RATE                23, 24, 25, 29, 30, 47, 48, 50, 59 or 60 (required)\n"},
    {"view", CommandLine::Video,
     "  --png OUT.png       the frame as a picture; the input file is the frame\n"
     "  --waveform OUT.png  a waveform: position across, code value up, a Y|Cb|Cr (or R|G|B)\n"
     "                      parade with the legal levels and the reserved codes marked\n"
     "  --vectorscope OUT.png\n"
     "                      Cb across, Cr up, with the BT.709 75% and 100% bar targets\n"
     "                      (at least one of the three pictures is required)\n"
     "  -v23                a frame of the 12-bit YCbCr 4:2:2 pixel format\n"},
    {"compare", CommandLine::Video,
     "  --diff-png OUT.png  after the report: pixel statistics and a difference picture, for\n"
     "                      frames of the format -f, -r and -v give\n"
     "  --json FILE         the comparison and the analysis of its likely cause as JSON\n"
     "  -v23                frames of the 12-bit YCbCr 4:2:2 pixel format\n"
     "  Frames that differ get a line 'likely cause: ...' naming the impairment of the\n"
     "  video path that explains them (a stuck or inverted data bit, chroma or stream order,\n"
     "  an 8-bit path, range, shift, fields, a wrong or torn picture, bit errors, byte order,\n"
     "  matrix), or saying that none does.\n"},
};

const CommandHelp* helpOf(const std::string& name) {
    for (const CommandHelp& help : kHelp) {
        if (name == help.name) {
            return &help;
        }
    }
    return nullptr;
}

// What the video parser takes, from the parser itself: its usage text is older than its tables.
void printVideoAccepted() {
    const AcceptedValues& values = acceptedValues();
    const std::string standard =
        std::to_string(values.standard) + " (" +
        ZyvoDiag::videoStandardNameString(static_cast<ZyvoVideoStandard>(values.standard)) + ")";
    std::printf("  what this zyvodiag accepts:\n"
                "  -b  a number the command's frame store has   default %u\n"
                "  -f  %-40s default %s\n"
                "  -i  %-40s default %u\n"
                "  -o  %-40s default %u\n"
                "  -p  %-40s default %u (%s)\n"
                "  -r  %-40s default %u\n"
                "  -v  %-40s default %u (%s)\n"
                "  files: input (default %s), then output (default %s)\n"
                "  -q is not taken (zyvodiag --quiet COMMAND is). A value goes against its\n"
                "  switch (-i3). A value the library would replace by a default is refused\n"
                "  with exit status 2 unless zyvodiag --allow-fallback is given.\n",
                values.frameBuffer, listText(values.standards).c_str(), standard.c_str(),
                rangeText(1, values.lastInput).c_str(), values.input,
                rangeText(1, values.lastOutput).c_str(), values.output,
                rangeText(0, kTestPatternCount - 1).c_str(), values.pattern,
                testPatternName(values.pattern), listText(values.rates).c_str(), values.rate,
                listText(values.pixelFormats).c_str(), values.pixelFormat,
                ZyvoDiag::pixelNameString(static_cast<ZyvoPixelFormat>(values.pixelFormat)),
                values.inputFile.c_str(), values.outputFile.c_str());
}

void printAudioAccepted() {
    const AcceptedValues& values = acceptedValues();
    std::printf("  what this zyvodiag accepts:\n"
                "  -t  %-40s default 0\n"
                "  -l  %-40s default 0\n"
                "  -c  a number                                 default 0\n"
                "  -n  a number, or * for every channel         default 1\n"
                "  A value goes against its switch (-t1); no file names. A value the library\n"
                "  would replace by a default is refused with exit status 2, unless given\n"
                "  zyvodiag --allow-fallback.\n",
                rangeText(0, values.lastTestType).c_str(), rangeText(0, values.lastLevel).c_str());
}

} // namespace

bool asksForHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return isHelpSwitch(argument) || argument == "--help";
    });
}

int printCommandHelp(const Invocation& invocation, const std::string& name) {
    const CommandHelp* help = helpOf(name);
    const CommandLine line = help != nullptr ? help->line : CommandLine::Video;
    std::string programName = invocation.programName;
    ZyvoDiagUserCommands record;
    if (line == CommandLine::Video) {
        record.usage(programName.data());
        printVideoAccepted();
    } else if (line == CommandLine::Audio) {
        record.audioUsage(programName.data());
        printAudioAccepted();
    }
    if (help != nullptr && help->toolUsage != nullptr) {
        if (line != CommandLine::ToolOnly) {
            std::printf("  zyvodiag's own, for %s:\n", name.c_str());
        }
        std::printf("%s", help->toolUsage);
    }
    return kPass;
}

} // namespace zyvodiag
