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

void TestRecord::add(TestOutcome outcome) {
    outcome.run = ++runsRecorded;
    if (outcome.verdict != Verdict::kNotRun) {
        ranMilliseconds.push_back(outcome.milliseconds);
    }
    failedRunCount += outcome.verdict == Verdict::kFail ? 1 : 0;
    slowest = std::max(slowest, outcome.milliseconds);
    const Verdict kind = outcome.verdict;
    auto sameKind = [kind](const TestOutcome& run) { return run.verdict == kind; };
    // Every failure is kept: it is what a soak is run to catch. Past the first few of its result,
    // a run that passed or did not run takes the place of the latest one kept.
    if (kind != Verdict::kFail &&
        size_t(std::count_if(runs.begin(), runs.end(), sameKind)) > kFirstRunsKept) {
        runs.erase(std::find_if(runs.rbegin(), runs.rend(), sameKind).base() - 1);
    }
    runs.push_back(std::move(outcome));
}

Verdict TestRecord::verdict() const {
    if (ranRuns() == 0) {
        return Verdict::kNotRun;
    }
    return failedRunCount == 0 ? Verdict::kPass : Verdict::kFail;
}

size_t TestRecord::passedRuns() const {
    return ranMilliseconds.size() - failedRunCount;
}

size_t TestRecord::ranRuns() const {
    return ranMilliseconds.size();
}

double TestRecord::slowestMilliseconds() const {
    return slowest;
}

double TestRecord::medianMilliseconds() const {
    if (ranMilliseconds.empty()) {
        return 0;
    }
    std::vector<double> times = ranMilliseconds;
    const size_t middle = times.size() / 2;
    std::nth_element(times.begin(), times.begin() + middle, times.end());
    if (times.size() % 2 == 1) {
        return times[middle];
    }
    const double below = *std::max_element(times.begin(), times.begin() + middle);
    return (below + times[middle]) / 2;
}

const TestOutcome* TestRecord::shown() const {
    for (Verdict wanted : {Verdict::kFail, Verdict::kPass}) {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            if (run->verdict == wanted) {
                return &*run;
            }
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
