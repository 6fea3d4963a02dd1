// The self-test runner: the selected tests, as often as asked, then the reports.
#include "selftest/self_test.h"

#include "commands/command_table.h"
#include "commands/device_session.h"
#include "pictures/frame_file.h"
#include "selftest/report_pictures.h"
#include "selftest/report_text.h"
#include "selftest/reports.h"
#include "selftest/selection.h"
#include "selftest/self_test_plan.h"
#include "selftest/work_directory.h"
#include "simulator/simulator_probe.h"
#include "system/captured_output.h"
#include "system/device_exception.h"
#include "system/pending_file.h"
#include "system/sha256.h"
#include "system/stop_signals.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <zyvodiag_version.h>

namespace zyvodiag {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string hostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

// Where and how the tests run, the same for every test.
struct RunContext {
    const SelfTestOptions& options;
    std::string frameDirectory;
    std::string toolOptions; // before every command the tests record: "--sim FILE "
};

void writePreviews(std::vector<TestFrame>& frames) {
    for (TestFrame& frame : frames) {
        std::string error;
        const std::string png = fs::path(frame.file).replace_extension(".png").string();
        if (fs::exists(frame.file) &&
            writeFramePreview(frame.file, frame.shape, frame.size, png, error)) {
            frame.preview = png;
        } else if (!error.empty()) {
            std::fprintf(stderr, "zyvodiag selftest: %s\n", error.c_str());
        }
    }
}

// A device library that throws fails the test it threw in, with the exception in its log; the
// self-test goes on with the next test. A stop signal during the test leaves it not run: its
// commands after the signal could not open the device.
TestOutcome runOne(const SelfTestCase& test, size_t number, const RunContext& context) {
    const bool keep = !context.options.keepDirectory.empty();
    if (!context.options.keepTrace) {
        forgetCallTrace();
    }
    TestOutcome outcome;
    TestRun run(context.frameDirectory, keep, context.toolOptions);
    const uint64_t waitsBefore = demandedWaitMicroseconds();
    const Clock::time_point start = Clock::now();
    bool passed = false;
    {
        CapturedOutput capture;
        run.readLogWith([&capture] { return capture.text(); });
        try {
            passed = test.body(run);
        } catch (...) {
            std::fflush(stdout);
            run.note(deviceExceptionText(test.name));
        }
        std::fflush(stdout);
        outcome.log = capture.text();
        run.readLogWith(nullptr);
    }
    outcome.milliseconds = millisecondsSince(start);
    outcome.demandedWaitMilliseconds = double(demandedWaitMicroseconds() - waitsBefore) / 1000;
    outcome.commands = run.commands();
    outcome.simulatorOnly = run.simulatorOnly();
    if (stopSignal() != 0) {
        outcome.verdict = Verdict::kNotRun;
        outcome.rootCause = std::string("stopped: ") + stopDescription();
        return outcome;
    }
    outcome.verdict = passed ? Verdict::kPass : Verdict::kFail;
    if (!passed) {
        outcome.rootCause = run.rootCause();
    }
    if (keep) {
        writePreviews(run.frames());
    }
    for (const TestFrame& frame : run.frames()) {
        if (keep ? fs::exists(frame.file) : true) {
            outcome.frames.push_back(frame);
        }
    }
    if (!context.options.htmlDirectory.empty()) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02zu-", number);
        std::string error;
        if (!writeReportPictures(run.frames(), context.options.htmlDirectory, prefix,
                                 outcome.pictures, error)) {
            std::fprintf(stderr, "zyvodiag selftest: %s\n", error.c_str());
        }
    }
    return outcome;
}

TestOutcome notRun(const std::string& why) {
    TestOutcome outcome;
    outcome.rootCause = why;
    return outcome;
}

// What can be checked before the card is touched.
bool checkOptions(const SelfTestOptions& options, std::string& problem) {
    if (options.repeat < 1) {
        problem = "--repeat takes a number of runs from 1";
        return false;
    }
    for (const std::string* report : {&options.jsonPath, &options.junitPath}) {
        if (!report->empty() && !checkWritableTarget(*report, problem)) {
            problem = "cannot write the report: " + problem;
            return false;
        }
    }
    if (!options.htmlDirectory.empty() &&
        !makeReportDirectory(options.htmlDirectory + "/pictures", problem)) {
        problem = "cannot write the HTML report: " + problem;
        return false;
    }
    return true;
}

