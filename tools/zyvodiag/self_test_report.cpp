// The JSON report, through nlohmann-json so whatever the library printed is escaped properly.
#include "self_test_report.h"

#include <nlohmann/json.hpp>

namespace zyvodiag {
namespace {

nlohmann::json framesJson(const std::vector<TestFrame>& frames) {
    nlohmann::json list = nlohmann::json::array();
    for (const TestFrame& frame : frames) {
        nlohmann::json entry = {{"file", frame.file}};
        if (!frame.preview.empty()) {
            entry["preview"] = frame.preview;
        }
        if (!frame.difference.empty()) {
            entry["difference"] = frame.difference;
        }
        list.push_back(entry);
    }
    return list;
}

} // namespace

std::string reportJson(const SelfTestReport& report) {
    nlohmann::json tests = nlohmann::json::array();
    size_t passed = 0;
    for (size_t i = 0; i < report.tests.size(); ++i) {
        const TestOutcome& test = report.tests[i];
        passed += test.passed ? 1 : 0;
        tests.push_back({{"number", i + 1},
                         {"name", test.name},
                         {"result", test.passed ? "PASS" : "FAIL"},
                         {"duration", test.seconds},
                         {"detail", test.detail},
                         {"frames", framesJson(test.frames)}});
    }
    nlohmann::json json = {{"tool", "zyvodiag"},
                           {"version", report.version},
                           {"device", report.device},
                           {"bench", report.bench},
                           {"duration", report.seconds},
                           {"total", report.tests.size()},
                           {"passed", passed},
                           {"failed", report.tests.size() - passed},
                           {"tests", tests}};
    // The library prints Latin-1 at worst; replace what is not UTF-8 rather than throw.
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace zyvodiag
