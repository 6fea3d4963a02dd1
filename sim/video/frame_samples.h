// The samples of a frame in device memory: where each one sits in its pixel format's packing.
#pragma once

#include "ZyvoTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zyvosim {

// A frame is `lines` lines of `pitch` bytes. A YCbCr line is the 4:2:2 sample stream
// Cb0 Y0 Cr0 Y1 Cb2 Y2 ..., an RGB line R G B per pixel; samples past the picture's width, in
// the last cadence of a line, are padding and belong to no picture.
struct FrameSamples {
    ZyvoPixelFormat pixelFormat;
    unsigned bits; // of every sample
    bool rgb;
    unsigned width; // pixels
    unsigned lines;
    size_t pitch; // bytes a line

    // Picture samples a line.
    unsigned perLine() const { return width * (rgb ? 3 : 2); }
    // Samples a pixel takes in the stream: 2 for 4:2:2, 3 for RGB.
    unsigned perPixel() const { return rgb ? 3 : 2; }
    unsigned maxCode() const { return (1u << bits) - 1; }

    uint16_t get(const uint8_t* frame, unsigned line, unsigned sample) const;
    void put(uint8_t* frame, unsigned line, unsigned sample, uint16_t value) const;
};

// The layout of a frame of `format` in `pixelFormat`; none for a format or pixel format the
// card does not know.
std::optional<FrameSamples> frameSamplesOf(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat);

// Which data line carries sample `sample` of a line.
enum class SampleChannel { Y, Cb, Cr, R, G, B };
SampleChannel channelOf(const FrameSamples& layout, unsigned sample);

// Every picture sample of the frame, line after line.
std::vector<uint16_t> unpackSamples(const FrameSamples& layout, const uint8_t* frame);
// Writes them back; padding and the unused bits of each word keep what they held.
void packSamples(const FrameSamples& layout, const std::vector<uint16_t>& samples, uint8_t* frame);

} // namespace zyvosim
