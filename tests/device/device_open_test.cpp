// Opening and closing the device: the healthy path, every failure report, and Ctrl-C.
#include "output_capture.h"
#include "zyvosim/zyvosim.h"

#include <zyvodiag>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// "target.Operation" of every traced call, in order.
std::vector<std::string> tracedCalls() {
    std::vector<std::string> calls;
    for (const auto& entry : zyvosim::trace()) {
        calls.push_back(entry.target + "." + entry.operation);
    }
    return calls;
}

class DeviceOpenTest : public ::testing::Test {
protected:
    void SetUp() override { zyvosim::reset(); }
    void TearDown() override {
        device.close();
        zyvosim::reset();
    }

    void useBench(const std::string& text) {
        std::string error;
        ASSERT_TRUE(zyvosim::loadBench(text, error)) << error;
    }

    ZyvoDiagDevice device;
};

TEST_F(DeviceOpenTest, healthyOpenCreatesOpensAndInitialisesDeviceZeroSilently) {
    zyvotest::OutputCapture capture;
    EXPECT_TRUE(device.open());
    EXPECT_NE(device.mpDevice, nullptr);
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(tracedCalls(), (std::vector<std::string>{"QELDebug.Open", "factory.FindLocalDevices",
                                                       "factory.CreateLocalDevice", "device.Open",
                                                       "device.InitializeHardware"}));
}

TEST_F(DeviceOpenTest, closeReleasesTheDeviceOnceAndIsSafeTwice) {
    ASSERT_TRUE(device.open());
    zyvosim::clearTrace();
    EXPECT_TRUE(device.close());
    EXPECT_EQ(device.mpDevice, nullptr);
    EXPECT_TRUE(device.close());
    EXPECT_EQ(tracedCalls(), (std::vector<std::string>{"factory.ReleaseDevice", "QELDebug.Close",
                                                       "QELDebug.Close"}));
}

TEST_F(DeviceOpenTest, eachFailedStepPrintsItsReasonAndReturnsFalse) {
    const struct {
        const char* bench;
        const char* printed;
    } cases[] = {
        {"fault factory.CreateLocalDevice -1\n", "\ndevice 0 create failed\n"},
        {"fault device.Open 0\n", "\ndevice 0 open failed (Fpga fail to load ?)\n"},
        {"fault device.InitializeHardware -3\n", "\ninitialize hardware failed\n"},
        {"throw factory.CreateLocalDevice\n", ""},
    };
    for (const auto& c : cases) {
        useBench(c.bench);
        zyvotest::OutputCapture capture;
        EXPECT_FALSE(device.open()) << c.bench;
        device.close();
        EXPECT_EQ(capture.out(), c.printed);
        EXPECT_EQ(capture.err(), "");
    }
}

TEST_F(DeviceOpenTest, debugFacilityFailureOnlyWarns) {
    useBench("fault QELDebug.Open 0\n");
    zyvotest::OutputCapture capture;
    EXPECT_TRUE(device.open());
    EXPECT_EQ(capture.out(), "\nWARNING: QELDebug failed to open\n");
}

TEST_F(DeviceOpenTest, deviceCreatedBeforeAFailureIsKeptUntilClose) {
    useBench("fault device.InitializeHardware 0\n");
    zyvotest::OutputCapture capture;
    ASSERT_FALSE(device.open());
    EXPECT_NE(device.mpDevice, nullptr);
    device.close();
    EXPECT_EQ(device.mpDevice, nullptr);
    EXPECT_EQ(tracedCalls().back(), "QELDebug.Close");
    EXPECT_EQ(tracedCalls()[tracedCalls().size() - 2], "factory.ReleaseDevice");
}

TEST_F(DeviceOpenTest, withoutADeviceCloseOnlyClosesTheDebugFacility) {
    useBench("devices 0\n");
    zyvotest::OutputCapture capture;
    ASSERT_FALSE(device.open());
    EXPECT_EQ(capture.out(), "\ndevice 0 create failed\n");
    zyvosim::clearTrace();
    device.close();
    EXPECT_EQ(tracedCalls(), std::vector<std::string>{"QELDebug.Close"});
}

// The quit flag lives for the whole process, so these run in a child process.
using DeviceOpenDeathTest = DeviceOpenTest;

TEST_F(DeviceOpenDeathTest, ctrlCDuringOpenFailsThatOpenAndEveryLaterOne) {
    EXPECT_EXIT(
        {
            useBench("interrupt device.Open\n");
            zyvotest::OutputCapture capture;
            bool first = device.open();
            device.close();
            zyvosim::reset();
            ZyvoDiagDevice again;
            bool second = again.open();
            again.close();
            bool silent = capture.out().empty();
            std::exit(!first && !second && silent ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(DeviceOpenDeathTest, ctrlCAfterOpenOnlyRecordsTheRequest) {
    EXPECT_EXIT(
        {
            bool opened = device.open();
            std::raise(SIGINT);
            device.close();
            std::exit(opened ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
