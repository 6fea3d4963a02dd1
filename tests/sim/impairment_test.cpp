// Impaired inputs: frames captured through an `impair` line arrive damaged exactly as modelled,
// at the frame's own depth and packing, and bad lines are refused.
#include "card_fixture.h"

#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoVideoConfiguration.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kPlayoutBase = 0x4000000;
constexpr uint32_t kCaptureBase = 0x1000000;
constexpr int32_t kPlayoutStore0 = 92;
constexpr int32_t kSDIInput0 = 140;
constexpr int32_t kPlayoutSecond0 = 98;
constexpr int32_t kHDMIStream1 = 111;

// A frame as the documented layouts store it: the test's own reading of each packing.
struct Frame {
    ZyvoPixelFormat pixels;
    unsigned width, lines;
    Bytes bytes;

    bool rgb() const { return pixels == ZYVO_PixelFormat_RGB8 || pixels == ZYVO_PixelFormat_RGB10; }
    unsigned bits() const {
        const unsigned kBits[] = {0, 10, 8, 0, 8, 10};
        return pixels == ZYVO_PixelFormat_YCbCr12 ? 12 : kBits[pixels];
    }
    unsigned perLine() const { return width * (rgb() ? 3 : 2); }
    size_t pitch() const { return bytes.size() / lines; }
    // Sample i of line y: Cb Y Cr Y ... for YCbCr, R G B ... for RGB.
    unsigned at(unsigned y, unsigned i) const {
        const uint8_t* line = bytes.data() + y * pitch();
        auto le = [&](size_t from, unsigned count) {
            unsigned value = 0;
            for (unsigned k = 0; k < count; ++k) {
                value |= unsigned(line[from + k]) << (8 * k);
            }
            return value;
        };
        switch (pixels) {
        case ZYVO_PixelFormat_YCbCr10:
        case ZYVO_PixelFormat_RGB10:
            return le(i / 3 * 4, 4) >> (10 * (i % 3)) & 0x3ff;
        case ZYVO_PixelFormat_YCbCr12:
            return le(i / 2 * 3, 3) >> (12 * (i % 2)) & 0xfff;
        case ZYVO_PixelFormat_RGB8:
            return line[i / 3 * 4 + i % 3];
        default:
            return line[i];
        }
    }
    // Writes sample i of line y (the 10-bit and 8-bit layouts the planted tests use).
    void set(unsigned y, unsigned i, unsigned value) {
        uint8_t* line = bytes.data() + y * pitch();
        if (pixels == ZYVO_PixelFormat_YCbCr8) {
            line[i] = static_cast<uint8_t>(value);
            return;
        }
        unsigned shift = 10 * (i % 3);
        for (unsigned k = 0; k < 4; ++k) {
            uint8_t& byte = line[i / 3 * 4 + k];
            unsigned mask = (0x3ffu << shift) >> (8 * k) & 0xff;
            byte = static_cast<uint8_t>((byte & ~mask) | ((value << shift) >> (8 * k) & mask));
        }
    }
    bool isLuma(unsigned i) const { return !rgb() && i % 2 == 1; }
};

struct Raster {
    ZyvoVideoFormat format;
    unsigned width, lines;
};
constexpr Raster k486i{ZYVO_VideoFormat_486i_2997, 720, 486};
constexpr Raster k720p{ZYVO_VideoFormat_720p_5994, 1280, 720}; // 10-bit lines end in padding
constexpr Raster k2160p{ZYVO_VideoFormat_2160p_2997_SID, 3840, 2160};

// Every byte drawn, so every bit of every sample (and of the padding) is exercised.
Frame randomFrame(const Raster& raster, ZyvoPixelFormat pixels, unsigned seed) {
    ZyvoFrameBufferConfiguration configuration(raster.format, pixels);
    unsigned size = 0;
    configuration.GetFrameBufferSize(size);
    Frame frame{pixels, raster.width, raster.lines, Bytes(size)};
    std::mt19937 draw(seed);
    for (uint8_t& byte : frame.bytes) {
        byte = static_cast<uint8_t>(draw());
    }
    return frame;
}

