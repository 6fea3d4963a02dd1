// The shape and size of a frame store's frame for a video format and pixel format.
#pragma once

#include "pictures/frame_decoder.h"

#include "ZyvoTypes.h"

#include <string>

namespace zyvodiag {

// A frame as the diagnostics keep it in a raw file.
struct FrameFormat {
    ZyvoVideoFormat videoFormat;
    ZyvoPixelFormat pixelFormat;
};

// The device's frame for `format`: its raster, line pitch and frame buffer size (what
// ZyvoFrameBufferConfiguration gives). False, saying why, for a pixel format we cannot decode or
// a format the device has no frame for.
bool frameShapeOf(const FrameFormat& format, FrameShape& shape, size_t& frameSize,
                  std::string& error);

// "1080i 29.97 in YCbCr 8-bit" with the device's names.
std::string describe(const FrameFormat& format);

// The raster of the front-panel LCD, which its playout store holds as alpha, red, green, blue.
FrameShape panelShape(unsigned pitch, unsigned lines);

} // namespace zyvodiag
