// Writing symmetric lines of wave-table greys: whole packed pixels, grey cadences or samples.
#include "wave_lines.h"

#include <cstring>
#include <utility>

namespace zyvosim::patterns {
namespace {

// The formats of one pixel a cadence store it in one 32-bit word.
constexpr unsigned kPackedPixelBytes = 4;

bool sharesOneChroma(const WaveTable& wave) {
    const Sample& first = wave.entry(0);
    for (unsigned i = 1; i < WaveTable::kSize; ++i) {
        const Sample& sample = wave.entry(i);
        if (sample.c1 != first.c1 || sample.c2 != first.c2) {
            return false;
        }
    }
    return true;
}

} // namespace

SymmetricWaveLines::SymmetricWaveLines(const PixelLayout& layout, const WaveTable& wave,
                                       std::vector<uint32_t> columnPhase)
    : mLayout(layout), mWave(wave), mColumnPhase(std::move(columnPhase)),
      mWidth(static_cast<unsigned>(mColumnPhase.size())) {
    if (layout.pixelsPerCadence == 1 && layout.bytesPerCadence == kPackedPixelBytes) {
        mMethod = Method::PackedPixels;
        mPackedPixels.resize(size_t(WaveTable::kSize) * kPackedPixelBytes);
        for (unsigned i = 0; i < WaveTable::kSize; ++i) {
            layout.pack(&wave.entry(i), 1, &mPackedPixels[size_t(i) * kPackedPixelBytes]);
        }
    } else if (layout.packGreys != nullptr && sharesOneChroma(wave)) {
        mMethod = Method::GreyCadences;
        mLumaOfEntry.resize(WaveTable::kSize);
        for (unsigned i = 0; i < WaveTable::kSize; ++i) {
            mLumaOfEntry[i] = wave.entry(i).c0;
        }
        mLumas.resize(mWidth);
        mSamples.resize(layout.pixelsPerCadence);
    } else {
        mSamples.resize(mWidth);
    }
}

void SymmetricWaveLines::write(uint32_t linePhase, unsigned char* out) {
    switch (mMethod) {
    case Method::PackedPixels:
        writePackedPixels(linePhase, out);
        break;
    case Method::GreyCadences:
        writeGreyCadences(linePhase, out);
        break;
    case Method::Samples:
        writeSamples(linePhase, out);
        break;
    }
}

// Locals rather than members in the loops: the bytes written through `out` could alias the
// members, which would otherwise be read again for every pixel.
void SymmetricWaveLines::writePackedPixels(uint32_t linePhase, unsigned char* out) const {
    const unsigned char* greys = mPackedPixels.data();
    const uint32_t* columnPhase = mColumnPhase.data();
    const unsigned width = mWidth;
    unsigned char* left = out;
    unsigned char* right = out + size_t(width - 1) * kPackedPixelBytes;
    for (unsigned x = 0; x < (width + 1) / 2; ++x) {
        unsigned char grey[kPackedPixelBytes];
        std::memcpy(grey,
                    greys + WaveTable::indexOf(columnPhase[x] + linePhase) * kPackedPixelBytes,
                    kPackedPixelBytes);
        std::memcpy(left, grey, kPackedPixelBytes);
        std::memcpy(right, grey, kPackedPixelBytes);
        left += kPackedPixelBytes;
        right -= kPackedPixelBytes;
    }
}

// A last cadence the picture only partly fills is packed from samples, which gives its zero
// padding.
void SymmetricWaveLines::writeGreyCadences(uint32_t linePhase, unsigned char* out) {
    uint16_t* lumas = mLumas.data();
    const uint16_t* lumaOfEntry = mLumaOfEntry.data();
    const uint32_t* columnPhase = mColumnPhase.data();
    const unsigned width = mWidth;
    for (unsigned x = 0; x < (width + 1) / 2; ++x) {
        uint16_t luma = lumaOfEntry[WaveTable::indexOf(columnPhase[x] + linePhase)];
        lumas[x] = luma;
        lumas[width - 1 - x] = luma;
    }
    const Sample& chroma = mWave.entry(0);
    const unsigned cadence = mLayout.pixelsPerCadence;
    const size_t whole = mWidth / cadence;
    mLayout.packGreys(lumas, whole, chroma.c1, chroma.c2, out);
    const unsigned rest = mWidth - static_cast<unsigned>(whole * cadence);
    if (rest == 0) {
        return;
    }
    for (unsigned i = 0; i < rest; ++i) {
        mSamples[i] = {lumas[whole * cadence + i], chroma.c1, chroma.c2};
    }
    mLayout.pack(mSamples.data(), rest, out + whole * mLayout.bytesPerCadence);
}

void SymmetricWaveLines::writeSamples(uint32_t linePhase, unsigned char* out) {
    Sample* line = mSamples.data();
    for (unsigned x = 0; x < (mWidth + 1) / 2; ++x) {
        line[x] = mWave.at(mColumnPhase[x] + linePhase);
    }
    for (unsigned x = (mWidth + 1) / 2; x < mWidth; ++x) {
        line[x] = line[mWidth - 1 - x];
    }
    mLayout.pack(line, mWidth, out);
}

} // namespace zyvosim::patterns
