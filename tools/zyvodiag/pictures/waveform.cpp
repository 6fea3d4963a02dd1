// Waveform parades: the samples of each column counted per code value, drawn over the
// graticule of legal levels and reserved codes.
#include "pictures/waveform.h"

#include "pictures/bt709.h"

#include <algorithm>

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

// Samples counted per code row and panel column, component after component. Column by column:
// neighbouring pixels fall in the same column, so the counts touched stay in the cache.
std::vector<uint32_t> countSamples(const DecodedFrame& frame, const WaveformLayout& layout) {
    const unsigned rows = WaveformLayout::kRows;
    std::vector<uint32_t> counts(size_t(3) * rows * layout.panelWidth, 0);
    std::vector<unsigned> columnOf(frame.width);
    for (unsigned x = 0; x < frame.width; ++x) {
        columnOf[x] = layout.column(x, frame.width) * rows;
    }
    std::vector<uint32_t> rowOf(size_t(1) << layout.depth);
    for (unsigned code = 0; code < rowOf.size(); ++code) {
        rowOf[code] = layout.row(code);
    }
    const size_t panel = size_t(rows) * layout.panelWidth;
    {
        RunCounter first(counts.data()), second(counts.data() + panel),
            third(counts.data() + 2 * panel);
        for (const Sample *sample = frame.samples.data(), *end = sample + frame.samples.size();
             sample != end;) {
            for (unsigned x = 0; x < frame.width; ++x, ++sample) {
                first.add(columnOf[x] + rowOf[sample->c[0]]);
                second.add(columnOf[x] + rowOf[sample->c[1]]);
                third.add(columnOf[x] + rowOf[sample->c[2]]);
            }
        }
    }
    return counts;
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

RgbImage drawWaveform(const DecodedFrame& frame) {
    const WaveformLayout layout(frame);
    RgbImage picture(layout.width(), WaveformLayout::kRows);
    drawGraticule(picture, layout, frame.layout);
    const std::vector<uint32_t> counts = countSamples(frame, layout);
    // Full brightness for an eighth of the samples that fall in one panel column.
    const uint32_t perColumn = uint32_t(uint64_t(frame.width) * frame.height / layout.panelWidth);
    const TraceBrightness brightness(std::max(perColumn / 8, 1u));
    const uint32_t* count = counts.data();
    for (unsigned c = 0; c < 3; ++c) {
        const Rgb8 colour = traceColour(frame.layout, c);
        const unsigned left = layout.panelLeft(c);
        for (unsigned x = 0; x < layout.panelWidth; ++x) {
            for (unsigned y = 0; y < WaveformLayout::kRows; ++y, ++count) {
                if (*count != 0) {
                    picture.set(left + x, y,
                                traceOver(picture.at(left + x, y), colour, brightness(*count)));
                }
            }
        }
    }
    // At 8 bits a code owns two rows; the counts sit in its lowest, and the row above repeats it.
    if (layout.depth < 9) {
        const size_t rowBytes = size_t(picture.width) * 3;
        for (unsigned code = 0; code < 256; ++code) {
            const unsigned lowest = layout.row(code);
            std::copy_n(picture.rgb.begin() + ptrdiff_t(lowest * rowBytes), rowBytes,
                        picture.rgb.begin() + ptrdiff_t((lowest - 1) * rowBytes));
        }
    }
    return picture;
}

} // namespace zyvodiag
