// BT.709 conversion of colours to code values at 8, 10 and 12 bits.
#include "pattern_levels.h"

#include <algorithm>
#include <cmath>

namespace zyvosim::patterns {
namespace {

// BT.709 luma coefficients.
constexpr double kKr = 0.2126;
constexpr double kKb = 0.0722;
constexpr double kKg = 1.0 - kKr - kKb;

} // namespace

// Narrow range at n bits is the 8-bit range scaled by 2^(n-8): black 16, white 235, chroma
// zero 128, chroma excursion 224. The codes kept for timing references (0 and the top code at
// 8 bits, 0-3 and 1020-1023 at 10, 0-15 and 4080-4095 at 12) are never produced.
Levels::Levels(Encoding encoding, unsigned bits) : mEncoding(encoding), mBits(bits) {
    unsigned scale = 1u << (bits - 8);
    unsigned top = (1u << bits) - 1;
    if (encoding == Encoding::Rgb) {
        mBlack = 0;
        mWhite = top;
        mNeutral = 0;
        mLowest = 0;
        mHighest = top;
    } else {
        mBlack = 16 * scale;
        mWhite = 235 * scale;
        mNeutral = 128 * scale;
        mLowest = scale;
        mHighest = top - scale;
    }
}

uint16_t Levels::quantize(double code) const {
    double clamped = std::clamp(code, double(mLowest), double(mHighest));
    return static_cast<uint16_t>(std::lround(clamped));
}

Sample Levels::rgb(double r, double g, double b) const {
    if (mEncoding == Encoding::Rgb) {
        return {quantize(r * mWhite), quantize(g * mWhite), quantize(b * mWhite)};
    }
    double y = kKr * r + kKg * g + kKb * b;
    double pb = (b - y) / (2.0 * (1.0 - kKb));
    double pr = (r - y) / (2.0 * (1.0 - kKr));
    double excursion = double(mWhite - mBlack);
    double chromaExcursion = 224.0 * double(1u << (mBits - 8));
    return {quantize(mBlack + excursion * y), quantize(mNeutral + chromaExcursion * pb),
            quantize(mNeutral + chromaExcursion * pr)};
}

Sample Levels::grey(double level) const {
    uint16_t code = quantize(mBlack + double(mWhite - mBlack) * level);
    return greyCode(code);
}

Sample Levels::greyCode(unsigned code) const {
    uint16_t c = static_cast<uint16_t>(std::min(std::max(code, mLowest), mHighest));
    if (mEncoding == Encoding::Rgb) {
        return {c, c, c};
    }
    return {c, static_cast<uint16_t>(mNeutral), static_cast<uint16_t>(mNeutral)};
}

// YCbCr formats take the codes as they are, rescaled to their depth; RGB formats take the
// R'G'B' the codes stand for, clipped to the full range.
Sample Levels::ycbcr10(unsigned y, unsigned cb, unsigned cr) const {
    if (mEncoding == Encoding::YCbCr) {
        double scale = std::ldexp(1.0, int(mBits) - 10);
        return {quantize(y * scale), quantize(cb * scale), quantize(cr * scale)};
    }
    double luma = (double(y) - 64.0) / 876.0;
    double pb = (double(cb) - 512.0) / 896.0;
    double pr = (double(cr) - 512.0) / 896.0;
    double r = luma + 2.0 * (1.0 - kKr) * pr;
    double b = luma + 2.0 * (1.0 - kKb) * pb;
    double g = (luma - kKr * r - kKb * b) / kKg;
    return rgb(r, g, b);
}

} // namespace zyvosim::patterns
