// zyvodiag [OPTIONS] [--] COMMAND ARGS...: runs one diagnostic on the device.
#include "commands/command_help.h"
#include "commands/command_runner.h"
#include "commands/command_table.h"
#include "commands/device_session.h"
#include "commands/success_line.h"
#include "commands/tool_options.h"
#include "commands/version_text.h"
#include "simulator/simulator_probe.h"
#include "system/standard_output.h"
#include "system/stop_signals.h"
#include "system/terminal_style.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void printHelp() {
    std::printf(
        "usage: zyvodiag [OPTIONS] [--] COMMAND [ARGS...]\n"
        "       zyvodiag --help | -h | --version\n\n"
        "Runs one diagnostic on the device. ARGS are the library's own command line\n"
        "for the command; 'zyvodiag COMMAND -h' prints it without touching the\n"
        "device, and what this zyvodiag accepts of it.\n\n"
        "options:\n"
        "  --sim FILE        run on a simulated bench described by FILE (simulator.md)\n"
        "  --device N        run on local device N (default 0)\n"
        "  --trace           afterwards, list every call made on the device, on standard\n"
        "                    error\n"
        "  --allow-fallback  run even where the library puts a default in place of a\n"
        "                    value it cannot use (else such a command line exits 2)\n"
        "  --quiet           no line on standard error saying that the command succeeded\n"
        "  --color=WHEN      PASS and FAIL in colour: auto (on a terminal, unless\n"
        "                    NO_COLOR is set), always or never\n"
        "  --                the end of these options: the command comes next\n"
        "  --help, -h        this text\n"
        "  --version         the versions of the tool, the library and the device library\n\n"
        "commands:\n");
    for (const auto& command : zyvodiag::commands()) {
        std::printf("  %-16s %s\n", command.name, command.summary);
    }
    std::printf("\nexit status: 0 pass (and after -h), 1 fail, 2 a command line that cannot be "
                "used,\n130 interrupted (Ctrl-C), 143 terminated (SIGTERM), 141 output closed "
                "(SIGPIPE)\n\n"
                "documentation: man zyvodiag, and %s\n",
                ZYVODIAG_DOC_DIR);
}

// Step 1, the descriptor guard. A descriptor 0, 1 or 2 the caller left closed would be the next
// file opened: a frame or the card's state would then take the place of standard output and be
// written over by it.
void keepStandardDescriptorsOpen() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) < 0 && errno == EBADF &&
            open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) < 0) {
            std::_Exit(zyvodiag::kFail);
        }
    }
}

// The tool's own options, before the command.
struct ToolOptions {
    bool help = false;
    bool version = false;
    bool trace = false;
    bool allowFallback = false;
    bool quiet = false;
    std::string bench; // the --sim file
    int command = 0;   // the index of the command word in argv
};

// False, having said so, when `what` drives the simulator and this tool is built without it.
bool simulatorAvailableFor(const char* what) {
    const std::string missing = zyvodiag::simulatorMissing(what);
    if (!missing.empty()) {
        std::fprintf(stderr, "zyvodiag: %s\n", missing.c_str());
    }
    return missing.empty();
}

// --device N or --device=N at argv[next]; `next` moves past the value.
bool readDeviceOption(int argc, char* argv[], int& next, std::string& error) {
    const std::string word = argv[next];
    std::string value;
    if (word.find('=') != std::string::npos) {
        value = word.substr(word.find('=') + 1);
    } else if (next + 1 < argc) {
        value = argv[++next];
    }
    unsigned short index = 0;
    if (!zyvodiag::readDeviceIndex(value, index, error)) {
        return false;
    }
    zyvodiag::chooseDevice(index);
    return true;
}

// The value of --NAME VALUE or --NAME=VALUE at argv[next]; empty when there is none.
std::string optionValue(int argc, char* argv[], int& next, const std::string& name) {
    const std::string word = argv[next];
    if (word == name) {
        return next + 1 < argc ? argv[++next] : "";
    }
    return word.compare(0, name.size() + 1, name + "=") == 0 ? word.substr(name.size() + 1) : "";
}

// One word of the tool's options; false, having said why, for one that cannot be used.
bool readToolOption(int argc, char* argv[], int& next, ToolOptions& options) {
    const std::string word = argv[next];
    std::string error;
    if (!zyvodiag::checkLongOptions({word}, zyvodiag::kToolOptions, error)) {
        std::fprintf(stderr, "zyvodiag: %s (try --help)\n", error.c_str());
        return false;
    }
    if (word.compare(0, 5, "--sim") == 0) {
        options.bench = optionValue(argc, argv, next, "--sim");
        if (options.bench.empty()) {
            std::fprintf(stderr, "zyvodiag: --sim needs a bench file\n");
            return false;
        }
    } else if (word.compare(0, 8, "--device") == 0) {
        if (!readDeviceOption(argc, argv, next, error)) {
            std::fprintf(stderr, "zyvodiag: %s\n", error.c_str());
            return false;
        }
    } else if (word.compare(0, 7, "--color") == 0) {
        zyvodiag::ColorChoice choice;
        const std::string when = optionValue(argc, argv, next, "--color");
        if (!zyvodiag::readColorChoice(when, choice)) {
            std::fprintf(stderr, "zyvodiag: --color takes always, auto or never, not '%s'\n",
                         when.c_str());
            return false;
        }
        zyvodiag::setColorChoice(choice);
    }
    options.help = options.help || word == "--help";
    options.version = options.version || word == "--version";
    options.trace = options.trace || word == "--trace";
    options.allowFallback = options.allowFallback || word == "--allow-fallback";
    options.quiet = options.quiet || word == "--quiet";
    return true;
}

