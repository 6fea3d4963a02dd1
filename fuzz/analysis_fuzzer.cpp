// The analyser on arbitrary frame pairs: any two frames of one raster and layout get a verdict
// with a sentence, a confidence and an explained share between 0 and 1, and identical frames
// carry no impairment.
#include "analysis/analysis.h"
#include "analysis/analysis_json.h"
#include "analysis/reference_frames.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <iterator>

#include "fuzz_support.h"

namespace {

using zyvodiag::PixelLayout;

const PixelLayout kLayouts[] = {PixelLayout::YCbCr10, PixelLayout::YCbCr8, PixelLayout::RGB8,
                                PixelLayout::RGB10, PixelLayout::YCbCr12};

// A frame of the raster, from the input's bytes: mostly a copy of `base` with a few samples
// changed, so that the analyser's models get frames near the expected one; sometimes any frame.
zyvodiag::DecodedFrame derived(FuzzedDataProvider& input, const zyvodiag::DecodedFrame& base) {
    zyvodiag::DecodedFrame frame = base;
    const unsigned mask = (1u << zyvodiag::bitDepth(base.layout)) - 1;
    const bool anyFrame = input.ConsumeBool();
    const size_t changes =
        anyFrame ? frame.samples.size() : input.ConsumeIntegralInRange<size_t>(0, 64);
    for (size_t n = 0; n < changes && input.remaining_bytes() > 0; ++n) {
        const size_t at =
            anyFrame ? n : input.ConsumeIntegralInRange<size_t>(0, frame.samples.size() - 1);
        for (auto& c : frame.samples[at].c) {
            c = static_cast<uint16_t>(input.ConsumeIntegral<uint16_t>() & mask);
        }
    }
    return frame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    zyvodiag::DecodedFrame expected;
    expected.layout = kLayouts[input.ConsumeIntegralInRange<size_t>(0, std::size(kLayouts) - 1)];
    expected.width = input.ConsumeIntegralInRange<unsigned>(1, 96);
    expected.height = input.ConsumeIntegralInRange<unsigned>(1, 64);
    expected.samples.assign(size_t(expected.width) * expected.height, zyvodiag::Sample{{0, 0, 0}});
    expected = derived(input, expected);
    const zyvodiag::DecodedFrame found = derived(input, expected);

    // The generator's patterns take part, as in compare.
    zyvodiag::GeneratedPatterns patterns;
    const zyvodiag::Analysis analysis = zyvodiag::analyseFrames(expected, found, &patterns);
    zyvofuzz::check(!analysis.summary.empty(), "every verdict has a sentence");
    zyvofuzz::check(analysis.best.confidence >= 0 && analysis.best.confidence <= 1,
                    "the confidence lies between 0 and 1");
    zyvofuzz::check(analysis.best.explained >= 0 && analysis.best.explained <= 1,
                    "the explained share lies between 0 and 1");
    bool same = true;
    for (size_t i = 0; i < expected.samples.size(); ++i) {
        for (unsigned c = 0; c < 3; ++c) {
            same = same && expected.samples[i].c[c] == found.samples[i].c[c];
        }
    }
    zyvofuzz::check(!same || analysis.identical, "equal frames are identical");
    zyvofuzz::check(!analysis.identical || analysis.differingSamples == 0,
                    "identical frames have no differing sample");
    zyvofuzz::check(!analysis.identical ||
                        analysis.best.impairment.kind == zyvodiag::ImpairmentKind::None,
                    "identical frames carry no impairment");
    zyvofuzz::check(zyvodiag::analysisJson(analysis, expected.layout).dump().size() > 2,
                    "the analysis has its JSON");
    return 0;
}
