// The device handle the factory gives out: opens the card and hands out its widgets.
#pragma once

#include "ZyvoDevice.h"
#include "card/device_lock.h"
#include "card/sim_board.h"

#include <memory>

namespace zyvosim {

class SimDevice : public ZyvoDevice {
public:
    // The handle holds the device's lock for its whole life.
    SimDevice(std::shared_ptr<SimBoard> board, std::unique_ptr<DeviceLock> lock);
    ~SimDevice() override;

    int Open() override;
    int InitializeHardware() override;
    ZyvoWidget* GetWidget(ZyvoWidgetType type, unsigned int index) override;

private:
    std::shared_ptr<SimBoard> mBoard;
    std::unique_ptr<DeviceLock> mLock;
};

} // namespace zyvosim
