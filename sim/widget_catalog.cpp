// The widget kinds of the simulated card, one line each.
#include "widget_catalog.h"

namespace zyvosim {

// Each widget kind lives in its own file and offers an install function that adds its widgets
// (one per index) to the registry; this is the one list that calls them. Until the first kind
// arrives the card carries no widget, so GetWidget finds none.
void installWidgets(WidgetRegistry& widgets, const Bench& bench) {
    (void)widgets;
    (void)bench;
}

} // namespace zyvosim
