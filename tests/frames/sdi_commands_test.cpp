// The SDI video test commands as a host runs them: a parsed command line, the open device, one
// call; then what was printed, the result, the file and the card. save and compare are seen
// end to end in the tool's tests.
#include "command_line.h"
#include "frames_test.h"

#include <algorithm>
#include <cstdio>

namespace framestest {
namespace {

class SdiCommandTest : public FramesTest {
protected:
    // The record as the video command line leaves it; its echo is not this story.
    void parse(std::vector<std::string> words) {
        words.insert(words.begin(), "zyvodiag");
        EXPECT_TRUE(zyvotest::captured([&] { return zyvotest::parseWords(record, words); }).result)
            << words.back();
    }
    // Runs a command on the open device: what it printed; `passed` keeps what it returned.
    std::string run(bool (ZyvoDiagUserCommands::*command)(ZyvoDevice*)) {
        return printedBy([&] { passed = (record.*command)(mDevice.mpDevice); });
    }

    ZyvoDiagUserCommands record;
    bool passed = false;
};

TEST_F(SdiCommandTest, generateDrawsIntoThePlayoutStoreTheFrameBufferNumberNames) {
    openDevice();
    parse({"-b3", "-p9"});
    EXPECT_EQ(run(&ZyvoDiagUserCommands::generateVideoTestPattern), "");
    EXPECT_TRUE(passed);
    EXPECT_EQ(deviceBytes(playoutBase() + 3 * kFrame8Bit, kFrame8Bit), generated(kWhite, 2));
    // Nothing plays it out.
    for (const auto& output : card().sdiOutput) {
        EXPECT_FALSE(output.enable);
        EXPECT_EQ(output.source, ZYVO_VideoSource_None);
    }
    for (const auto& store : card().playoutStore) {
        EXPECT_FALSE(store.store.enable);
    }
    openDevice();
    parse({"-b6", "-p9"});
    EXPECT_EQ(run(&ZyvoDiagUserCommands::generateVideoTestPattern),
              "frameBufferFillWithTestPattern Invalid frameStoreIdx (6)\n");
    EXPECT_TRUE(passed);
    EXPECT_EQ(calls({"DMA"}), Lines{});
}

TEST_F(SdiCommandTest, capturePatternWritesTheStoreOfItsOutputAndRoutesNothing) {
    openDevice();
    std::string path = scratchPath("pattern");
    parse({"-o1", "-p9", path});
    EXPECT_EQ(run(&ZyvoDiagUserCommands::captureVideoTestPattern), "");
    EXPECT_TRUE(passed);
    EXPECT_EQ(deviceBytes(playoutBase(), kFrame8Bit), generated(kWhite, 2));
    EXPECT_TRUE(fileHolds(path, generated(kWhite, 2)));
    for (const auto& output : card().sdiOutput) {
        EXPECT_EQ(output.source, ZYVO_VideoSource_None);
    }
    // Output 7 would be playout store 6, which the card does not have.
    std::remove(path.c_str());
    openDevice();
    parse({"-o7", "-p9", path});
    EXPECT_EQ(run(&ZyvoDiagUserCommands::captureVideoTestPattern),
              "frameBufferSelect NULL pointer\n"
              "frameBufferFillWithTestPattern NULL pointer\n"
              "playoutStoreEnable NULL pointer\n"
              "frameBufferDmaToFile() pFrameStore == NULL\n");
    EXPECT_FALSE(passed);
    EXPECT_EQ(fileText(path), "<missing>");
}

// Input 5 is SDI input 4 into capture store 0 through dual-link input 0. Nothing plays on
// output 5, so nothing arrives: the store is black, the file as it was.
TEST_F(SdiCommandTest, captureFromInput5PaintsStore0BlackBeforeRoutingSDIInput4) {
    openDevice();
    std::string path = scratchFile("capture", "old");
    parse({"-i5", "-p9", path});
    EXPECT_EQ(run(&ZyvoDiagUserCommands::captureVideoInput), "");
    EXPECT_FALSE(passed);
    Lines path5 = calls({"DMA", "DualLinkIn", "CaptureStore", "SDIInput"});
    path5.erase(path5.begin(), std::find(path5.begin(), path5.end(),
                                         "DMA[0].DoDma(1, 0x01000000, 4147200, 1, 0, 0, 0)"));
    EXPECT_EQ(
        path5,
        (Lines{"DMA[0].DoDma(1, 0x01000000, 4147200, 1, 0, 0, 0)",
               "DualLinkIn[0].SetVideoSource(76)", "CaptureStore[0].SetVideoSource(41, true)",
               "SDIInput[4].GetInputConfiguration(video{fmt=0,smp=2,cs=2,cr=1,ar=2,bd=2,ch=1})"}));
    EXPECT_EQ(deviceBytes(captureBase(), kFrame8Bit), generated(kBlack, 2));
    EXPECT_EQ(fileText(path), "old");
}

// An input the library cannot even ask; no signal and an unknown raster are seen end to end in
// the tool's SDI loop and self-test.
TEST_F(SdiCommandTest, captureFromAnInputItCannotAcquireSaysSoAndWritesNothing) {
    for (const char* bench : {"missing SDIInput 4", "fault SDIInput[4].GetInputConfiguration 0"}) {
        openDevice(bench);
        std::string path = scratchFile("capture", "old");
        parse({"-D", "-i5", path});
        std::string out = run(&ZyvoDiagUserCommands::captureVideoInput);
        const std::string last = "\nAcquire Input failure for SDI input 5\n";
        EXPECT_FALSE(passed) << bench;
        EXPECT_EQ(out.substr(out.size() - std::min(out.size(), last.size())), last) << out;
        EXPECT_EQ(fileText(path), "old") << bench;
        EXPECT_EQ(calls({"CaptureStore"}).back(), "CaptureStore[0].SetVideoSource(41, true)");
    }
}

// Output 10, the monitor's SDI output, is switched on only when asked for, never off.
TEST_F(SdiCommandTest, monitorPlaysStore0OverTheMonitorPathAndLeavesOutput10Alone) {
    for (bool sdi : {false, true}) {
        for (bool hdmi : {false, true}) {
            openDevice();
            for (unsigned i = 0; i < 11; ++i) {
                deviceWidget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget, i)
                    ->SetEnable(true);
            }
            deviceWidget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget, 10)->SetMute(true);
            parse({"-p9"});
            EXPECT_TRUE(record.outputVideoMonitorTestPattern(mDevice.mpDevice, sdi, hdmi));
            for (unsigned i = 0; i < 10; ++i) {
                EXPECT_FALSE(card().sdiOutput[i].enable) << i;
                EXPECT_TRUE(card().sdiOutput[i].mute) << i;
            }
            EXPECT_TRUE(card().sdiOutput[10].enable);
            EXPECT_EQ(card().sdiOutput[10].mute, !sdi);
            EXPECT_EQ(card().hdmiOutput.videoSource[0], hdmi ? 92 : ZYVO_VideoSource_None);
            EXPECT_EQ(card().hdmiOutput.audioMute, !hdmi);
            EXPECT_TRUE(card().playoutStore[0].store.enable);
            EXPECT_EQ(deviceBytes(playoutBase(), kFrame8Bit), generated(kWhite, 2));
            EXPECT_EQ(card().dualLinkOutput[4].source, 92);
            EXPECT_EQ(card().sdiOutput[10].source, 57);
        }
    }
}

} // namespace
} // namespace framestest
