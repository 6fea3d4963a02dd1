// The trace: every call on the simulated device library, in order, as one line each.
#include "sim_fixture.h"

#include "QELDebug.h"
#include "QELTime.h"
#include "ZyvoDevice.h"

namespace {

using TraceTest = SimTest;

TEST_F(TraceTest, recordsEveryCallWithItsStatus) {
    useBench("devices 1\nfault device.Open -7\n");
    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    QELDebug::Open();
    factory.FindLocalDevices();
    factory.CreateLocalDevice(1, device);
    factory.CreateLocalDevice(0, device);
    device->Open();
    device->GetWidget(ZYVO_WidgetType_SDIOutputWidget, 11);
    QELTime::Sleep(100);
    factory.ReleaseDevice(device);
    factory.ReleaseDevice(device);

    EXPECT_EQ(zyvosim::formatTrace(), "QELDebug.Open() -> 1\n"
                                      "factory.FindLocalDevices() -> 1\n"
                                      "factory.CreateLocalDevice(1) -> 0\n"
                                      "factory.CreateLocalDevice(0) -> 1\n"
                                      "device.Open() -> -7\n"
                                      "device.GetWidget(3, 11) -> 0\n"
                                      "QELTime.Sleep(100) -> 0\n"
                                      "factory.ReleaseDevice() -> 1\n"
                                      "factory.ReleaseDevice() -> 0\n");
    zyvosim::reset();
    EXPECT_TRUE(zyvosim::trace().empty());
}

} // namespace
