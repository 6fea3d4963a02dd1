// Raw frame bytes to pixels for every frame store layout, needing no device and no libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

// How a frame store lays out its pixels. The numbers of the pixel formats are the device's;
// the front-panel picture has no pixel format number of its own.
enum class PixelLayout {
    YCbCr10 = 1,  // 4:2:2, six pixels in four little-endian words, three 10-bit components each
    YCbCr8 = 2,   // 4:2:2, Cb Y Cr Y bytes
    RGB8 = 4,     // R, G, B, 0 bytes
    RGB10 = 5,    // one little-endian word: R bits 0-9, G 10-19, B 20-29
    YCbCr12 = 23, // 4:2:2, eight pixels as a little-endian stream of 12-bit components
    PanelARGB8 = 1000, // the LCD's picture: alpha, red, green, blue bytes
};

// The layout of a device pixel format number; false for one the device does not store.
bool layoutOfPixelFormat(int pixelFormat, PixelLayout& layout);

struct FrameShape {
    PixelLayout layout;
    unsigned width;  // pixels a line
    unsigned height; // lines
    unsigned pitch;  // bytes from the start of one line to the start of the next
};

// The largest raster we decode: beyond what any device format has, small enough that a frame's
// pixel count cannot overflow.
constexpr unsigned kMaxFrameSide = 16384;

unsigned bitDepth(PixelLayout layout);
bool isYCbCr(PixelLayout layout);
// Bytes a line of `width` pixels takes at least: whole cadences.
size_t minimumPitch(PixelLayout layout, unsigned width);
size_t frameBytes(const FrameShape& shape);

// Three components at the layout's own depth: Y, Cb, Cr or R, G, B. A 4:2:2 pixel carries the
// chroma of the even pixel of its pair.
struct Sample {
    uint16_t c[3];
};

struct DecodedFrame {
    unsigned width = 0;
    unsigned height = 0;
    PixelLayout layout = PixelLayout::RGB8;
    std::vector<Sample> samples; // line after line

    const Sample& at(unsigned x, unsigned y) const { return samples[size_t(y) * width + x]; }
};

// False, with a sentence saying why, when the shape is not one we decode (unknown layout, a
// side of 0 or above kMaxFrameSide, a pitch too short for the width) or when `size` is not
// exactly pitch x height.
bool decodeFrame(const uint8_t* bytes, size_t size, const FrameShape& shape, DecodedFrame& frame,
                 std::string& error);

struct Rgb8 {
    uint8_t r, g, b;
};

// The colour a sample stands for: BT.709 narrow range for YCbCr, full range for RGB, rounded
// to 8 bits and clipped.
Rgb8 toRgb8(const Sample& sample, PixelLayout layout);

// The whole frame as 8-bit RGB triples, line after line (what a PNG holds).
std::vector<uint8_t> toRgb8(const DecodedFrame& frame);

} // namespace zyvodiag
