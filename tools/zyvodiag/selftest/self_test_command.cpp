// The selftest command: its options, then the self-test.
#include "commands/command_table.h"
#include "commands/tool_options.h"
#include "selftest/selection.h"
#include "selftest/self_test.h"
#include "selftest/self_test_plan.h"
#include "simulator/simulator_probe.h"
#include "system/output_plan.h"

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

// An option given twice would leave one of the two silently unused.
bool givenOnce(const std::vector<std::string>& arguments, std::string& error) {
    for (const std::string name :
         {"--json", "--junit", "--html", "--keep", "--only", "--skip", "--repeat"}) {
        size_t count = 0;
        for (size_t i = 0; i < arguments.size(); ++i) {
            if (arguments[i] == name) {
                ++count;
                ++i; // its value
            } else if (arguments[i].compare(0, name.size() + 1, name + "=") == 0) {
                ++count;
            }
        }
        if (count > 1) {
            error = name + " is given " + std::to_string(count) +
                    " times; give it once (a list takes several items: --only 1-3,HDMI*)";
            return false;
        }
    }
    return true;
}

// The run's tests and files checked together before the card is touched or a folder made: the
// selection, the bench it reads, the reports it writes and the folders it fills.
bool checkRun(const SelfTestOptions& options, std::string& error) {
    std::vector<std::string> names;
    for (const SelfTestCase& test : selfTestPlan()) {
        names.push_back(test.name);
    }
    std::vector<bool> selected;
    if (!selectTests(names, options.only, options.skip, selected, error)) {
        return false;
    }
    if (options.list) {
        return true;
    }
    const OutputPlan plan{
        {options.bench},
        {options.jsonPath, options.junitPath},
        {{options.htmlDirectory, {"pictures"}, {"index.html"}}, {options.keepDirectory}}};
    return checkOutputPlan(plan, error);
}

} // namespace

int runSelfTestCommand(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    std::string problem;
    if (!givenOnce(arguments, problem)) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", problem.c_str());
        return kUnusable;
    }
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
    // The reports hash the bytes the simulator loaded: the file may have changed since.
    options.benchText = loadedBenchText();
    if (!checkRun(options, problem)) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", problem.c_str());
        return kUnusable;
    }
    return runSelfTest(options);
}

} // namespace zyvodiag
