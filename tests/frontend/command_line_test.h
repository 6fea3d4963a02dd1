// Fixture for the command-line tests: runs a parser on a bench and keeps what it printed.
#pragma once

#include <zyvodiag>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZyvoText.h"
#include "captured.h"
#include "command_line.h"
#include "zyvosim/zyvosim.h"

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { zyvosim::reset(); }
    void TearDown() override { zyvosim::reset(); }

    // The arguments follow the program name "diag".
    bool parseVideo(std::vector<std::string> arguments) {
        return run(&ZyvoDiagUserCommands::parseCmdLineArgs, std::move(arguments));
    }
    bool parseAudio(std::vector<std::string> arguments) {
        return run(&ZyvoDiagUserCommands::parseAudioCmdLineArgs, std::move(arguments));
    }

    ZyvoDiagUserCommands mRecord;
    std::string mOut; // standard output of the last parse

private:
    bool run(zyvotest::Parser parse, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "diag");
        auto parsed =
            zyvotest::captured([&] { return zyvotest::parseWords(mRecord, arguments, parse); });
        mOut = parsed.out;
        EXPECT_EQ(parsed.err, "");
        return parsed.result;
    }
};

// A display name straight from the simulator's text tables, without inserting anything.
template <typename Key>
std::string simulatorName(std::map<Key, std::string> ZyvoText::*names, Key key) {
    const auto& table = ZyvoText::GetInstance()->*names;
    const auto found = table.find(key);
    return found == table.end() ? std::string() : found->second;
}

// The four lines that explain why a (rate, standard) selection fell back to format 19.
inline std::string formatWarning(int32_t rate, int32_t standard, const std::string& context) {
    return "Warning !!! Video Format selection (rate: " + std::to_string(rate) +
           ", std: " + std::to_string(standard) + ", fmt: 19) is unsupported !!!\n" +
           "context: " + context + "\n" + ".....video standard " +
           simulatorName(&ZyvoText::mVideoStandardNames, static_cast<ZyvoVideoStandard>(standard)) +
           " : video line rate " +
           simulatorName(&ZyvoText::mVideoRateNames, static_cast<ZyvoVideoRate>(rate)) +
           " fps\n.......... defaulting to video format 1080i 29.97 !!\n";
}