class ImpairmentTest : public CardTest {
protected:
    // `sent` played by store 0 through SDI output 0 into SDI input 0 (or through the HDMI
    // output into the HDMI input) and captured by store 0, whose frame held `held`.
    Frame capture(const std::string& benchLines, const Raster& raster, const Frame& sent,
                  const Frame& held, bool hdmi = false) {
        useBench(zyvosim::defaultBenchText() + benchLines);
        ZyvoFrameBufferConfiguration playout(raster.format, sent.pixels);
        playout.SetFrameBufferBaseAddress(kPlayoutBase);
        ZyvoFrameBufferConfiguration store(raster.format, sent.pixels);
        store.SetFrameBufferBaseAddress(kCaptureBase);
        auto* player = widget<ZyvoFrameBufferPlayWidget>(ZYVO_WidgetType_FrameBufferPlayWidget);
        auto* capturer =
            widget<ZyvoFrameBufferCaptureWidget>(ZYVO_WidgetType_FrameBufferCaptureWidget);
        const bool quad = raster.width >= 3840;
        EXPECT_TRUE(zyvosim::writeDeviceMemory(kPlayoutBase, sent.bytes));
        EXPECT_TRUE(zyvosim::writeDeviceMemory(kCaptureBase, held.bytes));
        player->SetFrameBufferConfiguration(&playout);
        player->SetEnable(true);
        if (hdmi) {
            auto* out = widget<ZyvoHDMIOutV4Widget>(ZYVO_WidgetType_HDMI4kOutWidget);
            ZyvoVideoConfiguration video(raster.format);
            out->SetSourceConfiguration(&video);
            out->SetVideoSource1(static_cast<ZyvoVideoSource>(kPlayoutStore0));
            // A 4K picture travels as a two-sample pair, as the HDMI 4K paths send it.
            player->SetTwoSampleInterleaveMode(quad);
            out->SetVideoSource2(static_cast<ZyvoVideoSource>(kPlayoutSecond0));
            capturer->SetTwoSampleInterleaveMode(quad);
            capturer->SetVideoSource2(static_cast<ZyvoVideoSource>(kHDMIStream1 + 1));
        } else {
            auto* out = widget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget);
            out->SetVideoSource(static_cast<ZyvoVideoSource>(kPlayoutStore0));
            out->SetEnable(true);
        }
        capturer->SetFrameBufferConfiguration(&store);
        auto input = static_cast<ZyvoVideoSource>(hdmi ? kHDMIStream1 : kSDIInput0);
        if (quad) {
            capturer->SetVideoSource1(input);
        } else {
            capturer->SetVideoSource(input, true);
        }
        capturer->SetEnable(true);
        zyvosim::sleepMicroseconds(100000);
        capturer->SetEnable(false);
        Frame got = sent;
        EXPECT_TRUE(zyvosim::readDeviceMemory(kCaptureBase, uint32_t(got.bytes.size()), got.bytes));
        return got;
    }
    // A fresh card for the next row of a table.
    void nextCase() {
        TearDown();
        SetUp();
    }
};

using Check = std::function<void(const Frame& sent, const Frame& got, const Frame& held)>;
// The sample that must arrive at line y, sample i, from what was sent and what the store held.
using Expected =
    std::function<unsigned(const Frame& sent, const Frame& held, unsigned y, unsigned i)>;

// Every sample of the first `lines` lines (0: all) is the expected one.
Check samples(unsigned lines, Expected expected) {
    return [lines, expected](const Frame& s, const Frame& g, const Frame& h) {
        for (unsigned y = 0; y < (lines != 0 ? lines : g.lines); ++y) {
            for (unsigned i = 0; i < g.perLine(); ++i) {
                ASSERT_EQ(g.at(y, i), expected(s, h, y, i)) << "line " << y << " sample " << i;
            }
        }
    };
}

// Y0 at 8 bits is 16 << (bits - 8); chroma 128 << (bits - 8).
unsigned blackAt(const Frame& frame, unsigned i) {
    return frame.isLuma(i) ? 16u << (frame.bits() - 8) : 128u << (frame.bits() - 8);
}

