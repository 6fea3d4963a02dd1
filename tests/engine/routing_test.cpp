// Routing through the crosspoint: capture paths, playout paths and the video monitor.
#include "engine_test.h"

namespace enginetest {
namespace {

using RoutingTest = EngineTest;

// A row, the widget indices the SDI test commands designate for it, and the crosspoint sources
// the row gives the middle widget and the last one.
struct Route {
    int row, first, second, third;
    int middleSource, lastSource;
    friend void PrintTo(const Route& r, std::ostream* os) { *os << "row " << r.row; }
};

std::string call(const char* widget, int index, int source, const char* more = "") {
    return std::string(widget) + "[" + std::to_string(index) + "].SetVideoSource(" +
           std::to_string(source) + more + ")";
}

class InputRouteTest : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(InputRouteTest, feedsTheDualLinkInputAndItsCaptureStore) {
    setUpCommand();
    const Route& r = GetParam();
    EXPECT_EQ(diag.ConnectInputPath(r.row, r.first, r.second, r.third), 1);
    EXPECT_EQ(calls(), (Lines{call("DualLinkIn", r.second, r.middleSource),
                              call("CaptureStore", r.third, r.lastSource, ", true")}));
}

// Row 0 is row 1; rows 4 and 8 share dual-link input 3 and capture store 3. Every row's frame
// reaching its input is the SDI loop tests' business.
INSTANTIATE_TEST_SUITE_P(Rows, InputRouteTest,
                         ::testing::Values(Route{0, 0, 0, 0, 140, 41}, Route{4, 3, 3, 3, 149, 44},
                                           Route{8, 7, 3, 3, 85, 44}));

class OutputRouteTest : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(OutputRouteTest, feedsTheDualLinkOutputAndItsSDIOutput) {
    setUpCommand();
    const Route& r = GetParam();
    EXPECT_EQ(diag.ConnectOutputPath(r.row, r.first, r.second, r.third), 1);
    EXPECT_EQ(calls(), (Lines{call("DualLinkOut", r.second, r.middleSource),
                              call("SDIOutput", r.third, r.lastSource)}));
    EXPECT_EQ(card().sdiOutput[r.third].source, r.lastSource);
}

// Rows 0, 9 and 10 are row 1; row 11 is the video monitor.
INSTANTIATE_TEST_SUITE_P(Rows, OutputRouteTest,
                         ::testing::Values(Route{0, 0, 0, 0, 92, 46}, Route{10, 0, 0, 0, 92, 46},
                                           Route{4, 3, 3, 3, 102, 55}, Route{7, 2, 2, 6, 101, 52},
                                           Route{11, 0, 4, 10, 92, 57}));

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
        EXPECT_EQ(calls(),
                  (Lines{"device.GetWidget(39, 4)",
                         "DualLinkOut[4].SetVideoSource(" + std::to_string(sources[store]) + ")"}));
        EXPECT_EQ(card().dualLinkOutput[4].source, sources[store]);
    }
}

TEST_F(RoutingTest, monitorWithoutItsDualLinkOutputIsReported) {
    openDevice("missing DualLinkOut 4");
    zyvotest::OutputCapture capture;
    EXPECT_EQ(diag.VideoMonitorSDISet(1), 1);
    EXPECT_EQ(capture.out(),
              "VideoMonitorSDISet() Could not GetWidget(ZYVO_WidgetType_DualLinkOutWidget, 4)\n");
    EXPECT_EQ(operations(), Lines{"device.GetWidget"});
}

} // namespace
} // namespace enginetest
