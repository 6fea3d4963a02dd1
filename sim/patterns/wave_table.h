// One period of a grey cosine as samples, for patterns that draw sine waves per pixel.
#pragma once

#include "pattern_levels.h"

#include <cstdint>
#include <vector>

namespace zyvosim::patterns {

// Phases are fractions of a turn in 32 bits, so accumulating them wraps for free and a
// pixel costs an add, a shift and a look-up instead of a cosine.
class WaveTable {
public:
    // Grey level mid + amplitude * cos(phase), 0 black and 1 white.
    WaveTable(const Levels& levels, double mid, double amplitude);

    const Sample& at(uint32_t phase) const { return mSamples[indexOf(phase)]; }

    // The entry nearest to `phase`, for callers that keep their own tables by entry.
    static unsigned indexOf(uint32_t phase) {
        return ((phase + kHalfStep) >> (32 - kIndexBits)) & (kSize - 1);
    }
    const Sample& entry(unsigned index) const { return mSamples[index]; }

    static constexpr uint32_t kQuarterTurn = 0x40000000u;
    // 8192 steps a turn keep the look-up error below one 12-bit code.
    static constexpr unsigned kIndexBits = 13;
    static constexpr unsigned kSize = 1u << kIndexBits;

private:
    static constexpr uint32_t kHalfStep = 1u << (31 - kIndexBits);

    std::vector<Sample> mSamples;
};

// `turns` of a circle as a 32-bit phase, only the fraction kept.
uint32_t phaseOf(double turns);

} // namespace zyvosim::patterns
