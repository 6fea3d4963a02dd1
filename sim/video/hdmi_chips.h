// What the HDMI chips work out for themselves: whether their PLLs lock, the clocks they
// measure, the raster the receiver sees across the cable, and each side's sum of that raster.
#pragma once

#include <cstdint>
#include <map>

namespace zyvosim {

class SimBoard;

// The registers with a behaviour of their own; every other register keeps what is written.
constexpr uint32_t kControlRegister = 0; // the transmitter's mode and PLL start; the receiver's
constexpr uint32_t kStatusRegister = 1;  // the transmitter's PLLs; the receiver's lock
constexpr uint32_t kFirstRasterRegister = 2;
constexpr uint32_t kLastRasterRegister = 8;
constexpr uint32_t kReferenceClockRegister = 16; // measured clocks, in hertz
constexpr uint32_t kTMDSClockRegister = 17;
constexpr uint32_t kTransmitClockRegister = 18;
constexpr uint32_t kSumRegister = 25;       // wrap-around sum of the raster registers
constexpr uint32_t kPLLConfigRegister = 32; // the transmitter's PLL dividers

// What the receiver's Initialize leaves in its control register: its own set-up in the bits the
// diagnostics keep (0x3701F00F), and bit 7, following whatever raster arrives, which the
// diagnostics clear to pick one themselves.
constexpr uint32_t kReceiverResetControl = 0x01001080;

// A raster the transmitter can send: the programming that selects it and what it runs at.
struct HDMIMode {
    uint32_t timing;       // bits 0-23 of the control register
    uint32_t pll;          // the PLL configuration register
    uint32_t clock[3];     // reference, TMDS and transmit clocks, in hertz
    uint32_t receiverRate; // the bit of the receiver's control register that selects it
};

// The mode the transmitter's PLLs are locked in, null while they are not.
const HDMIMode* lockedTransmitterMode(SimBoard& board);

// Clock register `reg` (16-18) of a chip locked in `mode`, unless the bench's `faults` say
// otherwise.
uint32_t measuredClock(const std::map<uint32_t, uint32_t>& faults, const HDMIMode& mode,
                       uint32_t reg);

// For each chip: the bits of `reg` that only the chip sets (writes never reach them), and what
// it sets there now.
uint32_t transmitterReadOnlyBits(uint32_t reg);
uint32_t transmitterOwnBits(SimBoard& board, uint32_t reg);
uint32_t receiverReadOnlyBits(uint32_t reg);
uint32_t receiverOwnBits(SimBoard& board, uint32_t reg);

} // namespace zyvosim
