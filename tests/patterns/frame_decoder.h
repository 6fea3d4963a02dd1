// Reads a generated frame back into pixels, from the documented byte layouts alone.
#pragma once

#include <vector>

namespace patternstest {

// Y, Cb, Cr or R, G, B. A 4:2:2 pixel carries the chroma of its pair.
struct Pixel {
    unsigned c0, c1, c2;
    bool operator==(const Pixel& o) const { return c0 == o.c0 && c1 == o.c1 && c2 == o.c2; }
};

struct DecodedFrame {
    unsigned width = 0;
    std::vector<Pixel> pixels;
    // Bytes with bits set where the layout holds no picture: components past the picture,
    // bits 30-31 of packed words, the fourth byte of 8-bit RGB.
    unsigned strayBytes = 0;

    const Pixel& at(unsigned x, unsigned y) const { return pixels[y * width + x]; }
};

// Bytes a line of `width` pixels takes, from the cadence of each layout.
unsigned expectedPitch(int pixelFormat, unsigned width);

// Draws `pattern` through the generator and decodes it; fails the test if drawing fails.
DecodedFrame drawAndDecode(int pattern, unsigned width, unsigned height, int pixelFormat);

} // namespace patternstest
