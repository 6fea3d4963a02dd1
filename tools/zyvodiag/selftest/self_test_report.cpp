// The JSON report, through nlohmann-json so whatever the library printed is escaped properly.
#include "selftest/self_test_report.h"

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

std::string reportJson(const SelfTestReport& report) {
    nlohmann::json tests = nlohmann::json::array();
    size_t counts[3] = {};
    for (size_t i = 0; i < report.tests.size(); ++i) {
        const TestOutcome& test = report.tests[i];
        ++counts[static_cast<size_t>(test.verdict)];
        tests.push_back({{"number", i + 1},
                         {"name", test.name},
                         {"result", verdictText(test.verdict)},
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
                           {"passed", counts[static_cast<size_t>(Verdict::kPass)]},
                           {"failed", counts[static_cast<size_t>(Verdict::kFail)]},
                           {"not_run", counts[static_cast<size_t>(Verdict::kNotRun)]},
                           {"tests", tests}};
    // The library prints Latin-1 at worst; replace what is not UTF-8 rather than throw.
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace zyvodiag
