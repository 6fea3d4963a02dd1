// The SDI and dual-link widgets of the simulated card: where each kind is installed and how it
// powers on.
#pragma once

#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

void installSDIInputs(SimBoard& board);
void powerOnSDIInputs(CardState& state);

void installSDIOutputs(SimBoard& board);
void powerOnSDIOutputs(CardState& state);

void installDualLinkInputs(SimBoard& board);
void powerOnDualLinkInputs(CardState& state);

void installDualLinkOutputs(SimBoard& board);
void powerOnDualLinkOutputs(CardState& state);

} // namespace zyvosim
