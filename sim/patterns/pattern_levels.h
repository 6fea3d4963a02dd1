// Code values of colours and greys at a pixel format's bit depth and colour encoding.
#pragma once

#include <cstdint>

namespace zyvosim::patterns {

// One pixel as code values at the target bit depth: Y, Cb, Cr for YCbCr formats, R, G, B for
// RGB formats. Patterns fill lines of samples; packers turn them into bytes.
struct Sample {
    uint16_t c0;
    uint16_t c1;
    uint16_t c2;
};

enum class Encoding { YCbCr, Rgb };

// YCbCr is BT.709 narrow range, RGB full range. Every level is computed at the target depth
// from its normalised value, never shifted up from 8 bits, so 12-bit bars carry their own
// rounding.
class Levels {
public:
    Levels(Encoding encoding, unsigned bits);

    // R'G'B' with 0 for black and 1 for 100%.
    Sample rgb(double r, double g, double b) const;
    // A neutral grey, 0 for black and 1 for white. Values beyond reach the format's limits:
    // YCbCr keeps some room below black and above white, full-range RGB none.
    Sample grey(double level) const;
    // A neutral grey by its code value (luma for YCbCr, all three for RGB).
    Sample greyCode(unsigned code) const;
    // A colour given as 10-bit narrow-range Y'CbCr codes, as signal standards name them.
    Sample ycbcr10(unsigned y, unsigned cb, unsigned cr) const;

    unsigned blackCode() const { return mBlack; }
    unsigned whiteCode() const { return mWhite; }

private:
    uint16_t quantize(double code) const;

    Encoding mEncoding;
    unsigned mBits;
    unsigned mBlack;
    unsigned mWhite;
    unsigned mNeutral; // chroma zero (YCbCr only)
    unsigned mLowest;  // lowest and highest codes a sample may take
    unsigned mHighest;
};

} // namespace zyvosim::patterns
