// The HDMI widgets of the simulated card: where each kind is installed and how it powers on.
#pragma once

#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

void installHDMIOutput(SimBoard& board);
void powerOnHDMIOutput(CardState& state);

void installHDMIInput(SimBoard& board);
void powerOnHDMIInput(CardState& state);

} // namespace zyvosim
