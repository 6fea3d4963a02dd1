// The self-test on the terminal: the plan, a line a test, the detail of a failure, the summary.
#pragma once

#include "selftest/self_test_plan.h"
#include "selftest/test_record.h"

#include <string>
#include <vector>

namespace zyvodiag {

// The numbered plan, marking the tests a run with these options would skip.
void printPlan(const std::vector<SelfTestCase>& plan, const std::vector<bool>& selected);

// "[ 3/16] SDI 3 -> SDI input 3 ........... ", before the test runs.
void printProgress(size_t number, size_t total, const std::string& name);

// The verdict and duration that end the progress line; for a failure the root cause, then the
// end of the log, then what became of the frame files its commands name.
void printVerdict(const TestOutcome& outcome, bool framesKept);

// Per test figures when every test ran more than once, the root cause of each failed test, the
// time against the waits demanded, and "Total: N, Passed: N, Failed: N" (", Not run: N" when
// some did not run) last.
void printSummary(const SelfTestReport& report);

} // namespace zyvodiag
