// The self-test runner: progress lines, failure detail, the summary and the report.
#include "self_test.h"

#include "captured_output.h"
#include "command_table.h"
#include "frame_file.h"
#include "self_test_plan.h"
#include "self_test_report.h"
#include "simulator_probe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
            }
        } else {
            fs::create_directories(keep, error);
            if (fs::is_directory(keep, error)) {
                mPath = keep;
            }
        }
    }
    ~WorkDirectory() {
        if (mTemporary && !mPath.empty()) {
            std::error_code ignored;
            fs::remove_all(mPath, ignored);
        }
    }
    const std::string& path() const { return mPath; }

private:
    bool mTemporary;
    std::string mPath;
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

TestOutcome runOne(const SelfTestCase& test, const std::string& directory, bool keep) {
    TestOutcome outcome{test.name, false, 0, "", {}};
    TestRun run(directory, keep);
    const Clock::time_point start = Clock::now();
    std::string log;
    {
        CapturedOutput capture;
        outcome.passed = test.body(run);
        log = capture.text();
    }
    outcome.seconds = secondsSince(start);
    if (!outcome.passed) {
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

} // namespace

int runSelfTest(const SelfTestOptions& options) {
    WorkDirectory work(options.keepDirectory);
    if (work.path().empty()) {
        std::fprintf(stderr, "zyvodiag selftest: cannot make the directory %s for the frames\n",
                     options.keepDirectory.empty() ? "under $TMPDIR"
                                                   : options.keepDirectory.c_str());
        return kUnusable;
    }
    // Opened before the first test, so a report that cannot be written does not cost a run.
    std::ofstream json;
    if (!options.jsonPath.empty()) {
        json.open(options.jsonPath);
        if (!json) {
            std::fprintf(stderr, "zyvodiag selftest: cannot write the report %s\n",
                         options.jsonPath.c_str());
            return kUnusable;
        }
    }
    const std::vector<SelfTestCase> plan = selfTestPlan();
    SelfTestReport report{ZYVODIAG_VERSION, simulatedDeviceDescription(), options.bench, 0, {}};
    std::printf("zyvodiag %s self-test of the %s on bench %s\n", report.version.c_str(),
                report.device.c_str(), report.bench.c_str());
    if (!powerOnAfresh()) {
        std::printf("the card could not be powered off and on: tests start from its state\n");
    }
    const Clock::time_point start = Clock::now();
    size_t failed = 0;
    for (size_t i = 0; i < plan.size(); ++i) {
        printProgress(i + 1, plan.size(), plan[i].name);
        TestOutcome outcome = runOne(plan[i], work.path(), !options.keepDirectory.empty());
        std::printf("%s  %.2f s\n", outcome.passed ? "PASS" : "FAIL", outcome.seconds);
        if (!outcome.passed) {
            ++failed;
            printDetail(outcome.detail);
        }
        std::fflush(stdout);
        report.tests.push_back(std::move(outcome));
    }
    report.seconds = secondsSince(start);
    if (!options.keepDirectory.empty()) {
        std::printf("frames and their pictures kept in %s\n", work.path().c_str());
    }
    std::printf("self-test took %.2f s\n", report.seconds);
    std::printf("Total: %zu, Passed: %zu, Failed: %zu\n", plan.size(), plan.size() - failed,
                failed);
    std::fflush(stdout);
    if (json.is_open()) {
        json << reportJson(report);
        json.close();
        if (!json) {
            std::fprintf(stderr, "zyvodiag selftest: writing the report %s failed\n",
                         options.jsonPath.c_str());
            return kUnusable;
        }
    }
    return failed == 0 ? kPass : kFail;
}

} // namespace zyvodiag
