// One simulated card: the hardware behind a device handle.
#pragma once

#include "bench/bench.h"
#include "card/card_state_file.h"
#include "card/device_memory.h"
#include "widgets/widget_registry.h"
#include "zyvosim/card_state.h"

#include <memory>
#include <string>

namespace zyvosim {

// The card outlives the device handles opened on it, and the processes too: its state and its
// device memory live in files of the state directory, so what one command leaves in its
// widgets and memory is there for the next command, as on real hardware.
//
// Widgets keep everything they hold in the card state (state()), never in members of their
// own, so every process that opens the card sees it. A widget object is a view: the card, its
// index, and the operations.
class SimBoard {
public:
    // The card of local device `index` whose files are in `directory`, powered on when its
    // state file is new or not of this simulator's layout; the bench's missing and wrong-class
    // widgets applied. Null when the files cannot be used, with `problem` set.
    static std::shared_ptr<SimBoard> open(const Bench& bench, const std::string& directory,
                                          unsigned index, std::string& problem);
    SimBoard(const SimBoard&) = delete;
    SimBoard& operator=(const SimBoard&) = delete;

    WidgetRegistry& widgets() { return mWidgets; }
    CardState& state() { return mStateFile.record(); }
    DeviceMemory& memory() { return mMemory; }
    const Bench& bench() const { return mBench; }
    const std::string& directory() const { return mDirectory; }

    // Power off and on: every widget to its power-on state, device memory to zeros. False when
    // the memory file refused (noted for takeStorageFailure()).
    bool powerCycle();

private:
    SimBoard(const Bench& bench, std::string directory);
    void applyWidgetOverrides();

    Bench mBench;
    std::string mDirectory;
    CardStateFile mStateFile;
    DeviceMemory mMemory;
    WidgetRegistry mWidgets;
};

} // namespace zyvosim
