// Frame decoding by shifts on single bytes, so a big-endian host reads the same pixels.
#include "pictures/frame_decoder.h"

#include "pictures/bt709.h"

#include <algorithm>
#include <cmath>

namespace zyvodiag {
namespace {

struct Cadence {
    unsigned pixels;
    unsigned bytes;
};

Cadence cadenceOf(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::YCbCr10:
        return {6, 16};
    case PixelLayout::YCbCr8:
        return {2, 4};
    case PixelLayout::YCbCr12:
        return {8, 24};
    case PixelLayout::RGB8:
    case PixelLayout::RGB10:
    case PixelLayout::PanelARGB8:
        return {1, 4};
    }
    return {0, 0};
}

uint32_t littleEndianWord(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

// Component k of a line's 4:2:2 stream (Cb0 Y0 Cr0 Y1 Cb2 ...), wherever the layout puts it.
unsigned streamComponent(PixelLayout layout, const uint8_t* line, size_t k) {
    switch (layout) {
    case PixelLayout::YCbCr10:
        return (littleEndianWord(line + 4 * (k / 3)) >> (10 * (k % 3))) & 0x3FF;
    case PixelLayout::YCbCr12: {
        const uint8_t* at = line + 12 * k / 8;
        if (k % 2 == 0) {
            return at[0] | (at[1] & 0x0Fu) << 8;
        }
        return (at[0] >> 4) | unsigned(at[1]) << 4;
    }
    default:
        return line[k];
    }
}

// Whole cadences of a 10-bit line, six pixels from four words, as the SDI frames mostly are;
// the pixels decoded.
unsigned decodeYCbCr10Cadences(const uint8_t* line, unsigned width, Sample* out) {
    unsigned x = 0;
    for (; x + 6 <= width; x += 6) {
        uint16_t c[12]; // Cb0 Y0 Cr0 Y1 Cb2 Y2 Cr2 Y3 Cb4 Y4 Cr4 Y5
        for (unsigned w = 0; w < 4; ++w) {
            const uint32_t word = littleEndianWord(line + size_t(x) / 6 * 16 + 4 * w);
            for (unsigned k = 0; k < 3; ++k) {
                c[3 * w + k] = uint16_t((word >> (10 * k)) & 0x3FF);
            }
        }
        for (unsigned p = 0; p < 6; p += 2) {
            out[x + p] = Sample{{c[2 * p + 1], c[2 * p], c[2 * p + 2]}};
            out[x + p + 1] = Sample{{c[2 * p + 3], c[2 * p], c[2 * p + 2]}};
        }
    }
    return x;
}

void decode422Line(PixelLayout layout, const uint8_t* line, unsigned width, Sample* out) {
    const unsigned decoded =
        layout == PixelLayout::YCbCr10 ? decodeYCbCr10Cadences(line, width, out) : 0;
    for (unsigned x = decoded; x < width; x += 2) {
        const size_t k = size_t(x) * 2;
        const auto cb = static_cast<uint16_t>(streamComponent(layout, line, k));
        const auto cr = static_cast<uint16_t>(streamComponent(layout, line, k + 2));
        out[x] = Sample{{static_cast<uint16_t>(streamComponent(layout, line, k + 1)), cb, cr}};
        if (x + 1 < width) {
            out[x + 1] =
                Sample{{static_cast<uint16_t>(streamComponent(layout, line, k + 3)), cb, cr}};
        }
    }
}

void decodeWordLine(PixelLayout layout, const uint8_t* line, unsigned width, Sample* out) {
    for (unsigned x = 0; x < width; ++x) {
        const uint8_t* p = line + size_t(x) * 4;
        if (layout == PixelLayout::RGB10) {
            const uint32_t word = littleEndianWord(p);
            out[x] = Sample{{static_cast<uint16_t>(word & 0x3FF),
                             static_cast<uint16_t>((word >> 10) & 0x3FF),
                             static_cast<uint16_t>((word >> 20) & 0x3FF)}};
        } else if (layout == PixelLayout::PanelARGB8) {
            out[x] = Sample{{p[1], p[2], p[3]}};
        } else {
            out[x] = Sample{{p[0], p[1], p[2]}};
        }
    }
}

uint8_t toByte(double level) {
    if (!(level > 0.0)) {
        return 0;
    }
    if (level >= 1.0) {
        return 255;
    }
    return static_cast<uint8_t>(std::lround(level * 255.0));
}

} // namespace

bool layoutOfPixelFormat(int pixelFormat, PixelLayout& layout) {
    switch (pixelFormat) {
    case 1:
    case 2:
    case 4:
    case 5:
    case 23:
        layout = static_cast<PixelLayout>(pixelFormat);
        return true;
    default:
        return false;
    }
}

unsigned bitDepth(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::YCbCr10:
    case PixelLayout::RGB10:
        return 10;
    case PixelLayout::YCbCr12:
        return 12;
    default:
        return 8;
    }
}

bool isYCbCr(PixelLayout layout) {
    return layout == PixelLayout::YCbCr8 || layout == PixelLayout::YCbCr10 ||
           layout == PixelLayout::YCbCr12;
}

