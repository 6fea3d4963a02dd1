// One simulated card: the hardware behind a device handle.
#pragma once

#include "bench.h"
#include "widget_registry.h"

namespace zyvosim {

// The card outlives the device handles opened on it, so the state a command leaves in its
// widgets (and, as they come, its memory and crosspoint) is there for the next command, as on
// real hardware. reset() and a new bench replace the card.
class SimBoard {
public:
    explicit SimBoard(const Bench& bench);
    SimBoard(const SimBoard&) = delete;
    SimBoard& operator=(const SimBoard&) = delete;

    WidgetRegistry& widgets() { return mWidgets; }

private:
    WidgetRegistry mWidgets;
};

} // namespace zyvosim