// Every byte of the frame, padding and spare bits included, is the one at byte `from`.
Check bytes(bool fromHeld, size_t (*from)(size_t)) {
    return [fromHeld, from](const Frame& s, const Frame& g, const Frame& h) {
        for (size_t at = 0; at < g.bytes.size(); ++at) {
            ASSERT_EQ(g.bytes[at], (fromHeld ? h : s).bytes[from(at)]) << "byte " << at;
        }
    };
}
size_t same(size_t at) {
    return at;
}

TEST_F(ImpairmentTest, eachKindDamagesTheCapturedSamplesExactly) {
    using F = const Frame&;
    using U = unsigned;
    const struct {
        const char* line;
        Raster raster;
        ZyvoPixelFormat pixels;
        Check check;
    } cases[] = {
        {"stuck-bit Y 2 0", k486i, ZYVO_PixelFormat_YCbCr10,
         samples(8, [](F s, F, U y, U i) { return s.isLuma(i) ? s.at(y, i) & ~4u : s.at(y, i); })},
        {"stuck-bit C 11 1", k720p, ZYVO_PixelFormat_YCbCr12,
         samples(8,
                 [](F s, F, U y, U i) { return s.isLuma(i) ? s.at(y, i) : s.at(y, i) | 0x800u; })},
        {"stuck-bit G 7 1", k486i, ZYVO_PixelFormat_RGB8,
         [](F s, F g, F h) {
             samples(8, [](F s, F, U y, U i) {
                 return i % 3 == 1 ? s.at(y, i) | 0x80u : s.at(y, i);
             })(s, g, h);
             EXPECT_EQ(g.bytes[3], s.bytes[3]); // the spare byte of each pixel is no data line
         }},
        // No data line 9 in an 8-bit frame.
        {"stuck-bit Y 9 1", k486i, ZYVO_PixelFormat_YCbCr8, bytes(false, same)},
        // RGB on the lines of a 4:4:4 bus: G on the luma line, B and R on the chroma lines.
        {"inverted-bit Y 0", k486i, ZYVO_PixelFormat_RGB10,
         samples(8, [](F s, F, U y, U i) { return i % 3 == 1 ? s.at(y, i) ^ 1u : s.at(y, i); })},
        {"stuck-bit B 3 1", k486i, ZYVO_PixelFormat_YCbCr10,
         samples(8, [](F s, F, U y, U i) { return i % 4 == 0 ? s.at(y, i) | 8u : s.at(y, i); })},
        {"inverted-bit C 5", k720p, ZYVO_PixelFormat_YCbCr10,
         [](F s, F g, F h) {
             samples(8, [](F s, F, U y, U i) {
                 return s.isLuma(i) ? s.at(y, i) : s.at(y, i) ^ 32u;
             })(s, g, h);
             // The padding past the picture and bits 30-31 of each word are no data lines.
             size_t last = g.pitch() - 4;
             EXPECT_EQ(Bytes(g.bytes.begin() + last, g.bytes.begin() + g.pitch()),
                       Bytes(s.bytes.begin() + last, s.bytes.begin() + s.pitch()));
             EXPECT_EQ(g.bytes[3] & 0xc0, s.bytes[3] & 0xc0);
         }},
        {"chroma-swap", k486i, ZYVO_PixelFormat_YCbCr10,
         samples(8, [](F s, F, U y, U i) { return s.isLuma(i) ? s.at(y, i) : s.at(y, i ^ 2u); })},
        {"chroma-swap", k486i, ZYVO_PixelFormat_RGB10,
         samples(8,
                 [](F s, F, U y, U i) { return s.at(y, i % 3 == 1 ? i : i - i % 3 + 2 - i % 3); })},
        {"luma-chroma-order", k486i, ZYVO_PixelFormat_YCbCr8,
         samples(8, [](F s, F, U y, U i) { return s.at(y, i ^ 1u); })},
        // G with B in even pixels, with R in odd ones: the pairs of the 4:2:2 stream.
        {"luma-chroma-order", k486i, ZYVO_PixelFormat_RGB8,
         samples(8,
                 [](F s, F, U y, U i) {
                     const unsigned kFrom[6] = {0, 2, 1, 4, 3, 5};
                     return s.at(y, i - i % 6 + kFrom[i % 6]);
                 })},
        {"truncated 8", k720p, ZYVO_PixelFormat_YCbCr12,
         samples(8, [](F s, F, U y, U i) { return s.at(y, i) & ~15u; })},
        {"truncated 8", k486i, ZYVO_PixelFormat_YCbCr8, bytes(false, same)},
        // Black where nothing arrives: the first 3 pixels (6 samples) and the last 2 lines.
        {"shift 3 -2", k486i, ZYVO_PixelFormat_YCbCr10,
         samples(0,
                 [](F s, F, U y, U i) {
                     return i < 6 || y + 2 >= s.lines ? blackAt(s, i) : s.at(y + 2, i - 6);
                 })},
        {"shift -1 0", k486i, ZYVO_PixelFormat_RGB8,
         samples(4, [](F s, F, U y, U i) { return i + 3 >= s.perLine() ? 0u : s.at(y, i + 3); })},
        {"field-swap", k486i, ZYVO_PixelFormat_YCbCr10,
         samples(0, [](F s, F, U y, U i) { return s.at(y ^ 1u, i); })},
        {"stale", k486i, ZYVO_PixelFormat_YCbCr10, bytes(true, same)},
        {"torn 100", k486i, ZYVO_PixelFormat_YCbCr8,
         samples(0, [](F s, F h, U y, U i) { return y < 100 ? s.at(y, i) : h.at(y, i); })},
        // Every 32-bit word reversed, padding and spare bits included.
        {"byte-swap", k720p, ZYVO_PixelFormat_YCbCr10,
         bytes(false, [](size_t at) { return at ^ 3u; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Frame sent = randomFrame(c.raster, c.pixels, 1);
        Frame held = randomFrame(c.raster, c.pixels, 2);
        Frame got =
            capture(std::string("impair SDIInput 0 ") + c.line + "\n", c.raster, sent, held);
        c.check(sent, got, held);
        nextCase();
    }
}

// Levels planted on line 0 as Cb Y Cr Y groups, and what arrives of them over SDI (which never
// carries codes 0-3 and 1020-1023) and over HDMI.
TEST_F(ImpairmentTest, rangeErrorsScaleLevelsAsTheOtherRangeWouldBeRead) {
    const struct {
        const char* line;
        bool hdmi;
        std::vector<unsigned> planted, arrived;
    } cases[] = {
        {"range legal-to-full", false, {64, 64, 960, 940}, {4, 4, 1019, 1019}},
        {"range legal-to-full", true, {64, 64, 960, 940}, {1, 0, 1023, 1023}},
        {"range legal-to-full", false, {512, 502, 512, 721}, {512, 512, 512, 767}},
        {"range full-to-legal", false, {0, 64, 1023, 940}, {64, 119, 960, 869}},
        {"range full-to-legal", true, {512, 0, 512, 1023}, {512, 64, 512, 940}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + (c.hdmi ? " over HDMI" : " over SDI"));
        Frame sent = randomFrame(k486i, ZYVO_PixelFormat_YCbCr10, 1);
        for (unsigned i = 0; i < 4; ++i) {
            sent.set(0, i, c.planted[i]);
        }
        std::string port = c.hdmi ? "impair HDMIInput 0 " : "impair SDIInput 0 ";
        Frame got = capture(port + c.line + "\n", k486i, sent, sent, c.hdmi);
        for (unsigned i = 0; i < 4; ++i) {
            EXPECT_EQ(got.at(0, i), c.arrived[i]) << "sample " << i;
        }
        nextCase();
    }
}

// BT.709 75% bars converted 709-to-601 land within a code of the BT.601 bars, greys untouched;
// 601-to-709 takes them back.
TEST_F(ImpairmentTest, matrixMixUpMovesColoursToTheOtherMatrixAndLeavesGreys) {
    const unsigned bars709[][3] = {{674, 176, 543}, {581, 589, 176}, {534, 253, 207},
                                   {251, 771, 817}, {204, 435, 848}, {111, 848, 481},
                                   {721, 512, 512}, {64, 512, 512}};
    const unsigned bars601[][3] = {{646, 176, 567}, {525, 625, 176}, {450, 289, 231},
                                   {335, 735, 793}, {260, 399, 848}, {139, 848, 457},
                                   {721, 512, 512}, {64, 512, 512}};
    for (bool to601 : {true, false}) {
        const auto& from = to601 ? bars709 : bars601;
        const auto& to = to601 ? bars601 : bars709;
        Frame sent = randomFrame(k486i, ZYVO_PixelFormat_YCbCr10, 1);
        for (unsigned bar = 0; bar < 8; ++bar) {
            const unsigned order[] = {1, 0, 2, 0}; // Cb Y Cr Y
            for (unsigned k = 0; k < 4; ++k) {
                sent.set(0, 4 * bar + k, from[bar][order[k]]);
            }
        }
        std::string line = to601 ? "matrix 709-to-601" : "matrix 601-to-709";
        Frame got = capture("impair SDIInput 0 " + line + "\n", k486i, sent, sent);
        for (unsigned bar = 0; bar < 8; ++bar) {
            SCOPED_TRACE(line + ", bar " + std::to_string(bar));
            const unsigned order[] = {1, 0, 2, 0};
            for (unsigned k = 0; k < 4; ++k) {
                int difference = int(got.at(0, 4 * bar + k)) - int(to[bar][order[k]]);
                EXPECT_LE(std::abs(difference), bar < 6 ? 1 : 0) << "sample " << k;
            }
        }
        nextCase();
    }
}

// Which stream bits (sample by sample, least significant bit first) differ.
std::vector<size_t> flippedBits(const Frame& sent, const Frame& got) {
    std::vector<size_t> flipped;
    size_t base = 0;
    for (unsigned y = 0; y < sent.lines; ++y) {
        for (unsigned i = 0; i < sent.perLine(); ++i, base += sent.bits()) {
            unsigned difference = sent.at(y, i) ^ got.at(y, i);
            for (unsigned bit = 0; bit < sent.bits(); ++bit) {
                if ((difference >> bit & 1u) != 0) {
                    flipped.push_back(base + bit);
                }
            }
        }
    }
    return flipped;
}

// A seed repeats its errors exactly; they come at about the rate asked for, as bursts of six
// (a cable error at bit q gives q, q+1, q+4, q+5, q+9, q+10), and only in picture samples.
TEST_F(ImpairmentTest, bitErrorsComeInLinkBurstsAndASeedRepeatsThem) {
    const double rate = 1e-4;
    Frame sent = randomFrame(k720p, ZYVO_PixelFormat_YCbCr10, 1);
    std::vector<std::vector<size_t>> runs;
    for (const char* seed : {"7", "7", "8"}) {
        Frame got = capture(std::string("impair SDIInput 0 bit-errors 0.0001 ") + seed + "\n",
                            k720p, sent, sent);
        runs.push_back(flippedBits(sent, got));
        size_t last = got.pitch() - 4; // the padding of line 0
        EXPECT_EQ(Bytes(got.bytes.begin() + last, got.bytes.begin() + got.pitch()),
                  Bytes(sent.bytes.begin() + last, sent.bytes.begin() + sent.pitch()));
        nextCase();
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_NE(runs[0], runs[2]);
    double bits = double(sent.lines) * sent.perLine() * 10;
    EXPECT_NEAR(runs[0].size() / bits, rate, rate * 0.2);
    ASSERT_GE(runs[0].size(), 6u);
    size_t q = runs[0][0];
    EXPECT_EQ(std::vector<size_t>(runs[0].begin(), runs[0].begin() + 6),
              (std::vector<size_t>{q, q + 1, q + 4, q + 5, q + 9, q + 10}));
}

// The damage belongs to the input named: the HDMI input's lines leave SDI captures alone, and
// reach what the HDMI input captures, HD and 4K, down to the 4K frame's last line.
TEST_F(ImpairmentTest, onlyTheNamedInputDamagesItsFrames) {
    const std::string lines = "impair HDMIInput 0 inverted-bit Y 0\nimpair SDIInput 1 stale\n"
                              "impair HDMIInput 0 shift 0 -1\n";
    for (const Raster& raster : {k486i, k2160p}) {
        Frame sent = randomFrame(raster, ZYVO_PixelFormat_YCbCr10, 1);
        Frame held = randomFrame(raster, ZYVO_PixelFormat_YCbCr10, 2);
        if (raster.width < 3840) {
            EXPECT_EQ(capture(lines, raster, sent, held).bytes, sent.bytes);
            nextCase();
        }
        Frame got = capture(lines, raster, sent, held, true);
        for (unsigned y : {0u, raster.lines - 2, raster.lines - 1}) {
            for (unsigned i = 0; i < got.perLine(); ++i) {
                unsigned bit = sent.isLuma(i) ? 1 : 0;
                unsigned expected =
                    y + 1 < raster.lines ? sent.at(y + 1, i) ^ bit : blackAt(got, i);
                ASSERT_EQ(got.at(y, i), expected) << "line " << y << " sample " << i;
            }
        }
        nextCase();
    }
}

TEST_F(ImpairmentTest, badLinesAreRefusedNamingTheLine) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"impair SDIInput 0 sparkle",
         "lab.bench:2: impair: unknown kind 'sparkle'; the kinds are stuck-bit, inverted-bit, "
         "chroma-swap, luma-chroma-order, truncated, range, shift, field-swap, stale, bit-errors, "
         "torn, byte-swap, matrix"},
        {"impair SDIInput 0 stuck-bit Y 2",
         "lab.bench:2: impair: missing VALUE; expected 'impair SDIInput 0 stuck-bit CH BIT VALUE'"},
        {"impair SDIInput 0 chroma-swap now",
         "lab.bench:2: impair: unexpected 'now'; expected 'impair SDIInput 0 chroma-swap'"},
        {"impair SDIInput 3 inverted-bit C 12",
         "lab.bench:2: impair: BIT 12 is beyond the card's deepest samples (12 bits: 0 to 11)"},
        {"impair SDIInput 0 stuck-bit Cb 2 0",
         "lab.bench:2: impair: channel 'Cb' is not Y, C (YCbCr) or R, G, B (RGB)"},
        {"impair SDIInput 0 stuck-bit Y 2 2", "lab.bench:2: impair: VALUE 2 is not in 0 to 1"},
        {"impair SDIInput 8 stale", "lab.bench:2: impair: input index 8 is not in 0 to 7"},
        {"impair HDMIInput 1 stale", "lab.bench:2: impair: input index 1 is not in 0 to 0"},
        {"impair SDIOutput 0 stale",
         "lab.bench:2: impair: 'SDIOutput' is neither SDIInput nor HDMIInput"},
        {"impair SDIInput 0 range full",
         "lab.bench:2: impair: 'full' is neither legal-to-full nor full-to-legal"},
        {"impair SDIInput 0 bit-errors 0.5 1",
         "lab.bench:2: impair: RATE 0.5 is not above 0 and at most 0.1"},
        {"impair SDIInput 0 bit-errors 0", "lab.bench:2: impair: RATE 0 is not above 0 and at "
                                           "most 0.1"},
        {"impair SDIInput 0 shift 0 0", "lab.bench:2: impair: shift 0 0 moves nothing"},
        {"impair SDIInput 0 bit-errors 1e-5 -1",
         "lab.bench:2: impair: SEED -1 is not in 0 to 4294967295"},
        {"impair SDIInput 0 truncated 12", "lab.bench:2: impair: BITS 12 is not in 1 to 11"},
        {"impair SDIInput 0 shift 4", "lab.bench:2: impair: missing DY; expected 'impair "
                                      "SDIInput 0 shift DX DY'"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(
            zyvosim::loadBench(std::string("devices 1\n") + c.line + "\n", error, "lab.bench"));
        EXPECT_EQ(error, c.error);
    }
}

} // namespace