size_t minimumPitch(PixelLayout layout, unsigned width) {
    const Cadence cadence = cadenceOf(layout);
    if (cadence.pixels == 0) {
        return 0;
    }
    return (size_t(width) + cadence.pixels - 1) / cadence.pixels * cadence.bytes;
}

size_t frameBytes(const FrameShape& shape) {
    const uint64_t bytes = uint64_t(shape.pitch) * shape.height;
    return bytes > SIZE_MAX ? SIZE_MAX : static_cast<size_t>(bytes);
}

bool decodeFrame(const uint8_t* bytes, size_t size, const FrameShape& shape, DecodedFrame& frame,
                 std::string& error) {
    if (cadenceOf(shape.layout).pixels == 0) {
        error = "unknown pixel layout";
        return false;
    }
    if (shape.width == 0 || shape.height == 0 || shape.width > kMaxFrameSide ||
        shape.height > kMaxFrameSide) {
        error = "a raster of " + std::to_string(shape.width) + " x " +
                std::to_string(shape.height) + " pixels is not a picture";
        return false;
    }
    if (shape.pitch < minimumPitch(shape.layout, shape.width)) {
        error = "a line pitch of " + std::to_string(shape.pitch) + " bytes cannot hold " +
                std::to_string(shape.width) + " pixels";
        return false;
    }
    const uint64_t expected = uint64_t(shape.pitch) * shape.height;
    if (uint64_t(size) != expected || (size > 0 && bytes == nullptr)) {
        error = "the frame is " + std::to_string(size) + " bytes, not the " +
                std::to_string(expected) + " of " + std::to_string(shape.height) + " lines of " +
                std::to_string(shape.pitch) + " bytes";
        return false;
    }
    frame.width = shape.width;
    frame.height = shape.height;
    frame.layout = shape.layout;
    frame.samples.assign(size_t(shape.width) * shape.height, Sample{{0, 0, 0}});
    const bool chromaPairs = isYCbCr(shape.layout);
    for (unsigned y = 0; y < shape.height; ++y) {
        const uint8_t* line = bytes + size_t(y) * shape.pitch;
        Sample* out = &frame.samples[size_t(y) * shape.width];
        if (chromaPairs) {
            decode422Line(shape.layout, line, shape.width, out);
        } else {
            decodeWordLine(shape.layout, line, shape.width, out);
        }
    }
    return true;
}

Rgb8 toRgb8(const Sample& sample, PixelLayout layout) {
    const unsigned depth = bitDepth(layout);
    if (!isYCbCr(layout)) {
        const double peak = double((1u << depth) - 1);
        return Rgb8{toByte(sample.c[0] / peak), toByte(sample.c[1] / peak),
                    toByte(sample.c[2] / peak)};
    }
    // Narrow range at the sample's own depth: black at 16, white at 235, chroma 128 +- 112,
    // each times 2^(depth - 8).
    using namespace bt709;
    const double scale = double(1u << (depth - 8));
    const double luma = (sample.c[0] - kBlack * scale) / (kLumaRange * scale);
    const double pb = (sample.c[1] - kNeutral * scale) / (kChromaRange * scale);
    const double pr = (sample.c[2] - kNeutral * scale) / (kChromaRange * scale);
    // Green from the colour differences alone, so that neutral chroma gives exactly R = G = B
    // (a grey picture stays grey, and is written as one).
    const double r = luma + kCrScale * pr;
    const double b = luma + kCbScale * pb;
    const double g = luma - (kRed * kCrScale * pr + kBlue * kCbScale * pb) / kGreen;
    return Rgb8{toByte(r), toByte(g), toByte(b)};
}

std::vector<uint8_t> toRgb8(const DecodedFrame& frame) {
    // Test pictures hold few distinct samples (a zone plate's greys, a few bars), so a small
    // table of samples already converted saves nearly all the arithmetic, and gives exactly the
    // colours the arithmetic gives.
    struct Converted {
        Sample sample;
        Rgb8 colour;
        bool filled;
    };
    constexpr unsigned kIndexBits = 12;
    std::vector<Converted> converted(size_t(1) << kIndexBits, Converted{{{0, 0, 0}}, {}, false});
    std::vector<uint8_t> rgb(frame.samples.size() * 3);
    uint8_t* out = rgb.data();
    const Sample* previous = nullptr;
    for (const Sample& sample : frame.samples) {
        if (previous != nullptr && previous->c[0] == sample.c[0] && previous->c[1] == sample.c[1] &&
            previous->c[2] == sample.c[2]) {
            std::copy(out - 3, out, out);
            out += 3;
            continue;
        }
        previous = &sample;
        const uint32_t hash =
            (sample.c[0] * 0x9E3779B1u) ^ (sample.c[1] * 0x85EBCA77u) ^ (sample.c[2] * 0xC2B2AE3Du);
        Converted& slot = converted[hash >> (32 - kIndexBits)];
        if (!slot.filled || slot.sample.c[0] != sample.c[0] || slot.sample.c[1] != sample.c[1] ||
            slot.sample.c[2] != sample.c[2]) {
            slot = Converted{sample, toRgb8(sample, frame.layout), true};
        }
        out[0] = slot.colour.r;
        out[1] = slot.colour.g;
        out[2] = slot.colour.b;
        out += 3;
    }
    return rgb;
}

} // namespace zyvodiag
