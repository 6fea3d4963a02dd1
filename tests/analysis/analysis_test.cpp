// The analyser names each impairment with its arguments, whether the impairment was applied by
// its own model or by hand, and never stretches one fault over two.
#include "analysis/analysis.h"
#include "analysis/analysis_json.h"
#include "analysis/line_model.h"
#include "analysis/reference_frames.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace zyvodiag {
namespace {

constexpr PixelLayout k10 = PixelLayout::YCbCr10;
constexpr PixelLayout k8 = PixelLayout::YCbCr8;
constexpr PixelLayout kRgb10 = PixelLayout::RGB10;
constexpr PixelLayout kRgb8 = PixelLayout::RGB8;
constexpr PixelLayout k12 = PixelLayout::YCbCr12;
constexpr unsigned kWidth = 480;
constexpr unsigned kHeight = 270;

GeneratedPatterns& patterns() {
    static GeneratedPatterns drawn;
    return drawn;
}

DecodedFrame pattern(unsigned number, PixelLayout layout, unsigned width = kWidth,
                     unsigned height = kHeight) {
    const DecodedFrame* frame = patterns().pattern(number, layout, width, height);
    EXPECT_NE(frame, nullptr);
    return frame != nullptr ? *frame : DecodedFrame{};
}

DecodedFrame impaired(const Impairment& impairment, const DecodedFrame& expected,
                      const DecodedFrame* other = nullptr) {
    DecodedFrame found = expected;
    LineModel model(impairment, expected, other);
    for (unsigned y = 0; y < expected.height; ++y) {
        model.predict(y, &found.samples[size_t(y) * expected.width]);
    }
    return found;
}

Impairment make(ImpairmentKind kind, std::function<void(Impairment&)> set = {}) {
    Impairment i;
    i.kind = kind;
    if (set) {
        set(i);
    }
    return i;
}

Impairment stuck(unsigned channel, unsigned bit, unsigned value) {
    return make(ImpairmentKind::StuckBit, [=](Impairment& i) {
        i.channel = channel;
        i.bit = bit;
        i.value = value;
    });
}

Impairment shift(int dx, int dy) {
    return make(ImpairmentKind::Shift, [=](Impairment& i) {
        i.dx = dx;
        i.dy = dy;
    });
}

Impairment directed(ImpairmentKind kind, Direction direction) {
    return make(kind, [=](Impairment& i) { i.direction = direction; });
}

// The parameters of the JSON object, which is what a reader outside sees.
nlohmann::json parametersOf(const Analysis& analysis, PixelLayout layout) {
    return analysisJson(analysis, layout)["parameters"];
}

struct Row {
    Impairment impairment;
    unsigned pattern;
    PixelLayout layout;
    const char* parameters; // the JSON parameters expected
    const char* words;      // a part of the sentence
};

class ModelledImpairment : public ::testing::TestWithParam<Row> {};

TEST_P(ModelledImpairment, IsNamedWithItsArguments) {
    const Row& row = GetParam();
    const DecodedFrame expected = pattern(row.pattern, row.layout);
    const DecodedFrame found = impaired(row.impairment, expected);
    const Analysis analysis = analyseFrames(expected, found, &patterns());
    EXPECT_STREQ(kindName(analysis.best.impairment.kind), kindName(row.impairment.kind))
        << analysis.summary;
    EXPECT_EQ(parametersOf(analysis, row.layout), nlohmann::json::parse(row.parameters))
        << analysis.summary;
    EXPECT_DOUBLE_EQ(analysis.best.explained, 1.0);
    EXPECT_GT(analysis.best.confidence, 0.9);
    EXPECT_NE(analysis.summary.find(row.words), std::string::npos) << analysis.summary;
    EXPECT_NE(analysis.summary.find("every sample"), std::string::npos) << analysis.summary;
}

const Row kModelled[] = {
    {stuck(0, 2, 0), 2, k10, R"({"channel":"Y","bit":2,"value":0})", "Y data bit 2 stuck at 0"},
    {stuck(1, 0, 1), 0, k10, R"({"channel":"C","bit":0,"value":1})", "C data bit 0 stuck at 1"},
    {stuck(1, 7, 1), 1, k8, R"({"channel":"C","bit":7,"value":1})", "C data bit 7"},
    {stuck(2, 9, 0), 0, kRgb10, R"({"channel":"B","bit":9,"value":0})", "B data bit 9"},
    {stuck(0, 11, 1), 11, k12, R"({"channel":"Y","bit":11,"value":1})", "Y data bit 11"},
    {make(ImpairmentKind::InvertedBit, [](Impairment& i) { i.bit = 4; }), 11, k10,
     R"({"channel":"Y","bit":4})", "Y data bit 4 inverted"},
    {make(ImpairmentKind::ChromaSwap), 1, k10, "{}", "Cb and Cr exchanged"},
    {make(ImpairmentKind::ChromaSwap), 14, kRgb8, "{}", "R and B exchanged"},
    {make(ImpairmentKind::LumaChromaOrder), 7, k8, "{}", "luma and chroma"},
    {make(ImpairmentKind::LumaChromaOrder), 7, kRgb10, "{}", "G exchanged with B"},
    {make(ImpairmentKind::Truncated), 11, k10, R"({"bits":8})", "10-bit path cut to its 8"},
    {make(ImpairmentKind::Truncated, [](Impairment& i) { i.bits = 6; }), 0, kRgb10, R"({"bits":6})",
     "cut to its 6 upper bits"},
    {make(ImpairmentKind::Truncated, [](Impairment& i) { i.bits = 11; }), 1, k12, R"({"bits":11})",
     "12-bit path cut to its 11"},
    {directed(ImpairmentKind::Range, Direction::LegalToFull), 1, k10,
     R"({"from":"legal","to":"full"})", "legal-to-full"},
    {directed(ImpairmentKind::Range, Direction::FullToLegal), 2, kRgb10,
     R"({"from":"full","to":"legal"})", "full-to-legal"},
    {shift(3, 0), 1, k10, R"({"dx":3,"dy":0})", "moved 3 pixels right"},
    {shift(-17, 9), 7, k10, R"({"dx":-17,"dy":9})", "17 pixels left and 9 lines down"},
    {shift(0, -1), 13, kRgb8, R"({"dx":0,"dy":-1})", "1 line up"},
    // An odd move of the stream on a picture without detail, where only the bands tell each move;
    // a slant ramp, where the profiles only tell the sum of the two; one beyond a tenth.
    {make(ImpairmentKind::Shift,
          [](Impairment& i) {
              i.dx = 5;
              i.dy = -3;
              i.value = 1;
          }),
     6, k10, R"({"dx":5,"dy":-3})", "5 pixels right and 3 lines up"},
    {shift(2, 2), 12, k10, R"({"dx":2,"dy":2})", "2 pixels right and 2 lines down"},
    {shift(-60, 41), 3, k10, R"({"dx":-60,"dy":41})", "60 pixels left"},
    // A picture without vertical detail differs only in the band the move leaves black.
    {shift(0, -40), 5, kRgb8, R"({"dx":0,"dy":-40})", "40 lines up"},
    {make(ImpairmentKind::FieldSwap), 12, k10, "{}", "fields exchanged"},
    {make(ImpairmentKind::ByteSwap), 0, k10, "{}", "opposite byte order"},
    {make(ImpairmentKind::ByteSwap), 2, kRgb10, "{}", "opposite byte order"},
    {directed(ImpairmentKind::Matrix, Direction::From709To601), 1, k10,
     R"({"from":"709","to":"601"})", "BT.601 matrix"},
    {directed(ImpairmentKind::Matrix, Direction::From601To709), 14, kRgb10,
     R"({"from":"601","to":"709"})", "601-to-709"},
};
INSTANTIATE_TEST_SUITE_P(Table, ModelledImpairment, ::testing::ValuesIn(kModelled));

// Impairments made here sample by sample or byte by byte, independently of the analyser's models.
DecodedFrame byHand(const DecodedFrame& expected, const std::function<void(Sample&)>& change) {
    DecodedFrame found = expected;
    for (Sample& s : found.samples) {
        change(s);
    }
    return found;
}

DecodedFrame rawByHand(unsigned number, PixelLayout layout,
                       const std::function<void(std::vector<unsigned char>&)>& change) {
    std::vector<unsigned char> bytes;
    QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(number), kWidth, kHeight,
                                        static_cast<QEL_PixelFormat>(int(layout)), bytes);
    change(bytes);
    DecodedFrame frame;
    std::string error;
    EXPECT_TRUE(decodeFrame(
        bytes.data(), bytes.size(),
        FrameShape{layout, kWidth, kHeight, unsigned(minimumPitch(layout, kWidth))}, frame, error))
        << error;
    return frame;
}

