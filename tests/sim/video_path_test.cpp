// Frames travelling over the loopback bench, driven by the diagnostics' own user commands: an
// SDI or HDMI output plays a pattern, an input captures it, and the files must agree.
#include "output_capture.h"
#include "sim_fixture.h"

#include <zyvodiag>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

using Command = bool (ZyvoDiagUserCommands::*)(ZyvoDevice*);
using Bytes = std::vector<char>;

class LoopbackTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        char name[] = "/tmp/zyvo-loopback-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        mDirectory = name;
        mSavedDebugOutput = ZyvoDiagUserCommands::msDebugOutput;
    }
    void TearDown() override {
        mDevice.close();
        ZyvoDiagUserCommands::msDebugOutput = mSavedDebugOutput;
        std::error_code ignored;
        std::filesystem::remove_all(mDirectory, ignored);
        SimTest::TearDown();
    }

    // The loopback bench with `more` at its end, opened as a host opens it.
    void openOn(const std::string& more = "") {
        useBench(zyvosim::defaultBenchText() + more);
        zyvotest::OutputCapture quiet;
        ASSERT_TRUE(mDevice.open());
    }

    // One invocation: `words` parsed as a command line (a word "@name" is a file of the test's
    // directory), then `command`. What it printed goes to `printed`.
    bool run(Command command, const std::string& words, std::string* printed = nullptr) {
        std::vector<std::string> line = {"zyvodiag"};
        std::istringstream split(words);
        for (std::string word; split >> word;)
            line.push_back(word[0] == '@' ? file(word.substr(1)) : word);
        std::vector<char*> argv;
        for (std::string& word : line)
            argv.push_back(word.data());
        ZyvoDiagUserCommands record;
        zyvotest::OutputCapture capture;
        EXPECT_TRUE(record.parseCmdLineArgs(static_cast<int>(argv.size()), argv.data())) << words;
        bool result = (record.*command)(mDevice.mpDevice);
        if (printed != nullptr)
            *printed = capture.out() + capture.err();
        return result;
    }

    std::string file(const std::string& name) const { return mDirectory + "/" + name; }
    Bytes bytes(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    ZyvoDiagDevice mDevice;

private:
    std::string mDirectory;
    bool mSavedDebugOutput = false;
};

struct SDILoop {
    int input;         // -i and -o of the loop: output N is cabled to the input of number N
    int patternOutput; // -o whose playout store the loop plays (output 5 plays store 0 too)
    const char* settings;
};

class SDILoopbackTest : public LoopbackTest, public ::testing::WithParamInterface<SDILoop> {};

TEST_P(SDILoopbackTest, capturedFrameIsThePlayedPattern) {
    openOn();
    const SDILoop& loop = GetParam();
    const std::string n = std::to_string(loop.input);
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputVideoTestPattern, "-o" + n + loop.settings));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoInput, "-i" + n + loop.settings + " @in"));
    // Playout store N keeps its pattern in its frame N, which -b names for the file.
    const int store = loop.patternOutput - 1;
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoTestPattern,
                    "-o" + std::to_string(loop.patternOutput) + " -b" + std::to_string(store) +
                        loop.settings + " @pattern"));
    ASSERT_FALSE(bytes("pattern").empty());
    EXPECT_TRUE(bytes("in") == bytes("pattern"));
}

INSTANTIATE_TEST_SUITE_P(Inputs, SDILoopbackTest,
                         ::testing::Values(SDILoop{1, 1, " -f6 -r29 -v2 -p7"},
                                           SDILoop{5, 1, " -f7 -r25 -v1 -p14"},
                                           SDILoop{8, 4, " -f6 -r29 -v5 -p0"}));

struct DarkInput {
    const char* bench;
    bool playOut; // output -oN runs before the capture
    int input;
    const char* report;
};

class DarkInputTest : public LoopbackTest, public ::testing::WithParamInterface<DarkInput> {};

TEST_P(DarkInputTest, captureReportsTheInputAndWritesNoFile) {
    const DarkInput& dark = GetParam();
    openOn(dark.bench);
    const std::string n = std::to_string(dark.input);
    if (dark.playOut) {
        ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputVideoTestPattern, "-o" + n));
    }
    std::string printed;
    EXPECT_FALSE(run(&ZyvoDiagUserCommands::captureVideoInput, "-D -i" + n + " @in", &printed));
    EXPECT_NE(printed.find(std::string("\n") + dark.report + " for SDI input " + n + "\n"),
              std::string::npos)
        << printed;
    EXPECT_FALSE(std::filesystem::exists(file("in")));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DarkInputTest,
    ::testing::Values(DarkInput{"", false, 2, "No valid input detected"},
                      DarkInput{"no-signal SDIInput 4\n", true, 5, "No valid input detected"},
                      DarkInput{"uncable SDIOutput 7\n", true, 8, "No valid input detected"},
                      DarkInput{"unknown-format SDIInput 0\n", true, 1, "Unknown input detected"}));

