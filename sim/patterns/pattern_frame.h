// The frame a pattern is drawn into: lines of samples packed into the caller's bytes.
#pragma once

#include "packed_run.h"
#include "pattern_levels.h"
#include "pixel_packers.h"

#include <cstddef>
#include <vector>

namespace zyvosim::patterns {

// Patterns build a line of samples and hand it over; a line that repeats is packed once and
// copied, which keeps flat and vertical-bar patterns at memory speed.
class PatternFrame {
public:
    PatternFrame(unsigned char* data, unsigned width, unsigned height, const PixelLayout& layout);

    unsigned width() const { return mWidth; }
    unsigned height() const { return mHeight; }
    const Levels& levels() const { return mLevels; }
    const PixelLayout& layout() const { return mLayout; }

    // A scratch line of `width` samples for the drawer to fill.
    Sample* scratch() { return mScratch.data(); }

    // Packs `line` into frame line `y`.
    void putLine(unsigned y, const Sample* line);
    // Packs `line` into every frame line from `first` up to (not including) `end`.
    void putLines(unsigned first, unsigned end, const Sample* line);
    // Copies the packed frame line `from` over frame line `to`.
    void copyLine(unsigned from, unsigned to);
    // The bytes of frame line `y`, one line pitch, for patterns that pack lines themselves.
    unsigned char* lineAt(unsigned y) { return mData + size_t(y) * mPitch; }

    // For patterns whose lines are windows into one long run of samples.
    PackedRun packRun(const Sample* run, size_t length) const { return {mLayout, run, length}; }
    // Writes the window of `run` from sample `first` into frame line `y`.
    void putWindow(unsigned y, const PackedRun& run, size_t first) {
        run.copyWindow(first, mWidth, lineAt(y));
    }

private:
    unsigned char* mData;
    unsigned mWidth;
    unsigned mHeight;
    size_t mPitch;
    const PixelLayout& mLayout;
    Levels mLevels;
    std::vector<Sample> mScratch;
};

// Pixel `part` of `parts` equal shares of `length`, rounded down: where share `part` starts.
inline unsigned shareOf(unsigned length, unsigned part, unsigned parts) {
    return static_cast<unsigned>(static_cast<unsigned long long>(length) * part / parts);
}

} // namespace zyvosim::patterns
