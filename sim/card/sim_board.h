// One simulated card: the hardware behind a device handle.
#pragma once

#include "bench/bench.h"
#include "card/card_state_file.h"
#include "card/device_memory.h"
#include "widgets/widget_registry.h"
#include "zyvosim/card_state.h"

#include <sys/types.h>

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
    ~SimBoard();
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

    // Widgets trust their record (a bool is a bool, an index is in range), so a record damaged
    // from outside is told by a seal rather than by checking every field, which each new field
    // would have to keep up with. Widgets write this process's copy of the record; the process
    // holding the card writes it to the file, whole (CardStateFile), at set points: at the entry
    // and the exit of every call into the library while a device handle of this process is
    // open (saveHeldCards), when the last handle goes, and at a power cycle. A process ended at
    // any moment thus leaves the record of its last set point.
    // Called by the holder, under the lock, before it hands out a handle: the record is read
    // again from the file, and one that does not match its seal (damage from outside) powers on
    // afresh, after a warning naming the file. False when the file cannot be read or that power
    // cycle fails (noted for takeStorageFailure()).
    bool checkState();
    void saveState() { mStateFile.save(); }
    // The record as the file holds it now, for a process that holds no handle of the card.
    void readState();
    // A device handle of this process opens (hold) and closes (letGo).
    void hold();
    void letGo();
    // Whether this process holds a device handle of the card.
    bool heldHere() const;

private:
    SimBoard(const Bench& bench, std::string directory);
    void applyWidgetOverrides();

    Bench mBench;
    std::string mDirectory;
    CardStateFile mStateFile;
    DeviceMemory mMemory;
    WidgetRegistry mWidgets;
    unsigned mHandles = 0; // device handles of process mHolder; a forked child holds none
    pid_t mHolder = 0;
};

// Writes the state of every card this process holds a device handle of.
void saveHeldCards();

} // namespace zyvosim
