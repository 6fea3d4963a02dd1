// The vectorscope of a frame: Cb across, Cr up, with the targets of BT.709 colour bars.
#pragma once

#include "pictures/frame_decoder.h"
#include "pictures/scope_picture.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zyvodiag {

// One colour bar as BT.709 narrow-range codes at a given depth.
struct BarTarget {
    const char* colour; // "yellow", "cyan", "green", "magenta", "red", "blue"
    unsigned percent;   // 75 or 100
    unsigned y, cb, cr;
};

// The six colours at 75% and 100%, computed from the matrix at `depth` bits (not 8-bit values
// shifted, which are a code or two off at 10 bits).
std::vector<BarTarget> bt709BarTargets(unsigned depth);

struct ScopePoint {
    unsigned x, y;
};

// A square picture, kSide pixels a side: Cb from left to right, Cr from bottom to top, the
// neutral 512/512 (at 10 bits) in the middle.
struct VectorscopeLayout {
    static constexpr unsigned kSide = 512;
    // Where chroma `cb`, `cr` of `depth` bits is drawn.
    static ScopePoint point(unsigned cb, unsigned cr, unsigned depth);
};

// Each box around a target leaves the pixels near its centre free for the trace, whose dots
// are three pixels square.
constexpr unsigned kTargetHalfSide75 = 5;
constexpr unsigned kTargetHalfSide100 = 7;

class RgbToChroma;

// The chroma of a frame counted per scope point as its lines are handed in, so that one read of
// the frame can feed the waveform too; then drawn over the axes and targets. YCbCr frames plot
// their own chroma; RGB frames are converted with the BT.709 matrix.
class VectorscopeCounts {
public:
    explicit VectorscopeCounts(const DecodedFrame& frame);
    void addLine(const Sample* line); // the frame's next line, frame.width samples
    RgbImage draw() const;

private:
    unsigned mDepth;
    bool mYCbCr;
    unsigned mWidth;
    std::vector<uint32_t> mCounts;                // per point, row after row
    std::vector<uint32_t> mColumn;                // where each Cb code lands across
    std::vector<uint32_t> mRowStart;              // the first point of each Cr code's row
    std::shared_ptr<const RgbToChroma> mToChroma; // RGB frames only
    uint64_t mSamples = 0;
};

RgbImage drawVectorscope(const DecodedFrame& frame);

} // namespace zyvodiag
