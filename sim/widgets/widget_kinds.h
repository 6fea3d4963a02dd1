// The widget kinds of the card by the names benches, faults and the trace give them.
#pragma once

#include "ZyvoTypes.h"

#include <string>

namespace zyvosim {

struct WidgetKind {
    const char* name;    // "SDIOutput", as benches and the trace write it
    ZyvoWidgetType type; // what GetWidget is asked for
    unsigned count;      // indices 0 to count - 1
};

// The kind called `name`, or null when the card has no such kind.
const WidgetKind* findWidgetKind(const std::string& name);

// Every kind's name, for messages ("SDIInput, SDIOutput, ...").
std::string widgetKindNames();

} // namespace zyvosim
