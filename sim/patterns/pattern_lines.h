// Single lines that several patterns share: bars, ramp, multiburst, pluge, halves.
#pragma once

#include "pattern_levels.h"

namespace zyvosim::patterns {

void fillLine(Sample sample, Sample* line, unsigned width);
// `left` over the first width / 2 pixels, `right` over the rest.
void splitLine(Sample left, Sample right, Sample* line, unsigned width);
// Eight equal bars, white, yellow, cyan, green, magenta, red, blue, black, at `level` of full
// amplitude (1 or 0.75).
void barsLine(const Levels& levels, double level, Sample* line, unsigned width);
// Black at the first pixel to white at the last.
void rampLine(const Levels& levels, Sample* line, unsigned width);
// A white and a black flag, then six frequency packets on a 50% grey pedestal.
void multiburstLine(const Levels& levels, Sample* line, unsigned width);
// Black, with patches 2% below black, 2% and 4% above black, and 100% white.
void plugeLine(const Levels& levels, Sample* line, unsigned width);

} // namespace zyvosim::patterns
