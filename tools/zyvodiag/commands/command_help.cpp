// The help of each command: the library's usage of its command line, then the tool's part.
#include "commands/command_help.h"

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
     "usage:  zyvodiag list\n  prints the formats each -f and -r pair selects, the pixel "
     "formats (-v) and the test patterns (-p)\n"},
    {"selftest", CommandLine::ToolOnly,
     "usage:  zyvodiag selftest [--json FILE] [--junit FILE] [--html DIR] [--keep DIR]\n"
     "                          [--only LIST] [--skip LIST] [--repeat N] [--stop-on-fail] "
     "[--list]\n"
     "  runs every test of the bench, one line each, then 'Total: N, Passed: N, Failed: N';\n"
     "  zyvodiag --sim FILE selftest runs them on another bench\n"
     "  --json FILE     also write the report as JSON (docs/selftest.md)\n"
     "  --junit FILE    also write the report as JUnit XML\n"
     "  --html DIR      also write an HTML report with pictures: DIR/index.html\n"
     "  --keep DIR      keep every frame file in DIR with a PNG picture beside it\n"
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
     "  --png OUT.png       the picture to write (required); the input file is the frame\n"
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
    } else if (line == CommandLine::Audio) {
        record.audioUsage(programName.data());
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
