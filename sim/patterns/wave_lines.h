// Lines of greys from a wave table, symmetric about their centre, packed straight to bytes.
#pragma once

#include "pixel_packers.h"
#include "wave_table.h"

#include <cstdint>
#include <vector>

namespace zyvosim::patterns {

// Pixel x of a line is the table's grey at column phase x plus the line's phase, and pixel
// width-1-x is the same grey as pixel x, so only the left half is looked up. A pixel of a
// format of one pixel a cadence is copied whole from the table packed in that format; the
// 4:2:2 formats pack whole cadences from the lumas alone, as all the greys share one chroma.
// Other lines are packed from samples.
class SymmetricWaveLines {
public:
    // `wave` must outlive this object.
    SymmetricWaveLines(const PixelLayout& layout, const WaveTable& wave,
                       std::vector<uint32_t> columnPhase);

    // Writes the line of phase `linePhase` as one line pitch at `out`.
    void write(uint32_t linePhase, unsigned char* out);

private:
    enum class Method { PackedPixels, GreyCadences, Samples };

    void writePackedPixels(uint32_t linePhase, unsigned char* out) const;
    void writeGreyCadences(uint32_t linePhase, unsigned char* out);
    void writeSamples(uint32_t linePhase, unsigned char* out);

    const PixelLayout& mLayout;
    const WaveTable& mWave;
    std::vector<uint32_t> mColumnPhase;
    unsigned mWidth;
    Method mMethod = Method::Samples;
    std::vector<unsigned char> mPackedPixels; // kPackedPixelBytes for each table entry
    std::vector<uint16_t> mLumaOfEntry;
    std::vector<uint16_t> mLumas; // one line
    std::vector<Sample> mSamples; // one line
};

} // namespace zyvosim::patterns
