// Waveform parades: the samples of each column counted per code value, drawn over the
// graticule of legal levels and reserved codes.
#include "pictures/waveform.h"

#include "pictures/bt709.h"

#include <algorithm>
#include <cstdint>

namespace zyvodiag {
namespace {

const Rgb8 kReservedBand = {70, 0, 0};
const Rgb8 kReservedEdge = {200, 40, 40};
const Rgb8 kLegalLine = {190, 150, 0};
const Rgb8 kScaleLine = {38, 38, 38};
const Rgb8 kGapColour = {24, 24, 24};

// The trace of each panel in the colour of its component, so a parade reads at a glance.
Rgb8 traceColour(PixelLayout layout, unsigned component) {
    static const Rgb8 ycbcr[3] = {{235, 235, 235}, {120, 160, 255}, {255, 120, 120}};
    static const Rgb8 rgb[3] = {{255, 96, 96}, {96, 255, 96}, {120, 150, 255}};
    return isYCbCr(layout) ? ycbcr[component] : rgb[component];
}

// Adds one to a cell for each index it is given, keeping a run of equal indices in hand: the
// neighbouring pixels of a flat area, and the pixel pairs of 4:2:2 chroma, fall in one cell.
template <typename Count> class CellTally {
public:
    explicit CellTally(Count* counts) : mCounts(counts) {}
    void add(size_t index, uint32_t samples = 1) {
        if (index == mIndex) {
            mRun += samples;
            return;
        }
        mCounts[mIndex] = Count(mCounts[mIndex] + mRun);
        mIndex = index;
        mRun = samples;
    }
    void flush() {
        mCounts[mIndex] = Count(mCounts[mIndex] + mRun);
        mRun = 0;
    }

private:
    Count* mCounts;
    size_t mIndex = 0;
    uint32_t mRun = 0;
};

// A 4:2:2 pixel pair carries one Cb and one Cr: both pixels' chroma is counted at once when
// they fall in one panel column, which halves the chroma work of a line.
template <typename Count>
void countLine(const Sample* line, unsigned width, bool pairs,
               const std::vector<uint32_t>& columnOf, const std::vector<uint32_t>& rowStart,
               size_t panel, Count* counts) {
    const size_t codeMask = rowStart.size() - 1;
    CellTally<Count> first(counts), second(counts + panel), third(counts + 2 * panel);
    unsigned x = 0;
    for (; pairs && x + 1 < width; x += 2) {
        const Sample& even = line[x];
        const Sample& odd = line[x + 1];
        const uint32_t column = columnOf[x];
        first.add(column + rowStart[even.c[0] & codeMask]);
        first.add(columnOf[x + 1] + rowStart[odd.c[0] & codeMask]);
        if (columnOf[x + 1] == column && odd.c[1] == even.c[1] && odd.c[2] == even.c[2]) {
            second.add(column + rowStart[even.c[1] & codeMask], 2);
            third.add(column + rowStart[even.c[2] & codeMask], 2);
            continue;
        }
        for (unsigned at : {x, x + 1}) {
            second.add(columnOf[at] + rowStart[line[at].c[1] & codeMask]);
            third.add(columnOf[at] + rowStart[line[at].c[2] & codeMask]);
        }
    }
    for (; x < width; ++x) {
        const uint32_t column = columnOf[x];
        first.add(column + rowStart[line[x].c[0] & codeMask]);
        second.add(column + rowStart[line[x].c[1] & codeMask]);
        third.add(column + rowStart[line[x].c[2] & codeMask]);
    }
    first.flush();
    second.flush();
    third.flush();
}

// The trace of each panel over the graticule, a cell's brightness from its count.
template <typename Count>
void drawTraces(RgbImage& picture, const std::vector<Count>& counts, PixelLayout pixels,
                const WaveformLayout& layout, uint64_t samples) {
    // Full brightness for an eighth of the samples that fall in one panel column.
    const uint32_t perColumn = uint32_t(samples / layout.panelWidth);
    const TraceBrightness brightness(std::max(perColumn / 8, 1u));
    const Count* count = counts.data();
    for (unsigned c = 0; c < 3; ++c) {
        const Rgb8 colour = traceColour(pixels, c);
        const unsigned left = layout.panelLeft(c);
        for (unsigned y = 0; y < WaveformLayout::kRows; ++y) {
            for (unsigned x = 0; x < layout.panelWidth; ++x, ++count) {
                if (*count != 0) {
                    picture.set(left + x, y,
                                traceOver(picture.at(left + x, y), colour, brightness(*count)));
                }
            }
        }
    }
}

void fillRow(RgbImage& picture, unsigned left, unsigned width, unsigned row, Rgb8 colour) {
    for (unsigned x = left; x < left + width; ++x) {
        picture.set(x, row, colour);
    }
}

void drawGraticule(RgbImage& picture, const WaveformLayout& layout, PixelLayout pixels) {
    for (unsigned x : {layout.panelWidth, 2 * layout.panelWidth + WaveformLayout::kGap}) {
        for (unsigned y = 0; y < WaveformLayout::kRows; ++y) {
            for (unsigned g = 0; g < WaveformLayout::kGap; ++g) {
                picture.set(x + g, y, kGapColour);
            }
        }
    }
    const unsigned top = (1u << layout.depth) - 1;
    for (unsigned c = 0; c < 3; ++c) {
        const unsigned left = layout.panelLeft(c);
        // A faint scale every eighth of the range helps to read a level off.
        for (unsigned step = 1; step < 8; ++step) {
            fillRow(picture, left, layout.panelWidth, layout.row(step << (layout.depth - 3)),
                    kScaleLine);
        }
        const WaveformLevels levels = waveformLevels(pixels, c);
        for (unsigned code = 0; code < levels.reservedBelow; ++code) {
            fillRow(picture, left, layout.panelWidth, layout.row(code), kReservedBand);
        }
        for (unsigned code = levels.reservedAbove + 1; code <= top; ++code) {
            fillRow(picture, left, layout.panelWidth, layout.row(code), kReservedBand);
        }
        fillRow(picture, left, layout.panelWidth, layout.row(levels.reservedBelow), kReservedEdge);
        fillRow(picture, left, layout.panelWidth, layout.row(levels.reservedAbove), kReservedEdge);
        if (levels.legalHigh != 0) {
            fillRow(picture, left, layout.panelWidth, layout.row(levels.legalLow), kLegalLine);
            fillRow(picture, left, layout.panelWidth, layout.row(levels.legalHigh), kLegalLine);
        }
    }
}

} // namespace

WaveformLayout::WaveformLayout(const DecodedFrame& frame)
    : depth(bitDepth(frame.layout)), panelWidth(std::min(frame.width, kMaxPanelWidth)) {}

unsigned WaveformLayout::row(unsigned code) const {
    // 512 rows: two codes a row at 10 bits, eight at 12, and a code two rows high at 8 bits.
    return kRows - 1 - unsigned(uint64_t(code) * kRows >> depth);
}

WaveformLevels waveformLevels(PixelLayout layout, unsigned component) {
    const unsigned depth = bitDepth(layout);
    // At 10 bits and more the reserved codes are 4 per 10-bit step at each end; 8-bit video
    // reserves 0 and 255.
    const unsigned reserved = depth >= 10 ? 4u << (depth - 10) : 1u;
    WaveformLevels levels;
    levels.reservedBelow = reserved;
    levels.reservedAbove = (1u << depth) - 1 - reserved;
    if (isYCbCr(layout)) {
        const unsigned scale = 1u << (depth - 8);
        levels.legalLow = bt709::kBlack * scale;
        levels.legalHigh = (component == 0 ? bt709::kLumaPeak : bt709::kChromaPeak) * scale;
    }
    return levels;
}

WaveformCounts::WaveformCounts(const DecodedFrame& frame)
    : mLayout(frame), mPixels(frame.layout), mWidth(frame.width), mColumnOf(frame.width),
      mRowStart(size_t(1) << mLayout.depth) {
    for (unsigned x = 0; x < frame.width; ++x) {
        mColumnOf[x] = mLayout.column(x, frame.width);
    }
    for (unsigned code = 0; code < mRowStart.size(); ++code) {
        mRowStart[code] = mLayout.row(code) * mLayout.panelWidth;
    }
    // 16-bit counts where no cell can overflow them (every line of the frame columns of one
    // panel column) keep the counts of a 1080 frame in the cache.
    const uint64_t mostInCell =
        uint64_t(frame.height) * ((frame.width + mLayout.panelWidth - 1) / mLayout.panelWidth);
    const size_t cells = 3 * size_t(WaveformLayout::kRows) * mLayout.panelWidth;
    if (mostInCell <= UINT16_MAX) {
        mSmall.assign(cells, 0);
    } else {
        mLarge.assign(cells, 0);
    }
}

void WaveformCounts::addLine(const Sample* line) {
    const size_t panel = size_t(WaveformLayout::kRows) * mLayout.panelWidth;
    if (!mSmall.empty()) {
        countLine(line, mWidth, isYCbCr(mPixels), mColumnOf, mRowStart, panel, mSmall.data());
    } else {
        countLine(line, mWidth, isYCbCr(mPixels), mColumnOf, mRowStart, panel, mLarge.data());
    }
    mSamples += mWidth;
}

RgbImage WaveformCounts::draw() const {
    RgbImage picture(mLayout.width(), WaveformLayout::kRows);
    drawGraticule(picture, mLayout, mPixels);
    if (!mSmall.empty()) {
        drawTraces(picture, mSmall, mPixels, mLayout, mSamples);
    } else {
        drawTraces(picture, mLarge, mPixels, mLayout, mSamples);
    }
    // At 8 bits a code owns two rows; the counts sit in its lowest, and the row above repeats it.
    if (mLayout.depth < 9) {
        const size_t rowBytes = size_t(picture.width) * 3;
        for (unsigned code = 0; code < 256; ++code) {
            const unsigned lowest = mLayout.row(code);
            std::copy_n(picture.rgb.begin() + ptrdiff_t(lowest * rowBytes), rowBytes,
                        picture.rgb.begin() + ptrdiff_t((lowest - 1) * rowBytes));
        }
    }
    return picture;
}

RgbImage drawWaveform(const DecodedFrame& frame) {
    WaveformCounts counts(frame);
    for (unsigned y = 0; y < frame.height; ++y) {
        counts.addLine(&frame.samples[size_t(y) * frame.width]);
    }
    return counts.draw();
}

} // namespace zyvodiag
