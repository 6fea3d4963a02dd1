// The simulated device: open, initialise, and widgets by type and index.
#include "library/sim_device.h"

#include "calls/sim_call.h"

#include <utility>

namespace zyvosim {

SimDevice::SimDevice(std::shared_ptr<SimBoard> board, std::unique_ptr<DeviceLock> lock)
    : mBoard(std::move(board)), mLock(std::move(lock)) {
    mBoard->hold();
}

// The card's state is written before its lock goes, with the handle's members.
SimDevice::~SimDevice() {
    mBoard->letGo();
}

// The card's programmable logic is always there to load; only a fault makes it fail.
int SimDevice::Open() {
    SimCall call("device", -1, "Open");
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    return call.returns(1);
}

int SimDevice::InitializeHardware() {
    SimCall call("device", -1, "InitializeHardware");
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    return call.returns(1);
}

// The trace shows 1 when a widget was handed out and 0 for null.
ZyvoWidget* SimDevice::GetWidget(ZyvoWidgetType type, unsigned int index) {
    SimCall call("device", -1, "GetWidget", traceArguments(type, index));
    ZyvoWidget* widget = mBoard->widgets().find(type, index);
    call.returns(widget != nullptr ? 1 : 0);
    return widget;
}

} // namespace zyvosim
