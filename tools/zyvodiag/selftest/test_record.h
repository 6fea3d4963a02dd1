// What the self-test found: each run of each test, and the run as a whole, for every report.
#pragma once

#include "selftest/self_test_run.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

enum class Verdict { kPass, kFail, kNotRun };

// "PASS", "FAIL" or "NOT RUN".
const char* verdictText(Verdict verdict);

// The pictures of one frame of a test in the HTML report, relative to its folder: the expected
// frame, the captured one and their difference, each full size and as a thumbnail. A frame
// with no counterpart (the LCD's) has only `captured`.
struct FramePictures {
    std::string title;
    std::string expected, expectedThumbnail;
    std::string captured, capturedThumbnail;
    std::string difference, differenceThumbnail;
    // A failed comparison's captured frame as a waveform and a vectorscope, and the analyser's
    // sentence to stand under them.
    std::string waveform, waveformThumbnail;
    std::string vectorscope, vectorscopeThumbnail;
    std::string likelyCause;
};

// One run of one test.
struct TestOutcome {
    size_t run = 0; // which run of the test, from 1
    Verdict verdict = Verdict::kNotRun;
    double milliseconds = 0;
    double demandedWaitMilliseconds = 0; // what the diagnostics waited, by their own demand
    // The first device-library call that failed, or else what the tool found wrong; empty for a
    // pass. Why, for a test not run.
    std::string rootCause;
    std::string log;                     // everything the library and the tool printed
    std::vector<std::string> commands;   // as a user would type them again
    std::vector<TestFrame> frames;       // the frames kept, with their pictures
    std::vector<FramePictures> pictures; // for the HTML report
    std::string simulatorOnly;  // a check made inside the simulator, and why; empty if none
    RootCauseEvidence evidence; // what the root cause is chosen from once every test has run
};

// How many passed and not-run runs a test keeps in detail besides the latest of each: a soak of
// any length keeps a bounded log of what went well, and every failure.
constexpr size_t kFirstRunsKept = 5;

// Every run of one test of the plan: the figures over all of them, and the detail of a bounded
// number.
struct TestRecord {
    size_t number = 0; // in the plan, from 1
    std::string name;
    std::string group; // what it tests: "sdi", "monitor", "hdmi", "timing", "lcd"
    // In run order: every failed run, and the first kFirstRunsKept runs that passed or did not
    // run and the latest of each; the others count in the figures only.
    std::vector<TestOutcome> runs;
    size_t runsRecorded = 0;
    size_t failedRunCount = 0;
    std::vector<double> ranMilliseconds; // of every run that ran
    double slowest = 0;

    // Counts the run and keeps its detail if it is among those kept.
    void add(TestOutcome outcome);
    // FAIL when any run failed, NOT RUN when none ran, else PASS.
    Verdict verdict() const;
    size_t passedRuns() const;
    size_t ranRuns() const;
    double slowestMilliseconds() const;
    double medianMilliseconds() const;
    // The last run that failed, else the last that ran, else the last: what the reports show in
    // detail. A run left out after an earlier one passed does not hide that pass.
    const TestOutcome* shown() const;
};

struct SelfTestReport {
    std::string toolVersion;
    std::string libraryVersion;
    std::string started; // ISO 8601, UTC
    std::string host;
    std::string benchPath; // empty for the built-in bench
    std::string benchSha256;
    std::string card;
    unsigned repeat = 1;
    double milliseconds = 0;
    double demandedWaitMilliseconds = 0;
    bool simulatedClock = false; // the waits ran on the simulator's clock
    bool framesKept = false;
    std::vector<TestRecord> tests;

    size_t count(Verdict verdict) const;
};

} // namespace zyvodiag
