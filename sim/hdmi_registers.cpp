// What the HDMI chips' registers hold: for now, each keeps the last value written to it.
#include "hdmi_registers.h"

#include "sim_board.h"

namespace zyvosim {
namespace {

uint32_t* registerFile(SimBoard& board, HDMIChip chip) {
    CardState& state = board.state();
    return chip == HDMIChip::Transmitter ? state.hdmiOutput.registers : state.hdmiInput.registers;
}

} // namespace

bool writeHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t value) {
    if (reg >= cHDMIRegisterCount)
        return false;
    registerFile(board, chip)[reg] = value;
    return true;
}

bool readHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t& value) {
    if (reg >= cHDMIRegisterCount)
        return false;
    value = registerFile(board, chip)[reg];
    return true;
}

} // namespace zyvosim
