// What arrives at an input connector of the card.
#pragma once

#include "ZyvoTypes.h"

namespace zyvosim {

class SimBoard;

struct InputSignal {
    bool present;           // a signal arrives at all
    ZyvoVideoFormat format; // its raster; 0 when none arrives
};

// The signal at SDI input `index`: what the output cabled to it sends, once the card moves
// video from its outputs through the bench's cables.
InputSignal signalAtSDIInput(SimBoard& board, unsigned index);

} // namespace zyvosim
