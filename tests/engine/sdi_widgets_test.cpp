// SDI outputs: what their set-up leaves in them, and switching them on and off.
#include "engine_test.h"

namespace enginetest {
namespace {

using SDIOutputTest = EngineTest;

TEST_F(SDIOutputTest, disablingAllOutputsLeavesTheMonitorOutputAlone) {
    setUpCommand();
    for (int output = 0; output <= 10; ++output) {
        diag.SDIOutputEnable(output);
    }
    EXPECT_EQ(diag.SDIAllOutputsDisable(), 1);
    for (int output = 0; output <= 9; ++output) {
        EXPECT_FALSE(card().sdiOutput[output].enable) << output;
        EXPECT_TRUE(card().sdiOutput[output].mute) << output;
    }
    EXPECT_TRUE(card().sdiOutput[10].enable);
    EXPECT_FALSE(card().sdiOutput[10].mute);
}

// Enabling unmutes and keeps switch E as the disable left it; a later set-up configures the
// output but leaves it on.
TEST_F(SDIOutputTest, enablingUnmutesAndASetUpLeavesTheOutputOn) {
    setUpCommand();
    diag.SDIOutputDisable(4);
    zyvosim::clearTrace();
    EXPECT_EQ(diag.SDIOutputEnable(4), 1);
    EXPECT_EQ(calls(), (Lines{"SDIOutput[4].SetMute(false)", "SDIOutput[4].SetEnable(true)"}));
    EXPECT_FALSE(card().sdiOutput[4].mute);
    EXPECT_TRUE(card().sdiOutput[4].switchE);
    diag.sdiOutputInit(4, ZYVO_VideoFormat_1080p_25);
    const zyvosim::SDIOutputState& output = card().sdiOutput[4];
    EXPECT_TRUE(output.enable);
    EXPECT_EQ(output.config.format, ZYVO_VideoFormat_1080p_25);
    EXPECT_EQ(output.configFlags, 0);
    EXPECT_TRUE(output.switchA && output.switchB && output.switchC && output.switchD);
}

TEST_F(SDIOutputTest, anOutputTheDeviceLacksIsReportedAtSetUpAndAtEachUse) {
    openDevice("missing SDIOutput 6");
    zyvotest::StreamCapture capture;
    diag.WidgetsInit(k1080i, kYCbCr8);
    zyvosim::clearTrace();
    EXPECT_EQ(diag.SDIAllOutputsDisable(), 1);
    EXPECT_EQ(diag.SDIOutputEnable(6), 1);
    EXPECT_EQ(capture.text(),
              "sdiOutputInit() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, 6)\n"
              "SDIOutputDisable: sdiOutputGet(6) returned NULL\n"
              "SDIOutputEnable: sdiOutputGet(6) returned NULL\n");
    EXPECT_EQ(capture.errorText(), "");
    EXPECT_EQ(calls().size(), 9u * 3u);
    EXPECT_EQ(calls().back(), "SDIOutput[9].SetEnable(false)");
}

} // namespace
} // namespace enginetest
