// The signals arriving at the card's inputs.
#include "input_signal.h"

namespace zyvosim {

// No output sends anything over its cable yet, so every SDI input is dark.
InputSignal signalAtSDIInput(SimBoard& board, unsigned index) {
    (void)board;
    (void)index;
    return InputSignal{false, ZYVO_VideoFormat_Unknown};
}

} // namespace zyvosim
