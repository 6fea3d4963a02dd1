// Candidate impairments: bit faults from the statistics, the rest as line models to try.
#include "analysis/hypotheses.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zyvodiag {
namespace {

constexpr int kShiftSearch = 64;
constexpr unsigned kShiftsKept = 2;

// Sums of all components along each line and down each column, on every 8th column or 16th line:
// enough to find how far a picture moved.
void profiles(const DecodedFrame& frame, std::vector<double>& rows, std::vector<double>& columns) {
    rows.assign(frame.height, 0);
    columns.assign(frame.width, 0);
    for (unsigned y = 0; y < frame.height; ++y) {
        const Sample* line = &frame.samples[size_t(y) * frame.width];
        uint64_t row = 0;
        for (unsigned x = 0; x < frame.width; x += 8) {
            row += unsigned(line[x].c[0]) + line[x].c[1] + line[x].c[2];
        }
        rows[y] = double(row);
        if (y % 16 == 0) {
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
    const int limit = std::min(kShiftSearch, n - 1);
    std::vector<std::pair<double, int>> ranked;
    for (int d = -limit; d <= limit; ++d) {
        double sad = 0;
        int count = 0;
        for (int i = std::max(0, d); i < std::min(n, n + d); ++i) {
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

void addShifts(const DecodedFrame& expected, const DecodedFrame& found,
               std::vector<Impairment>& out) {
    std::vector<double> expectedRows, expectedColumns, foundRows, foundColumns;
    profiles(expected, expectedRows, expectedColumns);
    profiles(found, foundRows, foundColumns);
    const std::vector<int> dxs = bestOffsets(expectedColumns, foundColumns);
    const std::vector<int> dys = bestOffsets(expectedRows, foundRows);
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

std::vector<Impairment> modelHypotheses(const DecodedFrame& expected, const DecodedFrame& found) {
    std::vector<Impairment> out;
    const unsigned depth = bitDepth(expected.layout);
    for (unsigned bits = 8; bits < depth; bits += 2) {
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
    if (isYCbCr(expected.layout)) {
        out.push_back(of(ImpairmentKind::LumaChromaOrder));
    }
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
    const int rank = static_cast<int>(impairment.kind) * 1000;
    if (impairment.kind == ImpairmentKind::Shift) {
        return rank + std::abs(impairment.dx) + std::abs(impairment.dy);
    }
    return rank;
}

} // namespace zyvodiag
