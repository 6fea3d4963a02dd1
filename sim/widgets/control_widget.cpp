// The control widget: the base address of the window through which the host sees frames.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoFrameBufferWidgets.h"

namespace zyvosim {
namespace {

class SimControl final : public ZyvoGarnControlWidget {
public:
    explicit SimControl(SimBoard& board) : mBoard(board) {}

    int SetFrameApertureBaseAddress(uint32_t address) override {
        return setterCall(kControlKind, 0, "SetFrameApertureBaseAddress",
                          traceArguments(Hex{address}), true,
                          [&] { state().apertureBase = address; });
    }

    int GetFrameApertureBaseAddress(uint32_t& address) override {
        return queryCall(kControlKind, 0, "GetFrameApertureBaseAddress", [&] {
            address = state().apertureBase;
            return answered(1, Hex{address});
        });
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

const WidgetKind kControlKind("Control", ZYVO_WidgetType_RimbaControlWidget, 1, kOperations,
                              installEach<SimControl, kControlKind>, powerOn);

} // namespace zyvosim
