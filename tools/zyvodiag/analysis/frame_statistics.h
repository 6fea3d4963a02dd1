// One pass over both frames: the counts that settle every bit fault at once, and where the
// differences lie.
#pragma once

#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

constexpr unsigned kMaxDepth = 12;

// Per data line: Y and C for YCbCr (C both chroma components), R, G and B for RGB.
struct LineStatistics {
    uint64_t samples = 0;
    uint64_t differing = 0;
    uint64_t equalWithBit[kMaxDepth][2] = {};   // arrived right, with bit k at 0 or 1
    uint64_t onlyBitDiffers[kMaxDepth][2] = {}; // differ in bit k alone, which arrived as 0 or 1
    uint64_t flips[kMaxDepth] = {};             // differing bits at position k
};

struct FrameStatistics {
    unsigned channels = 0; // data lines: 2 for YCbCr, 3 for RGB
    LineStatistics line[3];
    uint64_t samples = 0;
    uint64_t differing = 0;
    uint64_t flippedBits = 0;
    std::vector<uint8_t> lineDiffers;      // per picture line
    std::vector<uint32_t> lineDifferences; // differing samples per picture line
    unsigned firstDifferingLine = 0;
};

FrameStatistics gatherStatistics(const DecodedFrame& expected, const DecodedFrame& found);

} // namespace zyvodiag
