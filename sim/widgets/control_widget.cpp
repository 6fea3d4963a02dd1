// The control widget: the base address of the window through which the host sees frames.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/memory_widgets.h"

#include "ZyvoFrameBufferWidgets.h"

#include <memory>

namespace zyvosim {
namespace {

const char* const kTarget = "Control";

class SimControl final : public ZyvoGarnControlWidget {
public:
    explicit SimControl(SimBoard& board) : mBoard(board) {}

    int SetFrameApertureBaseAddress(uint32_t address) override {
        SimCall call(kTarget, 0, "SetFrameApertureBaseAddress", traceArguments(Hex{address}));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().apertureBase = address;
        return call.returns(1);
    }

    int GetFrameApertureBaseAddress(uint32_t& address) override {
        SimCall call(kTarget, 0, "GetFrameApertureBaseAddress");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        address = state().apertureBase;
        call.setArguments(traceArguments(Hex{address}));
        return call.returns(1);
    }

private:
    ControlState& state() { return mBoard.state().control; }

    SimBoard& mBoard;
};

} // namespace

void installControl(SimBoard& board) {
    board.widgets().add(ZYVO_WidgetType_RimbaControlWidget, 0, std::make_unique<SimControl>(board));
}

// The aperture starts at the bottom of device memory.
void powerOnControl(CardState& state) {
    state.control = ControlState{};
}

} // namespace zyvosim