void expectCause(const DecodedFrame& expected, const DecodedFrame& found, const char* kind,
                 const char* parameters, const char* words) {
    const Analysis analysis = analyseFrames(expected, found, &patterns());
    EXPECT_STREQ(kindName(analysis.best.impairment.kind), kind) << analysis.summary;
    EXPECT_EQ(parametersOf(analysis, expected.layout), nlohmann::json::parse(parameters))
        << analysis.summary;
    EXPECT_NE(analysis.summary.find(words), std::string::npos) << analysis.summary;
}

TEST(HandMadeImpairment, IsNamedLikeTheModelledOne) {
    const DecodedFrame ramp = pattern(2, k10);
    expectCause(ramp, byHand(ramp, [](Sample& s) { s.c[0] &= ~4u; }), "stuck-bit",
                R"({"channel":"Y","bit":2,"value":0})", "Y data bit 2 stuck at 0 (every sample");
    expectCause(ramp,
                byHand(ramp,
                       [](Sample& s) {
                           for (auto& c : s.c) {
                               c &= ~3u;
                           }
                       }),
                "truncated", R"({"bits":8})", "cut to its 8 upper bits");
    const DecodedFrame bars = pattern(0, k10);
    expectCause(bars, byHand(bars, [](Sample& s) { std::swap(s.c[1], s.c[2]); }), "chroma-swap",
                "{}", "Cb and Cr exchanged");
    // Legal read as full, 10-bit: 64 -> 0, 940 -> 1023, chroma about 512.
    expectCause(bars,
                byHand(bars,
                       [](Sample& s) {
                           s.c[0] = uint16_t(
                               std::clamp(std::lround((s.c[0] - 64) * 1023.0 / 876), 0L, 1023L));
                           for (unsigned c = 1; c < 3; ++c) {
                               s.c[c] = uint16_t(std::clamp(
                                   std::lround((s.c[c] - 512) * 1023.0 / 896 + 512), 4L, 1019L));
                           }
                       }),
                "range", R"({"from":"legal","to":"full"})", "legal-to-full");
    // 8-bit 4:2:2 bytes Cb Y Cr Y exchanged in pairs; 32-bit words reversed.
    expectCause(pattern(7, k8),
                rawByHand(7, k8,
                          [](std::vector<unsigned char>& b) {
                              for (size_t i = 0; i + 1 < b.size(); i += 2) {
                                  std::swap(b[i], b[i + 1]);
                              }
                          }),
                "luma-chroma-order", "{}", "luma and chroma");
    expectCause(pattern(3, k10),
                rawByHand(3, k10,
                          [](std::vector<unsigned char>& b) {
                              for (size_t i = 0; i + 3 < b.size(); i += 4) {
                                  std::swap(b[i], b[i + 3]);
                                  std::swap(b[i + 1], b[i + 2]);
                              }
                          }),
                "byte-swap", "{}", "byte order");
    // The 4:2:2 stream moved a pixel right in memory, black (Cb 128, Y 16) coming in.
    expectCause(pattern(1, k8),
                rawByHand(1, k8,
                          [](std::vector<unsigned char>& b) {
                              const size_t pitch = minimumPitch(k8, kWidth);
                              for (size_t line = 0; line < b.size(); line += pitch) {
                                  std::copy_backward(&b[line], &b[line + pitch - 2],
                                                     &b[line + pitch]);
                                  b[line] = 128;
                                  b[line + 1] = 16;
                              }
                          }),
                "shift", R"({"dx":1,"dy":0})", "moved 1 pixel right");
    // The whole frame is another pattern, or its lower part is.
    const DecodedFrame black = pattern(8, k10);
    expectCause(bars, black, "wrong-picture", R"({"pattern":8})", "test pattern 8 (Black)");
    DecodedFrame torn = bars;
    std::copy(black.samples.begin() + 100 * kWidth, black.samples.end(),
              torn.samples.begin() + 100 * kWidth);
    expectCause(bars, torn, "torn", R"({"line":100,"pattern":8})", "lines from 100 down");
}

