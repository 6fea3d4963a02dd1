// The tool's frame decoder on arbitrary bytes and shapes: a frame it accepts has every pixel,
// every component within the layout's depth, and converts to a whole picture.
#include "pictures/frame_decoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <iterator>

#include "fuzz_support.h"

namespace {

using zyvodiag::PixelLayout;

const PixelLayout kLayouts[] = {PixelLayout::YCbCr10, PixelLayout::YCbCr8,
                                PixelLayout::RGB8,    PixelLayout::RGB10,
                                PixelLayout::YCbCr12, PixelLayout::PanelARGB8};

// Mostly small rasters, so that many frames are whole; sometimes any side at all.
unsigned side(FuzzedDataProvider& input) {
    return input.ConsumeBool() ? input.ConsumeIntegralInRange<unsigned>(0, 64)
                               : input.ConsumeIntegral<unsigned>();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    zyvodiag::FrameShape shape{};
    shape.layout = input.ConsumeBool()
                       ? static_cast<PixelLayout>(input.ConsumeIntegral<int>())
                       : kLayouts[input.ConsumeIntegralInRange<size_t>(0, std::size(kLayouts) - 1)];
    shape.width = side(input);
    shape.height = side(input);
    // A pitch of whole cadences with some slack, or any pitch at all.
    bool knownLayout =
        std::find(std::begin(kLayouts), std::end(kLayouts), shape.layout) != std::end(kLayouts);
    if (knownLayout && shape.width <= zyvodiag::kMaxFrameSide && input.ConsumeBool()) {
        shape.pitch = static_cast<unsigned>(zyvodiag::minimumPitch(shape.layout, shape.width)) +
                      input.ConsumeIntegralInRange<unsigned>(0, 16);
    } else {
        shape.pitch = input.ConsumeIntegral<unsigned>();
    }
    std::vector<uint8_t> bytes = input.ConsumeRemainingBytes<uint8_t>();
    // Most frames get exactly the bytes their shape needs, zeros after the input's own.
    if (knownLayout && shape.height <= zyvodiag::kMaxFrameSide && !bytes.empty() &&
        (bytes[0] & 1) == 0 && size_t(shape.pitch) * shape.height <= (1u << 20)) {
        bytes.resize(size_t(shape.pitch) * shape.height);
    }

    zyvodiag::DecodedFrame frame;
    std::string error;
    if (!zyvodiag::decodeFrame(bytes.data(), bytes.size(), shape, frame, error)) {
        zyvofuzz::check(!error.empty(), "a refused frame says why");
        return 0;
    }
    zyvofuzz::check(bytes.size() == size_t(shape.pitch) * shape.height,
                    "an accepted frame is exactly pitch x height bytes");
    zyvofuzz::check(frame.width == shape.width && frame.height == shape.height,
                    "an accepted frame keeps its raster");
    zyvofuzz::check(frame.samples.size() == size_t(shape.width) * shape.height,
                    "an accepted frame has a sample for every pixel");
    const unsigned limit = 1u << zyvodiag::bitDepth(shape.layout);
    for (const zyvodiag::Sample& sample : frame.samples) {
        for (uint16_t component : sample.c) {
            zyvofuzz::check(component < limit, "a component stays within the layout's depth");
        }
    }
    zyvofuzz::check(zyvodiag::toRgb8(frame).size() == frame.samples.size() * 3,
                    "the picture has three bytes a pixel");
    return 0;
}
