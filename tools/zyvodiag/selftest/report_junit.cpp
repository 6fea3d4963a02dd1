// The JUnit XML report, in the shape Jenkins, GitLab and test-management systems import.
#include "selftest/markup_text.h"
#include "selftest/reports.h"

#include <cstdio>

namespace zyvodiag {
namespace {

std::string seconds(double milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", milliseconds / 1000);
    return text;
}

std::string attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + markupText(value) + "\"";
}

// What one test did over every run: the counts and times when it ran more than once, the
// commands and the log of the run shown.
std::string testOutput(const TestRecord& test, const TestOutcome& shown, unsigned repeat) {
    std::string text;
    if (repeat > 1) {
        text += "passed " + std::to_string(test.passedRuns()) + " of " +
                std::to_string(test.ranRuns()) + " runs; slowest " +
                seconds(test.slowestMilliseconds()) + " s, median " +
                seconds(test.medianMilliseconds()) + " s\n";
    }
    if (!shown.simulatorOnly.empty()) {
        text += "checked inside the simulator: " + shown.simulatorOnly + "\n";
    }
    return text + shown.log;
}

std::string testCase(const TestRecord& test, unsigned repeat) {
    const TestOutcome* shown = test.shown();
    std::string xml = "  <testcase" + attribute("classname", "zyvodiag.selftest." + test.group) +
                      attribute("name", test.name) +
                      attribute("time", seconds(shown != nullptr ? shown->milliseconds : 0)) +
                      ">\n";
    // The analyser's object of a failed frame comparison, for tools that read it back.
    if (shown != nullptr && !shown->evidence.analysis.is_null()) {
        xml += "    <properties>\n      <property" + attribute("name", "analysis") +
               attribute("value", shown->evidence.analysis.dump()) + "/>\n    </properties>\n";
    }
    const Verdict verdict = test.verdict();
    if (verdict == Verdict::kNotRun) {
        xml += "    <skipped" +
               attribute("message", shown != nullptr ? shown->rootCause : "not run") + "/>\n";
    } else if (verdict == Verdict::kFail) {
        std::string detail;
        for (const std::string& command : shown->commands) {
            detail += "$ " + command + "\n";
        }
        xml += "    <failure" + attribute("message", shown->rootCause) + attribute("type", "FAIL") +
               ">" + markupText(detail) + "</failure>\n";
    }
    if (shown != nullptr) {
        xml +=
            "    <system-out>" + markupText(testOutput(test, *shown, repeat)) + "</system-out>\n";
    }
    return xml + "  </testcase>\n";
}

} // namespace

std::string reportJunit(const SelfTestReport& report) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuite" +
                      attribute("name", "zyvodiag.selftest") +
                      attribute("tests", std::to_string(report.tests.size())) +
                      attribute("failures", std::to_string(report.count(Verdict::kFail))) +
                      attribute("errors", "0") +
                      attribute("skipped", std::to_string(report.count(Verdict::kNotRun))) +
                      attribute("time", seconds(report.milliseconds)) +
                      attribute("timestamp", report.started) + attribute("hostname", report.host) +
                      ">\n";
    xml += "  <properties>\n";
    const std::pair<const char*, std::string> properties[] = {
        {"tool.version", report.toolVersion},
        {"library.version", report.libraryVersion},
        {"card", report.card},
        {"bench.path", report.benchPath},
        {"bench.sha256", report.benchSha256},
        {"repeat", std::to_string(report.repeat)}};
    for (const auto& property : properties) {
        xml += "    <property" + attribute("name", property.first) +
               attribute("value", property.second) + "/>\n";
    }
    xml += "  </properties>\n";
    for (const TestRecord& test : report.tests) {
        xml += testCase(test, report.repeat);
    }
    return xml + "</testsuite>\n";
}

} // namespace zyvodiag
