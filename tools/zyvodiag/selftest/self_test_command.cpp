// The selftest command: its options, then the self-test.
#include "commands/command_table.h"
#include "commands/tool_options.h"
#include "pictures/frame_file.h"
#include "selftest/self_test.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zyvodiag {
namespace {

const char* const kUsage =
    "usage:  zyvodiag selftest [--json FILE] [--junit FILE] [--html DIR] [--keep DIR]\n"
    "                          [--only LIST] [--skip LIST] [--repeat N] [--stop-on-fail] "
    "[--list]\n";

bool readRepeat(const std::string& text, unsigned& repeat) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-' || value < 1 || value > 1000000) {
        return false;
    }
    repeat = unsigned(value);
    return true;
}

} // namespace

int runSelfTestCommand(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    SelfTestOptions options;
    std::string repeat = "1";
    bool given = false;
    std::vector<bool> flags;
    const bool valuesRead = takeValueOption(arguments, "--json", options.jsonPath, given) &&
                            takeValueOption(arguments, "--junit", options.junitPath, given) &&
                            takeValueOption(arguments, "--html", options.htmlDirectory, given) &&
                            takeValueOption(arguments, "--keep", options.keepDirectory, given) &&
                            takeValueOption(arguments, "--only", options.only, given) &&
                            takeValueOption(arguments, "--skip", options.skip, given) &&
                            takeValueOption(arguments, "--repeat", repeat, given);
    for (const char* flag : {"--list", "--stop-on-fail"}) {
        const auto before = arguments.size();
        arguments.erase(std::remove(arguments.begin(), arguments.end(), flag), arguments.end());
        flags.push_back(arguments.size() != before);
    }
    if (!valuesRead || !arguments.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return kUnusable;
    }
    if (!readRepeat(repeat, options.repeat)) {
        std::fprintf(stderr, "zyvodiag selftest: --repeat %s: a number of runs from 1\n",
                     repeat.c_str());
        return kUnusable;
    }
    options.list = flags[0];
    options.stopOnFail = flags[1];
    options.keepTrace = invocation.trace;
    const char* environmentBench = std::getenv("ZYVO_SIM");
    if (!invocation.bench.empty()) {
        options.bench = invocation.bench;
    } else if (environmentBench != nullptr && *environmentBench != '\0') {
        options.bench = environmentBench;
    }
    std::vector<uint8_t> text;
    std::string error;
    if (!options.bench.empty() && readWholeFile(options.bench, text, error)) {
        options.benchText.assign(text.begin(), text.end());
    }
    return runSelfTest(options);
}

} // namespace zyvodiag
