// Where a picture comes from: following the crosspoint and the bench's cables back from a
// widget to the playout store whose frame it carries.
#pragma once

#include "ZyvoTypes.h"

#include <cstdint>

namespace zyvosim {

class SimBoard;

// What arrives somewhere on the card. A picture exists only where every widget on its way is
// set up to pass it: a playout store that plays, outputs enabled and unmuted, a cable, sources
// routed.
struct Picture {
    bool present = false;                              // a signal arrives at all
    ZyvoVideoFormat format = ZYVO_VideoFormat_Unknown; // its raster, as the playout store's format
    int playoutStore = -1;  // the store whose frame it carries; -1 for a bench's unknown raster
    unsigned sdiInputs = 0; // bit N set: it came in through SDI input N on its way
    bool hdmiInput = false; // it came in through the HDMI input
};

// What crosspoint `source` carries.
Picture pictureFromSource(SimBoard& board, int32_t source);
// What arrives at SDI input `index` over its cable, or what the bench feeds it instead.
Picture pictureAtSDIInput(SimBoard& board, unsigned index);
// What the HDMI receiver's first stream carries over the cable from the HDMI output.
Picture pictureAtHDMIInput(SimBoard& board);
// What capture store `index` receives: its input 1, or, in two-sample interleave, its pair of
// inputs, both of which must carry a picture (the frame comes from input 1's store).
Picture pictureAtCaptureStore(SimBoard& board, unsigned index);

} // namespace zyvosim
