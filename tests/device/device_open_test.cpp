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

// Close releases the device once and is safe twice.
TEST_F(DeviceOpenTest, healthyOpenCreatesOpensAndInitialisesDeviceZeroSilently) {
    zyvotest::StreamCapture capture;
    EXPECT_TRUE(device.open());
    EXPECT_NE(device.mpDevice, nullptr);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(operations(),
              (Lines{"QELDebug.Open", "factory.FindLocalDevices", "factory.CreateLocalDevice",
                     "device.Open", "device.InitializeHardware"}));
    zyvosim::clearTrace();
    EXPECT_TRUE(device.close());
    EXPECT_EQ(device.mpDevice, nullptr);
    EXPECT_TRUE(device.close());
    EXPECT_EQ(operations(), (Lines{"factory.ReleaseDevice", "QELDebug.Close", "QELDebug.Close"}));
}

// Each failed step prints its reason and fails the open; a device created before the failure is
// kept until close releases it. The debug facility's failure only warns.
TEST_F(DeviceOpenTest, eachFailedStepPrintsItsReasonAndCloseReleasesWhatWasCreated) {
    const Lines kReleased = {"factory.ReleaseDevice", "QELDebug.Close"};
    const struct {
        const char* bench;
        bool opens;
        const char* report;
        Lines closing; // what close does afterwards
    } cases[] = {
        {"fault factory.CreateLocalDevice -1\n",
         false,
         "\ndevice 0 create failed\n",
         {"QELDebug.Close"}},
        {"devices 0\n", false, "\ndevice 0 create failed\n", {"QELDebug.Close"}},
        {"fault device.Open 0\n", false, "\ndevice 0 open failed (Fpga fail to load ?)\n",
         kReleased},
        {"fault device.InitializeHardware -3\n", false, "\ninitialize hardware failed\n",
         kReleased},
        {"throw factory.CreateLocalDevice\n", false, "", {"QELDebug.Close"}},
        {"fault QELDebug.Open 0\n", true, "\nWARNING: QELDebug failed to open\n", kReleased},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bench);
        useBench(c.bench);
        auto opened = zyvotest::captured([&] { return device.open(); });
        EXPECT_EQ(opened.result, c.opens);
        EXPECT_EQ(opened.out, c.report);
        EXPECT_EQ(opened.err, "");
        zyvosim::clearTrace();
        device.close();
        EXPECT_EQ(device.mpDevice, nullptr);
        EXPECT_EQ(operations(), c.closing);
    }
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
