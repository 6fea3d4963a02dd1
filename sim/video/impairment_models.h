// The models of the impairments that change sample values, each on the frame's picture samples
// (unpackSamples) at its own depth.
#pragma once

#include "video/frame_samples.h"
#include "video/impairment.h"

#include <cstdint>
#include <vector>

namespace zyvosim {

using Samples = std::vector<uint16_t>;

// The lowest and highest code a link carries: SDI reserves the codes whose eight upper bits are
// all 0 or all 1 (0-3 and 1020-1023 at 10 bits); HDMI carries every code.
struct CodeLimits {
    unsigned lowest;
    unsigned highest;
};
CodeLimits codeLimitsOf(ImpairedPort port, const FrameSamples& layout);

// `code` rounded half up and held inside `limits`.
uint16_t quantise(double code, CodeLimits limits);

// range: legal levels scaled to full, or full to legal (level_impairments.cpp).
void convertRange(const Impairment& impairment, const FrameSamples& layout, Samples& samples);
// matrix: BT.709 and BT.601 mixed up (level_impairments.cpp).
void convertMatrix(const Impairment& impairment, const FrameSamples& layout, Samples& samples);
// bit-errors: bursts of a scrambled, NRZI-coded serial link (bit_errors.cpp).
void addBitErrors(double rate, uint64_t seed, const FrameSamples& layout, Samples& samples);

} // namespace zyvosim
