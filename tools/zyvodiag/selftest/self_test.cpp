// The self-test runner: the selected tests, as often as asked, then the reports.
#include "selftest/self_test.h"

#include "commands/command_table.h"
#include "commands/device_session.h"
#include "pictures/frame_file.h"
#include "selftest/picture_writer.h"
#include "selftest/report_pictures.h"
#include "selftest/report_text.h"
#include "selftest/reports.h"
#include "selftest/root_cause.h"
#include "selftest/selection.h"
#include "selftest/self_test_plan.h"
#include "selftest/stable_text.h"
#include "selftest/work_directory.h"
#include "selftest/written_files.h"
#include "simulator/simulator_probe.h"
#include "system/device_exception.h"
#include "system/hard_stop.h"
#include "system/pending_file.h"
#include "system/sha256.h"
#include "system/stop_signals.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>

#include <zyvodiag_version.h>

namespace zyvodiag {
namespace {

namespace fs = std::filesystem;
double steadyMilliseconds() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
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
    std::string frameDirectory;           // with --keep, this run's own folder inside the kept one
    std::vector<std::string> toolOptions; // before every command the tests record: --sim FILE
    PictureWriter& pictures;
    std::string htmlPictures; // this run's pictures folder, relative to the HTML folder
    // Device calls that failed where nothing came of it: no root cause of another test.
    std::set<std::string> harmlessCalls;
    bool everyFileWritten = true; // a file the run could not write fails it once the tests end
};

bool wantsPictures(const SelfTestOptions& options) {
    return !options.keepDirectory.empty() || !options.htmlDirectory.empty();
}

// The log as the test printed it, addresses and all, beside its kept frames; each run of other
// characters in the test's name becomes one hyphen ("sdi-3-sdi-input-3.log").
std::string rawLogName(const std::string& test) {
    std::string name;
    for (char c : test) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += char(std::tolower(static_cast<unsigned char>(c)));
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    if (!name.empty() && name.back() == '-') {
        name.pop_back();
    }
    return name + ".log";
}

// False, having said why, when the log could not be written: the kept folder is then not whole.
bool writeRawLog(const std::string& folder, const SelfTestCase& test, const std::string& log) {
    std::string error;
    if (!writeTextFile(folder + "/" + rawLogName(test.name), log, error)) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", error.c_str());
        return false;
    }
    return true;
}

// A device library that throws fails the test it threw in, with the exception in its log; the
// self-test goes on with the next test. A stop signal during the test leaves it not run: its
// commands after the signal could not open the device.
TestOutcome runOne(const SelfTestCase& test, RunContext& context,
                   std::vector<FrameComparison>& comparisons) {
    const bool keep = !context.options.keepDirectory.empty();
    if (!context.options.keepTrace) {
        forgetCallTrace();
    }
    TestOutcome outcome;
    TestRun run(context.frameDirectory, keep, context.toolOptions, wantsPictures(context.options));
    const uint64_t waitsBefore = demandedWaitMicroseconds();
    const double start = context.options.clock();
    bool passed = false;
    try {
        passed = test.body(run);
    } catch (...) {
        run.note(deviceExceptionText(test.name));
    }
    outcome.milliseconds = context.options.clock() - start;
    outcome.demandedWaitMilliseconds = double(demandedWaitMicroseconds() - waitsBefore) / 1000;
    // The reports hold the text with placeholders; a kept folder has the raw log too.
    outcome.log = stableText(run.log());
    if (keep) {
        context.everyFileWritten &= writeRawLog(context.frameDirectory, test, run.log());
    }
    for (const std::string& command : run.commands()) {
        outcome.commands.push_back(stableText(command));
    }
    outcome.simulatorOnly = run.simulatorOnly();
    outcome.evidence = run.evidence();
    if (stopSignal() != 0) {
        outcome.verdict = Verdict::kNotRun;
        outcome.rootCause = std::string("stopped: ") + stopDescription();
        return outcome;
    }
    outcome.verdict = passed ? Verdict::kPass : Verdict::kFail;
    if (passed) {
        for (const std::vector<std::string>& calls : outcome.evidence.passedCommandCalls) {
            context.harmlessCalls.insert(calls.begin(), calls.end());
        }
    } else {
        outcome.rootCause = stableText(chooseRootCause(outcome.evidence, context.harmlessCalls));
    }
    std::error_code ignored;
    for (const TestFrame& frame : run.frames()) {
        if (keep) {
            if (fs::exists(frame.file, ignored)) {
                outcome.frames.push_back(frame);
            }
        } else {
            outcome.frames.push_back(frame);
            outcome.frames.back().file = stableText(frame.file);
        }
    }
    comparisons = std::move(run.comparisons());
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
    report.card = stableText(simulatedDeviceDescription(chosenDevice()));
    report.simulatedClock = deviceIsSimulated();
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

// The pictures of a test, queued once its verdict is on the screen: they are compressed on the
// other cores while the next test runs.
void queuePictures(std::vector<FrameComparison> comparisons, size_t number, RunContext& context,
                   TestOutcome& outcome) {
    if (comparisons.empty() || !wantsPictures(context.options)) {
        return;
    }
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu-", number);
    const PictureTargets targets{!context.options.keepDirectory.empty(),
                                 context.options.htmlDirectory, context.htmlPictures, prefix};
    queueTestPictures(std::move(comparisons), targets, outcome, context.pictures);
}

// Runs every selected test `repeat` times, in plan order each time.
void runPlan(const std::vector<SelfTestCase>& plan, const std::vector<size_t>& chosen,
             RunContext& context, SelfTestReport& report) {
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
                record.add(notRun(stopped ? std::string("not run: ") + stopDescription()
                                          : "not run: stopped at the first failure"));
                continue;
            }
            printProgress(i + 1, chosen.size(), record.name);
            std::vector<FrameComparison> comparisons;
            TestOutcome outcome = runOne(plan[chosen[i]], context, comparisons);
            printVerdict(outcome, report.framesKept);
            queuePictures(std::move(comparisons), record.number, context, outcome);
            record.add(std::move(outcome));
        }
    }
}

