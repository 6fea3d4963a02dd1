// Frequency patterns: multiburst, line sweep and the circular zone plate.
#include "pattern_drawers.h"
#include "pattern_lines.h"
#include "wave_lines.h"
#include "wave_table.h"

#include <cmath>
#include <utility>
#include <vector>

namespace zyvosim::patterns {
namespace {

// Both sweeps end at 90% of the Nyquist frequency (0.5 cycles a pixel): close enough to show
// a filter's roll-off, far enough that the last cycles do not alias into a beat.
constexpr double kTopCyclesPerPixel = 0.45;

} // namespace

void drawMultiBurst(PatternFrame& frame) {
    multiburstLine(frame.levels(), frame.scratch(), frame.width());
    frame.putLines(0, frame.height(), frame.scratch());
}

// A linear chirp: the frequency grows from 0 at the first pixel to the top frequency at the
// last, so the phase grows with x squared. Black to white, starting as a sine at 50% grey.
void drawLineSweep(PatternFrame& frame) {
    const unsigned width = frame.width();
    const double last = width > 1 ? double(width - 1) : 1.0;
    WaveTable wave(frame.levels(), 0.5, 0.5);
    Sample* line = frame.scratch();
    for (unsigned x = 0; x < width; ++x) {
        double turns = kTopCyclesPerPixel * double(x) * double(x) / (2.0 * last);
        line[x] = wave.at(phaseOf(turns) - WaveTable::kQuarterTurn);
    }
    frame.putLines(0, frame.height(), line);
}

// Grey = 0.5 + 0.5 cos(k r^2) around the picture centre. The radial frequency k r / pi grows
// with r and reaches the top frequency at the corners. The phase splits into an x and a y
// term, so each pixel adds two table phases; the picture is symmetric both ways, so only the
// upper left quarter is looked up, the right half of a line is mirrored from the left and the
// lower half of the frame copied from the upper.
void drawZonePlate(PatternFrame& frame) {
    const unsigned width = frame.width();
    const unsigned height = frame.height();
    const double cx = (width - 1) / 2.0;
    const double cy = (height - 1) / 2.0;
    const double corner = std::sqrt(cx * cx + cy * cy);
    const double turnsPerSquare = corner > 0 ? kTopCyclesPerPixel / (2.0 * corner) : 0.0;

    std::vector<uint32_t> columnPhase(width);
    for (unsigned x = 0; x < width; ++x) {
        columnPhase[x] = phaseOf(turnsPerSquare * (x - cx) * (x - cx));
    }

    WaveTable wave(frame.levels(), 0.5, 0.5);
    SymmetricWaveLines lines(frame.layout(), wave, std::move(columnPhase));
    for (unsigned y = 0; y < (height + 1) / 2; ++y) {
        lines.write(phaseOf(turnsPerSquare * (y - cy) * (y - cy)), frame.lineAt(y));
        frame.copyLine(y, height - 1 - y);
    }
}

} // namespace zyvosim::patterns
