// The bench self-test in-process on the virtual clock: progress, failures, summary, JSON.
#include "selftest/self_test.h"
#include "selftest/self_test_plan.h"
#include "selftest/test_record.h"
#include "system/stop_signals.h"

#include "captured.h"
#include "png_reader.h"
#include "saved_environment.h"
#include "test_files.h"
#include "zyvosim/zyvosim.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>

namespace {

// Whether `text` holds `part`. Either way the message shows the text, so that EXPECT_TRUE and
// EXPECT_FALSE both say what was read.
::testing::AssertionResult has(const std::string& text, const std::string& part) {
    const bool found = text.find(part) != std::string::npos;
    return (found ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << (found ? "" : "no ") << "\"" << part << "\" in\n"
           << text;
}

namespace fs = std::filesystem;

// The tests in the order they run, as the plan names them: the progress lines must follow it.
std::vector<std::string> testNames() {
    std::vector<std::string> names;
    for (const zyvodiag::SelfTestCase& test : zyvodiag::selfTestPlan()) {
        names.push_back(test.name);
    }
    return names;
}
const std::vector<std::string> kTests = testNames();
const size_t kTestCount = kTests.size();

struct SelfTestRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> names;             // in the order of their progress lines
    std::map<std::string, std::string> results; // name -> PASS or FAIL
    std::map<std::string, std::string> details; // name -> the indented lines after it
    std::vector<std::string> lines;
};

// Progress lines look like "[ 3/16] SDI 3 -> SDI input 3 ........ PASS  0.21 s"; the indented
// lines under a FAIL are its detail.
void readProgress(SelfTestRun& run) {
    static const std::regex kProgress(R"(^\[ *(\d+)/(\d+)\] (.+?) \.+ (PASS|FAIL)  \d+\.\d\d s$)");
    std::istringstream in(run.out);
    std::string line, current;
    while (std::getline(in, line)) {
        run.lines.push_back(line);
        std::smatch match;
        if (std::regex_match(line, match, kProgress)) {
            current = match[3];
            EXPECT_EQ(std::stoul(match[1]), run.names.size() % std::stoul(match[2]) + 1) << line;
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
        auto outcome = zyvotest::captured([&] { return zyvodiag::runSelfTest(options); });
        result.status = outcome.result;
        result.out = outcome.out;
        result.err = outcome.err;
        readProgress(result);
        return result;
    }
};

using zyvotest::scratchPath;

// The default bench passes every test, and each fault on it fails exactly the tests it must
// (numbered), with what their detail must say: a row for each way a test can fail, and the
// register test at the other rate failing alone. The root cause comes first in the detail: the
// device's fault on the test's path, else the first failing device call, else the tool's own
// finding. The frames of a run without --keep go under $TMPDIR, here a directory of the test's
// own, and none stays there.
TEST_F(SelfTestTest, eachFaultFailsExactlyItsTestsWithTheirDetail) {
    const zyvotest::SavedEnvironment savedTmp{"TMPDIR"};
    setenv("TMPDIR", zyvotest::scratchDirectory().c_str(), 1);
    const struct {
        const char* bench;
        std::set<size_t> failing;
        const char* detail;
    } faults[] = {
        // clang-format off
        {"", {}, ""},
        {"uncable SDIOutput 0", {1},
         "root cause: capture failed: No valid input detected for SDI input 1"},
        // Crossed cables: each input sees the other's output, off or showing another picture.
        {"uncable SDIOutput 0\nuncable SDIOutput 1\ncable SDIOutput 0 SDIInput 1\n"
         "cable SDIOutput 1 SDIInput 0", {1, 2},
         "root cause: capture failed: No valid input detected for SDI input "},
        {"stuck CaptureStore 1", {2, 6},
         "root cause: capture store 1 (CaptureStore[1]) wrote no frame while on"},
        {"fault SDIOutput[10].SetEnable -1", {9},
         "root cause: the monitor's SDI output (SDIOutput[10].SetEnable(true) returned -1)"},
        {"fault PlayoutStore[0].SetVideoMode -1", {10, 11},
         "root cause: playout store 0 (PlayoutStore[0].SetVideoMode(3) returned -1)"},
        {"no-sid-translation 67", {11},
         "root cause: no frame store format for 2160p 29.97 "
         "(ZyvoVideoFormatInfo::Get4KSIDFormat(67) returned 0)"},
        {"wrong-class SDIOutput 4", {5},
         "root cause: SDI output 5 (device.GetWidget(3, 4) returned a widget of another class)"},
        {"wrong-class SyncGenerator 0", {15},
         "root cause: sync generator 0 (device.GetWidget(30, 0) returned a widget of another "
         "class)"},
        {"fault PlayoutStore[5].GetFrameBufferAddress -1", {16},
         "root cause: playout store 5 (PlayoutStore[5].GetFrameBufferAddress() returned -1)"},
        {"throw DMA.DoDma once", {1}, "threw an exception"},
        // clang-format on
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.bench);
        zyvosim::reset();
        SelfTestRun result = run(zyvosim::defaultBenchText() + fault.bench + "\n");
        EXPECT_EQ(result.status, fault.failing.empty() ? 0 : 1);
        ASSERT_EQ(result.names, kTests) << result.out;
        std::set<size_t> failed;
        for (size_t i = 0; i < kTestCount; ++i) {
            if (result.results[kTests[i]] != "PASS") {
                failed.insert(i + 1);
            }
        }
        EXPECT_EQ(failed, fault.failing) << result.out;
        EXPECT_EQ(result.details.size(), fault.failing.size()) << result.out;
        for (size_t number : fault.failing) {
            const std::string& detail = result.details[kTests[number - 1]];
            EXPECT_TRUE(has(detail, fault.detail)) << number;
            EXPECT_EQ(detail.rfind("    root cause: ", 0), 0u) << detail;
        }
        EXPECT_EQ(result.lines.back(),
                  "Total: 16, Passed: " + std::to_string(16 - fault.failing.size()) +
                      ", Failed: " + std::to_string(fault.failing.size()));
        for (const std::string& name : zyvotest::listing()) {
            // The simulator may keep its private card here; nothing of ours stays.
            EXPECT_NE(name.rfind("zyvodiag-", 0), 0u) << name;
        }
    }
}

// On the bench that aims one fault at each test, every failing test's root cause names its own
// fault: a failed call that also fails where a test passes (the missing monitor output in every
// set-up) blames nothing. The summary and the report settle on the same causes.
TEST_F(SelfTestTest, eachFailingTestOfTheFaultsBenchBlamesTheFaultAimedAtIt) {
    const std::map<size_t, std::string> kCauses = {
        {1, "device.Open() threw an exception"},
        {2, "capture store 1 (CaptureStore[1]) wrote no frame while on: the capture reads back "
            "one colour throughout"},
        {3, "SDI output 3 (SDIOutput[2].SetEnable(true) returned -1)"},
        {4, "SDI input 4 (device.GetWidget(2, 3) returned a widget of another class)"},
        {5, "capture failed: No valid input detected for SDI input 5"},
        {6, "capture store 1 (CaptureStore[1]) wrote no frame while on: the capture reads back "
            "one colour throughout"},
        {7, "capture failed: No valid input detected for SDI input 7"},
        {8, "capture failed: Unknown input detected for SDI input 8"},
        {9, "monitor failed: the monitor's SDI output 10 is off"},
        {11, "no frame store format for 2160p 29.97 (ZyvoVideoFormatInfo::Get4KSIDFormat(67) "
             "returned 0): no capture store was started"},
        {12, "hdmi-loopback failed: StartHDMIV4loopbackInput() bad refclock: 0x08d8ab00"},
        {13, "hdmi-loopback failed: StartHDMIV4loopbackOutput() bad tmds: 0x11af5500"},
        {14, "LTC port 1 (device.GetWidget(82, 0) returned a widget of another class)"},
    };
    std::ifstream benchFile(std::string(ZYVO_SOURCE_DIR) + "/examples/faults.bench");
    const std::string bench(std::istreambuf_iterator<char>(benchFile), {});
    zyvodiag::SelfTestOptions options;
    options.jsonPath = scratchPath("report.json");
    SelfTestRun result = run(bench, options);
    // The bench's Ctrl-C during the LCD test. The library keeps its own note of an interrupt for
    // the rest of the process and opens no device after it, as a real run ends there: ctest runs
    // each case in a process of its own, and so must anyone running this binary by hand.
    zyvodiag::clearStopSignal();
    const nlohmann::json report = nlohmann::json::parse(std::ifstream(options.jsonPath));
    std::map<size_t, std::string> causes;
    for (const auto& test : report["tests"]) {
        if (test["result"] == "FAIL") {
            causes[test["number"]] = test["runs"][0]["root_cause"];
        }
    }
    ASSERT_EQ(causes.size(), kCauses.size()) << result.out;
    for (const auto& [number, cause] : kCauses) {
        EXPECT_EQ(causes[number], cause) << number;
        EXPECT_NE(result.out.find("  " + std::to_string(number) + " " + kTests[number - 1] + ": " +
                                  causes[number] + "\n"),
                  std::string::npos)
            << result.out;
    }
}

// The documented shape of the JSON report: for each object, its keys in order and their types,
// from the tables of docs/selftest.md.
using Shape = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

Shape documentedShape() {
    std::ifstream doc(std::string(ZYVO_SOURCE_DIR) + "/docs/selftest.md");
    static const std::regex kHeading(R"(^### `([a-z_\[\]\.]+)`$)");
    static const std::regex kRow(R"(^\| `([a-z_0-9]+)` \| ([a-z ]+) \|)");
    Shape shape;
    std::string current;
    for (std::string line; std::getline(doc, line);) {
        std::smatch match;
        if (std::regex_match(line, match, kHeading)) {
            current = match[1];
        } else if (!current.empty() && std::regex_search(line, match, kRow)) {
            shape[current].emplace_back(match[1], match[2]);
        }
    }
    return shape;
}

bool hasType(const nlohmann::ordered_json& value, const std::string& type) {
    if (type == "string or null") {
        return value.is_string() || value.is_null();
    }
    if (type == "object or null") {
        return value.is_object() || value.is_null();
    }
    if (type == "array of strings") {
        return value.is_array() &&
               std::all_of(value.begin(), value.end(), [](const auto& v) { return v.is_string(); });
    }
    return (type == "integer" && value.is_number_integer()) ||
           (type == "number" && value.is_number()) || (type == "string" && value.is_string()) ||
           (type == "boolean" && value.is_boolean()) || (type == "object" && value.is_object()) ||
           (type == "array" && value.is_array());
}

// Every object of the report has exactly the documented keys, in order, of their types.
void expectShape(const nlohmann::ordered_json& value, const std::string& path, const Shape& shape) {
    const auto documented = shape.find(path);
    ASSERT_NE(documented, shape.end()) << "no table for " << path;
    std::vector<std::string> keys, expected;
    for (auto item = value.begin(); item != value.end(); ++item) {
        keys.push_back(item.key());
    }
    for (const auto& [key, type] : documented->second) {
        expected.push_back(key);
        ASSERT_TRUE(value.contains(key)) << path << "." << key;
        const nlohmann::ordered_json& field = value.at(key);
        EXPECT_TRUE(hasType(field, type)) << path << "." << key << " is not " << type;
        const std::string inner = path == "report" ? key : path + "." + key;
        if (type == "object") {
            expectShape(field, inner, shape);
        } else if (type == "array") {
            for (const nlohmann::ordered_json& element : field) {
                expectShape(element, inner + "[]", shape);
            }
        }
    }
    EXPECT_EQ(keys, expected) << path;
}

// A failed comparison keeps a picture of the differences beside its frames; the report has the
// documented shape, as has the sample kept beside the document.
TEST_F(SelfTestTest, jsonReportHasTheDocumentedShapeAndMatchesWhatWasPrinted) {
    zyvodiag::SelfTestOptions options;
    options.bench = "faults.bench";
    options.benchText = "stuck CaptureStore 3\n";
    options.jsonPath = scratchPath("report.json");
    options.keepDirectory = scratchPath("frames");
    SelfTestRun result =
        run(zyvosim::defaultBenchText() + "stuck CaptureStore 3\nreference none\n", options);
    ASSERT_EQ(result.status, 1) << result.out;

    const Shape shape = documentedShape();
    nlohmann::ordered_json report =
        nlohmann::ordered_json::parse(zyvotest::fileText(options.jsonPath));
    expectShape(report, "report", shape);
    expectShape(nlohmann::ordered_json::parse(zyvotest::fileText(std::string(ZYVO_SOURCE_DIR) +
                                                                 "/docs/selftest-sample.json")),
                "report", shape);

    EXPECT_EQ(report["schema"], 1);
    EXPECT_EQ(report["tool"]["version"], ZYVODIAG_VERSION);
    EXPECT_EQ(report["bench"]["path"], "faults.bench");
    // SHA-256 of "stuck CaptureStore 3\n", as sha256sum gives it.
    EXPECT_EQ(report["bench"]["sha256"],
              "f90be53d7a70c476ac56793e001bec9c3d90110c338b3ac7f1f88c8b0a0de102");
    EXPECT_TRUE(std::regex_match(report["started"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
    // The stuck store captures inputs 4 and 8.
    EXPECT_EQ(report["totals"]["failed"], 3);
    ASSERT_EQ(report["tests"].size(), kTestCount);
    for (size_t i = 0; i < kTestCount; ++i) {
        const auto& test = report["tests"][i];
        EXPECT_EQ(test["name"], result.names[i]);
        EXPECT_EQ(test["result"], result.results[result.names[i]]);
        const double ms = test["runs"][0]["duration_ms"];
        EXPECT_EQ(std::round(ms * 1000) / 1000, ms) << "more than three decimals";
    }
    const auto& sdi4 = report["tests"][3]["runs"][0];
    EXPECT_EQ(sdi4["root_cause"].get<std::string>().find("capture store 3 (CaptureStore[3])"), 0);
    EXPECT_TRUE(sdi4["analysis"].is_object());
    EXPECT_TRUE(has(sdi4["log"].get<std::string>(), "differing pixels"));
    EXPECT_EQ(report["tests"][8]["runs"][0]["simulator_only"].is_string(), true);
    EXPECT_TRUE(has(report["tests"][14]["runs"][0]["log"].get<std::string>(), "cannot lock"));
    // The commands name frames that exist, with their pictures beside them.
    EXPECT_EQ(sdi4["commands"][2], "zyvodiag --sim faults.bench capture -f6 -r29 -v1 -p15 -i4 -D " +
                                       options.keepDirectory + "/run-1/sdi4-captured.raw");
    for (const auto& test : report["tests"]) {
        for (const auto& frame : test["runs"][0]["frames"]) {
            EXPECT_TRUE(fs::exists(frame["file"].get<std::string>())) << frame;
            EXPECT_TRUE(fs::exists(frame["picture"].get<std::string>())) << frame;
        }
    }
    EXPECT_TRUE(fs::exists(sdi4["frames"][1]["difference"].get<std::string>()));
}

// The JUnit report parses whatever the log holds, counts as the summary does, and carries the
// root cause of a failure.
TEST_F(SelfTestTest, junitReportParsesAndCarriesTheRootCause) {
    zyvodiag::SelfTestOptions options;
    options.junitPath = scratchPath("report.xml");
    options.only = "1-4,HDMI register*";
    // The bench's name goes into every command the report shows.
    // U+FFFE and U+FFFF are valid UTF-8, yet no XML character.
    options.bench = "odd\x1b]]>&<\x01\xff\xef\xbf\xbe\xef\xbf\xbf.bench";
    SelfTestRun result =
        run(zyvosim::defaultBenchText() + "fault SDIOutput[2].SetEnable -1\n", options);
    EXPECT_EQ(result.status, 1) << result.out;
    const std::string xml = zyvotest::fileText(options.junitPath);
    EXPECT_EQ(system(("python3 -c 'import sys, xml.etree.ElementTree as T; T.parse(sys.argv[1])' " +
                      options.junitPath)
                         .c_str()),
              0)
        << xml;
    EXPECT_TRUE(has(xml, "<testsuite name=\"zyvodiag.selftest\" tests=\"6\" failures=\"1\" "
                         "errors=\"0\" skipped=\"0\""));
    EXPECT_TRUE(has(xml, "<testcase classname=\"zyvodiag.selftest.sdi\" name=\"SDI 3 -&gt; SDI "
                         "input 3\""));
    EXPECT_TRUE(has(xml, "<failure message=\"SDI output 3 (SDIOutput[2].SetEnable(true) returned "
                         "-1)\""));
    // Quoted for a shell as one word, then escaped for XML.
    EXPECT_TRUE(has(xml,
                    "--sim &#39;odd\\x1B]]&gt;&amp;&lt;\\x01\\xFF\\xEF\\xBF\\xBE\\xEF\\xBF\\xBF."
                    "bench&#39; capture"));
}

// --only and --skip choose the tests; --repeat runs them again and sums each up; --stop-on-fail
// leaves the rest not run; --list runs nothing.
TEST_F(SelfTestTest, subsetsRepeatsAndStoppingAtTheFirstFailure) {
    zyvodiag::SelfTestOptions options;
    options.only = "1-3,Genlock*";
    options.skip = "2";
    options.repeat = 3;
    SelfTestRun result = run(zyvosim::defaultBenchText(), options);
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_TRUE(has(result.out, "SDI 3 -> SDI input 3                         passed 3 of 3, "));
    EXPECT_EQ(result.lines.back(), "Total: 3, Passed: 3, Failed: 0");

    options = {};
    options.stopOnFail = true;
    options.only = "2-5";
    result = run(zyvosim::defaultBenchText() + "fault SDIOutput[2].SetEnable -1\n", options);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.lines.back(), "Total: 4, Passed: 1, Failed: 1, Not run: 2");

    // A selection of no test, and a report that cannot be written, are refused before any test.
    for (const char* bad : {"17", "0-3", "Nothing*", "3-1", ""}) {
        options = {};
        options.only = bad;
        options.jsonPath = *bad == '\0' ? scratchPath("no/such/directory/report.json") : "";
        result = run(zyvosim::defaultBenchText(), options);
        EXPECT_EQ(result.status, 2) << bad;
        EXPECT_TRUE(result.names.empty()) << result.out;
    }
    options = {};
    options.list = true;
    options.skip = "HDMI*";
    result = run(zyvosim::defaultBenchText(), options);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(has(result.out, "11  HDMI 2160p 29.97 -> HDMI input               hdmi      "
                                "(skipped)\n"));
    EXPECT_FALSE(has(result.out, "PASS"));
    // Each loop test says what its pictures reveal, in the analyser's names of the kinds.
    EXPECT_TRUE(
        has(result.out, "sdi     \n    reveals every impairment: stuck-bit, inverted-bit, "));
    EXPECT_TRUE(has(result.out, "(skipped)\n    reveals every impairment: "));
}

// The pictures of a failed comparison show the difference, beside the kept frames and in the
// HTML report alike; a folder used again loses the earlier run's pictures, never a user's file.
TEST_F(SelfTestTest, picturesShowTheDifferenceAndAReusedFolderKeepsNothingStale) {
    zyvodiag::SelfTestOptions options;
    options.htmlDirectory = scratchPath("html");
    options.keepDirectory = scratchPath("frames");
    options.only = "3";
    const std::string bench = zyvosim::defaultBenchText() + "stuck CaptureStore 3\n";
    ASSERT_EQ(run(bench, options).status, 0);
    std::ofstream(options.htmlDirectory + "/pictures/mine.png") << "the user's own";
    options.only = "4";
    SelfTestRun result = run(bench, options);
    ASSERT_EQ(result.status, 1) << result.out;
    EXPECT_TRUE(has(result.out, "\npictures: "));
    // Each run's pictures have a folder of their own, and the earlier run's went.
    EXPECT_EQ(zyvotest::listing(options.htmlDirectory + "/pictures"),
              (std::vector<std::string>{"mine.png", "run-2"}));
    EXPECT_EQ(
        zyvotest::listing(options.htmlDirectory + "/pictures/run-2"),
        (std::vector<std::string>{"04-sdi4-captured-thumbnail.png", "04-sdi4-captured.png",
                                  "04-sdi4-difference-thumbnail.png", "04-sdi4-difference.png",
                                  "04-sdi4-expected-thumbnail.png", "04-sdi4-expected.png",
                                  "04-sdi4-vectorscope-thumbnail.png", "04-sdi4-vectorscope.png",
                                  "04-sdi4-waveform-thumbnail.png", "04-sdi4-waveform.png"}));
    // The scopes stand beside the captured frame, the analyser's sentence under them.
    const std::string html = zyvotest::fileText(options.htmlDirectory + "/index.html");
    const size_t scopes = html.find("<img src=\"pictures/run-2/04-sdi4-waveform-thumbnail.png\"");
    const size_t cause = html.find("<p class=\"likely\"><strong>Likely cause:</strong> ");
    ASSERT_NE(scopes, std::string::npos) << html;
    ASSERT_NE(cause, std::string::npos) << html;
    EXPECT_LT(html.find("pictures/run-2/04-sdi4-captured-thumbnail.png"), scopes);
    EXPECT_LT(html.find("pictures/run-2/04-sdi4-vectorscope-thumbnail.png"), cause);
    const std::string sentence = html.substr(cause + 49, html.find("</p>", cause) - cause - 49);
    // The picture reads as a stale one; the root cause names the store that wrote no frame.
    EXPECT_EQ(sentence.rfind("wrong or stale picture: ", 0), 0u) << sentence;
    EXPECT_TRUE(has(result.out, "root cause: capture store 3 (CaptureStore[3]) wrote no frame"));
    EXPECT_FALSE(fs::exists(options.keepDirectory + "/run-1/sdi3-captured.raw"));
#ifdef ZYVO_TEST_LIBPNG
    const tooltest::RgbPicture difference =
        tooltest::readPng(options.htmlDirectory + "/pictures/run-2/04-sdi4-difference.png");
    size_t marked = 0;
    for (size_t i = 0; i + 2 < difference.rgb.size(); i += 3) {
        const uint8_t* pixel = &difference.rgb[i];
        marked += pixel[0] != pixel[1] || pixel[1] != pixel[2] ? 1 : 0;
    }
    // The stuck store captured another test's picture: most pixels differ.
    EXPECT_GT(marked, difference.rgb.size() / 3 / 2);
    EXPECT_EQ(tooltest::readPng(options.keepDirectory + "/run-2/sdi4-captured-difference.png").rgb,
              difference.rgb);
    EXPECT_NE(tooltest::readPng(options.keepDirectory + "/run-2/sdi4-expected.png").rgb,
              tooltest::readPng(options.keepDirectory + "/run-2/sdi4-captured.png").rgb);
    const tooltest::RgbPicture waveform =
        tooltest::readPng(options.htmlDirectory + "/pictures/run-2/04-sdi4-waveform.png");
    const tooltest::RgbPicture vectorscope =
        tooltest::readPng(options.htmlDirectory + "/pictures/run-2/04-sdi4-vectorscope.png");
    EXPECT_EQ(waveform.width, 3 * 640u + 2 * 8u);
    EXPECT_EQ(waveform.height, 512u);
    EXPECT_EQ(vectorscope.width, 512u);
    EXPECT_EQ(vectorscope.height, 512u);
#endif
}

// Everything of a report but its times, with each of a run's timings taken out.
std::string withoutTimes(const std::string& text) {
    static const std::regex kTimes(
        R"((\d+\.\d+ s)|(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)|((time|timestamp)="[^"]*")|)"
        R"("(duration|median|slowest)_ms": [0-9.e+-]+)");
    return std::regex_replace(text, kTimes, "<time>");
}

// Two runs on one bench give reports that differ only in their times: no heap address, no name
// of a temporary folder or file.
TEST_F(SelfTestTest, twoRunsOfOneBenchGiveEqualReportsApartFromTimes) {
    std::map<std::string, std::string> first;
    for (const char* folder : {"one", "two"}) {
        zyvosim::reset();
        zyvodiag::SelfTestOptions options;
        options.jsonPath = scratchPath(std::string(folder) + ".json");
        options.junitPath = scratchPath(std::string(folder) + ".xml");
        options.htmlDirectory = scratchPath(folder);
        options.only = "1-4,15";
        run(zyvosim::defaultBenchText() + "stuck CaptureStore 1\nreference none\n", options);
        for (const std::string& file :
             {options.jsonPath, options.junitPath, options.htmlDirectory + "/index.html"}) {
            const std::string kind = fs::path(file).extension().string();
            const std::string text = withoutTimes(zyvotest::fileText(file));
            EXPECT_FALSE(has(text, "0x55")) << file;
            if (first.count(kind) == 0) {
                first[kind] = text;
            } else {
                EXPECT_EQ(text, first[kind]) << file;
            }
        }
    }
    EXPECT_TRUE(has(first[".json"], "pFrameStore:<address>"));
    EXPECT_TRUE(has(first[".json"], "zyvodiag-selftest-XXXXXX/sdi2-captured.raw"));
}

// The slowest run and the median of the runs that ran: odd and even counts, out of order.
TEST(TestRecordTest, slowestAndMedianOverTheRunsThatRan) {
    const struct {
        std::vector<double> milliseconds; // a negative time: a run that did not run
        double slowest, median;
    } kRows[] = {{{30, 10, 20}, 30, 20},
                 {{40, 10, 30, 20}, 40, 25},
                 {{-1, 50, 5}, 50, 27.5},
                 {{7}, 7, 7},
                 {{-1}, 0, 0}};
    for (const auto& row : kRows) {
        zyvodiag::TestRecord record;
        for (double ms : row.milliseconds) {
            zyvodiag::TestOutcome outcome;
            outcome.verdict = ms < 0 ? zyvodiag::Verdict::kNotRun : zyvodiag::Verdict::kPass;
            outcome.milliseconds = ms < 0 ? 0 : ms;
            record.add(outcome);
        }
        EXPECT_EQ(record.slowestMilliseconds(), row.slowest);
        EXPECT_EQ(record.medianMilliseconds(), row.median);
    }
}

// A soak keeps the detail of the first runs of each result and of the latest of each, whatever
// its length; the figures still count every run.
TEST(TestRecordTest, aLongSoakKeepsABoundedDetailAndCountsEveryRun) {
    using zyvodiag::Verdict;
    zyvodiag::TestRecord record;
    // 10,000 runs: failures at 17, 400 to 409 and 9,998; not run from 9,999 on.
    for (size_t run = 1; run <= 10000; ++run) {
        zyvodiag::TestOutcome outcome;
        const bool failed = run == 17 || (run >= 400 && run < 410) || run == 9998;
        outcome.verdict = run >= 9999 ? Verdict::kNotRun : failed ? Verdict::kFail : Verdict::kPass;
        outcome.milliseconds = outcome.verdict == Verdict::kNotRun ? 0 : double(run % 7);
        outcome.log = std::string(1000, 'x');
        record.add(outcome);
    }
    std::vector<size_t> kept;
    for (const zyvodiag::TestOutcome& run : record.runs) {
        kept.push_back(run.run);
    }
    EXPECT_EQ(kept, (std::vector<size_t>{1,   2,   3,   4,   5,   17,  400,  401,  402,  403,
                                         404, 405, 406, 407, 408, 409, 9997, 9998, 9999, 10000}));
    EXPECT_EQ(record.ranRuns(), 9998u);
    EXPECT_EQ(record.passedRuns(), 9998u - 12);
    EXPECT_EQ(record.verdict(), Verdict::kFail);
    EXPECT_EQ(record.slowestMilliseconds(), 6);
    EXPECT_EQ(record.medianMilliseconds(), 3);
    ASSERT_NE(record.shown(), nullptr);
    EXPECT_EQ(record.shown()->run, 9998u);
}

// Through the whole tool: a soak's JSON lists the bounded runs, each by its number, and says so.
// Its figures come from the clock the self-test is given: here each reading moves it on one
// second more than the last, so the runs take 3, 5, 7 ... 81 s.
TEST_F(SelfTestTest, aSoaksFiguresComeFromItsClockAndItsJsonListsABoundedNumberOfRuns) {
    zyvodiag::SelfTestOptions options;
    options.only = "15";
    options.repeat = 40;
    options.jsonPath = scratchPath("soak.json");
    double now = 0, step = 0;
    options.clock = [&now, &step] { return now += 1000 * ++step; };
    SelfTestRun result = run(zyvosim::defaultBenchText(), options);
    ASSERT_EQ(result.status, 0);
    EXPECT_TRUE(has(result.out, "passed 40 of 40, slowest 81.00 s, median 42.00 s"));
    const nlohmann::json json = nlohmann::json::parse(zyvotest::fileText(options.jsonPath));
    const nlohmann::json& test = json["tests"][0];
    EXPECT_EQ(test["runs_made"], 40);
    EXPECT_EQ(test["passed_runs"], 40);
    EXPECT_EQ(test["runs_listed"], zyvodiag::kFirstRunsKept + 1);
    ASSERT_EQ(test["runs"].size(), zyvodiag::kFirstRunsKept + 1);
    EXPECT_EQ(test["runs"].back()["run"], 40);
    EXPECT_FALSE(test["runs"].back()["log"].get<std::string>().empty());
    EXPECT_TRUE(has(json["runs_listed"].get<std::string>(), "latest"));
}

// A test that passed and then was left out after another failed is a pass with that run's
// figures in every report, never a pass with the reason it was left out.
TEST_F(SelfTestTest, aPassLeftOutAfterAFailureReadsTheSameInEveryReport) {
    zyvodiag::SelfTestOptions options;
    options.only = "2-3";
    options.repeat = 2;
    options.stopOnFail = true;
    options.jsonPath = scratchPath("stop.json");
    options.junitPath = scratchPath("stop.xml");
    options.htmlDirectory = scratchPath("stop");
    double now = 0;
    options.clock = [&now] { return now += 1250; };
    SelfTestRun result =
        run(zyvosim::defaultBenchText() + "fault SDIOutput[2].SetEnable -1\n", options);
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_TRUE(has(result.out, "SDI 2 -> SDI input 2                         passed 1 of 1"));
    const nlohmann::json json = nlohmann::json::parse(zyvotest::fileText(options.jsonPath));
    EXPECT_EQ(json["tests"][0]["result"], "PASS");
    EXPECT_EQ(json["tests"][0]["runs"][1]["result"], "NOT RUN");
    const std::string xml = zyvotest::fileText(options.junitPath);
    const size_t testCase = xml.find("name=\"SDI 2 -&gt; SDI input 2\"");
    ASSERT_NE(testCase, std::string::npos) << xml;
    const std::string sdi2 = xml.substr(testCase, xml.find("</testcase>", testCase) - testCase);
    EXPECT_TRUE(has(sdi2, "time=\"1.250\""));
    EXPECT_FALSE(has(sdi2, "skipped"));
    const std::string html = zyvotest::fileText(options.htmlDirectory + "/index.html");
    const size_t section = html.find("id=\"test-2\"");
    ASSERT_NE(section, std::string::npos);
    const std::string sdi2Html = html.substr(section, html.find("</section>", section) - section);
    EXPECT_TRUE(has(sdi2Html, ">PASS<"));
    EXPECT_FALSE(has(sdi2Html, "not run"));
    EXPECT_FALSE(has(sdi2Html, "Root cause"));
}

// A report that could not be written whole is no success: a link someone puts at a name the run
// writes, once the folders were checked, is not followed, and the run fails naming it.
TEST_F(SelfTestTest, aFileThatCouldNotBeWrittenFailsTheRunAndIsNamed) {
    for (const char* planted : {"html/pictures/run-1/03-sdi3.png", "html/index.html",
                                "frames/run-1/sdi3.png", "frames/run-1/sdi-3-sdi-input-3.log"}) {
        zyvosim::reset();
        zyvodiag::SelfTestOptions options;
        options.htmlDirectory = scratchPath("html");
        options.keepDirectory = scratchPath("frames");
        options.only = "3";
        const std::string theirs = scratchPath("theirs");
        std::ofstream(theirs) << "someone's file";
        const std::string link = scratchPath(planted);
        // The clock is read as the test starts: the folders were checked by then.
        options.clock = [&link, &theirs] {
            std::error_code ignored;
            fs::create_symlink(theirs, link, ignored);
            return 0.0;
        };
        SelfTestRun result = run(zyvosim::defaultBenchText(), options);
        EXPECT_EQ(result.status, 1) << planted << "\n" << result.out << result.err;
        EXPECT_TRUE(has(result.err, link)) << planted << "\n" << result.err;
        EXPECT_EQ(zyvotest::fileText(theirs), "someone's file") << planted;
        fs::remove_all(options.htmlDirectory);
        fs::remove_all(options.keepDirectory);
    }
}

} // namespace