// Once every test has run, a call that failed harmlessly in a later test is known too.
void settleRootCauses(const RunContext& context, SelfTestReport& report) {
    for (TestRecord& test : report.tests) {
        for (TestOutcome& run : test.runs) {
            if (run.verdict == Verdict::kFail) {
                run.rootCause = stableText(chooseRootCause(run.evidence, context.harmlessCalls));
            }
        }
    }
}

// Waits for the pictures still being written and says what they cost, so that no time of the
// run goes unaccounted.
bool finishPictures(PictureWriter& writer, const SelfTestOptions::Clock& clock) {
    const double start = clock();
    const std::vector<std::string> failures = writer.finish();
    for (const std::string& failure : failures) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", failure.c_str());
    }
    if (writer.jobsDone() > 0) {
        std::printf("pictures: %zu written in %.2f s of work; the run waited %.2f s for them\n",
                    writer.jobsDone(), writer.busyMilliseconds() / 1000, (clock() - start) / 1000);
    }
    return failures.empty();
}

// What this run writes into the --html and --keep folders, named relative to each; `keptRun` is
// this run's folder inside the --keep folder.
struct RunFiles {
    std::set<std::string> pictures = {"index.html"};
    std::set<std::string> frames;
};

RunFiles filesOfThisRun(const SelfTestReport& report, const std::string& keptRun) {
    RunFiles files;
    for (const TestRecord& test : report.tests) {
        if (test.ranRuns() > 0) {
            files.frames.insert(keptRun + "/" + rawLogName(test.name));
        }
        for (const TestOutcome& run : test.runs) {
            for (const FramePictures& shown : run.pictures) {
                for (const std::string* name :
                     {&shown.expected, &shown.expectedThumbnail, &shown.captured,
                      &shown.capturedThumbnail, &shown.difference, &shown.differenceThumbnail,
                      &shown.waveform, &shown.waveformThumbnail, &shown.vectorscope,
                      &shown.vectorscopeThumbnail}) {
                    if (!name->empty()) {
                        files.pictures.insert(*name);
                    }
                }
            }
            for (const TestFrame& frame : run.frames) {
                for (const std::string* file : {&frame.file, &frame.preview, &frame.difference}) {
                    if (!file->empty()) {
                        files.frames.insert(keptRun + "/" + fs::path(*file).filename().string());
                    }
                }
            }
        }
    }
    return files;
}

