// Writing the self-test's progress and summary for a person at the terminal.
#include "selftest/report_text.h"

#include "system/hard_stop.h"
#include "system/terminal_style.h"

#include <cstdio>
#include <sstream>

namespace zyvodiag {
namespace {

// The terminal shows the end of a failed test's log, at most this many lines: a step can report
// a fault and still succeed, so the whole log matters, but what failed is at its end. The JSON
// report keeps all of it.
constexpr size_t kDetailLines = 80;
constexpr size_t kNameColumn = 44;

std::vector<std::string> logLines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        // The HDMI capture's countdown overwrites itself with carriage returns.
        std::istringstream pieces(line);
        for (std::string piece; std::getline(pieces, piece, '\r');) {
            if (piece.find_first_not_of(" \t") != std::string::npos) {
                lines.push_back(piece);
            }
        }
    }
    return lines;
}

} // namespace

void printPlan(const std::vector<SelfTestCase>& plan, const std::vector<bool>& selected) {
    const int width = static_cast<int>(std::to_string(plan.size()).size());
    for (size_t i = 0; i < plan.size(); ++i) {
        std::printf("%*zu  %-44s %-8s%s\n", width, i + 1, plan[i].name.c_str(),
                    plan[i].group.c_str(), selected[i] ? "" : "  (skipped)");
        if (!plan[i].reveals.empty()) {
            std::printf("%*s  reveals %s\n", width, "", plan[i].reveals.c_str());
        }
    }
}

void printProgress(size_t number, size_t total, const std::string& name) {
    const int width = static_cast<int>(std::to_string(total).size());
    std::string dotted = name + " ";
    if (dotted.size() < kNameColumn) {
        dotted.append(kNameColumn - dotted.size(), '.');
    }
    std::printf("[%*zu/%zu] %s ", width, number, total, dotted.c_str());
    std::fflush(stdout);
    markLineOpen(true);
}

void printVerdict(const TestOutcome& outcome, bool framesKept) {
    std::printf("%s  %.2f s\n", paintedVerdict(verdictText(outcome.verdict)).c_str(),
                outcome.milliseconds / 1000);
    markLineOpen(false);
    if (outcome.verdict != Verdict::kFail) {
        return;
    }
    if (!outcome.rootCause.empty()) {
        std::printf("    root cause: %s\n", outcome.rootCause.c_str());
    }
    const std::vector<std::string> lines = logLines(outcome.log);
    const size_t first = lines.size() > kDetailLines ? lines.size() - kDetailLines : 0;
    if (first > 0) {
        std::printf("    ... %zu earlier lines (the JSON report keeps them)\n", first);
    }
    for (size_t i = first; i < lines.size(); ++i) {
        std::printf("    %s\n", lines[i].c_str());
    }
    if (!framesKept && !outcome.frames.empty()) {
        std::printf("    (the frame files these commands name were removed; run the self-test "
                    "with --keep DIR to keep them)\n");
    }
}

void printSummary(const SelfTestReport& report) {
    if (report.repeat > 1) {
        std::printf("every test %u times:\n", report.repeat);
        for (const TestRecord& test : report.tests) {
            std::printf("  %-44s passed %zu of %zu, slowest %.2f s, median %.2f s\n",
                        test.name.c_str(), test.passedRuns(), test.ranRuns(),
                        test.slowestMilliseconds() / 1000, test.medianMilliseconds() / 1000);
        }
    }
    // Settled once every test has run: a call that failed in a later test that passed is no
    // cause, so these can name better causes than the lines above did.
    if (report.count(Verdict::kFail) > 0) {
        std::printf("root causes:\n");
        for (const TestRecord& test : report.tests) {
            const TestOutcome* shown = test.shown();
            if (test.verdict() == Verdict::kFail && shown != nullptr) {
                std::printf("  %2zu %s: %s\n", test.number, test.name.c_str(),
                            shown->rootCause.c_str());
            }
        }
    }
    std::printf("self-test took %.2f s; the diagnostics demanded %.2f s of waits%s\n",
                report.milliseconds / 1000, report.demandedWaitMilliseconds / 1000,
                report.simulatedClock ? ", on the simulator's clock" : "");
    std::printf("Total: %zu, Passed: %zu, Failed: %zu", report.tests.size(),
                report.count(Verdict::kPass), report.count(Verdict::kFail));
    if (report.count(Verdict::kNotRun) > 0) {
        std::printf(", Not run: %zu", report.count(Verdict::kNotRun));
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace zyvodiag
