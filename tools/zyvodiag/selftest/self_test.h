// The bench self-test: every path of the device, one line a test, a summary and a report.
#pragma once

#include <string>

namespace zyvodiag {

struct SelfTestOptions {
    std::string bench = "default"; // the bench file, as the report names it
    std::string jsonPath;          // empty: no JSON report
    std::string keepDirectory;     // empty: frame files are removed after each test
};

// Runs every test in order, printing progress and the detail of each failure on standard
// output, and the summary line "Total: N, Passed: N, Failed: N" last. Returns the exit status:
// 0 when every test passed, 1 when one failed, 2 when the report or the frames cannot be
// written where the options say.
int runSelfTest(const SelfTestOptions& options);

} // namespace zyvodiag