class HDMILoopbackTest : public LoopbackTest, public ::testing::WithParamInterface<const char*> {};

// Both stores of a 4K capture write the one frame buffer: the whole picture comes back.
TEST_P(HDMILoopbackTest, capturedFrameIsThePlayedPattern) {
    openOn();
    const std::string format = GetParam();
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoTestPattern,
                    "-o1 -b0 -v2 -p7 " + format + " @pattern"));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo, "-v2 " + format));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureHDMI4KVideo, "-b0 -v2 " + format + " @in"));
    ASSERT_FALSE(bytes("pattern").empty());
    EXPECT_TRUE(bytes("in") == bytes("pattern"));
}

INSTANTIATE_TEST_SUITE_P(Formats, HDMILoopbackTest, ::testing::Values("-f6 -r29", "-f19 -r29"));

struct BlackCapture {
    const char* bench;
    Command play;
    Command capture;
    const char* settings;
};

class BlackCaptureTest : public LoopbackTest, public ::testing::WithParamInterface<BlackCapture> {};

// The capture store was painted black first, and nothing ever wrote over it.
TEST_P(BlackCaptureTest, captureLeavesTheBlackPreFill) {
    const BlackCapture& black = GetParam();
    openOn(black.bench);
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoTestPattern,
                    std::string("-o1 -b0 -p8 ") + black.settings + " @black"));
    ASSERT_TRUE(run(black.play, std::string("-o1 -p7 ") + black.settings));
    ASSERT_TRUE(run(black.capture, std::string("-i1 -b0 ") + black.settings + " @in"));
    EXPECT_TRUE(bytes("in") == bytes("black"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BlackCaptureTest,
    ::testing::Values(BlackCapture{"stuck CaptureStore 0\n",
                                   &ZyvoDiagUserCommands::outputVideoTestPattern,
                                   &ZyvoDiagUserCommands::captureVideoInput, "-v2"},
                      BlackCapture{"no-sid-translation 67\n",
                                   &ZyvoDiagUserCommands::outputHDMI4KVideo,
                                   &ZyvoDiagUserCommands::captureHDMI4KVideo, "-v2 -f19 -r29"}));

struct CaptureTime {
    uint64_t onFor; // microseconds; a frame of 1080i 29.97 lasts 33366.7
    bool switchOff; // else the frame is read while the store is still on
    bool captured;
};

class FrameTimeTest : public LoopbackTest, public ::testing::WithParamInterface<CaptureTime> {};

TEST_P(FrameTimeTest, aStoreWritesOnlyAfterAWholeFrame) {
    openOn();
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoTestPattern, "-o1 -p7 @pattern"));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputVideoTestPattern, "-o1 -p7"));
    // As captureVideoInput does it on the default 1080i 29.97 8-bit settings, but the grab.
    ZyvoDiag diag;
    diag.mpDevice = mDevice.mpDevice;
    zyvotest::OutputCapture quiet;
    diag.InputWidgetsInit(ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_YCbCr8);
    diag.InputVideoFramePatternFill(0, 0, QEL_TestPattern_Black, ZYVO_VideoFormat_1080i_2997,
                                    static_cast<QEL_PixelFormat>(ZYVO_PixelFormat_YCbCr8));
    diag.ConnectInputPath(1, 0, 0, 0);
    diag.captureStoreEnable(diag.mpFBCapture[0], true);
    zyvosim::sleepMicroseconds(GetParam().onFor);
    if (GetParam().switchOff)
        diag.captureStoreEnable(diag.mpFBCapture[0], false);
    ASSERT_TRUE(diag.VideoFrameWrite(captureFrameStore, 0, 0, file("in")));
    EXPECT_EQ(bytes("in") == bytes("pattern"), GetParam().captured);
}

INSTANTIATE_TEST_SUITE_P(Times, FrameTimeTest,
                         ::testing::Values(CaptureTime{33366, true, false},
                                           CaptureTime{33367, true, true},
                                           CaptureTime{1000000, false, true}));

} // namespace
