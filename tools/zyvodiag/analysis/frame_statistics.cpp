// The statistics pass: a table of equal values and of single-bit differences per data line.
#include "analysis/frame_statistics.h"

#include "analysis/scoring.h"

namespace zyvodiag {
namespace {

unsigned popcount(unsigned v) {
    unsigned n = 0;
    for (; v != 0; v &= v - 1) {
        ++n;
    }
    return n;
}

// Counts per data line and per code, turned into per-bit counts once at the end, so the pass
// itself does a compare and an increment or two per sample. 32 bits hold the counts of the
// largest raster we decode.
struct Tally {
    std::vector<uint32_t> equal;   // arrived right, per code
    std::vector<uint32_t> flipped; // differing, per pattern of differing bits
    std::vector<uint32_t> cameOne; // differing in one bit alone, which arrived as 1, per bit

    explicit Tally(unsigned codes) : equal(codes, 0), flipped(codes, 0), cameOne(kMaxDepth, 0) {}

    bool count(unsigned expected, unsigned found) {
        const unsigned bits = expected ^ found;
        if (bits == 0) {
            ++equal[expected];
            return false;
        }
        ++flipped[bits];
        if ((bits & (bits - 1)) == 0 && (found & bits) != 0) {
            ++cameOne[popcount(bits - 1)];
        }
        return true;
    }
};

} // namespace

void summarise(const Tally& tally, unsigned depth, LineStatistics& s) {
    for (unsigned v = 0; v < tally.equal.size(); ++v) {
        const uint64_t equal = tally.equal[v];
        const uint64_t flipped = tally.flipped[v];
        s.samples += equal + flipped;
        s.differing += flipped;
        for (unsigned k = 0; k < depth; ++k) {
            s.equalWithBit[k][(v >> k) & 1] += equal;
            s.flips[k] += (v >> k & 1) != 0 ? flipped : 0;
        }
    }
    for (unsigned k = 0; k < depth; ++k) {
        s.onlyBitDiffers[k][1] = tally.cameOne[k];
        s.onlyBitDiffers[k][0] = tally.flipped[1u << k] - tally.cameOne[k];
    }
}

FrameStatistics gatherStatistics(const DecodedFrame& expected, const DecodedFrame& found) {
    FrameStatistics stats;
    const bool yCbCr = isYCbCr(expected.layout);
    const unsigned depth = bitDepth(expected.layout);
    stats.channels = yCbCr ? 2 : 3;
    std::vector<Tally> tally(stats.channels, Tally(1u << depth));
    const unsigned step = chromaStep(expected.layout);
    const unsigned width = expected.width;
    stats.lineDiffers.assign(expected.height, 0);
    stats.lineDifferences.assign(expected.height, 0);
    stats.firstDifferingLine = expected.height;
    Tally& chromaB = tally[1];
    Tally& chromaR = tally[yCbCr ? 1 : 2];
    for (unsigned y = 0; y < expected.height; ++y) {
        const Sample* a = &expected.samples[size_t(y) * width];
        const Sample* b = &found.samples[size_t(y) * width];
        uint32_t differing = 0;
        for (unsigned x = 0; x < width; ++x) {
            differing += tally[0].count(a[x].c[0], b[x].c[0]);
            if (x % step == 0) {
                differing += chromaB.count(a[x].c[1], b[x].c[1]);
                differing += chromaR.count(a[x].c[2], b[x].c[2]);
            }
        }
        const bool differs = differing != 0;
        stats.lineDifferences[y] = differing;
        stats.lineDiffers[y] = differs ? 1 : 0;
        if (differs && stats.firstDifferingLine == expected.height) {
            stats.firstDifferingLine = y;
        }
    }
    for (unsigned l = 0; l < stats.channels; ++l) {
        LineStatistics& s = stats.line[l];
        summarise(tally[l], depth, s);
        stats.samples += s.samples;
        stats.differing += s.differing;
        for (unsigned k = 0; k < depth; ++k) {
            stats.flippedBits += s.flips[k];
        }
    }
    return stats;
}

} // namespace zyvodiag
