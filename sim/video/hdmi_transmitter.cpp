// The HDMI transmitter behind the output: its PLLs lock to a mode it knows, and it measures the
// clocks they make.
#include "video/hdmi_chips.h"

#include "card/sim_board.h"

namespace zyvosim {
namespace {

constexpr uint32_t kTimingBits = 0x00FFFFFF;
constexpr uint32_t kStartPLLs = 0x10000000;     // control bit 28
constexpr uint32_t kPLLsLocked = 0x08000000;    // control bit 27
constexpr uint32_t kEachPLLLocked = 0x30000000; // status bits 28 and 29, one per PLL

// A clock of the 1000/1001 family in hertz, from its nominal kilohertz, rounded as the chip's
// frequency counter rounds.
constexpr uint32_t ntscHertz(uint64_t kilohertz) {
    return static_cast<uint32_t>((kilohertz * 1000000u + 500u) / 1001u);
}

// 4096 x 2160 at 29.97 and at 59.94: the only rasters whose dividers the chip is given.
const HDMIMode kModes[] = {
    {0x00020200, 0x00542000, {ntscHertz(148500), ntscHertz(297000), ntscHertz(74250)}, 0x200},
    {0x0001040A, 0x00542003, {ntscHertz(148500), ntscHertz(148500), ntscHertz(148500)}, 0x400},
};

uint32_t rasterSum(const uint32_t* registers) {
    uint32_t sum = 0;
    for (uint32_t reg = kFirstRasterRegister; reg <= kLastRasterRegister; ++reg) {
        sum += registers[reg];
    }
    return sum;
}

} // namespace

// The PLLs run once started, and lock only when the mode and the dividers together are a mode
// the chip knows. Both are looked at now, so it does not matter which was written last.
const HDMIMode* lockedTransmitterMode(SimBoard& board) {
    const uint32_t* registers = board.state().hdmiOutput.registers;
    const uint32_t control = registers[kControlRegister];
    if ((control & kStartPLLs) == 0 || board.bench().hdmi.pllUnlocked) {
        return nullptr;
    }
    for (const HDMIMode& mode : kModes) {
        if ((control & kTimingBits) == mode.timing && registers[kPLLConfigRegister] == mode.pll) {
            return &mode;
        }
    }
    return nullptr;
}

uint32_t measuredClock(const std::map<uint32_t, uint32_t>& faults, const HDMIMode& mode,
                       uint32_t reg) {
    auto fault = faults.find(reg);
    return fault != faults.end() ? fault->second : mode.clock[reg - kReferenceClockRegister];
}

uint32_t transmitterReadOnlyBits(uint32_t reg) {
    switch (reg) {
    case kControlRegister:
        return kPLLsLocked;
    case kStatusRegister:
        return kEachPLLLocked;
    case kReferenceClockRegister:
    case kTMDSClockRegister:
    case kTransmitClockRegister:
    case kSumRegister:
        return 0xFFFFFFFF;
    default:
        return 0;
    }
}

// The sum covers the raster as written, locked or not; the rest needs the PLLs.
uint32_t transmitterOwnBits(SimBoard& board, uint32_t reg) {
    if (reg == kSumRegister) {
        return rasterSum(board.state().hdmiOutput.registers);
    }
    const HDMIMode* mode = lockedTransmitterMode(board);
    if (mode == nullptr) {
        return 0;
    }
    switch (reg) {
    case kControlRegister:
        return kPLLsLocked;
    case kStatusRegister:
        return kEachPLLLocked;
    case kReferenceClockRegister:
    case kTMDSClockRegister:
    case kTransmitClockRegister:
        return measuredClock(board.bench().hdmi.transmitterClock, *mode, reg);
    default:
        return 0;
    }
}

} // namespace zyvosim
