// The common library's test pattern generator: checks the request, sizes the frame, draws.
#include "QELTestPatternGen.h"

#include "pattern_drawers.h"
#include "pixel_packers.h"

#include <new>

namespace {

// Far beyond any raster a frame store holds (4096 x 2160), small enough that a frame's size
// stays well inside a 32-bit host's address space.
constexpr unsigned kMaxSide = 16384;

} // namespace

QELTestPatternGen::QELTestPatternGen() = default;

QELTestPatternGen::~QELTestPatternGen() = default;

// The buffer ends up holding exactly one frame, whatever it held before: every byte of every
// line is written, padding included, so a buffer kept from the last frame is reused as it is
// instead of being cleared first. Failure gives 0 and leaves it empty, including running out of
// memory for a frame, but for an unknown pattern (below); nothing is thrown to the caller.
int QELTestPatternGen::DrawTestPattern(QELTestPatternSelect pattern, unsigned int width,
                                       unsigned int height, QEL_PixelFormat pixelFormat,
                                       std::vector<unsigned char>& buffer) {
    using namespace zyvosim::patterns;
    const PixelLayout* layout = findPixelLayout(pixelFormat);
    PatternDrawer draw = findPatternDrawer(pattern);
    if (layout == nullptr || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        buffer.clear();
        return 0;
    }
    try {
        // A pattern the generator does not have still fails, but with a frame of zero bytes: an
        // empty buffer would let the store keep its last picture, which a later comparison could
        // take for the pattern asked for.
        if (draw == nullptr) {
            buffer.assign(linePitchOf(*layout, width) * height, 0);
            return 0;
        }
        buffer.resize(linePitchOf(*layout, width) * height);
        PatternFrame frame(buffer.data(), width, height, *layout);
        draw(frame);
    } catch (const std::bad_alloc&) {
        std::vector<unsigned char>().swap(buffer);
        return 0;
    }
    return 1;
}
