// Candidate impairments: bit faults from the statistics, the rest as line models to try.
#include "analysis/hypotheses.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zyvodiag {
namespace {

constexpr unsigned kShiftsKept = 2;

// How far a move is looked for: a quarter of the picture each way.
int shiftSearch(unsigned side) {
    return int(side / 4);
}

// Sums of all components along each line and down each column: enough to find how far a
// picture moved. Each profile leaves out the band a move within the search could fill with
// black, so that the band of a vertical move does not pull the horizontal one off, and the
// reverse: on a ramp it would.
void profiles(const DecodedFrame& frame, std::vector<double>& rows, std::vector<double>& columns) {
    rows.assign(frame.height, 0);
    columns.assign(frame.width, 0);
    const unsigned marginX = unsigned(shiftSearch(frame.width));
    const unsigned marginY = unsigned(shiftSearch(frame.height));
    // Every 8th column for a row and every 16th line for the columns, from the middle half.
    const unsigned everyLine = std::max(1u, std::min(16u, (frame.height - 2 * marginY) / 32));
    for (unsigned y = 0; y < frame.height; ++y) {
        const Sample* line = &frame.samples[size_t(y) * frame.width];
        uint64_t row = 0;
        for (unsigned x = marginX; x < frame.width - marginX; x += 8) {
            row += unsigned(line[x].c[0]) + line[x].c[1] + line[x].c[2];
        }
        rows[y] = double(row);
        if (y >= marginY && y < frame.height - marginY && (y - marginY) % everyLine == 0) {
            for (unsigned x = 0; x < frame.width; ++x) {
                columns[x] += double(unsigned(line[x].c[0]) + line[x].c[1] + line[x].c[2]);
            }
        }
    }
}

// The offsets d that best line up found[i] with expected[i - d], ignoring the band the move
// leaves uncovered; the smallest first among equals.
std::vector<int> bestOffsets(const std::vector<double>& expected,
                             const std::vector<double>& found) {
    const int n = int(expected.size());
    const int limit = std::min(shiftSearch(unsigned(n)), n - 1);
    std::vector<std::pair<double, int>> ranked;
    for (int d = -limit; d <= limit; ++d) {
        double sad = 0;
        int count = 0;
        // Beyond the moves of a few pixels, every fourth point tells the profiles apart.
        const int step = std::abs(d) <= 64 ? 1 : 4;
        for (int i = std::max(0, d); i < std::min(n, n + d); i += step) {
            sad += std::fabs(found[i] - expected[i - d]);
            ++count;
        }
        ranked.emplace_back(count > 0 ? sad / count : 0.0, d);
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : std::abs(a.second) < std::abs(b.second);
    });
    // A move of a pixel or a line hardly shows in a profile of fine detail: those are always
    // tried.
    std::vector<int> offsets{0};
    for (int d : {-1, 1}) {
        if (d <= limit && -d <= limit) {
            offsets.push_back(d);
        }
    }
    // The best offsets, and the neighbours of the best: a fill band that matches the picture's
    // own edge makes the profiles of d and d + 1 alike.
    unsigned kept = 0;
    for (const auto& entry : ranked) {
        if (kept == kShiftsKept) {
            break;
        }
        const int best = entry.second;
        for (int d : {best, best - 1, best + 1}) {
            const bool inside = d <= limit && -d <= limit;
            if (inside && (kept == 0 || d == best) &&
                std::find(offsets.begin(), offsets.end(), d) == offsets.end()) {
                offsets.push_back(d);
            }
        }
        ++kept;
    }
    return offsets;
}

// The black a move leaves behind: legal black and neutral chroma for YCbCr, black at 0 or at
// the legal level for RGB.
class Fill {
public:
    explicit Fill(PixelLayout layout)
        : mYCbCr(isYCbCr(layout)), mBlack(uint16_t(16u << (bitDepth(layout) - 8))),
          mNeutral(uint16_t(128u << (bitDepth(layout) - 8))) {}
    bool operator()(const Sample& s) const {
        if (mYCbCr) {
            return s.c[0] == mBlack && s.c[1] == mNeutral && s.c[2] == mNeutral;
        }
        return s.c[0] == s.c[1] && s.c[1] == s.c[2] && (s.c[0] == 0 || s.c[0] == mBlack);
    }

private:
    bool mYCbCr;
    uint16_t mBlack, mNeutral;
};

