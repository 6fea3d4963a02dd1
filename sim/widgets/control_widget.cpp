// The control widget: the base address of the window through which the host sees frames.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"

#include "ZyvoFrameBufferWidgets.h"

namespace zyvosim {
namespace {

class SimControl final : public ZyvoGarnControlWidget {
public:
    explicit SimControl(SimBoard& board) : mBoard(board) {}

    int SetFrameApertureBaseAddress(uint32_t address) override {
        SimCall call(kControlKind, 0, "SetFrameApertureBaseAddress", traceArguments(Hex{address}));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        state().apertureBase = address;
        return call.returns(1);
    }

    int GetFrameApertureBaseAddress(uint32_t& address) override {
        SimCall call(kControlKind, 0, "GetFrameApertureBaseAddress");
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

// The aperture starts at the bottom of device memory.
void powerOn(CardState& state) {
    state.control = ControlState{};
}

const char* const kOperations[] = {"SetFrameApertureBaseAddress", "GetFrameApertureBaseAddress"};

} // namespace

const WidgetKind kControlKind = {"Control",   ZYVO_WidgetType_RimbaControlWidget,    1,
                                 kOperations, installEach<SimControl, kControlKind>, powerOn};

} // namespace zyvosim
