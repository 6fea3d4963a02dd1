// Ramp patterns: horizontal, every-code-value and diagonal.
#include "pattern_drawers.h"
#include "pattern_lines.h"

#include <vector>

namespace zyvosim::patterns {

void drawRamp(PatternFrame& frame) {
    rampLine(frame.levels(), frame.scratch(), frame.width());
    frame.putLines(0, frame.height(), frame.scratch());
}

// One code value a pixel from black to white (0 to the top code in RGB), starting again at
// black after white. When a line is shorter than the run of codes, each line carries on where
// the one above stopped, so the frame still holds every code equally often. The lines are
// windows into one long run of codes.
void drawLinearRamp(PatternFrame& frame) {
    const Levels& levels = frame.levels();
    const unsigned width = frame.width();
    const unsigned count = levels.whiteCode() - levels.blackCode() + 1;
    std::vector<Sample> run(size_t(count) + width);
    for (size_t i = 0; i < run.size(); ++i) {
        run[i] = levels.greyCode(levels.blackCode() + unsigned(i % count));
    }
    if (width >= count) {
        frame.putLines(0, frame.height(), run.data());
        return;
    }
    PackedRun packed = frame.packRun(run.data(), run.size());
    for (unsigned y = 0; y < frame.height(); ++y) {
        frame.putWindow(y, packed, static_cast<unsigned long long>(y) * width % count);
    }
}

// Black at the top left corner to white at the bottom right, the level set by x + y: line y
// is the diagonal run shifted by y.
void drawSlantRamp(PatternFrame& frame) {
    const unsigned width = frame.width();
    const unsigned height = frame.height();
    const unsigned steps = width + height - 2;
    std::vector<Sample> run(size_t(width) + height - 1);
    for (unsigned t = 0; t < run.size(); ++t) {
        run[t] = frame.levels().grey(steps > 0 ? double(t) / steps : 0.0);
    }
    PackedRun packed = frame.packRun(run.data(), run.size());
    for (unsigned y = 0; y < height; ++y) {
        frame.putWindow(y, packed, y);
    }
}

} // namespace zyvosim::patterns
