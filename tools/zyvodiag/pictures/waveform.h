// The waveform of a frame: position across, code value up, one panel per component.
#pragma once

#include "pictures/frame_decoder.h"
#include "pictures/scope_picture.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

// Where things are in a waveform picture. Panels stand side by side, Y | Cb | Cr for YCbCr
// frames and R | G | B for RGB, with a gap between them; code values run from the bottom row
// (0) to the top.
struct WaveformLayout {
    static constexpr unsigned kRows = 512;
    static constexpr unsigned kGap = 8;
    static constexpr unsigned kMaxPanelWidth = 640;

    unsigned depth;      // bits of the frame's codes
    unsigned panelWidth; // columns of one panel: the frame's width, at most kMaxPanelWidth

    explicit WaveformLayout(const DecodedFrame& frame);
    unsigned width() const { return 3 * panelWidth + 2 * kGap; }
    // The first column of component `component`'s panel.
    unsigned panelLeft(unsigned component) const { return component * (panelWidth + kGap); }
    // The row showing `code` (a code takes several rows at 8 bits; this is the lowest).
    unsigned row(unsigned code) const;
    // The panel column showing the frame's column `x`.
    unsigned column(unsigned x, unsigned frameWidth) const {
        return unsigned(uint64_t(x) * panelWidth / frameWidth);
    }
};

// The lines a waveform marks for `component` of a layout, at the layout's own depth: the
// legal black and peak levels of YCbCr (none for full-range RGB) and the edges of the codes
// SDI reserves for timing (0-3 and 1020-1023 at 10 bits).
struct WaveformLevels {
    unsigned legalLow = 0, legalHigh = 0;  // 0 and 0 when the component has no legal range
    unsigned reservedBelow, reservedAbove; // codes below the first and above the last are reserved
};
WaveformLevels waveformLevels(PixelLayout layout, unsigned component);

// The samples of a frame counted per code row and panel column as its lines are handed in, so
// that one read of the frame can feed the vectorscope too; then drawn over the graticule.
class WaveformCounts {
public:
    explicit WaveformCounts(const DecodedFrame& frame);
    void addLine(const Sample* line); // the frame's next line, frame.width samples
    RgbImage draw() const;

private:
    WaveformLayout mLayout;
    PixelLayout mPixels;
    unsigned mWidth;
    std::vector<uint32_t> mColumnOf; // panel column of each frame column
    std::vector<uint32_t> mRowStart; // first cell of each code's row
    std::vector<uint16_t> mSmall;    // the counts, panel after panel, row after row, when a
    std::vector<uint32_t> mLarge;    // cell cannot pass 65535, else in 32 bits
    uint64_t mSamples = 0;
};

RgbImage drawWaveform(const DecodedFrame& frame);

} // namespace zyvodiag
