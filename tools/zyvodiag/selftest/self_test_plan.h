// The tests of the bench self-test, in the order they run.
#pragma once

#include "selftest/self_test_run.h"

#include <functional>
#include <string>
#include <vector>

namespace zyvodiag {

struct SelfTestCase {
    std::string name;
    std::string group; // what it tests, as the reports class it: "sdi", "hdmi", ...
    std::function<bool(TestRun&)> body; // true for a pass
    // The impairments of a video path its pictures reveal, with any argument, as `selftest
    // --list` shows them; empty for a test of no picture path.
    std::string reveals;
};

std::vector<SelfTestCase> selfTestPlan();

} // namespace zyvodiag
