// The self-test's machine-readable report.
#pragma once

#include "self_test_run.h"

#include <string>
#include <vector>

namespace zyvodiag {

struct TestOutcome {
    std::string name;
    bool passed;
    double seconds;
    std::string detail;            // what the library and the tool printed, for a failed test
    std::vector<TestFrame> frames; // the frame files kept, with their pictures
};

struct SelfTestReport {
    std::string version;
    std::string device;
    std::string bench;
    double seconds;
    std::vector<TestOutcome> tests;
};

// The report as JSON text (docs/zyvodiag.md describes its fields).
std::string reportJson(const SelfTestReport& report);

} // namespace zyvodiag
