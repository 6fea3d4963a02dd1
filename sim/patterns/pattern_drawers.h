// The drawers of the test patterns, one function per pattern number.
#pragma once

#include "pattern_frame.h"

#include <cstdint>

namespace zyvosim::patterns {

using PatternDrawer = void (*)(PatternFrame& frame);

// The drawer of pattern number `pattern` (QELTestPatternSelect), or null for an unknown one.
PatternDrawer findPatternDrawer(int32_t pattern);

// Fields of flat colour (solid_patterns.cpp).
void drawBars100(PatternFrame& frame);
void drawBars75(PatternFrame& frame);
void drawCheckField(PatternFrame& frame);
void drawFlatField(PatternFrame& frame);
void drawBlack(PatternFrame& frame);
void drawWhite(PatternFrame& frame);
void drawBorder(PatternFrame& frame);
void drawColorQuad(PatternFrame& frame);
void drawColorQuadBorder(PatternFrame& frame);

// Ramps (ramp_patterns.cpp).
void drawRamp(PatternFrame& frame);
void drawLinearRamp(PatternFrame& frame);
void drawSlantRamp(PatternFrame& frame);

// Frequency patterns (frequency_patterns.cpp).
void drawMultiBurst(PatternFrame& frame);
void drawLineSweep(PatternFrame& frame);
void drawZonePlate(PatternFrame& frame);

// The combination screen (multi_pattern.cpp).
void drawMultiPattern(PatternFrame& frame);

} // namespace zyvosim::patterns
