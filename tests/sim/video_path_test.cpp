// Frames travelling over the loopback bench, driven by the diagnostics' own user commands: a
// capture store writes only after a whole frame. Whole loops and faulty stores are the
// self-test's business.
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

    // The loopback bench, opened as a host opens it.
    void openOn() {
        useBench(zyvosim::defaultBenchText());
        zyvotest::OutputCapture quiet;
        ASSERT_TRUE(mDevice.open());
    }

    // One invocation: `words` parsed as a command line (a word "@name" is a file of the test's
    // directory), then `command`.
    bool run(Command command, const std::string& words) {
        std::vector<std::string> line = {"zyvodiag"};
        std::istringstream split(words);
        for (std::string word; split >> word;)
            line.push_back(word[0] == '@' ? file(word.substr(1)) : word);
        std::vector<char*> argv;
        for (std::string& word : line)
            argv.push_back(word.data());
        ZyvoDiagUserCommands record;
        zyvotest::OutputCapture quiet;
        EXPECT_TRUE(record.parseCmdLineArgs(static_cast<int>(argv.size()), argv.data())) << words;
        return (record.*command)(mDevice.mpDevice);
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
