// Reading and writing single samples in the packing of each pixel format, on the bytes of
// device memory, so the result is the same on hosts of either byte order.
#include "video/frame_samples.h"

#include "library/pixel_formats.h"
#include "library/video_formats.h"

#include <algorithm>

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

// YCbCr 10 and RGB 10 both hold three 10-bit samples a word, in stream order.
bool threeInAWord(ZyvoPixelFormat format) {
    return format == ZYVO_PixelFormat_YCbCr10 || format == ZYVO_PixelFormat_RGB10;
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

// A line at a time, with the slot of each sample worked out once a cadence: frames of 4K are
// unpacked and packed on every impaired capture.
std::vector<uint16_t> unpackSamples(const FrameSamples& layout, const uint8_t* frame) {
    const unsigned perLine = layout.perLine();
    std::vector<uint16_t> samples(size_t(layout.lines) * perLine);
    uint16_t* out = samples.data();
    for (unsigned line = 0; line < layout.lines; ++line, out += perLine) {
        const uint8_t* in = frame + line * layout.pitch;
        unsigned i = 0;
        if (threeInAWord(layout.pixelFormat)) {
            for (; i + 3 <= perLine; i += 3, in += 4) {
                uint32_t word = wordAt(in);
                out[i] = word & 0x3ff;
                out[i + 1] = (word >> 10) & 0x3ff;
                out[i + 2] = (word >> 20) & 0x3ff;
            }
        } else if (layout.pixelFormat == ZYVO_PixelFormat_YCbCr12) {
            for (; i + 2 <= perLine; i += 2, in += 3) {
                uint32_t pair = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16;
                out[i] = pair & 0xfff;
                out[i + 1] = static_cast<uint16_t>(pair >> 12);
            }
        } else if (layout.pixelFormat == ZYVO_PixelFormat_YCbCr8) {
            std::copy(in, in + perLine, out);
            i = perLine;
        }
        for (; i < perLine; ++i) {
            out[i] = layout.get(frame, line, i);
        }
    }
    return samples;
}

void packSamples(const FrameSamples& layout, const std::vector<uint16_t>& samples, uint8_t* frame) {
    const unsigned perLine = layout.perLine();
    const uint16_t* in = samples.data();
    for (unsigned line = 0; line < layout.lines; ++line, in += perLine) {
        uint8_t* out = frame + line * layout.pitch;
        unsigned i = 0;
        if (threeInAWord(layout.pixelFormat)) {
            for (; i + 3 <= perLine; i += 3, out += 4) {
                uint32_t spare = wordAt(out) & 0xc0000000u;
                putWordAt(out,
                          spare | in[i] | uint32_t(in[i + 1]) << 10 | uint32_t(in[i + 2]) << 20);
            }
        } else if (layout.pixelFormat == ZYVO_PixelFormat_YCbCr12) {
            for (; i + 2 <= perLine; i += 2, out += 3) {
                uint32_t pair = uint32_t(in[i]) | uint32_t(in[i + 1]) << 12;
                out[0] = static_cast<uint8_t>(pair);
                out[1] = static_cast<uint8_t>(pair >> 8);
                out[2] = static_cast<uint8_t>(pair >> 16);
            }
        } else if (layout.pixelFormat == ZYVO_PixelFormat_YCbCr8) {
            for (; i < perLine; ++i) {
                out[i] = static_cast<uint8_t>(in[i]);
            }
        }
        for (; i < perLine; ++i) {
            layout.put(frame, line, i, in[i]);
        }
    }
}

} // namespace zyvosim
