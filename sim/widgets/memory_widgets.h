// The widgets of the simulated card that work on device memory (frame stores, the control
// widget's aperture, DMA): where each kind is installed and how it powers on.
#pragma once

#include "zyvosim/card_state.h"

namespace zyvosim {

class SimBoard;

void installCaptureStores(SimBoard& board);
void powerOnCaptureStores(CardState& state);

void installPlayoutStores(SimBoard& board);
void powerOnPlayoutStores(CardState& state);

void installControl(SimBoard& board);
void powerOnControl(CardState& state);

// The DMA engine holds no state of its own: what it moves lands in device memory.
void installDma(SimBoard& board);

} // namespace zyvosim
