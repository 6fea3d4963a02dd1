// The commands a self-test report gives to type again, pasted into a shell: each test's commands
// run what the self-test ran and come to its verdict, whatever the bench's name holds.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

using tooltest::shellQuoted;

std::string benchText(const char* example, const std::string& more) {
    return zyvotest::fileText(std::string(ZYVO_SOURCE_DIR) + "/examples/" + example) + more;
}

void reproduceEachTest(const std::string& benchLines) {
    const std::string directory = zyvotest::scratchPath("a b;c");
    fs::create_directory(directory);
    // A shell that took any word apart would run the command substitution or the backquotes.
    const std::string bench = directory + "/it's $(touch pwned) `touch pwned2`.bench";
    std::ofstream(bench) << (benchLines.empty() ? "devices 1\n" : benchLines);
    const std::string benchOption = benchLines.empty() ? "" : "--sim " + shellQuoted(bench) + " ";
    const std::string state = "ZYVO_SIM_STATE=" + zyvotest::scratchPath("card");
    const std::string json = directory + "/report.json";
    tooltest::ToolRun run =
        tooltest::runTool(benchOption + "selftest --keep " + shellQuoted(directory + "/frames") +
                              " --json " + shellQuoted(json),
                          state);
    ASSERT_LE(run.status, 1) << run.out;
    const nlohmann::json report = nlohmann::json::parse(std::ifstream(json));
    size_t failed = 0;
    for (const auto& test : report["tests"]) {
        std::string script = "cd " + shellQuoted(directory) + " && export " + state +
                             " && zyvodiag() { " + tooltest::toolCommand() + " \"$@\"; }";
        for (const auto& command : test["runs"][0]["commands"]) {
            script += " && " + command.get<std::string>();
        }
        const tooltest::ToolRun again = tooltest::runScript(script + " >/dev/null 2>&1");
        SCOPED_TRACE(test["name"].get<std::string>() + "\n" + script);
        EXPECT_EQ(again.status == 0 ? "PASS" : "FAIL", test["result"].get<std::string>());
        failed += test["result"] == "FAIL" ? 1 : 0;
    }
    EXPECT_EQ(failed > 0, !benchLines.empty());
    EXPECT_FALSE(fs::exists(directory + "/pwned") || fs::exists(directory + "/pwned2"));
    fs::remove_all(directory);
}

// The default bench, and the faulty bench with faults of every kind that fail a test on every run
// of a command: a failing call, a stuck store, a missing widget and a broken register.
TEST(ReproduceTest, pastedCommandsGiveEachTestsVerdict) {
    for (const std::string& benchLines :
         {std::string(), benchText("faulty.bench", "stuck CaptureStore 1\nmissing SDIOutput 10\n"
                                                   "hdmi-fault clock HDMIIn 16 0x08D8AB00\n")}) {
        SCOPED_TRACE(benchLines.empty() ? "default bench" : "faulty bench");
        reproduceEachTest(benchLines);
    }
}

} // namespace
