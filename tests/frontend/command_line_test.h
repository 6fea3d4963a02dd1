// Fixture for the command-line tests: runs a parser on a bench and keeps what it printed.
#pragma once

#include <zyvodiag>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZyvoText.h"
#include "output_capture.h"
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
    bool run(bool (ZyvoDiagUserCommands::*parse)(int, char**), std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "diag");
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        zyvotest::OutputCapture capture;
        const bool accepted = (mRecord.*parse)(static_cast<int>(arguments.size()), argv.data());
        mOut = capture.out();
        EXPECT_EQ(capture.err(), "");
        return accepted;
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
