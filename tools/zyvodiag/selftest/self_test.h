// The bench self-test: every path of the device, one line a test, a summary and the reports.
#pragma once

#include <functional>
#include <string>

namespace zyvodiag {

// The host's monotonic clock, in milliseconds.
std::function<double()> steadyClock();

struct SelfTestOptions {
    std::string bench;     // the bench file as the reports name it; empty for the built-in bench
    std::string benchText; // its text, for the reports' SHA-256
    std::string jsonPath;  // empty: no JSON report
    std::string junitPath; // empty: no JUnit report
    std::string htmlDirectory; // empty: no HTML report
    std::string keepDirectory; // empty: frame files are removed after each test
    std::string only;          // tests to run: numbers, ranges and name globs, comma separated
    std::string skip;          // tests not to run, in the same form
    bool list = false;         // print the plan and run nothing
    unsigned repeat = 1;
    bool stopOnFail = false;
    bool keepTrace = false; // --trace: the simulator's call trace is not cut between tests
    // Milliseconds from any fixed start: what the durations are read from. A test gives its
    // own, so that it can check the figures made of them.
    using Clock = std::function<double()>;
    Clock clock = steadyClock();
};

// Runs the selected tests in order, `repeat` times, printing progress and the detail of each
// failure on standard output and the summary last, then writes the reports. Returns the exit
// status: 0 when every test run passed, 1 when one failed or the card could not be had, 2 when
// the options cannot be used or a report cannot be written where they say, 128 + the signal
// after a stop signal.
int runSelfTest(const SelfTestOptions& options);

} // namespace zyvodiag
