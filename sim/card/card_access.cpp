// The control calls that reach a card: its state, its memory, its power, its lock.
#include "card/device_lock.h"
#include "card/state_directory.h"
#include "simulator.h"
#include "widgets/widget_catalog.h"

#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include <cstdio>

namespace zyvosim {

std::string stateDirectory() {
    std::string directory;
    std::string problem;
    return resolveStateDirectory(bench(), directory, problem) ? directory : std::string();
}

// A card that cannot be had (its directory unusable, already reported) still gives a state to
// look at: the power-on one.
const CardState& cardState(unsigned index) {
    if (std::shared_ptr<SimBoard> card = board(index)) {
        card->readState();
        return card->state();
    }
    static auto* unreachable = [] {
        auto* state = new CardState{};
        powerOn(*state);
        return state;
    }();
    return *unreachable;
}

// Null for a device the bench does not have, said on standard error.
std::shared_ptr<SimBoard> benchCard(unsigned index) {
    const int count = bench().deviceCount;
    if (count <= 0 || index >= static_cast<unsigned>(count)) {
        std::fprintf(stderr, "zyvosim: the bench has no device %u (it has %d)\n", index, count);
        return nullptr;
    }
    return board(index);
}

// The lock keeps a power cycle off a card another process is driving.
bool powerCycle(unsigned index) {
    std::shared_ptr<SimBoard> card = benchCard(index);
    if (!card) {
        return false;
    }
    std::unique_ptr<DeviceLock> lock = DeviceLock::take(card->directory(), index);
    return lock && card->powerCycle();
}

CardHold holdCard(unsigned index) {
    std::shared_ptr<SimBoard> card = benchCard(index);
    if (!card) {
        return nullptr;
    }
    return std::shared_ptr<DeviceLock>(DeviceLock::take(card->directory(), index));
}

bool readDeviceMemory(uint32_t address, uint32_t length, std::vector<uint8_t>& bytes) {
    std::shared_ptr<SimBoard> card = board(0);
    if (!card || !DeviceMemory::fits(address, length)) {
        return false;
    }
    bytes.assign(length, 0);
    return card->memory().read(address, bytes.data(), length);
}

bool writeDeviceMemory(uint32_t address, const std::vector<uint8_t>& bytes) {
    std::shared_ptr<SimBoard> card = board(0);
    if (!card || bytes.size() > DeviceMemory::kSize) {
        return false;
    }
    return card->memory().write(address, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

} // namespace zyvosim
