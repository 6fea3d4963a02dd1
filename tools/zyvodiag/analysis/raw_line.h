// A decoded line packed back into the frame store's bytes, for faults that act on memory words.
#pragma once

#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

// The bytes of one line of minimumPitch(layout, width), as the store would hold `line`; what a
// cadence has beyond the last pixel is zero.
void encodeLine(PixelLayout layout, const Sample* line, unsigned width,
                std::vector<uint8_t>& bytes);

// Decodes one line of minimumPitch bytes into `out`.
void decodeLine(PixelLayout layout, const std::vector<uint8_t>& bytes, unsigned width, Sample* out);

} // namespace zyvodiag
