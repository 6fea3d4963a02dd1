// What capture and playout stores have in common: the frame buffer registers and the
// operations on them, written once for both interface classes.
#pragma once

#include "ZyvoFrameBufferWidgets.h"
#include "widgets/widget_kinds.h"
#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

// The store's registers live in its FrameStoreState. Handing over a configuration loads the
// base address, frame size and frame number registers from it; the direct setters then
// overwrite one register each. GetFrameBufferConfiguration answers with the configuration last
// handed over and the three registers as they stand, so a frame lies at base + number x size.
template <typename Interface> class FrameStoreWidget : public Interface {
public:
    int GetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) override;
    int SetActiveFrameBuffer(int frame) override;
    int SetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) override;
    int SetVideoMode(ZyvoFrameBufferVideoMode mode) override;
    int SetRegisterSync(ZyvoRegisterSync sync) override;
    int SetTwoSampleInterleaveMode(bool on) override;
    int SetFrameBufferBaseAddress(uint32_t address) override;
    int SetFrameBufferSize(uint32_t size) override;
    int SetFrameBufferNumber(uint32_t number) override;
    int WritePreset() override;
    int SetEnable(bool enable) override;

protected:
    FrameStoreWidget(SimBoard& board, unsigned index) : mBoard(board), mIndex(index) {}

    // The kind's description, and the store's registers.
    virtual const WidgetKind& kind() const = 0;
    virtual FrameStoreState& store() = 0;
    int index() const { return static_cast<int>(mIndex); }

    SimBoard& mBoard;
    unsigned mIndex;
};

// Power-on registers of a store: disabled, video mode Disable, frame-synchronous updates.
FrameStoreState powerOnFrameStore();

} // namespace zyvosim
