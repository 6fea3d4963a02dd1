// How widget kinds install their widgets: one per port, each made from the card and its index
// (or from the card alone, for a kind the card has one of).
#pragma once

#include "card/sim_board.h"
#include "widgets/widget_kinds.h"

#include <memory>
#include <type_traits>

namespace zyvosim {

// For a description's install: installEach<SimSDIInput, kSDIInputKind>.
template <typename Widget, const WidgetKind& kind> void installEach(SimBoard& board) {
    for (unsigned index = 0; index < kind.count; ++index) {
        if constexpr (std::is_constructible_v<Widget, SimBoard&, unsigned>) {
            board.widgets().add(kind.type, index, std::make_unique<Widget>(board, index));
        } else {
            board.widgets().add(kind.type, index, std::make_unique<Widget>(board));
        }
    }
}

} // namespace zyvosim