// The black bands along the edges of a frame: whole lines at the top and bottom, whole columns
// (of the middle lines) at the left and right. A band wider than any move looked for is no
// move's, and counts as none (-1): a black frame has nothing but bands.
struct Bands {
    int top = 0, bottom = 0, left = 0, right = 0;
};

Bands bandsOf(const DecodedFrame& frame) {
    const unsigned width = frame.width, height = frame.height;
    const Fill fill(frame.layout);
    const auto fillLine = [&](int y) {
        const Sample* line = &frame.samples[size_t(y) * width];
        // Every eighth pixel: a band only proposes a move, which is then tried line by line.
        for (unsigned x = 0; x < width; x += 8) {
            if (!fill(line[x])) {
                return false;
            }
        }
        return fill(line[width - 1]);
    };
    const auto fillColumn = [&](int x) {
        for (unsigned y = height / 4; y < height - height / 4; y += 8) {
            if (!fill(frame.at(unsigned(x), y))) {
                return false;
            }
        }
        return true;
    };
    const auto band = [](int limit, const auto& isFill) {
        int width = 0;
        while (width <= limit && isFill(width)) {
            ++width;
        }
        return width > limit ? -1 : width;
    };
    const int lines = int(height), columns = int(width);
    const int searchY = shiftSearch(height), searchX = shiftSearch(width);
    Bands bands;
    bands.top = band(searchY, fillLine);
    bands.bottom = band(searchY, [&](int i) { return fillLine(lines - 1 - i); });
    bands.left = band(searchX, fillColumn);
    bands.right = band(searchX, [&](int i) { return fillColumn(columns - 1 - i); });
    return bands;
}

} // namespace

std::vector<unsigned> bandEdgeLines(const DecodedFrame& found) {
    const Bands bands = bandsOf(found);
    const int height = int(found.height);
    std::vector<unsigned> lines;
    const int top = bands.top, bottom = bands.bottom;
    const int none = -2; // a side without a band of a move's width
    for (int y : {top >= 0 ? top - 1 : none, top >= 0 ? top : none,
                  bottom >= 0 ? height - bottom - 1 : none, bottom >= 0 ? height - bottom : none}) {
        if (y >= 0 && y < height) {
            lines.push_back(unsigned(y));
        }
    }
    return lines;
}

namespace {

// A band of black the found frame has and the expected one has not is the mark of a move: on a
// picture that is the same along a diagonal (a slant ramp) the profiles only tell the sum of the
// two moves, and the bands tell each.
void addBandOffsets(int expectedLow, int foundLow, int expectedHigh, int foundHigh,
                    std::vector<int>& offsets) {
    const bool low = expectedLow >= 0 && foundLow >= 0;
    const bool high = expectedHigh >= 0 && foundHigh >= 0;
    for (int d : {low ? foundLow - expectedLow : 0, high ? expectedHigh - foundHigh : 0}) {
        if (d != 0 && std::find(offsets.begin(), offsets.end(), d) == offsets.end()) {
            offsets.push_back(d);
        }
    }
}

void addShifts(const DecodedFrame& expected, const DecodedFrame& found,
               std::vector<Impairment>& out) {
    std::vector<double> expectedRows, expectedColumns, foundRows, foundColumns;
    profiles(expected, expectedRows, expectedColumns);
    profiles(found, foundRows, foundColumns);
    std::vector<int> dxs = bestOffsets(expectedColumns, foundColumns);
    std::vector<int> dys = bestOffsets(expectedRows, foundRows);
    const Bands expectedBands = bandsOf(expected), foundBands = bandsOf(found);
    addBandOffsets(expectedBands.left, foundBands.left, expectedBands.right, foundBands.right, dxs);
    addBandOffsets(expectedBands.top, foundBands.top, expectedBands.bottom, foundBands.bottom, dys);
    const bool rgb = !isYCbCr(expected.layout);
    for (int dy : dys) {
        for (int dx : dxs) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            // RGB: black at 0 or at the legal 64; YCbCr, an odd move: of pixels or of the stream.
            const bool variants = rgb || dx % 2 != 0;
            for (unsigned legalBlack = 0; legalBlack < (variants ? 2u : 1u); ++legalBlack) {
                Impairment shift;
                shift.kind = ImpairmentKind::Shift;
                shift.dx = dx;
                shift.dy = dy;
                shift.value = legalBlack;
                out.push_back(shift);
            }
        }
    }
}

