// The bench self-test in-process on the virtual clock: progress, failures, summary, JSON.
#include "selftest/self_test.h"

#include "output_capture.h"
#include "scratch_directory.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The tests in the order they run, as their progress lines name them.
std::vector<std::string> testNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= 8; ++n) {
        names.push_back("SDI " + std::to_string(n) + " -> SDI input " + std::to_string(n));
    }
    for (const char* name :
         {"Monitor (SDI 10 + HDMI) -> HDMI input", "HDMI 1080p 59.94 -> HDMI input",
          "HDMI 2160p 29.97 -> HDMI input", "HDMI register loopback 29.97",
          "HDMI register loopback 59.94", "LTC input at 29.97", "Genlock to the external reference",
          "LCD colour bars"}) {
        names.push_back(name);
    }
    return names;
}
const std::vector<std::string> cTests = testNames();
const size_t cTestCount = cTests.size();

struct SelfTestRun {
    int status = -1;
    std::string out;
    std::vector<std::string> names;             // in the order of their progress lines
    std::map<std::string, std::string> results; // name -> PASS or FAIL
    std::map<std::string, std::string> details; // name -> the indented lines after it
    std::vector<std::string> lines;
};

// Progress lines look like "[ 3/16] SDI 3 -> SDI input 3 ........ PASS  0.21 s"; the indented
// lines under a FAIL are its detail.
void readProgress(SelfTestRun& run) {
    static const std::regex cProgress(R"(^\[ *(\d+)/(\d+)\] (.+?) \.+ (PASS|FAIL)  \d+\.\d\d s$)");
    std::istringstream in(run.out);
    std::string line, current;
    while (std::getline(in, line)) {
        run.lines.push_back(line);
        std::smatch match;
        if (std::regex_match(line, match, cProgress)) {
            current = match[3];
            EXPECT_EQ(std::stoul(match[1]), run.names.size() + 1) << line;
            EXPECT_EQ(std::stoul(match[2]), cTestCount) << line;
            run.names.push_back(current);
            run.results[current] = match[4];
        } else if (!current.empty() && line.rfind("    ", 0) == 0) {
            run.details[current] += line + "\n";
        } else {
            current.clear();
        }
    }
}

class SelfTestTest : public ::testing::Test {
protected:
    void SetUp() override { zyvosim::reset(); }
    void TearDown() override { zyvosim::reset(); }

    SelfTestRun run(const std::string& benchText, zyvodiag::SelfTestOptions options = {}) {
        std::string error;
        EXPECT_TRUE(zyvosim::loadBench(benchText, error, "test bench")) << error;
        SelfTestRun result;
        {
            zyvotest::OutputCapture capture;
            result.status = zyvodiag::runSelfTest(options);
            result.out = capture.out();
        }
        readProgress(result);
        return result;
    }

    tooltest::ScratchDirectory mScratch;
};

// The frames of a run without --keep go under $TMPDIR, here a directory of the test's own.
TEST_F(SelfTestTest, defaultBenchPassesEveryTestEndsWithTheSummaryAndRemovesItsFrames) {
    const char* saved = std::getenv("TMPDIR");
    const std::string savedTmp = saved != nullptr ? saved : "";
    setenv("TMPDIR", mScratch.path().c_str(), 1);
    SelfTestRun result = run(zyvosim::defaultBenchText());
    if (saved != nullptr) {
        setenv("TMPDIR", savedTmp.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    EXPECT_EQ(result.status, 0) << result.out;
    ASSERT_EQ(result.names, cTests) << result.out;
    for (const std::string& name : cTests) {
        EXPECT_EQ(result.results[name], "PASS") << result.out;
    }
    EXPECT_EQ(result.lines.back(), "Total: 16, Passed: 16, Failed: 0");
    EXPECT_TRUE(result.details.empty()) << result.out;
    for (const auto& entry : fs::directory_iterator(mScratch.path())) {
        // The simulator may keep its private card here; nothing of ours stays.
        EXPECT_NE(entry.path().filename().string().rfind("zyvodiag-", 0), 0u) << entry.path();
    }
}

// One fault on the loopback bench, the tests it must fail, and what their detail must say: a
// row for each way a test can fail, and the register test at the other rate failing alone.
struct FaultCase {
    const char* label;
    const char* bench;
    const char* failing; // the numbers of the tests it must fail
    const char* detail;
};

const FaultCase cFaults[] = {
    {"SdiCablePulled", "uncable SDIOutput 0", "1", "No valid input detected for SDI input 1"},
    {"CaptureStoreStuck", "stuck CaptureStore 1", "2 6", "differing pixels: "},
    {"MonitorSdiWontEnable", "fault SDIOutput[10].SetEnable -1", "9",
     "the monitor's SDI output 10 is off"},
    {"HdmiPlaybackWontDisplay", "fault PlayoutStore[0].SetVideoMode -1", "10 11",
     "No valid input detected for HDMI input"},
    {"No4KTranslation", "no-sid-translation 67", "11",
     "No SID video format translation for the capture format"},
    {"LcdStoreSilent", "fault PlayoutStore[5].GetFrameBufferAddress -1", "16",
     "playout store 5 does not say where its frame is"},
};

// Names the case by its bench line in test output, not by its bytes.
void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << fault.bench;
}

class SelfTestFaultTest : public SelfTestTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SelfTestFaultTest, failsExactlyItsTestsWithTheirDetail) {
    const FaultCase& fault = GetParam();
    SelfTestRun result = run(zyvosim::defaultBenchText() + fault.bench + "\n");
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.names.size(), cTestCount) << result.out;
    std::set<size_t> failing, failed;
    std::istringstream numbers(fault.failing);
    for (size_t number; numbers >> number;) {
        failing.insert(number);
    }
    for (size_t i = 0; i < cTestCount; ++i) {
        if (result.results[cTests[i]] == "FAIL") {
            failed.insert(i + 1);
        }
    }
    EXPECT_EQ(failed, failing) << result.out;
    for (size_t number : failing) {
        const std::string& detail = result.details[cTests[number - 1]];
        EXPECT_NE(detail.find(fault.detail), std::string::npos) << number << " detail:\n" << detail;
    }
    EXPECT_EQ(result.lines.back(), "Total: 16, Passed: " + std::to_string(16 - failing.size()) +
                                       ", Failed: " + std::to_string(failing.size()));
}

