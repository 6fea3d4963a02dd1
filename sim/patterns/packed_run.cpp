// Packing a run at every cadence phase and copying windows out of it.
#include "packed_run.h"

#include <cstring>

namespace zyvosim::patterns {

PackedRun::PackedRun(const PixelLayout& layout, const Sample* run, size_t length)
    : mLayout(layout), mRun(run), mPhases(layout.pixelsPerCadence) {
    for (unsigned phase = 0; phase < mPhases.size() && phase < length; ++phase) {
        unsigned pixels = static_cast<unsigned>(length - phase);
        mPhases[phase].resize(linePitchOf(layout, pixels));
        layout.pack(run + phase, pixels, mPhases[phase].data());
    }
}

void PackedRun::copyWindow(size_t first, unsigned width, unsigned char* out) const {
    const unsigned cadence = mLayout.pixelsPerCadence;
    const size_t phase = first % cadence;
    const size_t whole = width / cadence;
    const size_t bytes = whole * mLayout.bytesPerCadence;
    if (bytes > 0) {
        std::memcpy(out,
                    mPhases[phase].data() + (first - phase) / cadence * mLayout.bytesPerCadence,
                    bytes);
    }
    const unsigned rest = width - static_cast<unsigned>(whole * cadence);
    if (rest > 0) {
        mLayout.pack(mRun + first + whole * cadence, rest, out + bytes);
    }
}

} // namespace zyvosim::patterns
