// The self-test runner: progress lines, failure detail, the summary and the report.
#include "selftest/self_test.h"

#include "commands/command_table.h"
#include "pictures/frame_file.h"
#include "selftest/self_test_plan.h"
#include "selftest/self_test_report.h"
#include "simulator/simulator_probe.h"
#include "system/captured_output.h"
#include "system/device_exception.h"
#include "system/pending_file.h"
#include "system/stop_signals.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

namespace zyvodiag {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The terminal shows the end of a failed test's log, at most this many lines: a step can report
// a fault and still succeed, so the whole log matters, but what failed is at its end. The JSON
// report keeps all of it.
constexpr size_t cDetailLines = 80;
constexpr size_t cNameColumn = 44;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Where the frames go: the --keep directory, or a directory of our own removed at the end.
class WorkDirectory {
public:
    explicit WorkDirectory(const std::string& keep) : mTemporary(keep.empty()) {
        std::error_code error;
        if (mTemporary) {
            const char* tmp = std::getenv("TMPDIR");
            std::string pattern =
                std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/zyvodiag-selftest-XXXXXX";
            if (mkdtemp(pattern.data()) != nullptr) {
                mPath = pattern;
            } else {
                mProblem = pattern + ": " + std::strerror(errno);
            }
            return;
        }
        fs::create_directories(keep, error);
        // Every frame is written as a file of its own and renamed: the directory must let us
        // do that, and must not let anybody else swap the files.
        if (error) {
            mProblem = keep + ": " + error.message();
        } else if (!fs::is_directory(keep, error)) {
            mProblem = keep + ": " + std::strerror(ENOTDIR);
        } else if (checkWritableTarget(keep + "/.zyvodiag-frame", mProblem)) {
            mPath = keep;
        }
    }
    ~WorkDirectory() {
        if (mTemporary && !mPath.empty()) {
            std::error_code ignored;
            fs::remove_all(mPath, ignored);
        }
    }
    const std::string& path() const { return mPath; }
    const std::string& problem() const { return mProblem; }

private:
    bool mTemporary;
    std::string mPath;
    std::string mProblem;
};

void printProgress(size_t number, size_t total, const std::string& name) {
    const int width = static_cast<int>(std::to_string(total).size());
    std::string dotted = name + " ";
    if (dotted.size() < cNameColumn) {
        dotted.append(cNameColumn - dotted.size(), '.');
    }
    std::printf("[%*zu/%zu] %s ", width, number, total, dotted.c_str());
    std::fflush(stdout);
}

void printDetail(const std::string& log) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(log);
    while (std::getline(in, line)) {
        // The HDMI capture's countdown overwrites itself with carriage returns.
        std::istringstream pieces(line);
        std::string piece;
        while (std::getline(pieces, piece, '\r')) {
            if (piece.find_first_not_of(" \t") != std::string::npos) {
                lines.push_back(piece);
            }
        }
    }
    const size_t first = lines.size() > cDetailLines ? lines.size() - cDetailLines : 0;
    if (first > 0) {
        std::printf("    ... %zu earlier lines (the JSON report keeps them)\n", first);
    }
    for (size_t i = first; i < lines.size(); ++i) {
        std::printf("    %s\n", lines[i].c_str());
    }
}

void writePreviews(std::vector<TestFrame>& frames) {
    for (TestFrame& frame : frames) {
        std::string error;
        const std::string png = fs::path(frame.file).replace_extension(".png").string();
        if (fs::exists(frame.file) &&
            writeFramePreview(frame.file, frame.shape, frame.size, png, error)) {
            frame.preview = png;
        }
    }
}

// A device library that throws fails the test it threw in, with the exception in its log; the
// self-test goes on with the next test. A stop signal during the test leaves it not run: its
// commands after the signal could not open the device.
TestOutcome runOne(const SelfTestCase& test, const std::string& directory, bool keep) {
    TestOutcome outcome{test.name, Verdict::kFail, 0, "", {}};
    TestRun run(directory, keep);
    const Clock::time_point start = Clock::now();
    bool passed = false;
    std::string log;
    {
        CapturedOutput capture;
        try {
            passed = test.body(run);
        } catch (...) {
            std::fflush(stdout);
            std::printf("zyvodiag: %s\n", deviceExceptionText(test.name).c_str());
        }
        std::fflush(stdout);
        log = capture.text();
    }
    outcome.seconds = secondsSince(start);
    if (stopSignal() != 0) {
        outcome.verdict = Verdict::kNotRun;
        outcome.detail = std::string("stopped: ") + stopDescription();
        return outcome;
    }
    outcome.verdict = passed ? Verdict::kPass : Verdict::kFail;
    if (!passed) {
        outcome.detail = log;
    }
    if (keep) {
        writePreviews(run.frames());
        for (const TestFrame& frame : run.frames()) {
            if (fs::exists(frame.file)) {
                outcome.frames.push_back(frame);
            }
        }
    }
    return outcome;
}

