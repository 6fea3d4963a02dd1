// The test patterns drawn by the common library's generator and decoded like a captured frame.
#include "analysis/reference_frames.h"

#include "QELTestPatternGen.h"

#include <vector>

namespace zyvodiag {

const DecodedFrame* GeneratedPatterns::pattern(unsigned number, PixelLayout layout, unsigned width,
                                               unsigned height) {
    if (number >= kReferencePatternCount || layout == PixelLayout::PanelARGB8) {
        return nullptr;
    }
    if (layout != mLayout || width != mWidth || height != mHeight) {
        mDrawn.clear();
        mLayout = layout;
        mWidth = width;
        mHeight = height;
    }
    auto drawn = mDrawn.find(number);
    if (drawn != mDrawn.end()) {
        return drawn->second.get();
    }
    std::unique_ptr<DecodedFrame>& made = mDrawn[number];
    std::vector<unsigned char> bytes;
    const int status = QELTestPatternGen().DrawTestPattern(
        static_cast<QELTestPatternSelect>(number), width, height,
        static_cast<QEL_PixelFormat>(static_cast<int>(layout)), bytes);
    const FrameShape shape{layout, width, height, unsigned(minimumPitch(layout, width))};
    auto frame = std::make_unique<DecodedFrame>();
    std::string error;
    if (status > 0 && decodeFrame(bytes.data(), bytes.size(), shape, *frame, error)) {
        made = std::move(frame);
    }
    return made.get();
}

} // namespace zyvodiag