TEST(HandMadeImpairment, FieldsAndMovesAreToldApart) {
    const DecodedFrame zone = pattern(13, k10);
    DecodedFrame swapped = zone;
    DecodedFrame moved = zone;
    for (unsigned y = 0; y + 1 < kHeight; y += 2) {
        std::swap_ranges(swapped.samples.begin() + y * kWidth,
                         swapped.samples.begin() + (y + 1) * kWidth,
                         swapped.samples.begin() + (y + 1) * kWidth);
    }
    for (unsigned y = kHeight - 1; y > 0; --y) {
        std::copy_n(zone.samples.begin() + (y - 1) * kWidth, kWidth,
                    moved.samples.begin() + y * kWidth);
    }
    std::fill_n(moved.samples.begin(), kWidth, Sample{{64, 512, 512}});
    expectCause(zone, swapped, "field-swap", "{}", "fields");
    expectCause(zone, moved, "shift", R"({"dx":0,"dy":1})", "1 line down");
}

TEST(HandMadeImpairment, SparseRandomBitErrorsGiveTheirRate) {
    const DecodedFrame bars = pattern(1, k10);
    std::mt19937 random(7);
    DecodedFrame found = bars;
    const unsigned flips = 300;
    for (unsigned n = 0; n < flips; ++n) {
        Sample& s = found.samples[random() % found.samples.size() & ~size_t(1)];
        s.c[random() % 3] ^= uint16_t(1u << (random() % 10));
    }
    const Analysis analysis = analyseFrames(bars, found, &patterns());
    ASSERT_EQ(analysis.best.impairment.kind, ImpairmentKind::BitErrors) << analysis.summary;
    // Samples: a Y a pixel and a Cb and Cr a pair, ten bits each.
    const double bits = double(kWidth) * kHeight * 2 * 10;
    EXPECT_NEAR(analysis.best.impairment.rate, flips / bits, 0.2 * flips / bits);
}

