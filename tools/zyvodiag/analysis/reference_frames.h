// The frames a wrong, stale or torn picture is recognised among: the 16 test patterns.
#pragma once

#include "pictures/frame_decoder.h"

#include <map>
#include <memory>

namespace zyvodiag {

constexpr unsigned kReferencePatternCount = 16;

class ReferenceFrames {
public:
    virtual ~ReferenceFrames() = default;
    // Test pattern `number` in the layout and raster asked for, or nullptr when there is none.
    virtual const DecodedFrame* pattern(unsigned number, PixelLayout layout, unsigned width,
                                        unsigned height) = 0;
};

// The patterns as the common library's generator draws them, on any device; each drawn once.
class GeneratedPatterns : public ReferenceFrames {
public:
    const DecodedFrame* pattern(unsigned number, PixelLayout layout, unsigned width,
                                unsigned height) override;

private:
    std::map<unsigned, std::unique_ptr<DecodedFrame>> mDrawn;
    PixelLayout mLayout = PixelLayout::RGB8;
    unsigned mWidth = 0;
    unsigned mHeight = 0;
};

} // namespace zyvodiag