// Step 2, the tool's options, up to the command or "--". False, having said why, for options
// that cannot be used.
bool readToolOptions(int argc, char* argv[], ToolOptions& options) {
    int next = 1;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        const std::string word = argv[next];
        if (word == "--") {
            ++next;
            break;
        }
        if (word == "-h") {
            options.help = true;
        } else if (!readToolOption(argc, argv, next, options)) {
            return false;
        }
    }
    options.command = next;
    return true;
}

// Step 3, the bench: --trace and --sim need the simulator, and --sim's bench file is loaded
// before anything else is looked at.
bool useSimulatorOptions(const ToolOptions& options) {
    if (options.trace && !simulatorAvailableFor("--trace")) {
        return false;
    }
    if (options.bench.empty()) {
        return true;
    }
    if (!simulatorAvailableFor("--sim")) {
        return false;
    }
    std::string problem;
    if (!zyvodiag::loadSimulatedBench(options.bench, problem)) {
        std::fprintf(stderr, "zyvodiag: %s\n", problem.c_str());
        return false;
    }
    return true;
}

// The environment's bench: one named by ZYVO_SIM is refused as --sim refuses one, before any
// command runs.
bool loadEnvironmentBench() {
    const char* path = std::getenv("ZYVO_SIM");
    if (path == nullptr || *path == '\0') {
        return true;
    }
    if (!simulatorAvailableFor("ZYVO_SIM")) {
        return false;
    }
    std::string error;
    if (zyvodiag::loadSimulatedBench(path, error)) {
        return true;
    }
    std::fprintf(stderr, "zyvodiag: %s\n", error.c_str());
    return false;
}

// The command argv[index] names; null, having said why, when there is none.
const zyvodiag::Command* commandNamed(int argc, char* argv[], int index) {
    if (index >= argc) {
        std::fprintf(stderr, "zyvodiag: no command given (try --help)\n");
        return nullptr;
    }
    const zyvodiag::Command* command = zyvodiag::findCommand(argv[index]);
    if (command == nullptr) {
        std::fprintf(stderr, "zyvodiag: unknown command '%s' (try --help)\n", argv[index]);
    }
    return command;
}

// Step 4, the dispatch: the command word and its arguments checked, the environment's bench
// loaded, the command run and, with --trace, the calls it made listed.
int dispatch(int argc, char* argv[], const ToolOptions& options) {
    const zyvodiag::Command* command = commandNamed(argc, argv, options.command);
    if (command == nullptr) {
        return zyvodiag::kUnusable;
    }
    zyvodiag::Invocation invocation{std::string("zyvodiag ") + command->name,
                                    {argv + options.command + 1, argv + argc},
                                    options.bench,
                                    options.trace,
                                    options.allowFallback,
                                    options.quiet};
    if (zyvodiag::asksForHelp(invocation.arguments)) {
        return zyvodiag::printCommandHelp(invocation, command->name);
    }
    std::string error;
    if (!zyvodiag::checkCommandOptions(*command, invocation.arguments, error)) {
        std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), error.c_str());
        return zyvodiag::kUnusable;
    }
    if (options.bench.empty() && !loadEnvironmentBench()) {
        return zyvodiag::kUnusable;
    }
    zyvodiag::keepStandardOutputForData(invocation.arguments, {"--png", "--diff-png"});
    // Step 5, the backstop: an exception or a stop signal still ends the command with its
    // status and one line saying why.
    int status;
    {
        const zyvodiag::RunningNotice notice(invocation.programName);
        status = zyvodiag::runCommand(*command, invocation).status;
    }
    if (status == zyvodiag::kPass && !invocation.quiet) {
        const std::string line = zyvodiag::successLine(*command, invocation);
        std::fflush(stdout);
        if (!line.empty()) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
    }
    std::fflush(stdout);
    if (options.trace) {
        zyvodiag::printCallTrace();
    }
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    keepStandardDescriptorsOpen();
    // A file size limit makes a write fail, which the tool reports, instead of ending it.
    std::signal(SIGXFSZ, SIG_IGN);
    zyvodiag::installStopSignals();
    ToolOptions options;
    if (!readToolOptions(argc, argv, options) || !useSimulatorOptions(options)) {
        return zyvodiag::kUnusable;
    }
    if (options.help) {
        printHelp();
        return zyvodiag::kPass;
    }
    if (options.version) {
        std::printf("%s", zyvodiag::versionText().c_str());
        return zyvodiag::kPass;
    }
    return dispatch(argc, argv, options);
}
