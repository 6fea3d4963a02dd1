// The device handle the factory gives out: opens the card and hands out its widgets.
#pragma once

#include "ZyvoDevice.h"
#include "sim_board.h"

#include <memory>

namespace zyvosim {

class SimDevice : public ZyvoDevice {
public:
    explicit SimDevice(std::shared_ptr<SimBoard> board);
    ~SimDevice() override;

    int Open() override;
    int InitializeHardware() override;
    ZyvoWidget* GetWidget(ZyvoWidgetType type, unsigned int index) override;

private:
    std::shared_ptr<SimBoard> mBoard;
};

} // namespace zyvosim
