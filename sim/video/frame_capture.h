// Capture stores writing what they receive into device memory.
#pragma once

#include <cstdint>

namespace zyvosim {

class SimBoard;

// Capture store `index`, switched on at `since` (the card clock), has received for as long as
// it has been on. When that is at least one frame time of its configured format and a picture
// arrives, the picture's frame is now in the store's frame. A stuck store writes nothing. False
// when the memory file refused the copy (noted for takeStorageFailure()).
bool captureArrivingFrame(SimBoard& board, unsigned index, uint64_t since);

// Every capture store that is on writes what it has received so far, before anyone looks at
// device memory. False when the memory file refused a copy.
bool captureWhileOn(SimBoard& board);

} // namespace zyvosim
