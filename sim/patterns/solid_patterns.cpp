// Patterns of flat areas: bars, fields, the pathological check field, quadrants and borders.
#include "pattern_drawers.h"
#include "pattern_lines.h"

namespace zyvosim::patterns {
namespace {

// The SDI pathological signal in 10-bit codes: the upper half stresses the receiver's cable
// equaliser, the lower half its PLL.
constexpr unsigned kEqualiserLuma = 0x198;
constexpr unsigned kEqualiserChroma = 0x300;
constexpr unsigned kPllLuma = 0x110;
constexpr unsigned kPllChroma = 0x200;

struct Quadrants {
    Sample topLeft, topRight, bottomLeft, bottomRight;
};

// Every flat pattern is four quadrants, the upper half ending at line height / 2, the left at
// pixel width / 2, with an optional one-pixel white frame around the picture: two packed
// lines, copied, and two more for the frame.
void drawQuadrants(PatternFrame& frame, const Quadrants& q, bool border) {
    const unsigned width = frame.width();
    const unsigned height = frame.height();
    const Sample white = frame.levels().grey(1.0);
    Sample* line = frame.scratch();
    auto drawHalf = [&](Sample left, Sample right, unsigned first, unsigned end) {
        splitLine(left, right, line, width);
        if (border) {
            line[0] = white;
            line[width - 1] = white;
        }
        frame.putLines(first, end, line);
    };
    drawHalf(q.topLeft, q.topRight, 0, height / 2);
    drawHalf(q.bottomLeft, q.bottomRight, height / 2, height);
    if (border) {
        fillLine(white, line, width);
        frame.putLine(0, line);
        frame.putLine(height - 1, line);
    }
}

void drawUniform(PatternFrame& frame, Sample sample, bool border = false) {
    drawQuadrants(frame, {sample, sample, sample, sample}, border);
}

} // namespace

void drawBars100(PatternFrame& frame) {
    barsLine(frame.levels(), 1.0, frame.scratch(), frame.width());
    frame.putLines(0, frame.height(), frame.scratch());
}

void drawBars75(PatternFrame& frame) {
    barsLine(frame.levels(), 0.75, frame.scratch(), frame.width());
    frame.putLines(0, frame.height(), frame.scratch());
}

void drawCheckField(PatternFrame& frame) {
    const Levels& levels = frame.levels();
    Sample equaliser = levels.ycbcr10(kEqualiserLuma, kEqualiserChroma, kEqualiserChroma);
    Sample pll = levels.ycbcr10(kPllLuma, kPllChroma, kPllChroma);
    drawQuadrants(frame, {equaliser, equaliser, pll, pll}, false);
}

void drawFlatField(PatternFrame& frame) {
    drawUniform(frame, frame.levels().grey(0.5));
}

void drawBlack(PatternFrame& frame) {
    drawUniform(frame, frame.levels().grey(0.0));
}

void drawWhite(PatternFrame& frame) {
    drawUniform(frame, frame.levels().grey(1.0));
}

void drawBorder(PatternFrame& frame) {
    drawUniform(frame, frame.levels().grey(0.0), true);
}

void drawColorQuad(PatternFrame& frame) {
    const Levels& l = frame.levels();
    drawQuadrants(frame, {l.rgb(1, 0, 0), l.rgb(0, 1, 0), l.rgb(0, 0, 1), l.rgb(1, 1, 1)}, false);
}

void drawColorQuadBorder(PatternFrame& frame) {
    const Levels& l = frame.levels();
    drawQuadrants(frame, {l.rgb(1, 0, 0), l.rgb(0, 1, 0), l.rgb(0, 0, 1), l.rgb(1, 1, 1)}, true);
}

} // namespace zyvosim::patterns
