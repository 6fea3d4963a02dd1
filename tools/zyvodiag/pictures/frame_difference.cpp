// Pixel statistics and the difference picture of two decoded frames.
#include "pictures/frame_difference.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyvodiag {
namespace {

unsigned largestDifference(const Sample& a, const Sample& b) {
    unsigned largest = 0;
    for (unsigned c = 0; c < 3; ++c) {
        largest = std::max(largest, unsigned(std::abs(int(a.c[c]) - int(b.c[c]))));
    }
    return largest;
}

uint8_t mix(uint8_t from, uint8_t to, double t) {
    return static_cast<uint8_t>(std::lround(from + (to - from) * t));
}

} // namespace

FrameDifference measureDifference(const DecodedFrame& expected, const DecodedFrame& found) {
    FrameDifference difference;
    const size_t count = std::min(expected.samples.size(), found.samples.size());
    difference.pixels = count;
    double squares = 0;
    for (size_t i = 0; i < count; ++i) {
        const Sample& a = expected.samples[i];
        const Sample& b = found.samples[i];
        bool differs = false;
        for (unsigned c = 0; c < 3; ++c) {
            const int delta = int(a.c[c]) - int(b.c[c]);
            if (delta != 0) {
                differs = true;
                difference.largest[c] = std::max(difference.largest[c], unsigned(std::abs(delta)));
                squares += double(delta) * delta;
            }
        }
        difference.differingPixels += differs ? 1 : 0;
    }
    if (squares == 0 || count == 0) {
        difference.psnr = std::numeric_limits<double>::infinity();
    } else {
        const double peak = double((1u << bitDepth(expected.layout)) - 1);
        difference.psnr = 10.0 * std::log10(peak * peak / (squares / (3.0 * double(count))));
    }
    return difference;
}

Rgb8 differenceColour(unsigned codes, unsigned peak) {
    // A logarithmic scale: one code of error must show as clearly as a wrong colour.
    static const Rgb8 kStops[] = {
        {0, 0, 255}, {0, 255, 255}, {0, 255, 0}, {255, 255, 0}, {255, 0, 0}};
    double t = std::log1p(double(codes)) / std::log1p(double(std::max(peak, 1u)));
    t = std::min(std::max(t, 0.0), 1.0) * 4.0;
    const unsigned stop = std::min(unsigned(t), 3u);
    const double within = t - stop;
    const Rgb8& from = kStops[stop];
    const Rgb8& to = kStops[stop + 1];
    return Rgb8{mix(from.r, to.r, within), mix(from.g, to.g, within), mix(from.b, to.b, within)};
}

std::vector<uint8_t> differencePicture(const DecodedFrame& expected, const DecodedFrame& found) {
    const unsigned peak = (1u << bitDepth(expected.layout)) - 1;
    std::vector<uint8_t> rgb;
    rgb.reserve(expected.samples.size() * 3);
    for (size_t i = 0; i < expected.samples.size(); ++i) {
        const Sample& a = expected.samples[i];
        const unsigned codes =
            i < found.samples.size() ? largestDifference(a, found.samples[i]) : 0;
        Rgb8 colour;
        if (codes != 0) {
            colour = differenceColour(codes, peak);
        } else {
            // Dark enough that every marked pixel stands out, light enough to see the picture.
            const Rgb8 seen = toRgb8(a, expected.layout);
            const double luma = 0.2126 * seen.r + 0.7152 * seen.g + 0.0722 * seen.b;
            const auto grey = static_cast<uint8_t>(std::lround(24 + 0.3 * luma));
            colour = Rgb8{grey, grey, grey};
        }
        rgb.push_back(colour.r);
        rgb.push_back(colour.g);
        rgb.push_back(colour.b);
    }
    return rgb;
}

const char* componentName(PixelLayout layout, unsigned component) {
    static const char* const kYCbCr[] = {"Y", "Cb", "Cr"};
    static const char* const kRgb[] = {"R", "G", "B"};
    const unsigned which = component % 3;
    return isYCbCr(layout) ? kYCbCr[which] : kRgb[which];
}

} // namespace zyvodiag
