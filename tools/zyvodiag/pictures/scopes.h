// The waveform and the vectorscope of one frame, drawn from a single read of its samples.
#pragma once

#include "pictures/frame_decoder.h"
#include "pictures/scope_picture.h"

namespace zyvodiag {

struct ScopePictures {
    RgbImage waveform;
    RgbImage vectorscope;
};

// The same pictures as drawWaveform and drawVectorscope, for the price of reading the frame once:
// each line is counted into both while it is in the cache.
ScopePictures drawScopes(const DecodedFrame& frame);

} // namespace zyvodiag
