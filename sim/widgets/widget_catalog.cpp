// Installing and powering on every widget kind of the simulated card, from their descriptions.
#include "widgets/widget_catalog.h"

#include "widgets/widget_kinds.h"

namespace zyvosim {

void installWidgets(SimBoard& board) {
    for (const WidgetKind* kind : widgetKinds()) {
        kind->install(board);
    }
}

void powerOn(CardState& state) {
    state = CardState{};
    state.magic = kCardStateMagic;
    state.version = kCardStateVersion;
    for (const WidgetKind* kind : widgetKinds()) {
        if (kind->powerOn != nullptr) {
            kind->powerOn(state);
        }
    }
}

} // namespace zyvosim
