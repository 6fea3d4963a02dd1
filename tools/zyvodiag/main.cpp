// zyvodiag [--sim FILE] COMMAND ARGS...: runs one diagnostic on the device.
#include "commands/command_help.h"
#include "commands/command_runner.h"
#include "commands/command_table.h"
#include "commands/tool_options.h"
#include "commands/version_text.h"
#include "simulator/simulator_probe.h"
#include "system/stop_signals.h"

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
    std::printf("usage: zyvodiag [--sim FILE] [--trace] COMMAND [ARGS...]\n"
                "       zyvodiag --help | --version\n\n"
                "Runs one diagnostic on the device. ARGS are the library's own command line\n"
                "for the command; 'zyvodiag COMMAND -h' prints it without touching the\n"
                "device.\n\n"
                "options:\n"
                "  --sim FILE   run on a simulated bench described by FILE (docs/simulator.md)\n"
                "  --trace      afterwards, list every call made on the device, on standard error\n"
                "  --help       this text\n"
                "  --version    the versions of the tool, the library and the device library\n\n"
                "commands:\n");
    for (const auto& command : zyvodiag::commands()) {
        std::printf("  %-16s %s\n", command.name, command.summary);
    }
    std::printf("\nexit status: 0 pass (and after -h), 1 fail, 2 a command line that cannot be "
                "used,\n130 interrupted (Ctrl-C), 143 terminated (SIGTERM), 141 output closed "
                "(SIGPIPE)\n");
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

// Step 2, the tool's options. False, having said why, for options that cannot be used.
bool readToolOptions(int argc, char* argv[], ToolOptions& options) {
    int next = 1;
    for (; next < argc && std::strncmp(argv[next], "--", 2) == 0; ++next) {
        const std::string word = argv[next];
        std::string error;
        if (!zyvodiag::checkLongOptions({word}, zyvodiag::kToolOptions, error)) {
            std::fprintf(stderr, "zyvodiag: %s (try --help)\n", error.c_str());
            return false;
        }
        if (word == "--sim" && next + 1 < argc) {
            options.bench = argv[++next];
        } else if (word.compare(0, 6, "--sim=") == 0) {
            options.bench = word.substr(6);
        }
        if (word.compare(0, 5, "--sim") == 0 && options.bench.empty()) {
            std::fprintf(stderr, "zyvodiag: --sim needs a bench file\n");
            return false;
        }
        options.help = options.help || word == "--help";
        options.version = options.version || word == "--version";
        options.trace = options.trace || word == "--trace";
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
                                    options.trace};
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
    // Step 5, the backstop: an exception or a stop signal still ends the command with its
    // status and one line saying why.
    const int status = zyvodiag::runCommand(*command, invocation).status;
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
