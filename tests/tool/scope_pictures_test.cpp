// Waveforms and vectorscopes of pattern frames: the BT.709 targets where the codes put them,
// bars landing on them, and the graticule at the levels of the frame's depth.
#include "pictures/frame_decoder.h"
#include "pictures/scopes.h"
#include "pictures/vectorscope.h"
#include "pictures/waveform.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zyvodiag;

DecodedFrame bars(int pattern, PixelLayout layout, unsigned width = 1920, unsigned height = 1080) {
    std::vector<unsigned char> bytes;
    QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), width, height,
                                        static_cast<QEL_PixelFormat>(layout), bytes);
    DecodedFrame frame;
    std::string error;
    EXPECT_TRUE(decodeFrame(bytes.data(), bytes.size(),
                            {layout, width, height, unsigned(minimumPitch(layout, width))}, frame,
                            error))
        << error;
    return frame;
}

bool dark(Rgb8 p) {
    return p.r == 0 && p.g == 0 && p.b == 0;
}

// The vectorscope's trace is green-white; no graticule colour is.
bool trace(Rgb8 p) {
    return p.r > 0 && p.b > 0 && p.g > p.r && p.g > p.b;
}

TEST(VectorscopeTest, barTargetsAreTheBT709CodesAtEachDepth) {
    // Y, Cb, Cr of yellow, cyan, green, magenta, red and blue, computed at 10 bits.
    const unsigned at10[2][6][3] = {
        {{674, 176, 543},
         {581, 589, 176},
         {534, 253, 207},
         {251, 771, 817},
         {204, 435, 848},
         {111, 848, 481}},
        {{877, 64, 553},
         {754, 615, 64},
         {691, 167, 105},
         {313, 857, 919},
         {250, 409, 960},
         {127, 960, 471}},
    };
    const std::vector<BarTarget> targets = bt709BarTargets(10);
    ASSERT_EQ(targets.size(), 12u);
    for (unsigned i = 0; i < 12; ++i) {
        const BarTarget& t = targets[i];
        const unsigned* want = at10[i / 6][i % 6];
        EXPECT_EQ(t.percent, i < 6 ? 75u : 100u);
        EXPECT_TRUE(t.y == want[0] && t.cb == want[1] && t.cr == want[2])
            << t.percent << "% " << t.colour << ": " << t.y << "/" << t.cb << "/" << t.cr;
    }
    // 75% yellow at 8 and 12 bits: its own rounding, not the 10-bit codes shifted (2696/704/2172).
    const BarTarget yellow8 = bt709BarTargets(8)[0], yellow12 = bt709BarTargets(12)[0];
    EXPECT_TRUE(yellow8.y == 168 && yellow8.cb == 44 && yellow8.cr == 136);
    EXPECT_TRUE(yellow12.y == 2694 && yellow12.cb == 704 && yellow12.cr == 2171);

    // Cb across and Cr up, the neutral point in the middle.
    const ScopePoint neutral = VectorscopeLayout::point(512, 512, 10);
    const ScopePoint yellow = VectorscopeLayout::point(176, 543, 10);
    EXPECT_TRUE(neutral.x == 256 && neutral.y == 255);
    EXPECT_TRUE(yellow.x == 88 && yellow.y == 240) << yellow.x << ", " << yellow.y;
}

// Every bar of a 75% and a 100% bars frame lights the centre of its own target and no other;
// the trace lies on the targets of the frame's level or on the neutral point, nowhere else.
TEST(VectorscopeTest, aBarsFramesDotsLandOnItsTargets) {
    const struct {
        int pattern;
        unsigned percent;
        PixelLayout layout;
    } cases[] = {
        {1, 75, PixelLayout::YCbCr10}, {0, 100, PixelLayout::YCbCr10}, {1, 75, PixelLayout::YCbCr8},
        {0, 100, PixelLayout::RGB10},  {1, 75, PixelLayout::YCbCr12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.percent) + "% bars, layout " + std::to_string(int(c.layout)));
        const unsigned depth = bitDepth(c.layout);
        // Drawn in one read of the frame with the waveform, as the report draws it, and the same
        // picture as the vectorscope drawn alone.
        const DecodedFrame frame = bars(c.pattern, c.layout);
        const RgbImage scope = drawScopes(frame).vectorscope;
        ASSERT_TRUE(scope.rgb == drawVectorscope(frame).rgb);
        ASSERT_TRUE(scope.width == VectorscopeLayout::kSide && scope.height == scope.width);
        std::vector<ScopePoint> lit;
        for (const BarTarget& target : bt709BarTargets(depth)) {
            const ScopePoint at = VectorscopeLayout::point(target.cb, target.cr, depth);
            const Rgb8 centre = scope.at(at.x, at.y);
            EXPECT_EQ(trace(centre), target.percent == c.percent) << target.colour;
            if (target.percent == c.percent) {
                lit.push_back(at);
            }
        }
        lit.push_back(VectorscopeLayout::point(1u << (depth - 1), 1u << (depth - 1), depth));
        for (unsigned y = 0; y < scope.height; ++y) {
            for (unsigned x = 0; x < scope.width; ++x) {
                bool onTarget = false;
                for (const ScopePoint& at : lit) {
                    onTarget = onTarget || (std::abs(int(x) - int(at.x)) <= 1 &&
                                            std::abs(int(y) - int(at.y)) <= 1);
                }
                ASSERT_TRUE(onTarget || !trace(scope.at(x, y))) << x << ", " << y;
            }
        }
    }
}

