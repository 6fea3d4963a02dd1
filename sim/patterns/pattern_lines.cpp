// The shared lines: each computes one line of samples that the caller repeats down the frame.
#include "pattern_lines.h"

#include "pattern_frame.h"
#include "wave_table.h"

#include <algorithm>

namespace zyvosim::patterns {
namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kBarColours[8] = {
    {1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0},
};

// Packet frequencies in cycles a pixel: the classic 0.5, 1, 2, 4, 6, 8 MHz series with the
// top packet at 80% of the Nyquist frequency. Counting in pixels rather than MHz scales the
// series with every raster's own sample rate.
constexpr double kBurstCyclesPerPixel[6] = {0.025, 0.05, 0.1, 0.2, 0.3, 0.4};
constexpr double kBurstMid = 0.5;
constexpr double kBurstAmplitude = 0.4;

// Pluge cells from left to right, as grey levels.
constexpr double kPlugeLevels[8] = {0, -0.02, 0, 0.02, 0, 0.04, 0, 1};

void fillSpan(Sample sample, Sample* line, unsigned first, unsigned end) {
    std::fill(line + first, line + end, sample);
}

} // namespace

void fillLine(Sample sample, Sample* line, unsigned width) {
    fillSpan(sample, line, 0, width);
}

void splitLine(Sample left, Sample right, Sample* line, unsigned width) {
    fillSpan(left, line, 0, width / 2);
    fillSpan(right, line, width / 2, width);
}

void barsLine(const Levels& levels, double level, Sample* line, unsigned width) {
    for (unsigned bar = 0; bar < 8; ++bar) {
        const Rgb& c = kBarColours[bar];
        fillSpan(levels.rgb(c.r * level, c.g * level, c.b * level), line, shareOf(width, bar, 8),
                 shareOf(width, bar + 1, 8));
    }
}

void rampLine(const Levels& levels, Sample* line, unsigned width) {
    double last = width > 1 ? double(width - 1) : 1.0;
    for (unsigned x = 0; x < width; ++x) {
        line[x] = levels.grey(x / last);
    }
}

// The flags take the first eighth of the line, half white and half black; the packets share
// the rest equally, each burst inset by a tenth of its cell so the pedestal separates them.
// Every burst starts as a sine on the pedestal.
void multiburstLine(const Levels& levels, Sample* line, unsigned width) {
    unsigned flagSplit = shareOf(width, 1, 16);
    unsigned flagsEnd = shareOf(width, 1, 8);
    fillSpan(levels.grey(1.0), line, 0, flagSplit);
    fillSpan(levels.grey(0.0), line, flagSplit, flagsEnd);

    WaveTable wave(levels, kBurstMid, kBurstAmplitude);
    unsigned span = width - flagsEnd;
    for (unsigned packet = 0; packet < 6; ++packet) {
        unsigned first = flagsEnd + shareOf(span, packet, 6);
        unsigned end = flagsEnd + shareOf(span, packet + 1, 6);
        fillSpan(levels.grey(kBurstMid), line, first, end);
        unsigned inset = (end - first) / 10;
        uint32_t step = phaseOf(kBurstCyclesPerPixel[packet]);
        uint32_t phase = 0u - WaveTable::kQuarterTurn;
        for (unsigned x = first + inset; x < end - inset; ++x, phase += step) {
            line[x] = wave.at(phase);
        }
    }
}

void plugeLine(const Levels& levels, Sample* line, unsigned width) {
    for (unsigned cell = 0; cell < 8; ++cell) {
        fillSpan(levels.grey(kPlugeLevels[cell]), line, shareOf(width, cell, 8),
                 shareOf(width, cell + 1, 8));
    }
}

} // namespace zyvosim::patterns
