// Verdicts and figures over the runs of a test.
#include "selftest/test_record.h"

#include <algorithm>

namespace zyvodiag {

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::kPass:
        return "PASS";
    case Verdict::kFail:
        return "FAIL";
    case Verdict::kNotRun:
        break;
    }
    return "NOT RUN";
}

Verdict TestRecord::verdict() const {
    if (ranRuns() == 0) {
        return Verdict::kNotRun;
    }
    return passedRuns() == ranRuns() ? Verdict::kPass : Verdict::kFail;
}

size_t TestRecord::passedRuns() const {
    return size_t(std::count_if(runs.begin(), runs.end(), [](const TestOutcome& run) {
        return run.verdict == Verdict::kPass;
    }));
}

size_t TestRecord::ranRuns() const {
    return size_t(std::count_if(runs.begin(), runs.end(), [](const TestOutcome& run) {
        return run.verdict != Verdict::kNotRun;
    }));
}

double TestRecord::slowestMilliseconds() const {
    double slowest = 0;
    for (const TestOutcome& run : runs) {
        slowest = std::max(slowest, run.milliseconds);
    }
    return slowest;
}

double TestRecord::medianMilliseconds() const {
    std::vector<double> times;
    for (const TestOutcome& run : runs) {
        if (run.verdict != Verdict::kNotRun) {
            times.push_back(run.milliseconds);
        }
    }
    if (times.empty()) {
        return 0;
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

const TestOutcome* TestRecord::shown() const {
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (run->verdict == Verdict::kFail) {
            return &*run;
        }
    }
    return runs.empty() ? nullptr : &runs.back();
}

size_t SelfTestReport::count(Verdict verdict) const {
    return size_t(std::count_if(tests.begin(), tests.end(), [verdict](const TestRecord& test) {
        return test.verdict() == verdict;
    }));
}

} // namespace zyvodiag
