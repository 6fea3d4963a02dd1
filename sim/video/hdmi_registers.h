// The registers of the HDMI transmitter (behind the output) and receiver (behind the input).
#pragma once

#include <cstdint>

namespace zyvosim {

class SimBoard;

enum class HDMIChip { Transmitter, Receiver };

// Both widgets reach their chip's registers only through these, so this is the one place that
// says what a register holds. Each is false when the chip has no register `reg`.
bool writeHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t value);
bool readHDMIRegister(SimBoard& board, HDMIChip chip, uint32_t reg, uint32_t& value);

// The receiver's Initialize: every register back to 0, the control register to the chip's
// default set-up.
void resetHDMIReceiver(SimBoard& board);

} // namespace zyvosim
