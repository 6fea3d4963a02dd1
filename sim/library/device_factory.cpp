// The device factory: finds the bench's local devices and creates and releases their handles.
#include "ZyvoDevice.h"

#include "calls/sim_call.h"
#include "card/device_lock.h"
#include "library/sim_device.h"
#include "simulator.h"

#include "zyvosim/zyvosim.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

ZyvoDeviceFactory::ZyvoDeviceFactory() : mDevicesFound(0) {}

ZyvoDeviceFactory::~ZyvoDeviceFactory() = default;

int ZyvoDeviceFactory::FindLocalDevices() {
    mDevicesFound = zyvosim::bench().deviceCount;
    return zyvosim::SimCall("factory", -1, "FindLocalDevices").returns(mDevicesFound);
}

// Only devices found by the last scan can be created, and only while no other process holds
// the device; on failure `device` is left alone. Under the lock, a damaged card state powers on
// afresh first.
int ZyvoDeviceFactory::CreateLocalDevice(unsigned short index, ZyvoDevice*& device) {
    zyvosim::SimCall call("factory", -1, "CreateLocalDevice", zyvosim::traceArguments(index));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    if (index >= mDevicesFound) {
        return call.returns(0);
    }
    std::shared_ptr<zyvosim::SimBoard> card = zyvosim::board(index);
    if (!card) {
        return call.returns(0);
    }
    std::unique_ptr<zyvosim::DeviceLock> lock = zyvosim::DeviceLock::take(card->directory(), index);
    if (!lock) {
        return call.returns(0);
    }
    if (!card->checkState()) {
        std::fprintf(stderr, "zyvosim: cannot use the simulated device's state: %s\n",
                     zyvosim::takeStorageFailure().c_str());
        return call.returns(0);
    }
    device = new zyvosim::SimDevice(card, std::move(lock));
    return call.returns(1);
}

int ZyvoDeviceFactory::ReleaseDevice(ZyvoDevice*& device) {
    zyvosim::SimCall call("factory", -1, "ReleaseDevice");
    if (device == nullptr) {
        return call.returns(0);
    }
    delete device;
    device = nullptr;
    return call.returns(1);
}
