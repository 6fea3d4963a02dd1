// The impairment of each kind, applied to the frame as it arrives: sample models work on the
// unpacked picture samples, byte-swap on the bytes, stale and torn on which lines arrive.
#include "video/impairments.h"

#include "video/impairment_models.h"

#include <algorithm>
#include <utility>

namespace zyvosim {
namespace {

// The frame as bytes or as samples, unpacked when a model first needs samples and packed back
// when one needs bytes again.
class ArrivingFrame {
public:
    ArrivingFrame(const FrameSamples& layout, std::vector<uint8_t>& bytes)
        : mLayout(layout), mBytes(bytes), mArrivingLines(layout.lines) {}

    const FrameSamples& layout() const { return mLayout; }
    Samples& samples() {
        if (!mUnpacked) {
            mSamples = unpackSamples(mLayout, mBytes.data());
            mUnpacked = true;
        }
        return mSamples;
    }
    std::vector<uint8_t>& bytes() {
        if (mUnpacked) {
            packSamples(mLayout, mSamples, mBytes.data());
            mUnpacked = false;
        }
        return mBytes;
    }
    void keepFrom(unsigned line) { mArrivingLines = std::min(mArrivingLines, line); }
    unsigned arrivingLines() const { return mArrivingLines; }
    uint64_t drawSeed = 0;

private:
    const FrameSamples& mLayout;
    std::vector<uint8_t>& mBytes;
    Samples mSamples;
    bool mUnpacked = false; // mSamples holds the frame, and mBytes may be behind it
    unsigned mArrivingLines;
};

// RGB travels on the lines of a 4:4:4 bus, as on the HDMI channels: G on the luma line, B and R
// on the chroma lines of Cb and Cr. So Y names G in an RGB frame, C both R and B, and R, G, B
// name Cr, Y, Cb in a YCbCr frame.
bool carries(DataChannel line, SampleChannel sample) {
    switch (line) {
    case DataChannel::Y:
        return sample == SampleChannel::Y || sample == SampleChannel::G;
    case DataChannel::C:
        return sample == SampleChannel::Cb || sample == SampleChannel::Cr ||
               sample == SampleChannel::R || sample == SampleChannel::B;
    case DataChannel::R:
        return sample == SampleChannel::R || sample == SampleChannel::Cr;
    case DataChannel::G:
        return sample == SampleChannel::G || sample == SampleChannel::Y;
    case DataChannel::B:
        return sample == SampleChannel::B || sample == SampleChannel::Cb;
    }
    return false;
}

// Every picture sample the impairment's data line carries: `change(sample)`. A bit beyond the
// frame's depth has no data line and touches nothing.
template <typename Change>
void onDataLine(const Impairment& impairment, ArrivingFrame& frame, Change change) {
    const FrameSamples& layout = frame.layout();
    if (impairment.bit >= layout.bits) {
        return;
    }
    Samples& samples = frame.samples();
    for (unsigned i = 0; i < layout.perLine(); ++i) {
        if (!carries(impairment.channel, channelOf(layout, i))) {
            continue;
        }
        for (size_t at = i; at < samples.size(); at += layout.perLine()) {
            samples[at] = change(samples[at]);
        }
    }
}

void stuckBit(const Impairment& impairment, ArrivingFrame& frame) {
    auto bit = static_cast<uint16_t>(1u << impairment.bit);
    onDataLine(impairment, frame, [&](uint16_t sample) {
        return static_cast<uint16_t>(impairment.value != 0 ? sample | bit : sample & ~bit);
    });
}

void invertedBit(const Impairment& impairment, ArrivingFrame& frame) {
    auto bit = static_cast<uint16_t>(1u << impairment.bit);
    onDataLine(impairment, frame,
               [&](uint16_t sample) { return static_cast<uint16_t>(sample ^ bit); });
}

// Within every group of `group` samples, the samples at `first` and `second` change places.
void exchangeInGroups(ArrivingFrame& frame, unsigned group, unsigned first, unsigned second) {
    Samples& samples = frame.samples();
    for (size_t at = 0; at + group <= samples.size(); at += group) {
        std::swap(samples[at + first], samples[at + second]);
    }
}

// Cb and Cr of every 4:2:2 pair (samples 4k and 4k+2 of a line); R and B of every RGB pixel.
void chromaSwap(const Impairment&, ArrivingFrame& frame) {
    exchangeInGroups(frame, frame.layout().rgb ? 3 : 4, 0, 2);
}

// The luma and chroma halves of the bus crossed: samples 2k and 2k+1 of the 4:2:2 stream (Cb0
// with Y0, Cr0 with Y1). On the 4:4:4 bus of an RGB frame the luma line (G) crosses the chroma
// line its pixel pairs with in 4:2:2: B (Cb) in even pixels, R (Cr) in odd ones.
void lumaChromaOrder(const Impairment&, ArrivingFrame& frame) {
    if (!frame.layout().rgb) {
        exchangeInGroups(frame, 2, 0, 1);
        return;
    }
    exchangeInGroups(frame, 6, 1, 2);
    exchangeInGroups(frame, 6, 3, 4);
}

void truncated(const Impairment& impairment, ArrivingFrame& frame) {
    unsigned bits = frame.layout().bits;
    if (impairment.bit >= bits) {
        return;
    }
    auto keep = static_cast<uint16_t>(~((1u << (bits - impairment.bit)) - 1));
    for (uint16_t& sample : frame.samples()) {
        sample &= keep;
    }
}

void range(const Impairment& impairment, ArrivingFrame& frame) {
    convertRange(impairment, frame.layout(), frame.samples());
}

void matrix(const Impairment& impairment, ArrivingFrame& frame) {
    convertMatrix(impairment, frame.layout(), frame.samples());
}

// Black of the frame's encoding at sample position `i` of a line: legal black and neutral
// chroma for YCbCr, zero for full-range RGB.
uint16_t blackAt(const FrameSamples& layout, unsigned i) {
    if (layout.rgb) {
        return 0;
    }
    unsigned step = 1u << (layout.bits - 8);
    return static_cast<uint16_t>(channelOf(layout, i) == SampleChannel::Y ? 16 * step : 128 * step);
}

// The sample stream moves as a whole: DX pixels are DX x 2 samples of a 4:2:2 line, so an odd
// DX lands Cb on Cr's places, as a slipped stream does.
void shift(const Impairment& impairment, ArrivingFrame& frame) {
    const FrameSamples& layout = frame.layout();
    Samples& samples = frame.samples();
    const long long perLine = layout.perLine();
    const long long dx = static_cast<long long>(impairment.dx) * layout.perPixel();
    Samples moved(samples.size());
    for (long long line = 0; line < layout.lines; ++line) {
        long long from = line - impairment.dy;
        for (long long i = 0; i < perLine; ++i) {
            long long source = i - dx;
            bool arrives = from >= 0 && from < layout.lines && source >= 0 && source < perLine;
            moved[line * perLine + i] = arrives ? samples[from * perLine + source]
                                                : blackAt(layout, static_cast<unsigned>(i));
        }
    }
    samples = std::move(moved);
}

// Lines 2k and 2k+1 change places in every frame: an interlaced frame's fields, and the
// segments of a progressive one sent as segmented frames. An odd last line stays.
void fieldSwap(const Impairment&, ArrivingFrame& frame) {
    const FrameSamples& layout = frame.layout();
    Samples& samples = frame.samples();
    auto perLine = static_cast<std::ptrdiff_t>(layout.perLine());
    for (unsigned line = 0; line + 1 < layout.lines; line += 2) {
        auto first = samples.begin() + line * perLine;
        std::swap_ranges(first, first + perLine, first + perLine);
    }
}

void stale(const Impairment&, ArrivingFrame& frame) {
    frame.keepFrom(0);
}

void torn(const Impairment& impairment, ArrivingFrame& frame) {
    frame.keepFrom(impairment.line);
}

void bitErrors(const Impairment& impairment, ArrivingFrame& frame) {
    uint64_t seed = impairment.seed ? *impairment.seed : frame.drawSeed;
    addBitErrors(impairment.rate, seed, frame.layout(), frame.samples());
}

// Every whole 32-bit word of the frame, padding included.
void byteSwap(const Impairment&, ArrivingFrame& frame) {
    std::vector<uint8_t>& bytes = frame.bytes();
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        std::reverse(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    }
}

struct Model {
    ImpairmentKind kind;
    void (*apply)(const Impairment& impairment, ArrivingFrame& frame);
};

const Model kModels[] = {
    {ImpairmentKind::StuckBit, stuckBit},
    {ImpairmentKind::InvertedBit, invertedBit},
    {ImpairmentKind::ChromaSwap, chromaSwap},
    {ImpairmentKind::LumaChromaOrder, lumaChromaOrder},
    {ImpairmentKind::Truncated, truncated},
    {ImpairmentKind::Range, range},
    {ImpairmentKind::Shift, shift},
    {ImpairmentKind::FieldSwap, fieldSwap},
    {ImpairmentKind::Stale, stale},
    {ImpairmentKind::BitErrors, bitErrors},
    {ImpairmentKind::Torn, torn},
    {ImpairmentKind::ByteSwap, byteSwap},
    {ImpairmentKind::Matrix, matrix},
};

} // namespace

unsigned impairFrame(const std::vector<Impairment>& impairments, const FrameSamples& layout,
                     uint64_t drawSeed, std::vector<uint8_t>& frame) {
    ArrivingFrame arriving(layout, frame);
    arriving.drawSeed = drawSeed;
    for (const Impairment& impairment : impairments) {
        for (const Model& model : kModels) {
            if (model.kind == impairment.kind) {
                model.apply(impairment, arriving);
            }
        }
    }
    arriving.bytes();
    return arriving.arrivingLines();
}

} // namespace zyvosim
