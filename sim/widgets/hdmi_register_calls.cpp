// Register calls shared by the HDMI output (transmitter) and input (receiver).
#include "widgets/hdmi_register_calls.h"

#include "calls/sim_call.h"
#include "calls/trace_values.h"

namespace zyvosim {

int writeRegisterCall(SimBoard& board, HDMIChip chip, const WidgetKind& kind, uint32_t reg,
                      uint32_t value) {
    SimCall call(kind, 0, "WriteRegister", traceArguments(reg, Hex{value}));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    return call.returns(writeHDMIRegister(board, chip, reg, value) ? 1 : 0);
}

int readRegisterCall(SimBoard& board, HDMIChip chip, const WidgetKind& kind, uint32_t reg,
                     uint32_t& value) {
    SimCall call(kind, 0, "ReadRegister", traceArguments(reg));
    if (auto injected = call.injectedFault()) {
        return call.returns(*injected);
    }
    if (!readHDMIRegister(board, chip, reg, value)) {
        return call.returns(0);
    }
    call.setArguments(traceArguments(reg, Hex{value}));
    return call.returns(1);
}

} // namespace zyvosim
