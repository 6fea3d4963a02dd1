// Code values of bars, quadrants, fields and the pathological signal at each YCbCr depth and
// in 8-bit RGB, read back from the packed frame.
#include "frame_decoder.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

#include <iterator>

namespace patternstest {
namespace {

// Bars white, yellow, cyan, green, magenta, red, blue, black: BT.709 narrow range for YCbCr
// (RP 219 at 10 bits), full range for RGB.
struct BarLevels {
    int pixelFormat;
    Pixel bars100[8], bars75[8];
};
// clang-format off
const BarLevels kBars[] = {
    {2, {{235,128,128}, {219,16,138}, {188,154,16}, {173,42,26}, {78,214,230}, {63,102,240},
         {32,240,118}, {16,128,128}},
        {{180,128,128}, {168,44,136}, {145,147,44}, {133,63,52}, {63,193,204}, {51,109,212},
         {28,212,120}, {16,128,128}}},
    {1, {{940,512,512}, {877,64,553}, {754,615,64}, {691,167,105}, {313,857,919}, {250,409,960},
         {127,960,471}, {64,512,512}},
        {{721,512,512}, {674,176,543}, {581,589,176}, {534,253,207}, {251,771,817}, {204,435,848},
         {111,848,481}, {64,512,512}}},
    {23, {{3760,2048,2048}, {3507,256,2212}, {3015,2459,256}, {2762,667,420}, {1254,3429,3676},
          {1001,1637,3840}, {509,3840,1884}, {256,2048,2048}},
         {{2884,2048,2048}, {2694,704,2171}, {2325,2356,704}, {2136,1012,827}, {1004,3084,3269},
          {815,1740,3392}, {446,3392,1925}, {256,2048,2048}}},
    {4, {{255,255,255}, {255,255,0}, {0,255,255}, {0,255,0}, {255,0,255}, {255,0,0}, {0,0,255},
         {0,0,0}},
        {{191,191,191}, {191,191,0}, {0,191,191}, {0,191,0}, {191,0,191}, {191,0,0}, {0,0,191},
         {0,0,0}}},
};
// clang-format on

// Every pixel of every bar on the first and last line, at the HD and SD widths.
TEST(patterns_levels, barsCarryTheirLevelsAcrossEachBar) {
    for (const BarLevels& e : kBars) {
        for (unsigned width : {1920u, 720u}) {
            DecodedFrame full = drawAndDecode(QEL_TestPattern_Bars100, width, 4, e.pixelFormat);
            DecodedFrame bars75 = drawAndDecode(QEL_TestPattern_Bars75, width, 4, e.pixelFormat);
            for (unsigned y : {0u, 3u}) {
                for (unsigned x = 0; x < width; ++x) {
                    ASSERT_EQ(full.at(x, y), e.bars100[x * 8 / width]) << e.pixelFormat << " " << x;
                    ASSERT_EQ(bars75.at(x, y), e.bars75[x * 8 / width])
                        << e.pixelFormat << " " << x;
                }
            }
        }
    }
}

// Quadrants end at width / 2 and height / 2; the border variants put a one-pixel white frame
// over the picture's edge and nothing else. 4:2:2 pixels carry the chroma of the even pixel of
// their pair: the width puts the quadrant edge, like the right border, on an odd pixel.
TEST(patterns_levels, quadrantsAndBorders) {
    const unsigned w = 22, h = 10;
    for (const BarLevels& e : kBars) {
        const Pixel &white = e.bars100[0], &green = e.bars100[3], &red = e.bars100[5],
                    &blue = e.bars100[6], &black = e.bars100[7];
        auto quadrant = [&](unsigned x, unsigned y) {
            return y < h / 2 ? (x < w / 2 ? red : green) : (x < w / 2 ? blue : white);
        };
        auto edge = [&](unsigned x, unsigned y) { return !x || !y || x == w - 1 || y == h - 1; };
        auto framed = [&](unsigned x, unsigned y) { return edge(x, y) ? white : quadrant(x, y); };
        auto border = [&](unsigned x, unsigned y) { return edge(x, y) ? white : black; };
        auto sited = [&](auto expected, unsigned x, unsigned y) {
            bool rgb = e.pixelFormat == 4 || e.pixelFormat == 5;
            Pixel luma = expected(x, y), chroma = expected(rgb ? x : x & ~1u, y);
            return Pixel{luma.c0, chroma.c1, chroma.c2};
        };
        DecodedFrame quads = drawAndDecode(QEL_TestPattern_ColorQuad, w, h, e.pixelFormat);
        DecodedFrame quadsFramed =
            drawAndDecode(QEL_TestPattern_ColorQuadBorder, w, h, e.pixelFormat);
        DecodedFrame bordered = drawAndDecode(QEL_TestPattern_Border, w, h, e.pixelFormat);
        for (unsigned y = 0; y < h; ++y) {
            for (unsigned x = 0; x < w; ++x) {
                SCOPED_TRACE(testing::Message() << e.pixelFormat << " at " << x << "," << y);
                ASSERT_EQ(quads.at(x, y), sited(quadrant, x, y));
                ASSERT_EQ(quadsFramed.at(x, y), sited(framed, x, y));
                ASSERT_EQ(bordered.at(x, y), sited(border, x, y));
            }
        }
    }
}

// The pathological signal keeps its 10-bit codes at the format's depth; in RGB it is the
// colour those codes stand for. Pluge cells are luma (or every RGB component).
struct FieldLevels {
    int pixelFormat;
    Pixel grey, equaliser, pll;
    unsigned plugeBelow, plugeAbove2, plugeAbove4;
};
const FieldLevels kFields[] = {
    {2, {126, 128, 128}, {0x66, 0xC0, 0xC0}, {0x44, 0x80, 0x80}, 12, 20, 25},
    {1, {502, 512, 512}, {0x198, 0x300, 0x300}, {0x110, 0x200, 0x200}, 46, 82, 99},
    {23, {2008, 2048, 2048}, {0x660, 0xC00, 0xC00}, {0x440, 0x800, 0x800}, 186, 326, 396},
    {4, {128, 128, 128}, {215, 52, 235}, {61, 61, 61}, 0, 5, 10},
};

TEST(patterns_levels, fieldsCheckFieldAndPluge) {
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const FieldLevels& e = kFields[i];
        const Pixel &white = kBars[i].bars100[0], &black = kBars[i].bars100[7];
        const std::pair<int, Pixel> uniform[] = {{QEL_TestPattern_Black, black},
                                                 {QEL_TestPattern_White, white},
                                                 {QEL_TestPattern_FlatField, e.grey}};
        for (const auto& [pattern, level] : uniform) {
            for (const Pixel& p : drawAndDecode(pattern, 70, 3, e.pixelFormat).pixels) {
                ASSERT_EQ(p, level) << e.pixelFormat << " pattern " << pattern;
            }
        }
        DecodedFrame check = drawAndDecode(QEL_TestPattern_CheckField, 70, 12, e.pixelFormat);
        for (unsigned y = 0; y < 12; ++y) {
            for (unsigned x = 0; x < 70; ++x) {
                ASSERT_EQ(check.at(x, y), y < 6 ? e.equaliser : e.pll) << x << "," << y;
            }
        }

        // The pluge strip, eight cells along the combination screen's last line.
        DecodedFrame multi = drawAndDecode(QEL_TestPattern_MultiPattern, 800, 12, e.pixelFormat);
        const unsigned pluge[8] = {black.c0, e.plugeBelow,  black.c0, e.plugeAbove2,
                                   black.c0, e.plugeAbove4, black.c0, white.c0};
        for (unsigned cell = 0; cell < 8; ++cell) {
            EXPECT_EQ(multi.at(cell * 100 + 50, 11).c0, pluge[cell]) << e.pixelFormat;
        }
    }
}

} // namespace
} // namespace patternstest
