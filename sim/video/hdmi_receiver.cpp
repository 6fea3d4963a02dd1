// The HDMI receiver behind the input: it locks to what the transmitter sends over the cable and
// reports the raster and clocks it finds there.
#include "video/hdmi_chips.h"

#include "card/sim_board.h"

namespace zyvosim {
namespace {

constexpr uint32_t kFollowAnyRaster = 0x00000080; // control bit 7
constexpr uint32_t kRateSelect = 0x00000600;      // control bits 9 (29.97) and 10 (59.94)
constexpr uint32_t kLocked = 0x00000010;          // status bit 4

bool cabled(const Bench& bench) {
    for (const Cable& cable : bench.cables) {
        if (cable.kind == CableKind::HDMI && cable.output == 0 && cable.input == 0) {
            return true;
        }
    }
    return false;
}

bool isRasterRegister(uint32_t reg) {
    return reg >= kFirstRasterRegister && reg <= kLastRasterRegister;
}

bool isClockRegister(uint32_t reg) {
    return reg >= kReferenceClockRegister && reg <= kTransmitClockRegister;
}

// Told one raster, the receiver locks only when that is the raster arriving; both rate bits at
// once select nothing.
const HDMIMode* lockedReceiverMode(SimBoard& board) {
    const HDMIMode* sent = cabled(board.bench()) ? lockedTransmitterMode(board) : nullptr;
    if (sent == nullptr) {
        return nullptr;
    }
    const uint32_t control = board.state().hdmiInput.registers[kControlRegister];
    bool follows =
        (control & kFollowAnyRaster) != 0 || (control & kRateSelect) == sent->receiverRate;
    return follows ? sent : nullptr;
}

uint32_t seenRaster(SimBoard& board, uint32_t reg) {
    const std::map<uint32_t, uint32_t>& damaged = board.bench().hdmi.raster;
    auto fault = damaged.find(reg);
    return fault != damaged.end() ? fault->second : board.state().hdmiOutput.registers[reg];
}

} // namespace

uint32_t receiverReadOnlyBits(uint32_t reg) {
    bool measured = reg == kStatusRegister || isRasterRegister(reg) || isClockRegister(reg) ||
                    reg == kSumRegister;
    return measured ? 0xFFFFFFFF : 0;
}

// An unlocked receiver has nothing to report: all its measurements read 0.
uint32_t receiverOwnBits(SimBoard& board, uint32_t reg) {
    const HDMIMode* mode = lockedReceiverMode(board);
    if (mode == nullptr) {
        return 0;
    }
    if (reg == kStatusRegister) {
        return kLocked;
    }
    if (isRasterRegister(reg)) {
        return seenRaster(board, reg);
    }
    if (isClockRegister(reg)) {
        return measuredClock(board.bench().hdmi.receiverClock, *mode, reg);
    }
    if (reg != kSumRegister) {
        return 0;
    }
    uint32_t sum = 0;
    for (uint32_t raster = kFirstRasterRegister; raster <= kLastRasterRegister; ++raster) {
        sum += seenRaster(board, raster);
    }
    return sum;
}

} // namespace zyvosim
