// What the HDMI chips' registers hold: what was written, except for the bits each chip sets
// itself (hdmi_transmitter.cpp, hdmi_receiver.cpp).
#include "video/hdmi_registers.h"

#include "card/sim_board.h"
#include "video/hdmi_chips.h"

#include <algorithm>

namespace zyvosim {
namespace {

uint32_t* registerFile(SimBoard& board, HDMIChip chip) {
    CardState& state = board.state();
    return chip == HDMIChip::Transmitter ? state.hdmiOutput.registers : state.hdmiInput.registers;
}

uint32_t readOnlyBits(HDMIChip chip, uint32_t reg) {
    return chip == HDMIChip::Transmitter ? transmitterReadOnlyBits(reg) : receiverReadOnlyBits(reg);
}

uint32_t ownBits(SimBoard& board, HDMIChip chip, uint32_t reg) {
    return chip == HDMIChip::Transmitter ? transmitterOwnBits(board, reg)
                                         : receiverOwnBits(board, reg);
}

} // namespace

// The card state keeps only what was written; what a chip sets itself is worked out at each
// read from the programming, the cable and the bench, so no status can go stale.
bool writeHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t value) {
    if (reg >= kHDMIRegisterCount) {
        return false;
    }
    registerFile(board, chip)[reg] = value & ~readOnlyBits(chip, reg);
    return true;
}

bool readHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t& value) {
    if (reg >= kHDMIRegisterCount) {
        return false;
    }
    value = registerFile(board, chip)[reg] | ownBits(board, chip, reg);
    return true;
}

void resetHDMIReceiver(SimBoard& board) {
    uint32_t* registers = registerFile(board, HDMIChip::Receiver);
    std::fill(registers, registers + kHDMIRegisterCount, 0u);
    registers[kControlRegister] = kReceiverResetControl;
}

} // namespace zyvosim