TestOutcome notRun(const SelfTestCase& test) {
    return TestOutcome{
        test.name, Verdict::kNotRun, 0, std::string("not run: ") + stopDescription(), {}};
}

// The report goes under a temporary name and is renamed once whole, so a run killed partway
// leaves the previous report as it was.
bool writeReport(const std::string& path, const SelfTestReport& report) {
    PendingFile file(path);
    const std::string text = reportJson(report);
    std::string error = file.error();
    if (file.ready()) {
        FILE* stream = std::fopen(file.writePath().c_str(), "wb");
        bool written =
            stream != nullptr && std::fwrite(text.data(), 1, text.size(), stream) == text.size();
        // A full disk may show only at the close.
        written = stream != nullptr && std::fclose(stream) == 0 && written;
        if (!written) {
            error = path + ": " + std::strerror(errno);
        } else if (file.keep(error)) {
            return true;
        }
    }
    std::fprintf(stderr, "zyvodiag selftest: writing the report failed: %s\n", error.c_str());
    return false;
}

} // namespace

int runSelfTest(const SelfTestOptions& options) {
    std::string problem;
    if (!options.jsonPath.empty() && !checkWritableTarget(options.jsonPath, problem)) {
        std::fprintf(stderr, "zyvodiag selftest: cannot write the report: %s\n", problem.c_str());
        return kUnusable;
    }
    WorkDirectory work(options.keepDirectory);
    if (work.path().empty()) {
        std::fprintf(stderr, "zyvodiag selftest: cannot keep the frames: %s\n",
                     work.problem().c_str());
        return kUnusable;
    }
    const std::vector<SelfTestCase> plan = selfTestPlan();
    SelfTestReport report{ZYVODIAG_VERSION, simulatedDeviceDescription(), options.bench, 0, {}};
    std::printf("zyvodiag %s self-test of the %s on bench %s\n", report.version.c_str(),
                report.device.c_str(), report.bench.c_str());
    std::fflush(stdout);
    // Another process driving the card would make every test fail for no fault of the card.
    if (!powerOnAfresh()) {
        std::fprintf(stderr, "zyvodiag selftest: the card could not be powered off and on (see "
                             "above); no test was run\n");
        return kFail;
    }
    const Clock::time_point start = Clock::now();
    size_t counts[3] = {};
    for (size_t i = 0; i < plan.size(); ++i) {
        if (stopSignal() != 0) {
            report.tests.push_back(notRun(plan[i]));
            ++counts[static_cast<size_t>(Verdict::kNotRun)];
            continue;
        }
        printProgress(i + 1, plan.size(), plan[i].name);
        TestOutcome outcome = runOne(plan[i], work.path(), !options.keepDirectory.empty());
        std::printf("%s  %.2f s\n", verdictText(outcome.verdict), outcome.seconds);
        if (outcome.verdict == Verdict::kFail) {
            printDetail(outcome.detail);
        }
        std::fflush(stdout);
        ++counts[static_cast<size_t>(outcome.verdict)];
        report.tests.push_back(std::move(outcome));
    }
    report.seconds = secondsSince(start);
    if (!options.keepDirectory.empty()) {
        std::printf("frames and their pictures kept in %s\n", work.path().c_str());
    }
    std::printf("self-test took %.2f s\n", report.seconds);
    std::printf("Total: %zu, Passed: %zu, Failed: %zu", plan.size(),
                counts[static_cast<size_t>(Verdict::kPass)],
                counts[static_cast<size_t>(Verdict::kFail)]);
    if (counts[static_cast<size_t>(Verdict::kNotRun)] > 0) {
        std::printf(", Not run: %zu", counts[static_cast<size_t>(Verdict::kNotRun)]);
    }
    std::printf("\n");
    std::fflush(stdout);
    if (!options.jsonPath.empty() && !writeReport(options.jsonPath, report)) {
        return kFail;
    }
    if (stopSignal() != 0) {
        std::fprintf(stderr, "zyvodiag selftest: %s\n", stopDescription());
        return stopStatus();
    }
    return counts[static_cast<size_t>(Verdict::kFail)] == 0 ? kPass : kFail;
}

} // namespace zyvodiag
