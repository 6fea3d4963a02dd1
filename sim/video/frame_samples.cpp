// Reading and writing single samples in the packing of each pixel format, on the bytes of
// device memory, so the result is the same on hosts of either byte order.
#include "video/frame_samples.h"

#include "library/pixel_formats.h"
#include "library/video_formats.h"

namespace zyvosim {
namespace {

// A little-endian 32-bit word of device memory.
uint32_t wordAt(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void putWordAt(uint8_t* bytes, uint32_t word) {
    for (unsigned i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(word >> (8 * i));
    }
}

// Where a sample lies in its line: `width` bits at bit `shift` of the little-endian bytes from
// `byte` on (at most three of them).
struct Slot {
    size_t byte;
    unsigned shift;
    unsigned width;
    unsigned bytes;
};

// YCbCr 10: three samples a word in bits 0-9, 10-19, 20-29. YCbCr 8: a byte each. YCbCr 12: a
// little-endian bit stream, sample k in bits 12k to 12k+11. RGB 8: R G B and a spare byte. RGB
// 10: R G B in bits 0-9, 10-19, 20-29 of a word.
Slot slotOf(ZyvoPixelFormat format, unsigned sample) {
    switch (format) {
    case ZYVO_PixelFormat_YCbCr10:
        return Slot{size_t(sample / 3) * 4, 10 * (sample % 3), 10, 4};
    case ZYVO_PixelFormat_YCbCr12:
        return Slot{size_t(sample / 2) * 3, 12 * (sample % 2), 12, 3};
    case ZYVO_PixelFormat_RGB8:
        return Slot{size_t(sample / 3) * 4 + sample % 3, 0, 8, 1};
    case ZYVO_PixelFormat_RGB10:
        return Slot{size_t(sample / 3) * 4, 10 * (sample % 3), 10, 4};
    default:
        return Slot{sample, 0, 8, 1};
    }
}

uint32_t bitsAt(const uint8_t* bytes, const Slot& slot) {
    if (slot.bytes == 4) {
        return wordAt(bytes);
    }
    uint32_t bits = 0;
    for (unsigned i = 0; i < slot.bytes; ++i) {
        bits |= uint32_t(bytes[i]) << (8 * i);
    }
    return bits;
}

void putBitsAt(uint8_t* bytes, const Slot& slot, uint32_t bits) {
    if (slot.bytes == 4) {
        putWordAt(bytes, bits);
        return;
    }
    for (unsigned i = 0; i < slot.bytes; ++i) {
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

} // namespace

uint16_t FrameSamples::get(const uint8_t* frame, unsigned line, unsigned sample) const {
    Slot slot = slotOf(pixelFormat, sample);
    const uint8_t* at = frame + line * pitch + slot.byte;
    return static_cast<uint16_t>((bitsAt(at, slot) >> slot.shift) & ((1u << slot.width) - 1));
}

void FrameSamples::put(uint8_t* frame, unsigned line, unsigned sample, uint16_t value) const {
    Slot slot = slotOf(pixelFormat, sample);
    uint8_t* at = frame + line * pitch + slot.byte;
    uint32_t mask = ((1u << slot.width) - 1) << slot.shift;
    uint32_t bits = (bitsAt(at, slot) & ~mask) | ((uint32_t(value) << slot.shift) & mask);
    putBitsAt(at, slot, bits);
}

std::optional<FrameSamples> frameSamplesOf(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    const VideoFormatFacts* video = findVideoFormat(format);
    const PixelFormatFacts* pixels = findPixelFormat(pixelFormat);
    if (video == nullptr || pixels == nullptr) {
        return std::nullopt;
    }
    bool rgb = pixelFormat == ZYVO_PixelFormat_RGB8 || pixelFormat == ZYVO_PixelFormat_RGB10;
    unsigned bits = slotOf(pixelFormat, 0).width;
    return FrameSamples{pixelFormat,  bits,          rgb,
                        video->width, video->height, linePitch(*pixels, video->width)};
}

SampleChannel channelOf(const FrameSamples& layout, unsigned sample) {
    if (layout.rgb) {
        const SampleChannel kRgb[] = {SampleChannel::R, SampleChannel::G, SampleChannel::B};
        return kRgb[sample % 3];
    }
    if (sample % 2 == 1) {
        return SampleChannel::Y;
    }
    return sample % 4 == 0 ? SampleChannel::Cb : SampleChannel::Cr;
}

std::vector<uint16_t> unpackSamples(const FrameSamples& layout, const uint8_t* frame) {
    std::vector<uint16_t> samples(size_t(layout.lines) * layout.perLine());
    size_t next = 0;
    for (unsigned line = 0; line < layout.lines; ++line) {
        for (unsigned sample = 0; sample < layout.perLine(); ++sample) {
            samples[next++] = layout.get(frame, line, sample);
        }
    }
    return samples;
}

void packSamples(const FrameSamples& layout, const std::vector<uint16_t>& samples, uint8_t* frame) {
    size_t next = 0;
    for (unsigned line = 0; line < layout.lines; ++line) {
        for (unsigned sample = 0; sample < layout.perLine(); ++sample) {
            layout.put(frame, line, sample, samples[next++]);
        }
    }
}

} // namespace zyvosim
