// The selftest command: its options, then the self-test.
#include "commands/command_table.h"
#include "commands/tool_options.h"
#include "selftest/self_test.h"

#include <cstdio>
#include <cstdlib>

namespace zyvodiag {

int runSelfTestCommand(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    SelfTestOptions options;
    bool given = false;
    if (!takeValueOption(arguments, "--json", options.jsonPath, given) ||
        !takeValueOption(arguments, "--keep", options.keepDirectory, given) || !arguments.empty()) {
        std::fprintf(stderr, "usage:  zyvodiag selftest [--json FILE] [--keep DIR]\n");
        return kUnusable;
    }
    const char* environmentBench = std::getenv("ZYVO_SIM");
    if (!invocation.bench.empty()) {
        options.bench = invocation.bench;
    } else if (environmentBench != nullptr && *environmentBench != '\0') {
        options.bench = environmentBench;
    }
    return runSelfTest(options);
}

} // namespace zyvodiag