Impairment of(ImpairmentKind kind) {
    Impairment impairment;
    impairment.kind = kind;
    return impairment;
}

} // namespace

std::vector<Hypothesis> bitFaultHypotheses(const FrameStatistics& stats, PixelLayout layout) {
    std::vector<Hypothesis> out;
    const unsigned depth = bitDepth(layout);
    for (unsigned channel = 0; channel < stats.channels; ++channel) {
        const LineStatistics& line = stats.line[channel];
        for (unsigned bit = 0; bit < depth; ++bit) {
            const uint64_t arrived0 = line.onlyBitDiffers[bit][0];
            const uint64_t arrived1 = line.onlyBitDiffers[bit][1];
            for (unsigned value = 0; value < 2; ++value) {
                const uint64_t explained = value != 0 ? arrived1 : arrived0;
                if (explained == 0) {
                    continue;
                }
                Hypothesis stuck{of(ImpairmentKind::StuckBit), {}, true};
                stuck.impairment.channel = channel;
                stuck.impairment.bit = bit;
                stuck.impairment.value = value;
                stuck.score = Score{stats.differing, explained, line.equalWithBit[bit][1 - value]};
                out.push_back(stuck);
            }
            if (arrived0 + arrived1 != 0) {
                Hypothesis inverted{of(ImpairmentKind::InvertedBit), {}, true};
                inverted.impairment.channel = channel;
                inverted.impairment.bit = bit;
                inverted.score =
                    Score{stats.differing, arrived0 + arrived1, line.samples - line.differing};
                out.push_back(inverted);
            }
        }
    }
    return out;
}

std::vector<Impairment> modelHypotheses(const DecodedFrame& expected, const DecodedFrame& found,
                                        const FrameStatistics& stats) {
    std::vector<Impairment> out;
    const unsigned depth = bitDepth(expected.layout);
    // A path cut to `bits` clears only the bits below depth - bits: the widest that still
    // clears the highest bit that arrived wrong is the widest worth a try.
    unsigned highest = 0;
    for (unsigned l = 0; l < stats.channels; ++l) {
        for (unsigned k = 0; k < depth; ++k) {
            highest = stats.line[l].flips[k] != 0 ? std::max(highest, k) : highest;
        }
    }
    for (unsigned bits = 1; bits + highest < depth; ++bits) {
        Impairment truncated = of(ImpairmentKind::Truncated);
        truncated.bits = bits;
        out.push_back(truncated);
    }
    for (Direction direction : {Direction::LegalToFull, Direction::FullToLegal}) {
        Impairment range = of(ImpairmentKind::Range);
        range.direction = direction;
        out.push_back(range);
    }
    out.push_back(of(ImpairmentKind::ChromaSwap));
    out.push_back(of(ImpairmentKind::LumaChromaOrder));
    if (expected.height > 1) {
        out.push_back(of(ImpairmentKind::FieldSwap));
    }
    out.push_back(of(ImpairmentKind::ByteSwap));
    for (Direction direction : {Direction::From709To601, Direction::From601To709}) {
        Impairment matrix = of(ImpairmentKind::Matrix);
        matrix.direction = direction;
        out.push_back(matrix);
    }
    addShifts(expected, found, out);
    return out;
}

int preference(const Impairment& impairment) {
    // A path cut short that fits as well as one stuck line does accounts for every data line,
    // the stuck line for its own alone: it comes first, and of two widths the wider, the smaller
    // fault, as the 8-bit path of a 10-bit card is.
    if (impairment.kind == ImpairmentKind::Truncated) {
        return 500 - int(impairment.bits);
    }
    const int rank = static_cast<int>(impairment.kind) * 1000;
    if (impairment.kind == ImpairmentKind::Shift) {
        return rank + std::abs(impairment.dx) + std::abs(impairment.dy);
    }
    return rank;
}

} // namespace zyvodiag