// Both folders' records, each made by `record`: added to the earlier record, or replacing it (only
// what the tool recorded writing there is ever removed).
bool recordEach(const SelfTestOptions& options, const RunFiles& files,
                bool (*record)(const std::string&, const std::set<std::string>&, std::string&)) {
    std::string error;
    if ((options.htmlDirectory.empty() || record(options.htmlDirectory, files.pictures, error)) &&
        (options.keepDirectory.empty() || record(options.keepDirectory, files.frames, error))) {
        return true;
    }
    std::fprintf(stderr, "zyvodiag selftest: %s\n", error.c_str());
    return false;
}

// A report folder changes all at once: this run's pictures go to a folder of their own beside the
// previous run's, and the index that names them replaces the previous index with one rename. An
// interrupted run leaves the previous index and its pictures as they were.
bool makeRunPictures(const SelfTestOptions& options, std::string& folder) {
    if (options.htmlDirectory.empty()) {
        return true;
    }
    std::string problem;
    const std::string name = makeRunFolder(options.htmlDirectory + "/pictures", problem);
    if (name.empty()) {
        std::fprintf(stderr, "zyvodiag selftest: cannot write the HTML report: %s\n",
                     problem.c_str());
        return false;
    }
    folder = "pictures/" + name;
    return true;
}

} // namespace

SelfTestOptions::Clock steadyClock() {
    return steadyMilliseconds;
}

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
            TestRecord record;
            record.number = i + 1;
            record.name = plan[i].name;
            record.group = plan[i].group;
            report.tests.push_back(std::move(record));
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
    removePrivateCardOnHardStop();
    std::string htmlPictures;
    if (!makeRunPictures(options, htmlPictures)) {
        return kFail;
    }
    PictureWriter pictures;
    std::vector<std::string> toolWords;
    if (!options.bench.empty()) {
        toolWords = {"--sim", options.bench};
    }
    if (chosenDevice() != 0) {
        toolWords.insert(toolWords.end(), {"--device", std::to_string(chosenDevice())});
    }
    RunContext context{options, work.path(), toolWords, pictures, htmlPictures, {}};
    const uint64_t waitsBefore = demandedWaitMicroseconds();
    const double start = options.clock();
    runPlan(plan, chosen, context, report);
    settleRootCauses(context, report);
    const bool picturesWritten = finishPictures(pictures, options.clock);
    report.milliseconds = options.clock() - start;
    report.demandedWaitMilliseconds = double(demandedWaitMicroseconds() - waitsBefore) / 1000;
    if (report.framesKept) {
        std::printf("frames and their pictures kept in %s\n", work.path().c_str());
    }
    printSummary(report);
    // The totals are out before another process may have the card; the reports need no card.
    std::fflush(stdout);
    card.release();
    // A report or folder that could not be written whole is no success, whatever the verdicts.
    // The run's files are recorded, beside what earlier runs recorded, before its folders stop
    // going with a second signal: a stop from here on leaves nothing the next run cannot take
    // back. From here on an index may name these pictures and the reports the kept frames; the
    // previous run's files go only once the reports are written.
    const RunFiles files = filesOfThisRun(report, work.runFolder());
    const bool recorded = recordEach(options, files, addToRecord);
    if (!htmlPictures.empty()) {
        keepOnHardStop(options.htmlDirectory + "/" + htmlPictures);
    }
    work.keep();
    const bool reportsWritten = recorded && writeReports(options, report) &&
                                recordEach(options, files, replaceRecordedFiles);
    // A run that drew no picture, or kept no frame, leaves no empty folder.
    for (const std::string& folder :
         {htmlPictures.empty() ? "" : options.htmlDirectory + "/" + htmlPictures,
          work.runFolder().empty() ? "" : work.path()}) {
        if (!folder.empty()) {
            rmdir(folder.c_str());
        }
    }
    if (!reportsWritten || !picturesWritten || !context.everyFileWritten) {
        std::fprintf(stderr, "zyvodiag selftest: failed: the reports are not whole (the files "
                             "named above could not be written)\n");
        return kFail;
    }
    if (stopSignal() != 0) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", stopDescription());
        return stopStatus();
    }
    return report.count(Verdict::kFail) == 0 ? kPass : kFail;
}

} // namespace zyvodiag
