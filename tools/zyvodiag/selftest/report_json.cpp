// The JSON report, through nlohmann-json so whatever the library printed is escaped properly.
#include "selftest/reports.h"

#include "system/pending_file.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace zyvodiag {
namespace {

using nlohmann::ordered_json;

// Milliseconds to the microsecond: at most three decimals.
double milliseconds(double value) {
    return std::round(value * 1000) / 1000;
}

ordered_json optionalText(const std::string& text) {
    return text.empty() ? ordered_json(nullptr) : ordered_json(text);
}

ordered_json framesJson(const std::vector<TestFrame>& frames, bool kept) {
    ordered_json list = ordered_json::array();
    for (const TestFrame& frame : frames) {
        list.push_back({{"file", frame.file},
                        {"kept", kept},
                        {"picture", optionalText(frame.preview)},
                        {"difference", optionalText(frame.difference)}});
    }
    return list;
}

ordered_json runJson(const TestOutcome& run, bool kept) {
    return {{"run", run.run},
            {"result", verdictText(run.verdict)},
            {"duration_ms", milliseconds(run.milliseconds)},
            {"demanded_waits_ms", milliseconds(run.demandedWaitMilliseconds)},
            {"root_cause", optionalText(run.rootCause)},
            {"analysis", ordered_json(run.evidence.analysis)},
            {"simulator_only", optionalText(run.simulatorOnly)},
            {"commands", run.commands},
            {"frames", framesJson(run.frames, kept)},
            {"log", run.log}};
}

} // namespace

std::string reportJson(const SelfTestReport& report) {
    ordered_json tests = ordered_json::array();
    for (const TestRecord& test : report.tests) {
        ordered_json runs = ordered_json::array();
        for (const TestOutcome& run : test.runs) {
            runs.push_back(runJson(run, report.framesKept));
        }
        tests.push_back({{"number", test.number},
                         {"name", test.name},
                         {"group", test.group},
                         {"result", verdictText(test.verdict())},
                         {"passed_runs", test.passedRuns()},
                         {"runs_made", test.ranRuns()},
                         {"slowest_ms", milliseconds(test.slowestMilliseconds())},
                         {"median_ms", milliseconds(test.medianMilliseconds())},
                         {"runs_listed", runs.size()},
                         {"runs", runs}});
    }
    const ordered_json json = {
        {"schema", 1},
        {"tool", {{"name", "zyvodiag"}, {"version", report.toolVersion}}},
        {"library", {{"name", "libzyvodiags"}, {"version", report.libraryVersion}}},
        {"started", report.started},
        {"host", report.host},
        {"bench", {{"path", optionalText(report.benchPath)}, {"sha256", report.benchSha256}}},
        {"card", report.card},
        {"repeat", report.repeat},
        {"runs_listed",
         "each test's failed runs, its first " + std::to_string(kFirstRunsKept) +
             " runs that passed or did not run and its latest of each; the figures count every "
             "run"},
        {"frames_kept", report.framesKept},
        {"duration_ms", milliseconds(report.milliseconds)},
        {"demanded_waits_ms", milliseconds(report.demandedWaitMilliseconds)},
        {"totals",
         {{"tests", report.tests.size()},
          {"passed", report.count(Verdict::kPass)},
          {"failed", report.count(Verdict::kFail)},
          {"not_run", report.count(Verdict::kNotRun)}}},
        {"tests", tests}};
    // The library prints Latin-1 at worst; replace what is not UTF-8 rather than throw.
    return json.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

bool writeTextFile(const std::string& path, const std::string& text, std::string& error) {
    return writeWholeFile(path, text.data(), text.size(), error);
}

} // namespace zyvodiag
