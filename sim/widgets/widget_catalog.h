// Every kind of widget the simulated card carries.
#pragma once

#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

// Puts every widget of the card into its registry, as the bench wires the card.
void installWidgets(SimBoard& board);

// Gives every widget its power-on state.
void powerOn(CardState& state);

} // namespace zyvosim
