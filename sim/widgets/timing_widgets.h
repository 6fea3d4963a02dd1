// The timing widgets of the simulated card: where each kind is installed and how it powers on.
#pragma once

#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

void installSyncGenerator(SimBoard& board);
void powerOnSyncGenerator(CardState& state);

void installInterruptControls(SimBoard& board);
void powerOnInterruptControls(CardState& state);

void installLtcPort(SimBoard& board);
void powerOnLtcPort(CardState& state);

} // namespace zyvosim
