// How far a found frame is from the expected one, in numbers and in a picture.
#pragma once

#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

struct FrameDifference {
    uint64_t pixels = 0;
    uint64_t differingPixels = 0;
    unsigned largest[3] = {0, 0, 0}; // per component, in code values of the layout's depth
    double psnr = 0; // dB over every component, peak = the largest code; infinite when equal
};

// Both frames must have the same raster and layout.
FrameDifference measureDifference(const DecodedFrame& expected, const DecodedFrame& found);

// The expected frame dimmed to grey, every differing pixel coloured by its largest component
// difference: blue for a code or two, through cyan, green and yellow, to red for full scale.
// No colour of the scale is a grey, so the marked pixels are exactly those not grey.
std::vector<uint8_t> differencePicture(const DecodedFrame& expected, const DecodedFrame& found);

// The colour of a difference of `codes` where the largest code is `peak`.
Rgb8 differenceColour(unsigned codes, unsigned peak);

// "Y", "Cb", "Cr" or "R", "G", "B".
const char* componentName(PixelLayout layout, unsigned component);

} // namespace zyvodiag
