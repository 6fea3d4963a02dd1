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
// itself does a compare and an increment per sample.
struct Tally {
    std::vector<uint64_t> equal[3];   // arrived right, per code
    std::vector<uint64_t> flipped[3]; // per differing-bit pattern
};

void count(Tally& tally, unsigned line, unsigned expected, unsigned found) {
    if (expected == found) {
        ++tally.equal[line][expected];
        return;
    }
    ++tally.flipped[line][expected ^ found];
}

} // namespace

FrameStatistics gatherStatistics(const DecodedFrame& expected, const DecodedFrame& found) {
    FrameStatistics stats;
    const bool yCbCr = isYCbCr(expected.layout);
    const unsigned depth = bitDepth(expected.layout);
    const unsigned codes = 1u << depth;
    stats.channels = yCbCr ? 2 : 3;
    Tally tally;
    for (unsigned l = 0; l < stats.channels; ++l) {
        tally.equal[l].assign(codes, 0);
        tally.flipped[l].assign(codes, 0);
    }
    const unsigned step = chromaStep(expected.layout);
    const unsigned width = expected.width;
    stats.lineDiffers.assign(expected.height, 0);
    stats.firstDifferingLine = expected.height;
    std::vector<uint64_t> singleOne[3];
    for (unsigned l = 0; l < stats.channels; ++l) {
        singleOne[l].assign(depth, 0);
    }
    for (unsigned y = 0; y < expected.height; ++y) {
        const Sample* a = &expected.samples[size_t(y) * width];
        const Sample* b = &found.samples[size_t(y) * width];
        bool differs = false;
        for (unsigned x = 0; x < width; ++x) {
            count(tally, 0, a[x].c[0], b[x].c[0]);
            differs = differs || a[x].c[0] != b[x].c[0];
            const unsigned x0 = a[x].c[0] ^ b[x].c[0];
            if (x0 != 0 && (x0 & (x0 - 1)) == 0 && (b[x].c[0] & x0) != 0) {
                ++singleOne[0][popcount(x0 - 1)];
            }
            if (x % step != 0) {
                continue;
            }
            for (unsigned c = 1; c < 3; ++c) {
                const unsigned l = yCbCr ? 1 : c;
                count(tally, l, a[x].c[c], b[x].c[c]);
                differs = differs || a[x].c[c] != b[x].c[c];
                const unsigned x2 = a[x].c[c] ^ b[x].c[c];
                if (x2 != 0 && (x2 & (x2 - 1)) == 0 && (b[x].c[c] & x2) != 0) {
                    ++singleOne[l][popcount(x2 - 1)];
                }
            }
        }
        stats.lineDiffers[y] = differs ? 1 : 0;
        if (differs && stats.firstDifferingLine == expected.height) {
            stats.firstDifferingLine = y;
        }
    }
    for (unsigned l = 0; l < stats.channels; ++l) {
        LineStatistics& s = stats.line[l];
        for (unsigned v = 0; v < codes; ++v) {
            const uint64_t equal = tally.equal[l][v];
            const uint64_t flipped = tally.flipped[l][v];
            s.samples += equal + flipped;
            s.differing += flipped;
            for (unsigned k = 0; k < depth; ++k) {
                s.equalWithBit[k][(v >> k) & 1] += equal;
                s.flips[k] += (v >> k & 1) != 0 ? flipped : 0;
            }
            if (v != 0 && (v & (v - 1)) == 0) {
                const unsigned k = popcount(v - 1);
                s.onlyBitDiffers[k][1] = singleOne[l][k];
                s.onlyBitDiffers[k][0] = flipped - singleOne[l][k];
            }
        }
        stats.samples += s.samples;
        stats.differing += s.differing;
        for (unsigned k = 0; k < depth; ++k) {
            stats.flippedBits += s.flips[k];
        }
    }
    return stats;
}

} // namespace zyvodiag
