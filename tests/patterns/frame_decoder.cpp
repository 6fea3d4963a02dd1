// The test's own reading of each layout: component k of a cadence is found by its bit
// position, independently of how the generator packs it.
#include "frame_decoder.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

namespace patternstest {
namespace {

struct Cadence {
    int pixelFormat;
    unsigned pixels, bytes, bits;
};
const Cadence kCadences[] = {
    {1, 6, 16, 10}, {2, 2, 4, 8}, {4, 1, 4, 8}, {5, 1, 4, 10}, {23, 8, 24, 12}};

const Cadence& cadenceOf(int pixelFormat) {
    for (const Cadence& c : kCadences) {
        if (c.pixelFormat == pixelFormat) {
            return c;
        }
    }
    ADD_FAILURE() << "no cadence for pixel format " << pixelFormat;
    return kCadences[0];
}

// Component k of a cadence: 10-bit components three to a little-endian 32-bit word, 8 and 12
// bits a plain little-endian bit stream. Its bits are cleared as they are read, so whatever is
// left set afterwards lies outside the picture.
unsigned take(unsigned char* cadence, const Cadence& c, unsigned k) {
    unsigned bit = c.bits == 10 ? 32 * (k / 3) + 10 * (k % 3) : c.bits * k;
    unsigned value = 0;
    for (unsigned i = 0; i < c.bits; ++i, ++bit) {
        value |= ((cadence[bit / 8] >> (bit % 8)) & 1u) << i;
        cadence[bit / 8] &= static_cast<unsigned char>(~(1u << (bit % 8)));
    }
    return value;
}

} // namespace

unsigned expectedPitch(int pixelFormat, unsigned width) {
    const Cadence& c = cadenceOf(pixelFormat);
    return (width + c.pixels - 1) / c.pixels * c.bytes;
}

DecodedFrame drawAndDecode(int pattern, unsigned width, unsigned height, int pixelFormat) {
    std::vector<unsigned char> bytes;
    QELTestPatternGen generator;
    EXPECT_GT(generator.DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), width, height,
                                        static_cast<QEL_PixelFormat>(pixelFormat), bytes),
              0);
    const Cadence& c = cadenceOf(pixelFormat);
    const unsigned pitch = expectedPitch(pixelFormat, width);
    if (bytes.size() != size_t(pitch) * height) {
        ADD_FAILURE() << "pattern " << pattern << " format " << pixelFormat << ": " << bytes.size()
                      << " bytes";
        return {};
    }
    DecodedFrame frame{width, std::vector<Pixel>(size_t(width) * height), 0};
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            unsigned char* cadence = &bytes[size_t(y) * pitch + x / c.pixels * c.bytes];
            unsigned i = x % c.pixels;
            Pixel& p = frame.pixels[size_t(y) * width + x];
            if (c.pixels == 1) {
                p = {take(cadence, c, 0), take(cadence, c, 1), take(cadence, c, 2)};
            } else if (i % 2 == 0) {
                p = {take(cadence, c, 2 * i + 1), take(cadence, c, 2 * i),
                     take(cadence, c, 2 * i + 2)};
            } else {
                p = {take(cadence, c, 2 * i + 1), (&p)[-1].c1, (&p)[-1].c2};
            }
        }
    }
    for (unsigned char b : bytes) {
        frame.strayBytes += b != 0;
    }
    return frame;
}

} // namespace patternstest
