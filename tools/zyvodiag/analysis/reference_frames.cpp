// The test patterns drawn by the common library's generator and decoded like a captured frame.
#include "analysis/reference_frames.h"

#include "analysis/raw_line.h"

#include "QELTestPatternGen.h"

#include <string>
#include <utility>

namespace zyvodiag {

bool GeneratedPatterns::draw(unsigned number, PixelLayout layout, unsigned width, unsigned height) {
    if (number >= kReferencePatternCount || layout == PixelLayout::PanelARGB8) {
        return false;
    }
    if (layout != mLayout || width != mWidth || height != mHeight) {
        mDecoded.clear();
        mCurrent = -1;
        mLayout = layout;
        mWidth = width;
        mHeight = height;
    }
    if (mCurrent == int(number)) {
        return true;
    }
    mCurrent = -1;
    const int status = QELTestPatternGen().DrawTestPattern(
        static_cast<QELTestPatternSelect>(number), width, height,
        static_cast<QEL_PixelFormat>(static_cast<int>(layout)), mBytes);
    if (status <= 0 || mBytes.size() != minimumPitch(layout, width) * size_t(height)) {
        return false;
    }
    mCurrent = int(number);
    return true;
}

const DecodedFrame* GeneratedPatterns::pattern(unsigned number, PixelLayout layout, unsigned width,
                                               unsigned height) {
    auto kept = mDecoded.find(number);
    if (kept != mDecoded.end() && layout == mLayout && width == mWidth && height == mHeight) {
        return kept->second.get();
    }
    if (!draw(number, layout, width, height)) {
        return nullptr;
    }
    const FrameShape shape{layout, width, height, unsigned(minimumPitch(layout, width))};
    auto frame = std::make_unique<DecodedFrame>();
    std::string error;
    if (!decodeFrame(mBytes.data(), mBytes.size(), shape, *frame, error)) {
        return nullptr;
    }
    return (mDecoded[number] = std::move(frame)).get();
}

bool GeneratedPatterns::patternLine(unsigned number, PixelLayout layout, unsigned width,
                                    unsigned height, unsigned y, Sample* out) {
    if (y >= height || !draw(number, layout, width, height)) {
        return false;
    }
    const size_t pitch = minimumPitch(layout, width);
    const auto from = mBytes.begin() + std::ptrdiff_t(pitch * y);
    decodeLine(layout, std::vector<uint8_t>(from, from + std::ptrdiff_t(pitch)), width, out);
    return true;
}

} // namespace zyvodiag
