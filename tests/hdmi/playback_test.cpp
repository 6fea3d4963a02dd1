// outputHDMI4KVideo: playout store 0, and store 1 too for a 4K quad format, on the HDMI output.
#include "hdmi_test.h"

namespace hdmitest {
namespace {

// The calls that set up playout store `store` for `format`, whose frames take `size` bytes.
Lines storeSetUp(int store, bool quad, int format, uint32_t size) {
    const std::string target = "PlayoutStore[" + std::to_string(store) + "].";
    const std::string bytes = std::to_string(size);
    return {target + "SetTwoSampleInterleaveMode(" + (quad ? "true" : "false") + ")",
            target + "SetRegisterSync(3)",
            target + "SetVideoMode(3)",
            target + "SetFrameBufferConfiguration(fb{fmt=" + std::to_string(format) +
                ",pix=2,base=0x00000000,num=0,size=" + bytes + ",ch=" + std::to_string(store + 1) +
                "})",
            target + "SetFrameBufferBaseAddress(0x04000000)",
            target + "SetFrameBufferSize(" + bytes + ")",
            target + "SetFrameBufferNumber(0)",
            target + "WritePreset()"};
}

// 1920 x 1080 in 8-bit YCbCr, and 3840 x 2160 played from the SID format's frame.
constexpr uint32_t kHDSize = 1920 * 2 * 1080;
constexpr uint32_t kQuadSize = 3840 * 2 * 2160;
const Lines kHDSources = {"HDMIOut[0].SetVideoSource1(92)", "HDMIOut[0].SetVideoSource2(14)",
                          "HDMIOut[0].SetVideoSource3(14)", "HDMIOut[0].SetVideoSource4(14)"};

// Once the SDI outputs are silenced, the stores are set up and routed to the output's inputs.
TEST_F(HDMITest, routesTheStoresToTheOutputsInputs) {
    const struct {
        std::vector<std::string> arguments;
        Lines calls;
        std::string out;
    } cases[] = {
        {{}, storeSetUp(0, false, 19, kHDSize) + kHDSources, ""},
        {{"-f19", "-r29"},
         storeSetUp(0, true, 87, kQuadSize) + storeSetUp(1, true, 87, kQuadSize) +
             Lines{"HDMIOut[0].SetVideoSource1(92)", "HDMIOut[0].SetVideoSource2(98)",
                   "HDMIOut[0].SetVideoSource3(99)", "HDMIOut[0].SetVideoSource4(100)"},
         ""},
        {{"-o2"},
         storeSetUp(0, false, 19, kHDSize) + kHDSources,
         "designateHDMI4KOutputWidgets(2,) out of range\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        prepare(c.arguments);
        Outcome outcome = run(&ZyvoDiagUserCommands::outputHDMI4KVideo);
        EXPECT_TRUE(outcome.result);
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(callsAfterLast("SDIOutput[9].SetEnable(false)"), c.calls);
    }
}

TEST_F(HDMITest, withoutTheOutputTheStoresAreSetUpButNothingIsRouted) {
    prepare({}, false, "missing HDMIOut 0");
    Outcome outcome = run(&ZyvoDiagUserCommands::outputHDMI4KVideo);
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.out,
              "hdmiOutputInit: Could not GetWidget(ZYVO_WidgetType_HDMI4kOutWidget)\n");
    EXPECT_EQ(callsAfterLast("SDIOutput[9].SetEnable(false)"), storeSetUp(0, false, 19, kHDSize));
    EXPECT_EQ(zyvosim::cardState().hdmiOutput.videoSource[0], 14);
}

} // namespace
} // namespace hdmitest
