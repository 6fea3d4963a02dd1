// Level and colour damage: a range setting read the wrong way, and a BT.601/BT.709 mix-up.
// Each works on normalised values and quantises once, rounding half up, into the link's codes.
#include "video/impairment_models.h"

#include <algorithm>
#include <cmath>

namespace zyvosim {
namespace {

// Narrow-range levels at the frame's depth: 16, 235, 128 and 224 at 8 bits, times 4 at 10.
struct LegalLevels {
    double black;
    double whiteSpan;  // black to white: 219 at 8 bits
    double neutral;    // chroma zero
    double chromaSpan; // 224 at 8 bits
    double fullMax;    // the highest full-range code
};

LegalLevels legalLevelsOf(const FrameSamples& layout) {
    double step = double(1u << (layout.bits - 8));
    return LegalLevels{16 * step, 219 * step, 128 * step, 224 * step, double(layout.maxCode())};
}

bool isChroma(SampleChannel channel) {
    return channel == SampleChannel::Cb || channel == SampleChannel::Cr;
}

// Luma and R, G, B: black to white over the narrow span or the full one; chroma likewise
// about the neutral code.
double rescaled(double code, SampleChannel channel, bool toFull, const LegalLevels& levels) {
    if (isChroma(channel)) {
        double scale =
            toFull ? levels.fullMax / levels.chromaSpan : levels.chromaSpan / levels.fullMax;
        return (code - levels.neutral) * scale + levels.neutral;
    }
    if (toFull) {
        return (code - levels.black) * levels.fullMax / levels.whiteSpan;
    }
    return code * levels.whiteSpan / levels.fullMax + levels.black;
}

struct Matrix {
    double kr;
    double kb;
};
constexpr Matrix kBT709{0.2126, 0.0722};
constexpr Matrix kBT601{0.299, 0.114};

struct Rgb {
    double r, g, b;
};
struct Ycc {
    double y, cb, cr; // y 0 to 1, cb and cr -0.5 to 0.5
};

Rgb decoded(const Matrix& m, const Ycc& v) {
    double r = v.y + 2 * (1 - m.kr) * v.cr;
    double b = v.y + 2 * (1 - m.kb) * v.cb;
    return Rgb{r, (v.y - m.kr * r - m.kb * b) / (1 - m.kr - m.kb), b};
}

Ycc encoded(const Matrix& m, const Rgb& c) {
    double y = m.kr * c.r + (1 - m.kr - m.kb) * c.g + m.kb * c.b;
    return Ycc{y, (c.b - y) / (2 * (1 - m.kb)), (c.r - y) / (2 * (1 - m.kr))};
}

// A YCbCr frame goes through a converter that decodes with one matrix and encodes with the
// other. In 4:2:2 both lumas of a pair take the pair's chroma; the chroma comes out of the
// conversion without any luma term, so it is converted on its own.
void convertYCbCr(const Matrix& from, const Matrix& to, CodeLimits limits,
                  const FrameSamples& layout, Samples& samples) {
    LegalLevels levels = legalLevelsOf(layout);
    auto luma = [&](uint16_t code) { return (code - levels.black) / levels.whiteSpan; };
    auto chroma = [&](uint16_t code) { return (code - levels.neutral) / levels.chromaSpan; };
    for (size_t at = 0; at + 4 <= samples.size(); at += 4) {
        double cb = chroma(samples[at]);
        double cr = chroma(samples[at + 2]);
        Ycc neutralY = encoded(to, decoded(from, Ycc{0, cb, cr}));
        for (size_t y : {at + 1, at + 3}) {
            double converted = encoded(to, decoded(from, Ycc{luma(samples[y]), cb, cr})).y;
            samples[y] = quantise(levels.black + levels.whiteSpan * converted, limits);
        }
        samples[at] = quantise(levels.neutral + levels.chromaSpan * neutralY.cb, limits);
        samples[at + 2] = quantise(levels.neutral + levels.chromaSpan * neutralY.cr, limits);
    }
}

// An RGB frame crosses a YCbCr link: encoded with one matrix, decoded with the other.
void convertRgb(const Matrix& from, const Matrix& to, CodeLimits limits, const FrameSamples& layout,
                Samples& samples) {
    double full = layout.maxCode();
    for (size_t at = 0; at + 3 <= samples.size(); at += 3) {
        Rgb source{samples[at] / full, samples[at + 1] / full, samples[at + 2] / full};
        Rgb arrived = decoded(to, encoded(from, source));
        samples[at] = quantise(arrived.r * full, limits);
        samples[at + 1] = quantise(arrived.g * full, limits);
        samples[at + 2] = quantise(arrived.b * full, limits);
    }
}

} // namespace

CodeLimits codeLimitsOf(ImpairedPort port, const FrameSamples& layout) {
    unsigned reserved = port == ImpairedPort::SDIInput ? 1u << (layout.bits - 8) : 0;
    return CodeLimits{reserved, layout.maxCode() - reserved};
}

uint16_t quantise(double code, CodeLimits limits) {
    double rounded = std::floor(code + 0.5);
    return static_cast<uint16_t>(
        std::clamp(rounded, double(limits.lowest), double(limits.highest)));
}

void convertRange(const Impairment& impairment, const FrameSamples& layout, Samples& samples) {
    LegalLevels levels = legalLevelsOf(layout);
    CodeLimits limits = codeLimitsOf(impairment.port, layout);
    const unsigned perLine = layout.perLine();
    for (size_t at = 0; at < samples.size(); ++at) {
        SampleChannel channel = channelOf(layout, static_cast<unsigned>(at % perLine));
        samples[at] = quantise(rescaled(samples[at], channel, impairment.toFull, levels), limits);
    }
}

// 709-to-601: the picture was made with BT.709 and BT.601 is used in its place at one end.
void convertMatrix(const Impairment& impairment, const FrameSamples& layout, Samples& samples) {
    const Matrix& right = impairment.to601 ? kBT709 : kBT601;
    const Matrix& wrong = impairment.to601 ? kBT601 : kBT709;
    CodeLimits limits = codeLimitsOf(impairment.port, layout);
    if (layout.rgb) {
        convertRgb(right, wrong, limits, layout, samples);
    } else {
        convertYCbCr(right, wrong, limits, layout, samples);
    }
}

} // namespace zyvosim
