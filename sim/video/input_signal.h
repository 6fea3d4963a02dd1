// What an input connector of the card reports about the signal arriving at it.
#pragma once

#include "ZyvoTypes.h"

namespace zyvosim {

class SimBoard;

struct InputSignal {
    bool present;           // a signal arrives at all
    ZyvoVideoFormat format; // its raster; 0 when none arrives or the raster is not recognised
};

// The signal at SDI input `index`: the format of the playout store at the far end of its path.
InputSignal signalAtSDIInput(SimBoard& board, unsigned index);

// The signal the HDMI receiver locks to: the format the HDMI output was configured with, a 4K
// one given back as its quad format (the transmitter sends its HDMI translation).
InputSignal signalAtHDMIInput(SimBoard& board);

} // namespace zyvosim