TEST(WaveformTest, graticuleMarksTheLegalLevelsAndReservedCodesOfTheDepth) {
    const struct {
        PixelLayout layout;
        unsigned yLow, yHigh, cHigh; // 0: full range, no legal lines
        unsigned reservedBelow, reservedAbove;
    } cases[] = {
        {PixelLayout::YCbCr10, 64, 940, 960, 4, 1019},
        {PixelLayout::YCbCr8, 16, 235, 240, 1, 254},
        {PixelLayout::YCbCr12, 256, 3760, 3840, 16, 4079},
        {PixelLayout::RGB10, 0, 0, 0, 4, 1019},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("layout " + std::to_string(int(c.layout)));
        for (unsigned component = 0; component < 3; ++component) {
            const WaveformLevels levels = waveformLevels(c.layout, component);
            EXPECT_EQ(levels.legalLow, c.yLow);
            EXPECT_EQ(levels.legalHigh, component == 0 ? c.yHigh : c.cHigh);
            EXPECT_EQ(levels.reservedBelow, c.reservedBelow);
            EXPECT_EQ(levels.reservedAbove, c.reservedAbove);
        }
        // A black frame leaves the top half of every panel to the graticule alone.
        const DecodedFrame frame = bars(8, c.layout, 720, 486);
        const WaveformLayout layout(frame);
        const RgbImage scope = drawWaveform(frame);
        ASSERT_EQ(scope.width, layout.width());
        const unsigned top = (1u << layout.depth) - 1;
        for (unsigned component = 0; component < 3; ++component) {
            const unsigned x = layout.panelLeft(component) + layout.panelWidth / 2;
            // Full-range RGB has no peak line where narrow range would have one.
            const unsigned high = component == 0 ? c.yHigh : c.cHigh;
            EXPECT_EQ(c.yHigh != 0, !dark(scope.at(x, layout.row(high != 0 ? high : 940))))
                << component;
            EXPECT_FALSE(dark(scope.at(x, layout.row(top))));
            EXPECT_FALSE(dark(scope.at(x, layout.row(c.reservedAbove))));
            // Nothing between the reserved codes and the legal peak, nor just below the peak.
            EXPECT_TRUE(dark(scope.at(x, layout.row(c.reservedAbove) + 2)));
            EXPECT_TRUE(dark(scope.at(x, layout.row(c.reservedAbove - 40))));
        }
    }
}

// Each bar draws its level in its own place of each panel: Y | Cb | Cr, or R | G | B.
TEST(WaveformTest, eachBarsLevelsAppearInItsColumnOfEachPanel) {
    const struct {
        int pattern;
        PixelLayout layout;
        unsigned bar;      // 1: yellow, 6: blue
        unsigned codes[3]; // the bar's three components
    } cases[] = {
        {1, PixelLayout::YCbCr10, 1, {674, 176, 543}},
        {1, PixelLayout::YCbCr10, 6, {111, 848, 481}},
        {0, PixelLayout::RGB10, 1, {1023, 1023, 0}},
        {0, PixelLayout::YCbCr8, 6, {32, 240, 118}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("bar " + std::to_string(c.bar) + ", layout " + std::to_string(int(c.layout)));
        const DecodedFrame frame = bars(c.pattern, c.layout);
        const WaveformLayout layout(frame);
        const RgbImage scope = drawScopes(frame).waveform;
        ASSERT_TRUE(scope.rgb == drawWaveform(frame).rgb);
        const unsigned column = layout.column(frame.width * (2 * c.bar + 1) / 16, frame.width);
        for (unsigned component = 0; component < 3; ++component) {
            const unsigned x = layout.panelLeft(component) + column;
            const unsigned row = layout.row(c.codes[component]);
            EXPECT_FALSE(dark(scope.at(x, row))) << component;
            // A tenth of the range away it shows only what the black bar's column shows there:
            // the graticule.
            const unsigned code = c.codes[component], tenth = (1u << layout.depth) / 10;
            const unsigned away = layout.row(code > 5 * tenth ? code - tenth : code + tenth);
            const unsigned black =
                layout.panelLeft(component) + layout.column(frame.width * 15 / 16, frame.width);
            const Rgb8 there = scope.at(x, away), graticule = scope.at(black, away);
            EXPECT_TRUE(there.r == graticule.r && there.g == graticule.g && there.b == graticule.b)
                << component;
        }
    }
}

} // namespace
