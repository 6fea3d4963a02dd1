// Packers from samples to bytes, one per pixel format. Bytes are assembled with shifts so the
// frame is the same on hosts of either byte order and word size.
#include "pixel_packers.h"

#include "QELTestPatternGen.h"

#include <algorithm>
#include <cstring>

namespace zyvosim::patterns {
namespace {

// A word as four bytes, least significant first. On a little-endian host that is the word's
// own layout, stored at once: compilers do not always merge the byte stores inside the
// cadence loops.
void putWord(unsigned char* out, uint32_t word) {
#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__) &&                                 \
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(out, &word, sizeof word);
#else
    out[0] = static_cast<unsigned char>(word);
    out[1] = static_cast<unsigned char>(word >> 8);
    out[2] = static_cast<unsigned char>(word >> 16);
    out[3] = static_cast<unsigned char>(word >> 24);
#endif
}

// The 4:2:2 formats carry the component stream Cb0 Y0 Cr0 Y1 Cb2 Y2 ..., chroma taken from
// the even (co-sited) pixel of each pair. Each word or byte group is assembled and written in
// turn, which also keeps the compiler from shuffling whole cadences through vector registers.

// Three 10-bit components in bits 0-9, 10-19 and 20-29 of a word, bits 30-31 zero.
uint32_t word10(uint32_t low, uint32_t middle, uint32_t high) {
    return low | (middle << 10) | (high << 20);
}

// Six pixels, twelve components, four little-endian words.
void cadenceYCbCr10(const Sample* p, unsigned char* out) {
    putWord(out, word10(p[0].c1, p[0].c0, p[0].c2));
    putWord(out + 4, word10(p[1].c0, p[2].c1, p[2].c0));
    putWord(out + 8, word10(p[2].c2, p[3].c0, p[4].c1));
    putWord(out + 12, word10(p[4].c0, p[4].c2, p[5].c0));
}

void cadenceYCbCr8(const Sample* p, unsigned char* out) {
    out[0] = static_cast<unsigned char>(p[0].c1);
    out[1] = static_cast<unsigned char>(p[0].c0);
    out[2] = static_cast<unsigned char>(p[0].c2);
    out[3] = static_cast<unsigned char>(p[1].c0);
}

// Two 12-bit components of the little-endian bit stream fill three bytes.
void putPair12(unsigned char* out, uint32_t first, uint32_t second) {
    uint32_t bits = first | (second << 12);
    out[0] = static_cast<unsigned char>(bits);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits >> 16);
}

// Eight pixels, sixteen 12-bit components as a little-endian bit stream: component k holds
// stream bits 12k to 12k+11.
void cadenceYCbCr12(const Sample* p, unsigned char* out) {
    for (unsigned pair = 0; pair < 4; ++pair, p += 2, out += 6) {
        putPair12(out, p[0].c1, p[0].c0);
        putPair12(out + 3, p[0].c2, p[1].c0);
    }
}

void cadenceRgb8(const Sample* pixel, unsigned char* out) {
    out[0] = static_cast<unsigned char>(pixel->c0);
    out[1] = static_cast<unsigned char>(pixel->c1);
    out[2] = static_cast<unsigned char>(pixel->c2);
    out[3] = 0;
}

void cadenceRgb10(const Sample* pixel, unsigned char* out) {
    putWord(out, word10(pixel->c0, pixel->c1, pixel->c2));
}

// The same cadences for greys of one chroma: y holds the lumas of the cadence's pixels.
void greyCadenceYCbCr10(const uint16_t* y, uint32_t cb, uint32_t cr, unsigned char* out) {
    putWord(out, word10(cb, y[0], cr));
    putWord(out + 4, word10(y[1], cb, y[2]));
    putWord(out + 8, word10(cr, y[3], cb));
    putWord(out + 12, word10(y[4], cr, y[5]));
}

void greyCadenceYCbCr8(const uint16_t* y, uint32_t cb, uint32_t cr, unsigned char* out) {
    out[0] = static_cast<unsigned char>(cb);
    out[1] = static_cast<unsigned char>(y[0]);
    out[2] = static_cast<unsigned char>(cr);
    out[3] = static_cast<unsigned char>(y[1]);
}

void greyCadenceYCbCr12(const uint16_t* y, uint32_t cb, uint32_t cr, unsigned char* out) {
    for (unsigned pair = 0; pair < 4; ++pair, y += 2, out += 6) {
        putPair12(out, cb, y[0]);
        putPair12(out + 3, cr, y[1]);
    }
}

template <unsigned pixels, unsigned bytes,
          void (*cadence)(const uint16_t*, uint32_t, uint32_t, unsigned char*)>
void packGreyCadences(const uint16_t* lumas, size_t cadences, uint16_t cb, uint16_t cr,
                      unsigned char* out) {
    for (size_t i = 0; i < cadences; ++i) {
        cadence(lumas + i * pixels, cb, cr, out + i * bytes);
    }
}

// Whole cadences straight from the line; a last cadence that runs past the picture is packed
// from a copy whose missing pixels are all-zero samples, which gives the zero padding.
template <unsigned pixels, unsigned bytes, void (*cadence)(const Sample*, unsigned char*)>
void packLine(const Sample* line, unsigned width, unsigned char* out) {
    unsigned whole = width / pixels;
    for (unsigned i = 0; i < whole; ++i) {
        cadence(line + size_t(i) * pixels, out + size_t(i) * bytes);
    }
    unsigned rest = width - whole * pixels;
    if (rest == 0) {
        return;
    }
    Sample padded[pixels] = {};
    std::copy(line + size_t(whole) * pixels, line + width, padded);
    cadence(padded, out + size_t(whole) * bytes);
}

// The cadences are those of the frame store (sim/library/pixel_formats.cpp); the generator keeps
// its own copy because the packers are written for exactly these groupings, and the tests hold the
// two equal for every raster.
const PixelLayout kLayouts[] = {
    {QEL_PixelFormat_YCbCr10, Encoding::YCbCr, 10, 6, 16, packLine<6, 16, cadenceYCbCr10>,
     packGreyCadences<6, 16, greyCadenceYCbCr10>},
    {QEL_PixelFormat_YCbCr8, Encoding::YCbCr, 8, 2, 4, packLine<2, 4, cadenceYCbCr8>,
     packGreyCadences<2, 4, greyCadenceYCbCr8>},
    {QEL_PixelFormat_RGB8, Encoding::Rgb, 8, 1, 4, packLine<1, 4, cadenceRgb8>, nullptr},
    {QEL_PixelFormat_RGB10, Encoding::Rgb, 10, 1, 4, packLine<1, 4, cadenceRgb10>, nullptr},
    {QEL_PixelFormat_YCbCr12, Encoding::YCbCr, 12, 8, 24, packLine<8, 24, cadenceYCbCr12>,
     packGreyCadences<8, 24, greyCadenceYCbCr12>},
};

} // namespace

const PixelLayout* findPixelLayout(int32_t pixelFormat) {
    for (const PixelLayout& layout : kLayouts) {
        if (layout.pixelFormat == pixelFormat) {
            return &layout;
        }
    }
    return nullptr;
}

} // namespace zyvosim::patterns
