// Frames travelling over the loopback bench, driven by the diagnostics' own user commands: the
// simulator's own part in them, a 4K capture, faulty stores and the time a frame takes.
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

// Both stores of a 4K capture write the one frame buffer: the whole picture comes back. The SDI
// loops and an HD HDMI loop are the tool's and the HDMI tests' business.
TEST_F(LoopbackTest, quadHDMICaptureIsTheWholePlayedPattern) {
    openOn();
    const std::string format = "-f19 -r29";
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureVideoTestPattern,
                    "-o1 -b0 -v2 -p7 " + format + " @pattern"));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo, "-v2 " + format));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureHDMI4KVideo, "-b0 -v2 " + format + " @in"));
    ASSERT_FALSE(bytes("pattern").empty());
    EXPECT_TRUE(bytes("in") == bytes("pattern"));
}

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
