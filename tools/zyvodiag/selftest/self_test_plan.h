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
};

std::vector<SelfTestCase> selfTestPlan();

} // namespace zyvodiag