SelfTestReport startReport(const SelfTestOptions& options) {
    SelfTestReport report;
    report.toolVersion = ZYVODIAG_VERSION_STRING;
    report.libraryVersion = zyvodiagLibraryVersion();
    report.started = utcNow();
    report.host = hostName();
    report.benchPath = options.bench;
    const std::string text =
        options.benchText.empty() && options.bench.empty() ? defaultBenchText() : options.benchText;
    report.benchSha256 = sha256Hex(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    report.card = simulatedDeviceDescription(chosenDevice());
    report.repeat = options.repeat;
    report.framesKept = !options.keepDirectory.empty();
    return report;
}

bool writeReports(const SelfTestOptions& options, const SelfTestReport& report) {
    std::string error;
    const bool written =
        (options.jsonPath.empty() || writeTextFile(options.jsonPath, reportJson(report), error)) &&
        (options.junitPath.empty() ||
         writeTextFile(options.junitPath, reportJunit(report), error)) &&
        (options.htmlDirectory.empty() ||
         writeTextFile(options.htmlDirectory + "/index.html", reportHtml(report), error));
    if (!written) {
        std::fprintf(stderr, "zyvodiag selftest: writing a report failed: %s\n", error.c_str());
    }
    return written;
}

// Runs every selected test `repeat` times, in plan order each time.
void runPlan(const std::vector<SelfTestCase>& plan, const std::vector<size_t>& chosen,
             const RunContext& context, SelfTestReport& report) {
    for (unsigned pass = 1; pass <= context.options.repeat; ++pass) {
        if (context.options.repeat > 1) {
            std::printf("run %u of %u\n", pass, context.options.repeat);
        }
        for (size_t i = 0; i < chosen.size(); ++i) {
            TestRecord& record = report.tests[i];
            const bool stopped = stopSignal() != 0;
            const bool failedBefore =
                context.options.stopOnFail && report.count(Verdict::kFail) > 0;
            if (stopped || failedBefore) {
                record.runs.push_back(notRun(stopped ? std::string("not run: ") + stopDescription()
                                                     : "not run: stopped at the first failure"));
                continue;
            }
            printProgress(i + 1, chosen.size(), record.name);
            TestOutcome outcome = runOne(plan[chosen[i]], record.number, context);
            printVerdict(outcome, report.framesKept);
            record.runs.push_back(std::move(outcome));
        }
    }
}

} // namespace

int runSelfTest(const SelfTestOptions& options) {
    const std::vector<SelfTestCase> plan = selfTestPlan();
    std::vector<std::string> names;
    for (const SelfTestCase& test : plan) {
        names.push_back(test.name);
    }
    std::vector<bool> selected;
    std::string problem;
    if (!selectTests(names, options.only, options.skip, selected, problem) ||
        !checkOptions(options, problem)) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", problem.c_str());
        return kUnusable;
    }
    if (options.list) {
        printPlan(plan, selected);
        return kPass;
    }
    WorkDirectory work(options.keepDirectory);
    if (work.path().empty()) {
        std::fprintf(stderr, "zyvodiag selftest: cannot keep the frames: %s\n",
                     work.problem().c_str());
        return kUnusable;
    }
    SelfTestReport report = startReport(options);
    std::vector<size_t> chosen;
    for (size_t i = 0; i < plan.size(); ++i) {
        if (selected[i]) {
            chosen.push_back(i);
            report.tests.push_back(TestRecord{i + 1, plan[i].name, plan[i].group, {}});
        }
    }
    std::printf("zyvodiag %s self-test of the %s on bench %s\n", report.toolVersion.c_str(),
                report.card.c_str(), options.bench.empty() ? "default" : options.bench.c_str());
    std::fflush(stdout);
    // Another process driving the card would make every test fail for no fault of the card: the
    // card is held from the power cycle to the last test.
    CardHold card(chosenDevice());
    if (!card.held() || !powerOnAfresh(chosenDevice())) {
        std::fprintf(stderr, "zyvodiag selftest: the card could not be powered off and on (see "
                             "above); no test was run\n");
        return kFail;
    }
    const std::string device =
        chosenDevice() == 0 ? "" : "--device " + std::to_string(chosenDevice()) + " ";
    const RunContext context{options, work.path(),
                             (options.bench.empty() ? "" : "--sim " + options.bench + " ") +
                                 device};
    const uint64_t waitsBefore = demandedWaitMicroseconds();
    const Clock::time_point start = Clock::now();
    runPlan(plan, chosen, context, report);
    report.milliseconds = millisecondsSince(start);
    report.demandedWaitMilliseconds = double(demandedWaitMicroseconds() - waitsBefore) / 1000;
    if (report.framesKept) {
        std::printf("frames and their pictures kept in %s\n", work.path().c_str());
    }
    printSummary(report);
    // The totals are out before another process may have the card; the reports need no card.
    std::fflush(stdout);
    card.release();
    if (!writeReports(options, report)) {
        return kFail;
    }
    if (stopSignal() != 0) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", stopDescription());
        return stopStatus();
    }
    return report.count(Verdict::kFail) == 0 ? kPass : kFail;
}

} // namespace zyvodiag
