// Faults a bench arms: which call takes them, how often, and what the caller sees.
#include "sim_fixture.h"

#include "ZyvoDevice.h"

#include <csignal>
#include <stdexcept>

namespace {

class FaultTest : public SimTest {
protected:
    void TearDown() override {
        mFactory.ReleaseDevice(mpDevice);
        SimTest::TearDown();
    }

    ZyvoDevice* createDevice() {
        mFactory.FindLocalDevices();
        EXPECT_EQ(mFactory.CreateLocalDevice(0, mpDevice), 1);
        return mpDevice;
    }

    ZyvoDeviceFactory mFactory;
    ZyvoDevice* mpDevice = nullptr;
};

TEST_F(FaultTest, standingFaultTakesOverOnceAnEarlierOnceFaultIsSpent) {
    useBench("fault device.InitializeHardware -5 once\nfault device.InitializeHardware 0\n");
    ZyvoDevice* device = createDevice();
    EXPECT_EQ(device->Open(), 1);
    EXPECT_EQ(device->InitializeHardware(), -5);
    EXPECT_EQ(device->InitializeHardware(), 0);
    EXPECT_EQ(device->InitializeHardware(), 0);
}

TEST_F(FaultTest, throwFaultThrowsOutOfTheCallOnce) {
    useBench("throw device.Open once\n");
    ZyvoDevice* device = createDevice();
    EXPECT_THROW(device->Open(), std::runtime_error);
    EXPECT_EQ(device->Open(), 1);
    EXPECT_EQ(zyvosim::formatTraceEntry(zyvosim::trace().at(2)), "device.Open() -> threw");
}

volatile std::sig_atomic_t s_interrupts = 0;

void countInterrupt(int) {
    s_interrupts = s_interrupts + 1;
}

TEST_F(FaultTest, interruptFaultRaisesSigintWhileTheCallStillWorks) {
    useBench("interrupt device.InitializeHardware\n");
    ZyvoDevice* device = createDevice();
    s_interrupts = 0;
    auto previous = std::signal(SIGINT, countInterrupt);
    EXPECT_EQ(device->InitializeHardware(), 1);
    EXPECT_EQ(device->InitializeHardware(), 1);
    std::signal(SIGINT, previous);
    EXPECT_EQ(s_interrupts, 2);
}

} // namespace
