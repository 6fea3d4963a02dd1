// The frames a wrong, stale or torn picture is recognised among: the 16 test patterns.
#pragma once

#include "pictures/frame_decoder.h"

#include <map>
#include <memory>
#include <vector>

namespace zyvodiag {

constexpr unsigned kReferencePatternCount = 16;

class ReferenceFrames {
public:
    virtual ~ReferenceFrames() = default;
    // Test pattern `number` in the layout and raster asked for, or nullptr when there is none.
    virtual const DecodedFrame* pattern(unsigned number, PixelLayout layout, unsigned width,
                                        unsigned height) = 0;
    // Line `y` of that pattern into `out`, without decoding the rest; false when there is none.
    virtual bool patternLine(unsigned number, PixelLayout layout, unsigned width, unsigned height,
                             unsigned y, Sample* out) = 0;
};

// The patterns as the common library's generator draws them, on any device. Each is drawn into
// one buffer in turn, as the analyser asks for them in order, and decoded whole and kept only
// when a sample of its lines matched: sixteen frames of memory would cost more than drawing.
class GeneratedPatterns : public ReferenceFrames {
public:
    const DecodedFrame* pattern(unsigned number, PixelLayout layout, unsigned width,
                                unsigned height) override;
    bool patternLine(unsigned number, PixelLayout layout, unsigned width, unsigned height,
                     unsigned y, Sample* out) override;

private:
    bool draw(unsigned number, PixelLayout layout, unsigned width, unsigned height);

    std::vector<unsigned char> mBytes; // the pattern last drawn
    int mCurrent = -1;                 // its number; -1 when the generator had none
    std::map<unsigned, std::unique_ptr<DecodedFrame>> mDecoded;
    PixelLayout mLayout = PixelLayout::RGB8;
    unsigned mWidth = 0;
    unsigned mHeight = 0;
};

} // namespace zyvodiag
