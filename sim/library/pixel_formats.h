// How each pixel format lays a line of pixels out in device memory.
#pragma once

#include "ZyvoTypes.h"

#include <vector>

namespace zyvosim {

// A line is stored as whole cadences: the smallest group of pixels that starts on a byte
// boundary and repeats along the line.
struct PixelFormatFacts {
    ZyvoPixelFormat format;
    const char* name;
    unsigned pixelsPerCadence;
    unsigned bytesPerCadence;
};

const std::vector<PixelFormatFacts>& pixelFormats();
// The facts of `format`, or null when the device does not know it.
const PixelFormatFacts* findPixelFormat(ZyvoPixelFormat format);
// Bytes one line of `width` pixels takes: the last cadence is stored whole even when the line
// ends inside it.
unsigned linePitch(const PixelFormatFacts& facts, unsigned width);

} // namespace zyvosim
