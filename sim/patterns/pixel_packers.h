// The memory layout of each pixel format: its cadence, encoding and line packer.
#pragma once

#include "pattern_levels.h"

#include <cstddef>
#include <cstdint>

namespace zyvosim::patterns {

// Writes one line of `width` samples as exactly one line pitch of bytes, zero past the picture.
using LinePacker = void (*)(const Sample* line, unsigned width, unsigned char* out);

// Writes `cadences` whole cadences of greys given by their luma codes, every one with chroma
// `cb` and `cr`: the bytes the line packer gives for those samples. Only the 4:2:2 formats
// have one; it lets lines of greys skip the samples.
using GreyPacker = void (*)(const uint16_t* lumas, size_t cadences, uint16_t cb, uint16_t cr,
                            unsigned char* out);

// A line is stored as whole cadences, the smallest group of pixels that fills whole bytes
// (whole 32-bit words for the packed formats).
struct PixelLayout {
    int32_t pixelFormat;
    Encoding encoding;
    unsigned bits;
    unsigned pixelsPerCadence;
    unsigned bytesPerCadence;
    LinePacker pack;
    GreyPacker packGreys; // null for the RGB formats
};

// The layout of `pixelFormat`, or null for a format the generator does not draw.
const PixelLayout* findPixelLayout(int32_t pixelFormat);

inline size_t linePitchOf(const PixelLayout& layout, unsigned width) {
    size_t cadences = (size_t(width) + layout.pixelsPerCadence - 1) / layout.pixelsPerCadence;
    return cadences * layout.bytesPerCadence;
}

} // namespace zyvosim::patterns
