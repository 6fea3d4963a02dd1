// The cosine table and the conversion of turns to table phases.
#include "wave_table.h"

#include <cmath>

namespace zyvosim::patterns {

constexpr double kPi = 3.14159265358979323846;

WaveTable::WaveTable(const Levels& levels, double mid, double amplitude) : mSamples(kSize) {
    const double step = 2.0 * kPi / kSize;
    for (unsigned i = 0; i < kSize; ++i) {
        mSamples[i] = levels.grey(mid + amplitude * std::cos(step * i));
    }
}

uint32_t phaseOf(double turns) {
    double fraction = turns - std::floor(turns);
    auto fixed = static_cast<unsigned long long>(std::llround(fraction * 4294967296.0));
    return static_cast<uint32_t>(fixed & 0xFFFFFFFFull);
}

} // namespace zyvosim::patterns