TEST(Verdict, IdenticalFramesCarryNoImpairment) {
    const DecodedFrame bars = pattern(0, kRgb10);
    const Analysis analysis = analyseFrames(bars, bars, &patterns());
    EXPECT_TRUE(analysis.identical);
    EXPECT_EQ(analysis.best.impairment.kind, ImpairmentKind::None);
    EXPECT_TRUE(analysisJson(analysis, kRgb10)["impairment"].is_null());
}

TEST(Verdict, RandomNoiseIsUnexplained) {
    const DecodedFrame bars = pattern(0, k10);
    std::mt19937 random(3);
    const DecodedFrame noise = byHand(bars, [&](Sample& s) {
        for (auto& c : s.c) {
            c = uint16_t(random() % 1024);
        }
    });
    const Analysis analysis = analyseFrames(bars, noise, &patterns());
    EXPECT_EQ(analysis.best.impairment.kind, ImpairmentKind::Unexplained) << analysis.summary;
}

// Two faults at once: the better one is named with the share it explains, or none is.
TEST(Verdict, TwoImpairmentsAreNeverOneThatExplainsAll) {
    const DecodedFrame bars = pattern(0, k10);
    const DecodedFrame both =
        impaired(make(ImpairmentKind::ChromaSwap), impaired(stuck(0, 5, 1), bars));
    const Analysis analysis = analyseFrames(bars, both, &patterns());
    EXPECT_LT(analysis.best.explained, 1.0) << analysis.summary;
    const ImpairmentKind kind = analysis.best.impairment.kind;
    EXPECT_TRUE(kind == ImpairmentKind::ChromaSwap || kind == ImpairmentKind::StuckBit ||
                kind == ImpairmentKind::Unexplained)
        << analysis.summary;
    EXPECT_EQ(analysis.summary.find("every sample"), std::string::npos) << analysis.summary;
}

// On a one-level picture a stuck bit and an inverted one look alike: both are named.
TEST(Verdict, EqualExplanationsAreBothNamed) {
    const DecodedFrame black = pattern(8, k10);
    const DecodedFrame found = impaired(stuck(0, 0, 1), black);
    const Analysis analysis = analyseFrames(black, found, &patterns());
    EXPECT_EQ(analysis.best.impairment.kind, ImpairmentKind::StuckBit);
    ASSERT_TRUE(analysis.tied);
    EXPECT_EQ(analysis.alternatives[0].impairment.kind, ImpairmentKind::InvertedBit);
    EXPECT_NE(analysis.summary.find("stuck at 1, or Y data bit 0 inverted"), std::string::npos)
        << analysis.summary;
    // Bars torn from a black frame two lines above the bottom read like bars moved up two lines.
    const DecodedFrame bars = pattern(1, k10);
    DecodedFrame torn = bars;
    std::copy(black.samples.end() - 2 * kWidth, black.samples.end(),
              torn.samples.end() - 2 * kWidth);
    const Analysis tear = analyseFrames(bars, torn, &patterns());
    ASSERT_TRUE(tear.tied) << tear.summary;
    EXPECT_EQ(analysisJson(tear, k10)["parameters"], nlohmann::json::parse(R"({"dx":0,"dy":-2})"));
    EXPECT_EQ(tear.alternatives[0].impairment.kind, ImpairmentKind::Torn) << tear.summary;
    EXPECT_EQ(tear.alternatives[0].impairment.line, kHeight - 2);
}

} // namespace
} // namespace zyvodiag
