// What a user learns before running anything: every command's -h, and the list command.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

using tooltest::runTool;
using tooltest::ToolRun;

// The command names of `zyvodiag --help`, from its "commands:" section.
std::vector<std::string> listedCommands() {
    ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    std::vector<std::string> names;
    std::istringstream in(help.out.substr(help.out.find("commands:\n")));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.rfind("  ", 0) == 0) {
        names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

TEST(CommandHelpTest, everyCommandPrintsItsUsageAndLeavesTheDeviceAlone) {
    // A device that cannot even be created: any attempt to reach it says so.
    const std::string bench =
        zyvotest::scratchFile("bench", "fault factory.CreateLocalDevice -1\n");
    const std::vector<std::string> names = listedCommands();
    ASSERT_GE(names.size(), 25u);
    for (const std::string& name : names) {
        for (const char* help : {"-h", "-?", "-H"}) {
            SCOPED_TRACE(name + " " + help);
            ToolRun run = runTool("--sim " + bench + " " + name + " -b1 " + help);
            EXPECT_TRUE(tooltest::endedWith(run, 0, {"usage:  zyvodiag " + name}));
            EXPECT_EQ(run.out.find("create failed"), std::string::npos) << run.out;
        }
    }
}

TEST(CommandHelpTest, theToolsOwnOptionsFollowTheLibrarysUsage) {
    ToolRun run = runTool("view -h");
    const size_t library = run.out.find("  -D[debug output level]");
    const size_t ours = run.out.find("  --png OUT.png");
    ASSERT_NE(library, std::string::npos) << run.out;
    ASSERT_NE(ours, std::string::npos) << run.out;
    EXPECT_LT(library, ours);
}

// The cell of the formats table in the row of `standard` and the column of `rate`.
std::string cell(const std::string& table, const std::string& standard, const std::string& rate) {
    std::istringstream in(table);
    std::string line, header;
    while (std::getline(in, line)) {
        if (line.find(" -r23 ") != std::string::npos) {
            header = line;
        }
        if (line.rfind(standard + " ", 0) == 0 && !header.empty()) {
            const size_t end = header.find(rate) + rate.size();
            const size_t start = line.find_last_of(' ', end - 1) + 1;
            return line.substr(start, end - start);
        }
    }
    return "(no " + standard + " row)";
}

TEST(ListTest, givesEachPairsFormatThePixelFormatsAndTheSixteenPatterns) {
    ToolRun run = runTool("list");
    ASSERT_EQ(run.status, 0) << run.out;
    const struct {
        const char* standard;
        const char* rate;
        const char* format;
    } cells[] = {
        {"-f5", "-r50", "15"},  {"-f5", "-r47", "-"},    {"-f1", "-r29", "4"},
        {"-f19", "-r24", "65"}, {"-f24", "-r59", "181"}, {"-f24", "-r60", "-"},
    };
    for (const auto& expected : cells) {
        EXPECT_EQ(cell(run.out, expected.standard, expected.rate), expected.format)
            << expected.standard << " " << expected.rate << "\n"
            << run.out;
    }
    // The probing of unsupported pairs stays out of sight.
    EXPECT_EQ(run.out.find("Warning !!!"), std::string::npos);
    EXPECT_TRUE(tooltest::endedWith(run, 0,
                                    {"    19  1080i 29.97\n", "     1  YCbCr 4:2:2 10-bit\n",
                                     "    23  YCbCr 4:2:2 12-bit", "     0  100% bars\n",
                                     "    15  ColorQuadBorder\n"}));
    const std::string patterns = run.out.substr(run.out.find("test patterns (-p):"));
    EXPECT_EQ(patterns.find("    16  "), std::string::npos) << patterns;
}

} // namespace
