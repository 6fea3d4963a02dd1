// The self-test's machine-readable report.
#pragma once

#include "selftest/self_test_run.h"

#include <string>
#include <vector>

namespace zyvodiag {

enum class Verdict { kPass, kFail, kNotRun };

// "PASS", "FAIL" or "NOT RUN".
const char* verdictText(Verdict verdict);

struct TestOutcome {
    std::string name;
    Verdict verdict;
    double seconds;
    // What the library and the tool printed, for a failed test; why, for a test not run.
    std::string detail;
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
