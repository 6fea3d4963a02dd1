// Packing a line into the store's bytes by single-byte shifts, as the decoder unpacks it.
#include "analysis/raw_line.h"

#include <algorithm>
#include <string>

namespace zyvodiag {
namespace {

void putWord(uint8_t* at, uint32_t word) {
    for (unsigned i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(word >> (8 * i));
    }
}

// Component k of the 4:2:2 stream Cb0 Y0 Cr0 Y1 ... of a line.
unsigned streamComponent(const Sample* line, unsigned width, size_t k) {
    const size_t x = k / 4 * 2;
    switch (k % 4) {
    case 0:
        return line[x].c[1];
    case 1:
        return line[x].c[0];
    case 2:
        return line[x].c[2];
    default:
        return x + 1 < width ? line[x + 1].c[0] : 0;
    }
}

void encode422(PixelLayout layout, const Sample* line, unsigned width, uint8_t* bytes,
               size_t size) {
    const size_t count = (size_t(width) + 1) / 2 * 4;
    for (size_t k = 0; k < count; ++k) {
        const unsigned value = streamComponent(line, width, k);
        if (layout == PixelLayout::YCbCr10) {
            uint8_t* word = bytes + 4 * (k / 3);
            const unsigned shift = 10 * unsigned(k % 3);
            uint32_t packed = uint32_t(word[0]) | uint32_t(word[1]) << 8 | uint32_t(word[2]) << 16 |
                              uint32_t(word[3]) << 24;
            putWord(word, packed | uint32_t(value & 0x3FF) << shift);
        } else if (layout == PixelLayout::YCbCr12) {
            uint8_t* at = bytes + 12 * k / 8;
            if (k % 2 == 0) {
                at[0] = static_cast<uint8_t>(value);
                at[1] = static_cast<uint8_t>((at[1] & 0xF0u) | ((value >> 8) & 0x0Fu));
            } else {
                at[0] = static_cast<uint8_t>((at[0] & 0x0Fu) | (value & 0x0Fu) << 4);
                at[1] = static_cast<uint8_t>(value >> 4);
            }
        } else if (k < size) {
            bytes[k] = static_cast<uint8_t>(value);
        }
    }
}

} // namespace

void encodeLine(PixelLayout layout, const Sample* line, unsigned width,
                std::vector<uint8_t>& bytes) {
    bytes.assign(minimumPitch(layout, width), 0);
    if (isYCbCr(layout)) {
        encode422(layout, line, width, bytes.data(), bytes.size());
        return;
    }
    for (unsigned x = 0; x < width; ++x) {
        uint8_t* p = &bytes[size_t(x) * 4];
        const Sample& s = line[x];
        if (layout == PixelLayout::RGB10) {
            putWord(p, uint32_t(s.c[0] & 0x3FF) | uint32_t(s.c[1] & 0x3FF) << 10 |
                           uint32_t(s.c[2] & 0x3FF) << 20);
        } else if (layout == PixelLayout::PanelARGB8) {
            p[1] = static_cast<uint8_t>(s.c[0]);
            p[2] = static_cast<uint8_t>(s.c[1]);
            p[3] = static_cast<uint8_t>(s.c[2]);
        } else {
            p[0] = static_cast<uint8_t>(s.c[0]);
            p[1] = static_cast<uint8_t>(s.c[1]);
            p[2] = static_cast<uint8_t>(s.c[2]);
        }
    }
}

void decodeLine(PixelLayout layout, const std::vector<uint8_t>& bytes, unsigned width,
                Sample* out) {
    const FrameShape shape{layout, width, 1, unsigned(bytes.size())};
    DecodedFrame line;
    std::string error;
    if (decodeFrame(bytes.data(), bytes.size(), shape, line, error)) {
        std::copy(line.samples.begin(), line.samples.end(), out);
    }
}

} // namespace zyvodiag
