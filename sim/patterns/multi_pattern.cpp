// The combination screen: 75% bars over a ramp, a multiburst strip and a pluge strip.
#include "pattern_drawers.h"
#include "pattern_lines.h"

namespace zyvosim::patterns {

// The bars take the upper half, where a monitor's colour decoding is judged; the lower half
// is shared by a ramp (linearity), a multiburst (frequency response) and a pluge (black level
// set-up), a sixth of the picture each.
void drawMultiPattern(PatternFrame& frame) {
    const Levels& levels = frame.levels();
    const unsigned width = frame.width();
    const unsigned height = frame.height();
    Sample* line = frame.scratch();

    barsLine(levels, 0.75, line, width);
    frame.putLines(0, shareOf(height, 3, 6), line);
    rampLine(levels, line, width);
    frame.putLines(shareOf(height, 3, 6), shareOf(height, 4, 6), line);
    multiburstLine(levels, line, width);
    frame.putLines(shareOf(height, 4, 6), shareOf(height, 5, 6), line);
    plugeLine(levels, line, width);
    frame.putLines(shareOf(height, 5, 6), height, line);
}

} // namespace zyvosim::patterns
