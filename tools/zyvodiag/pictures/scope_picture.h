// What the scopes draw into: an 8-bit RGB picture ready for the PNG writer, and its pieces.
#pragma once

#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

struct RgbImage {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<uint8_t> rgb; // width x height triples, line after line

    RgbImage(unsigned w, unsigned h) : width(w), height(h), rgb(size_t(w) * h * 3, 0) {}
    Rgb8 at(unsigned x, unsigned y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return Rgb8{p[0], p[1], p[2]};
    }
    void set(unsigned x, unsigned y, Rgb8 colour) {
        uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }
};

// How many samples fell in each cell of a scope, turned into a trace's brightness: one sample
// already shows, and `full` samples or more give the full colour. Brightness grows with the
// logarithm, so that a single pixel and a whole bar are both visible.
class TraceBrightness {
public:
    explicit TraceBrightness(uint32_t full);
    // 0 for no sample, 255 at `full` and above.
    unsigned operator()(uint32_t count) const {
        return mTable[count < mTable.size() ? count : mTable.size() - 1];
    }

private:
    std::vector<uint8_t> mTable;
};

// Adds one to counts[index] for each index it is given, and keeps a run of equal indices in
// hand: flat areas and neutral chroma hit one count many times in a row, and an increment that
// waits for the one before it is what made a histogram of them slow.
class RunCounter {
public:
    explicit RunCounter(uint32_t* counts) : mCounts(counts) {}
    ~RunCounter() { flush(); }
    RunCounter(const RunCounter&) = delete;
    RunCounter& operator=(const RunCounter&) = delete;

    // Adds the run in hand.
    void flush() {
        mCounts[mIndex] += mRun;
        mRun = 0;
    }

    void add(size_t index) {
        if (index == mIndex) {
            ++mRun;
            return;
        }
        mCounts[mIndex] += mRun;
        mIndex = index;
        mRun = 1;
    }

private:
    uint32_t* mCounts;
    size_t mIndex = 0;
    uint32_t mRun = 0;
};

// `colour` scaled by `brightness` / 255, lightened over `under` (the graticule) so that both
// stay visible.
inline Rgb8 traceOver(Rgb8 under, Rgb8 colour, unsigned brightness) {
    const auto channel = [brightness](uint8_t below, uint8_t full) {
        const unsigned lit = full * brightness / 255;
        return uint8_t(below > lit ? below : lit);
    };
    return Rgb8{channel(under.r, colour.r), channel(under.g, colour.g), channel(under.b, colour.b)};
}

} // namespace zyvodiag
