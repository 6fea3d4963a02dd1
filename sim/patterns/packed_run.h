// A long run of samples packed once, so that lines which are windows into it become copies.
#pragma once

#include "pattern_levels.h"
#include "pixel_packers.h"

#include <cstddef>
#include <vector>

namespace zyvosim::patterns {

// A window may start on any pixel while packed bytes only split at cadence boundaries, so the
// run is packed once from each pixel of the first cadence. A window's last, partial cadence is
// packed on its own to keep the zero padding past the picture.
class PackedRun {
public:
    // `run` must outlive this object.
    PackedRun(const PixelLayout& layout, const Sample* run, size_t length);

    // Writes the `width` samples from `first` as one packed line at `out`.
    void copyWindow(size_t first, unsigned width, unsigned char* out) const;

private:
    const PixelLayout& mLayout;
    const Sample* mRun;
    std::vector<std::vector<unsigned char>> mPhases;
};

} // namespace zyvosim::patterns
