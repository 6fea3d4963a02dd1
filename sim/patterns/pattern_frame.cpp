// Packing and copying the lines of a pattern frame.
#include "pattern_frame.h"

#include <cstring>

namespace zyvosim::patterns {

PatternFrame::PatternFrame(unsigned char* data, unsigned width, unsigned height,
                           const PixelLayout& layout)
    : mData(data), mWidth(width), mHeight(height), mPitch(linePitchOf(layout, width)),
      mLayout(layout), mLevels(layout.encoding, layout.bits), mScratch(width) {}

void PatternFrame::putLine(unsigned y, const Sample* line) {
    mLayout.pack(line, mWidth, lineAt(y));
}

void PatternFrame::putLines(unsigned first, unsigned end, const Sample* line) {
    if (first >= end) {
        return;
    }
    putLine(first, line);
    for (unsigned y = first + 1; y < end; ++y) {
        copyLine(first, y);
    }
}

void PatternFrame::copyLine(unsigned from, unsigned to) {
    if (from != to) {
        std::memcpy(lineAt(to), lineAt(from), mPitch);
    }
}

} // namespace zyvosim::patterns
