// One simulated card: the hardware behind a device handle.
#pragma once

#include "bench.h"
#include "widget_registry.h"
#include "zyvosim/card_state.h"

namespace zyvosim {

// The card outlives the device handles opened on it, so the state a command leaves in its
// widgets, memory and crosspoint is there for the next command, as on real hardware. reset()
// and a new bench replace the card.
//
// Widgets keep everything they hold in the card state (state()), never in members of their
// own, so the state can live in a file shared by every process that opens the card. A widget
// object is a view: the card, its index, and the operations.
class SimBoard {
public:
    explicit SimBoard(const Bench& bench);
    SimBoard(const SimBoard&) = delete;
    SimBoard& operator=(const SimBoard&) = delete;

    WidgetRegistry& widgets() { return mWidgets; }
    CardState& state() { return mState; }
    const Bench& bench() const { return mBench; }

private:
    Bench mBench;
    CardState mState{};
    WidgetRegistry mWidgets;
};

} // namespace zyvosim
