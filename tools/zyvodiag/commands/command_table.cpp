// The list of zyvodiag commands shown by --help and used to dispatch.
#include "commands/command_table.h"

#include "commands/tool_options.h"

namespace zyvodiag {

const char* const kToolOptions =
    "--sim= --device= --trace --help --version --allow-fallback --quiet --color=";

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"parse", "parse a video diagnostics command line and print the parameters", runParse},
        {"audio", "parse an audio diagnostics command line and print the parameters", runAudio},
        {"open", "open and close the device", runOpen},
        {"setup", "set up every widget (--inputs: the input side) for a video command line",
         runSetup, "--inputs"},
        {"generate", "draw a test pattern into playout store -b", runGenerate},
        {"output", "play a test pattern out on SDI output -o (and the video monitor)", runOutput},
        {"monitor", "play a test pattern on the video monitor path [--sdi] [--hdmi]", runMonitor,
         "--sdi --hdmi"},
        {"capture-pattern", "draw a test pattern and write it back to the input file",
         runCapturePattern},
        {"capture", "capture SDI input -i into the input file", runCapture},
        {"save", "write frame -b of capture store 0 to the input file", runSave},
        {"compare",
         "compare the input file (expected) with the output file (found), and name the likely "
         "cause of a difference; --diff-png, --json",
         runCompare, "--diff-png= --json="},
        {"hdmi-output", "play the playout frame buffer out on HDMI (HD or 4K)", runHdmiOutput},
        {"hdmi-capture", "capture the HDMI input (HD or 4K) into the input file", runHdmiCapture},
        {"hdmi-loopback", "HDMI transmitter and receiver register test (-r29 or -r59)",
         runHdmiLoopback},
        {"ltc-get", "print the LTC input timecode as HH:MM:SS:FF", runLtcGet},
        {"ltc-set", "write HH:MM:SS:FF to the LTC output", runLtcSet},
        {"ltc-mode", "print the LTC port direction, or set it: in or out", runLtcMode},
        {"ltc-rate", "set the LTC frame rate (a -r number)", runLtcRate},
        {"ltc-test", "check that a live LTC timecode arrives and advances at -r", runLtcTest},
        {"genlock", "check that the sync generator locks to the external reference", runGenlock},
        {"lcd", "colour bars on the front-panel LCD (-b0: black)", runLcd},
        {"sim-reset", "power the simulated device off and on", runSimReset},
        {"list",
         "the formats of each -f and -r pair, the pixel formats and the test patterns [--json]",
         runList, "--json"},
        {"view",
         "write a raw frame file as PNG pictures: FILE [switches] --png OUT.png, "
         "--waveform OUT.png, --vectorscope OUT.png",
         runView, "--png= --waveform= --vectorscope="},
        {"selftest",
         "run the tests of the bench: [--json F] [--junit F] [--html DIR] [--keep DIR] "
         "[--only L] [--skip L] [--repeat N] [--stop-on-fail] [--list]",
         runSelfTestCommand,
         "--json= --junit= --html= --keep= --only= --skip= --repeat= --stop-on-fail --list"},
    };
    return table;
}

const Command* findCommand(const std::string& name) {
    for (const auto& command : commands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

bool checkCommandOptions(const Command& command, const std::vector<std::string>& arguments,
                         std::string& error) {
    if (checkLongOptions(arguments, command.options, error)) {
        return true;
    }
    // A tool option has its place before the command.
    for (const std::string& argument : arguments) {
        std::string ignored;
        if (!checkLongOptions({argument}, command.options, ignored)) {
            const std::string name = argument.substr(0, argument.find('='));
            if (checkLongOptions({name}, kToolOptions, ignored)) {
                error =
                    name + " goes before the command: zyvodiag " + name + " ... " + command.name;
            }
            break;
        }
    }
    return false;
}

} // namespace zyvodiag