INSTANTIATE_TEST_SUITE_P(OneFault, SelfTestFaultTest, ::testing::ValuesIn(cFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.label);
                         });

// A failed comparison keeps a picture of the differences beside its frames.
TEST_F(SelfTestTest, jsonReportMatchesWhatWasPrintedAndNamesTheKeptFrames) {
    zyvodiag::SelfTestOptions options;
    options.bench = "faults.bench";
    options.jsonPath = mScratch / "report.json";
    options.keepDirectory = mScratch / "frames";
    SelfTestRun result =
        run(zyvosim::defaultBenchText() + "stuck CaptureStore 3\nreference none\n", options);
    ASSERT_EQ(result.status, 1) << result.out;

    std::ifstream file(options.jsonPath);
    nlohmann::json report = nlohmann::json::parse(file);
    EXPECT_EQ(report["tool"], "zyvodiag");
    EXPECT_EQ(report["version"], ZYVODIAG_VERSION);
    EXPECT_EQ(report["bench"], "faults.bench");
    EXPECT_NE(report["device"].get<std::string>().find("simulated device 0"), std::string::npos);
    EXPECT_EQ(report["total"], cTestCount);
    // The stuck store captures inputs 4 and 8.
    EXPECT_EQ(report["passed"], cTestCount - 3);
    EXPECT_EQ(report["failed"], 3);
    ASSERT_EQ(report["tests"].size(), cTestCount);
    for (size_t i = 0; i < cTestCount; ++i) {
        const nlohmann::json& test = report["tests"][i];
        SCOPED_TRACE(cTests[i]);
        EXPECT_EQ(test["number"], i + 1);
        EXPECT_EQ(test["name"], result.names[i]);
        EXPECT_EQ(test["result"], result.results[result.names[i]]);
        EXPECT_GE(test["duration"].get<double>(), 0.0);
        // A failure's detail is its whole log; the terminal showed the end of it.
        EXPECT_EQ(test["detail"].get<std::string>().empty(), test["result"] == "PASS");
    }
    EXPECT_EQ(report["tests"][3]["result"], "FAIL");
    EXPECT_NE(report["tests"][14]["detail"].get<std::string>().find("cannot lock"),
              std::string::npos);

    // Every kept frame is on disk with its picture beside it.
    const nlohmann::json& sdi1 = report["tests"][0]["frames"];
    ASSERT_EQ(sdi1.size(), 2u);
    EXPECT_EQ(sdi1[0]["file"], options.keepDirectory + "/sdi1-expected.raw");
    EXPECT_EQ(sdi1[1]["file"], options.keepDirectory + "/sdi1-captured.raw");
    for (const nlohmann::json& test : report["tests"]) {
        for (const nlohmann::json& frame : test["frames"]) {
            EXPECT_TRUE(fs::exists(frame["file"].get<std::string>())) << frame;
            EXPECT_TRUE(fs::exists(frame["preview"].get<std::string>())) << frame;
        }
    }
    EXPECT_EQ(report["tests"][15]["frames"][0]["preview"], options.keepDirectory + "/lcd.png");
    const std::string difference = options.keepDirectory + "/sdi4-captured-difference.png";
    EXPECT_EQ(report["tests"][3]["frames"][1]["difference"], difference);
    EXPECT_TRUE(fs::exists(difference));
}

TEST_F(SelfTestTest, unwritableReportIsRefusedBeforeAnyTestRuns) {
    zyvodiag::SelfTestOptions options;
    options.jsonPath = mScratch / "no/such/directory/report.json";
    SelfTestRun result = run(zyvosim::defaultBenchText(), options);
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.names.empty()) << result.out;
}

} // namespace
