// zyvodiag [--sim FILE] COMMAND ARGS...: runs one diagnostic on the device.
#include "command_help.h"
#include "command_table.h"
#include "device_exception.h"
#include "stop_signals.h"

#include "zyvosim/zyvosim.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void printHelp() {
    std::printf("usage: zyvodiag [--sim FILE] COMMAND [ARGS...]\n\n"
                "Runs one diagnostic on the device. ARGS are the library's own command line\n"
                "for the command; 'zyvodiag COMMAND -h' prints it without touching the\n"
                "device.\n\n"
                "options:\n"
                "  --sim FILE   run on a simulated bench described by FILE (docs/simulator.md)\n"
                "  --trace      afterwards, list every call made on the device, on standard error\n"
                "  --help       this text\n\n"
                "commands:\n");
    for (const auto& command : zyvodiag::commands()) {
        std::printf("  %-16s %s\n", command.name, command.summary);
    }
    std::printf("\nexit status: 0 pass (and after -h), 1 fail, 2 a command line that cannot be "
                "used,\n130 interrupted (Ctrl-C), 143 terminated (SIGTERM), 141 output closed "
                "(SIGPIPE)\n");
}

// A descriptor 0, 1 or 2 the caller left closed would be the next file opened: a frame or the
// card's state would then take the place of standard output and be written over by it.
void keepStandardDescriptorsOpen() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) < 0 && errno == EBADF &&
            open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) < 0) {
            std::_Exit(zyvodiag::kFail);
        }
    }
}

// A bench named by ZYVO_SIM is refused as --sim refuses one, before any command runs.
bool loadEnvironmentBench() {
    const char* path = std::getenv("ZYVO_SIM");
    std::string error;
    if (path == nullptr || *path == '\0' || zyvosim::loadBenchFile(path, error)) {
        return true;
    }
    std::fprintf(stderr, "zyvodiag: %s\n", error.c_str());
    return false;
}

int runCommand(const zyvodiag::Command& command, const zyvodiag::Invocation& invocation) {
    int status;
    try {
        status = command.run(invocation);
    } catch (...) {
        std::fflush(stdout);
        std::fprintf(stderr, "zyvodiag: %s\n", zyvodiag::deviceExceptionText(command.name).c_str());
        status = zyvodiag::kFail;
    }
    if (zyvodiag::stopSignal() != 0 && status != zyvodiag::stopStatus()) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(),
                     zyvodiag::stopDescription());
        status = zyvodiag::stopStatus();
    }
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    keepStandardDescriptorsOpen();
    zyvodiag::installStopSignals();
    int next = 1;
    bool printTrace = false;
    std::string bench;
    while (next < argc && argv[next][0] == '-' && argv[next][1] == '-') {
        std::string option = argv[next];
        if (option == "--help") {
            printHelp();
            return zyvodiag::kPass;
        }
        if (option == "--trace") {
            printTrace = true;
            ++next;
            continue;
        }
        if (option == "--sim") {
            if (next + 1 >= argc) {
                std::fprintf(stderr, "zyvodiag: --sim needs a bench file\n");
                return zyvodiag::kUnusable;
            }
            std::string error;
            if (!zyvosim::loadBenchFile(argv[next + 1], error)) {
                std::fprintf(stderr, "zyvodiag: %s\n", error.c_str());
                return zyvodiag::kUnusable;
            }
            bench = argv[next + 1];
            next += 2;
            continue;
        }
        std::fprintf(stderr, "zyvodiag: unknown option %s (try --help)\n", option.c_str());
        return zyvodiag::kUnusable;
    }
    if (next >= argc) {
        std::fprintf(stderr, "zyvodiag: no command given (try --help)\n");
        return zyvodiag::kUnusable;
    }
    const zyvodiag::Command* command = zyvodiag::findCommand(argv[next]);
    if (command == nullptr) {
        std::fprintf(stderr, "zyvodiag: unknown command '%s' (try --help)\n", argv[next]);
        return zyvodiag::kUnusable;
    }
    zyvodiag::Invocation invocation{std::string("zyvodiag ") + command->name, {}, bench};
    for (int i = next + 1; i < argc; ++i) {
        invocation.arguments.emplace_back(argv[i]);
    }
    if (zyvodiag::asksForHelp(invocation.arguments)) {
        return zyvodiag::printCommandHelp(invocation, command->name);
    }
    if (bench.empty() && !loadEnvironmentBench()) {
        return zyvodiag::kUnusable;
    }
    int status = runCommand(*command, invocation);
    std::fflush(stdout);
    if (printTrace) {
        std::fprintf(stderr, "trace of %zu calls:\n", zyvosim::trace().size());
        for (const auto& entry : zyvosim::trace()) {
            std::fprintf(stderr, "  %s\n", zyvosim::formatTraceEntry(entry).c_str());
        }
    }
    return status;
}
