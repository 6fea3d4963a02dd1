// Opening and closing the device: the healthy path, every failure report, and Ctrl-C.
#include "engine_test.h"

#include <csignal>
#include <cstdlib>

namespace {

using enginetest::Lines;
using enginetest::operations;

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
    zyvotest::StreamCapture capture;
    EXPECT_TRUE(device.open());
    EXPECT_NE(device.mpDevice, nullptr);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(operations(),
              (Lines{"QELDebug.Open", "factory.FindLocalDevices", "factory.CreateLocalDevice",
                     "device.Open", "device.InitializeHardware"}));
}

TEST_F(DeviceOpenTest, closeReleasesTheDeviceOnceAndIsSafeTwice) {
    ASSERT_TRUE(device.open());
    zyvosim::clearTrace();
    EXPECT_TRUE(device.close());
    EXPECT_EQ(device.mpDevice, nullptr);
    EXPECT_TRUE(device.close());
    EXPECT_EQ(operations(), (Lines{"factory.ReleaseDevice", "QELDebug.Close", "QELDebug.Close"}));
}

TEST_F(DeviceOpenTest, eachFailedStepPrintsItsReasonAndReturnsFalse) {
    const std::pair<const char*, const char*> benchAndReport[] = {
        {"fault factory.CreateLocalDevice -1\n", "\ndevice 0 create failed\n"},
        {"fault device.Open 0\n", "\ndevice 0 open failed (Fpga fail to load ?)\n"},
        {"fault device.InitializeHardware -3\n", "\ninitialize hardware failed\n"},
        {"throw factory.CreateLocalDevice\n", ""},
    };
    for (auto [bench, report] : benchAndReport) {
        useBench(bench);
        auto opened = zyvotest::captured([&] {
            bool result = device.open();
            device.close();
            return result;
        });
        EXPECT_FALSE(opened.result) << bench;
        EXPECT_EQ(opened.out, report);
        EXPECT_EQ(opened.err, "");
    }
}

TEST_F(DeviceOpenTest, debugFacilityFailureOnlyWarns) {
    useBench("fault QELDebug.Open 0\n");
    zyvotest::StreamCapture capture;
    EXPECT_TRUE(device.open());
    EXPECT_EQ(capture.text(), "\nWARNING: QELDebug failed to open\n");
}

TEST_F(DeviceOpenTest, deviceCreatedBeforeAFailureIsKeptUntilClose) {
    useBench("fault device.InitializeHardware 0\n");
    zyvotest::StreamCapture capture;
    ASSERT_FALSE(device.open());
    EXPECT_NE(device.mpDevice, nullptr);
    device.close();
    EXPECT_EQ(device.mpDevice, nullptr);
    EXPECT_EQ(operations().back(), "QELDebug.Close");
    EXPECT_EQ(operations()[operations().size() - 2], "factory.ReleaseDevice");
}

TEST_F(DeviceOpenTest, withoutADeviceCloseOnlyClosesTheDebugFacility) {
    useBench("devices 0\n");
    zyvotest::StreamCapture capture;
    ASSERT_FALSE(device.open());
    EXPECT_EQ(capture.text(), "\ndevice 0 create failed\n");
    zyvosim::clearTrace();
    device.close();
    EXPECT_EQ(operations(), Lines{"QELDebug.Close"});
}

// The quit flag lives for the whole process, so these run in a child process.
using DeviceOpenDeathTest = DeviceOpenTest;

TEST_F(DeviceOpenDeathTest, ctrlCDuringOpenFailsThatOpenAndEveryLaterOne) {
    EXPECT_EXIT(
        {
            useBench("interrupt device.Open\n");
            zyvotest::StreamCapture capture;
            bool first = device.open();
            device.close();
            zyvosim::reset();
            ZyvoDiagDevice again;
            bool second = again.open();
            again.close();
            bool silent = capture.text().empty();
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
