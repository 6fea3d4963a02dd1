// Every kind of widget the simulated card carries.
#pragma once

#include "bench.h"
#include "widget_registry.h"

namespace zyvosim {

// Puts every widget of a freshly powered card on the bench into `widgets`.
void installWidgets(WidgetRegistry& widgets, const Bench& bench);

} // namespace zyvosim
