// Comparing raw frame files: the result, and the report a user reads when verbose.
#include "captured.h"
#include "test_files.h"

#include <zyvodiag>

#include <gtest/gtest.h>

#include <string>

namespace {

using zyvotest::scratchFile;

class FileCompareTest : public ::testing::Test {
protected:
    void TearDown() override { ZyvoDiagUserCommands::msDebugOutput = false; }

    // Runs the comparison and keeps what it printed.
    int compare(const std::string& expected, const std::string& found, bool verbose) {
        ZyvoDiagUserCommands::msDebugOutput = verbose;
        ZyvoDiag diag;
        auto outcome =
            zyvotest::captured([&] { return diag.compareFiles(expected.c_str(), found.c_str()); });
        printed = outcome.out;
        return outcome.result;
    }

    std::string printed;
};

TEST_F(FileCompareTest, verboseListsTwentyDifferencesWithTheirOffsetsAndNothingForEqualFiles) {
    std::string a = scratchFile("a", "abcdefgh"), b = scratchFile("b", "abcXeYgh");
    EXPECT_EQ(compare(a, scratchFile("same", "abcdefgh"), true), 2);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(compare(scratchFile("e1", ""), scratchFile("e2", ""), false), 2);
    EXPECT_EQ(compare(a, b, true), -2);
    EXPECT_EQ(printed, "\n byte off expected found\n"
                       "       3     0x64   0x58\n"
                       "       5     0x66   0x59\n"
                       " 2 differences, 2 shown\n");
    EXPECT_EQ(compare(a, b, false), -2);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(compare(scratchFile("c", "x\xff"), scratchFile("d", "x\x01"), true), -2);
    EXPECT_EQ(printed, "\n byte off expected found\n"
                       "       1     0xff   0x01\n"
                       " 1 difference, 1 shown\n");
    // Twenty differences are shown, the rest counted.
    EXPECT_EQ(compare(scratchFile("25a", std::string(25, 'a')),
                      scratchFile("25b", std::string(25, 'b')), true),
              -2);
    EXPECT_NE(printed.find("      19     0x61   0x62\n"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("      20     0x61"), std::string::npos) << printed;
    EXPECT_NE(printed.find(" 25 differences, 20 shown\n"), std::string::npos) << printed;
}

// Files longer than the blocks they are read in: a difference on either side of a block edge
// or in the short last block is found and reported at its own offset.
TEST_F(FileCompareTest, findsDifferencesAtBlockEdgesOfLongFiles) {
    const std::string expectedBytes(3 * 65536 + 100, 'a');
    std::string found = expectedBytes;
    for (size_t offset : {65535u, 65536u, 131072u, 196707u}) {
        found[offset] = 'b';
    }
    std::string a = scratchFile("a", expectedBytes), b = scratchFile("b", found);
    EXPECT_EQ(compare(a, b, true), -2);
    EXPECT_EQ(printed, "\n byte off expected found\n"
                       "   65535     0x61   0x62\n"
                       "   65536     0x61   0x62\n"
                       "  131072     0x61   0x62\n"
                       "  196707     0x61   0x62\n"
                       " 4 differences, 4 shown\n");
    std::string lastOnly = expectedBytes;
    lastOnly.back() = 'b';
    EXPECT_EQ(compare(a, scratchFile("last", lastOnly), false), -2);
    EXPECT_EQ(compare(a, scratchFile("same", expectedBytes), false), 2);
}

// Sizes that differ, even where the common part agrees, and a file that cannot be opened.
TEST_F(FileCompareTest, differentSizesAndMissingFilesFailSayingSoWhenVerbose) {
    std::string a = scratchFile("a", "0123456789"), b = scratchFile("b", "0123456789ab");
    std::string missing = zyvotest::scratchPath("missing");
    EXPECT_EQ(compare(a, b, false), -2);
    EXPECT_EQ(compare(missing, a, false), -2);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(compare(a, b, true), -2);
    EXPECT_EQ(printed, "\n File sizes differ: " + a + ": 10 bytes, " + b + ": 12 bytes\n");
    EXPECT_EQ(compare(a, missing, true), -2);
    EXPECT_EQ(printed, "\nFailed to open " + missing + ": No such file or directory\n");
}

} // namespace
