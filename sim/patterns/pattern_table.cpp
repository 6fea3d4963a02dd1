// Pattern numbers to drawers.
#include "pattern_drawers.h"

#include "QELTestPatternGen.h"

namespace zyvosim::patterns {
namespace {

struct PatternEntry {
    QELTestPatternSelect pattern;
    PatternDrawer draw;
};

const PatternEntry kPatterns[] = {
    {QEL_TestPattern_Bars100, drawBars100},
    {QEL_TestPattern_Bars75, drawBars75},
    {QEL_TestPattern_Ramp, drawRamp},
    {QEL_TestPattern_MultiBurst, drawMultiBurst},
    {QEL_TestPattern_LineSweep, drawLineSweep},
    {QEL_TestPattern_CheckField, drawCheckField},
    {QEL_TestPattern_FlatField, drawFlatField},
    {QEL_TestPattern_MultiPattern, drawMultiPattern},
    {QEL_TestPattern_Black, drawBlack},
    {QEL_TestPattern_White, drawWhite},
    {QEL_TestPattern_Border, drawBorder},
    {QEL_TestPattern_LinearRamp, drawLinearRamp},
    {QEL_TestPattern_SlantRamp, drawSlantRamp},
    {QEL_TestPattern_ZoneWhite, drawZonePlate},
    {QEL_TestPattern_ColorQuad, drawColorQuad},
    {QEL_TestPattern_ColorQuadBorder, drawColorQuadBorder},
};

} // namespace

PatternDrawer findPatternDrawer(int32_t pattern) {
    for (const PatternEntry& entry : kPatterns) {
        if (entry.pattern == pattern) {
            return entry.draw;
        }
    }
    return nullptr;
}

} // namespace zyvosim::patterns
