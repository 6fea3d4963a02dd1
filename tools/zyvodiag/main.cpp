// zyvodiag [--sim FILE] COMMAND ARGS...: runs one diagnostic on the device.
#include "command_help.h"
#include "command_table.h"

#include "zyvosim/zyvosim.h"

#include <cstdio>
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
                "used,\n130 interrupted (Ctrl-C)\n");
}

} // namespace

int main(int argc, char* argv[]) {
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
    int status = command->run(invocation);
    std::fflush(stdout);
    if (printTrace) {
        std::fprintf(stderr, "trace of %zu calls:\n", zyvosim::trace().size());
        for (const auto& entry : zyvosim::trace()) {
            std::fprintf(stderr, "  %s\n", zyvosim::formatTraceEntry(entry).c_str());
        }
    }
    return status;
}
