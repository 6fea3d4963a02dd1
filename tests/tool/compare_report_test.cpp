// compare names the likely cause of a difference and writes the comparison as JSON.
#include "test_files.h"
#include "tool_process.h"

#include "QELTestPatternGen.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using tooltest::runTool;

// 75% bars as an 8-bit 4:2:2 frame of 1080i (Cb Y Cr Y bytes), and the same with `change`
// applied to every byte.
std::string barsFile(const std::string& name, unsigned char (*change)(size_t, unsigned char)) {
    std::vector<unsigned char> bytes;
    EXPECT_GT(QELTestPatternGen().DrawTestPattern(QEL_TestPattern_Bars75, 1920, 1080,
                                                  QEL_PixelFormat_YCbCr8, bytes),
              0);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = change(i, bytes[i]);
    }
    return zyvotest::scratchFile(name, std::string(bytes.begin(), bytes.end()));
}

nlohmann::json readJson(const std::string& path) {
    std::ifstream in(path);
    return nlohmann::json::parse(in, nullptr, false);
}

TEST(CompareReport, namesAStuckDataBitAndWritesItsJson) {
    const std::string expected =
        barsFile("expected.raw", [](size_t, unsigned char b) { return b; });
    // Every Y byte (the odd ones) with bit 2 cleared.
    const std::string found = barsFile("found.raw", [](size_t i, unsigned char b) {
        return i % 2 == 1 ? static_cast<unsigned char>(b & ~4u) : b;
    });
    const std::string json = zyvotest::scratchPath("compare.json");
    const tooltest::ToolRun run =
        runTool("compare -f6 -r29 -v2 " + expected + " " + found + " --json " + json);
    const std::string cause = "likely cause: Y data bit 2 stuck at 0 (every sample; confidence";
    EXPECT_TRUE(tooltest::endedWith(run, 1, {expected + " and " + found + " differ\n", cause}));

    const nlohmann::json report = readJson(json);
    ASSERT_TRUE(report.is_object()) << run.out;
    EXPECT_EQ(report["schema"], "zyvodiag-compare/1");
    EXPECT_EQ(report["identical"], false);
    EXPECT_EQ(report["pixels"], 1920 * 1080);
    EXPECT_GT(report["differing_pixels"].get<int>(), 0);
    EXPECT_TRUE(report["psnr_db"].is_number());
    EXPECT_EQ(report["largest_difference"], nlohmann::json::parse(R"({"Y":4,"Cb":0,"Cr":0})"));
    const nlohmann::json& analysis = report["analysis"];
    EXPECT_EQ(analysis["impairment"], "stuck-bit");
    EXPECT_EQ(analysis["parameters"],
              nlohmann::json::parse(R"({"channel":"Y","bit":2,"value":0})"));
    EXPECT_EQ(analysis["explained"], 1.0);
    EXPECT_GT(analysis["confidence"].get<double>(), 0.9);
    EXPECT_TRUE(analysis["alternatives"].is_array());
    EXPECT_NE(run.out.find("likely cause: " + analysis["summary"].get<std::string>() + "\n"),
              std::string::npos);
}

TEST(CompareReport, identicalFramesCarryNoCauseAndAnotherFormatIsNotAnalysed) {
    const std::string frame = barsFile("frame.raw", [](size_t, unsigned char b) { return b; });
    const std::string json = zyvotest::scratchPath("same.json");
    const tooltest::ToolRun same =
        runTool("compare -f6 -r29 -v2 " + frame + " " + frame + " --json " + json);
    EXPECT_TRUE(tooltest::endedWith(same, 0, {"are identical\n"}));
    EXPECT_EQ(same.out.find("likely cause"), std::string::npos);
    const nlohmann::json report = readJson(json);
    EXPECT_EQ(report["identical"], true);
    EXPECT_EQ(report["psnr_db"], nullptr);
    EXPECT_EQ(report["analysis"]["impairment"], nullptr);

    // A frame of the wrong size still gets the byte verdict; the analysis says what to fix, and
    // with --json the command is refused.
    const std::string other = barsFile(
        "other.raw", [](size_t, unsigned char b) { return static_cast<unsigned char>(b ^ 1u); });
    EXPECT_TRUE(tooltest::endedWith(runTool("compare -v1 " + frame + " " + other), 1,
                                    {"differ\n", "no analysis: ", "check -f, -r and -v"}));
    EXPECT_TRUE(tooltest::endedWith(
        runTool("compare -v1 " + frame + " " + other + " --json " + json), 2, {"no analysis"}));
}

} // namespace
