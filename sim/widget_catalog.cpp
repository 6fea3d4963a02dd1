// The widget kinds of the simulated card, one line each.
#include "widget_catalog.h"

#include "sim_board.h"

namespace zyvosim {

// Each widget kind lives in its own file and offers an install function that adds its widgets
// (one per index) to the card's registry, and a power-on function for its part of the card
// state; these are the two lists that call them.
void installWidgets(SimBoard& board) {
    (void)board;
}

void powerOn(CardState& state, const Bench& bench) {
    state = CardState{};
    state.magic = cCardStateMagic;
    state.version = cCardStateVersion;
    (void)bench;
}

} // namespace zyvosim
