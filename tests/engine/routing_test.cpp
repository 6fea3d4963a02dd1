// Routing through the crosspoint: capture paths, playout paths and the video monitor.
#include "engine_test.h"

namespace enginetest {
namespace {

using RoutingTest = EngineTest;

std::string call(const char* widget, int index, int source, const char* more = "") {
    return std::string(widget) + "[" + std::to_string(index) + "].SetVideoSource(" +
           std::to_string(source) + more + ")";
}

// An input path feeds the dual-link input and its capture store; an output path the dual-link
// output and its SDI output. Each row: the path, its row, the widget indices the SDI test
// commands designate for it, and the crosspoint sources the row gives the middle widget and the
// last one.
TEST_F(RoutingTest, aPathFeedsTheDualLinkWidgetAndTheLastWidgetOfThePath) {
    constexpr bool kIn = false, kOut = true;
    // Input row 0 is row 1; input rows 4 and 8 share dual-link input 3 and capture store 3;
    // output rows 0, 9 and 10 are row 1; output row 11 is the video monitor. Every row's frame
    // reaching its input is the SDI loop tests' business.
    const struct {
        bool output; // ConnectOutputPath, else ConnectInputPath
        int row, first, second, third;
        int middleSource, lastSource;
    } routes[] = {{kIn, 0, 0, 0, 0, 140, 41},  {kIn, 4, 3, 3, 3, 149, 44},
                  {kIn, 8, 7, 3, 3, 85, 44},   {kOut, 0, 0, 0, 0, 92, 46},
                  {kOut, 10, 0, 0, 0, 92, 46}, {kOut, 4, 3, 3, 3, 102, 55},
                  {kOut, 7, 2, 2, 6, 101, 52}, {kOut, 11, 0, 4, 10, 92, 57}};
    for (const auto& r : routes) {
        SCOPED_TRACE(std::string(r.output ? "output" : "input") + " row " + std::to_string(r.row));
        setUpCommand();
        const auto connect = r.output ? &ZyvoDiag::ConnectOutputPath : &ZyvoDiag::ConnectInputPath;
        EXPECT_EQ((diag.*connect)(r.row, r.first, r.second, r.third), 1);
        const Lines path = r.output ? Lines{call("DualLinkOut", r.second, r.middleSource),
                                            call("SDIOutput", r.third, r.lastSource)}
                                    : Lines{call("DualLinkIn", r.second, r.middleSource),
                                            call("CaptureStore", r.third, r.lastSource, ", true")};
        EXPECT_EQ(calls(), path);
        if (r.output) {
            EXPECT_EQ(card().sdiOutput[r.third].source, r.lastSource);
        }
    }
}

TEST_F(RoutingTest, aPathReportsTheStatusOfItsLastWidgetOnly) {
    setUpCommand("fault DualLinkIn[3].SetVideoSource 0; fault CaptureStore[2].SetVideoSource -4; "
                 "fault DualLinkOut[1].SetVideoSource 0; fault SDIOutput[2].SetVideoSource -6");
    EXPECT_EQ(diag.ConnectInputPath(4, 3, 3, 3), 1);
    EXPECT_EQ(diag.ConnectInputPath(3, 2, 2, 2), -4);
    EXPECT_EQ(diag.ConnectOutputPath(2, 1, 1, 1), 1);
    EXPECT_EQ(diag.ConnectOutputPath(3, 2, 2, 2), -6);
}

TEST_F(RoutingTest, monitorTakesEachPlayoutStoreFromTheDeviceNotTheContext) {
    setUpCommand();
    diag.mpDualLinkOutput[4] = nullptr;
    const int sources[] = {92, 99, 101, 102};
    for (int store = 0; store < 4; ++store) {
        zyvosim::clearTrace();
        EXPECT_EQ(diag.VideoMonitorSDISet(store), 1);
        EXPECT_EQ(calls(), getWidgetCalls(ZYVO_WidgetType_DualLinkOutWidget, 4) +
                               Lines{call("DualLinkOut", 4, sources[store])});
        EXPECT_EQ(card().dualLinkOutput[4].source, sources[store]);
    }
}

TEST_F(RoutingTest, monitorWithoutItsDualLinkOutputIsReported) {
    openDevice("missing DualLinkOut 4");
    zyvotest::StreamCapture capture;
    EXPECT_EQ(diag.VideoMonitorSDISet(1), 1);
    EXPECT_EQ(capture.text(),
              "VideoMonitorSDISet() Could not GetWidget(ZYVO_WidgetType_DualLinkOutWidget, 4)\n");
    EXPECT_EQ(operations(), Lines{"device.GetWidget"});
}

} // namespace
} // namespace enginetest
