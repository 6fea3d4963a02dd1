// How long the analyser takes to name the impairment of a 1080 and a 4K frame, per kind of
// fault, with the test patterns drawn afresh as compare draws them.
#include "analysis/analysis.h"
#include "analysis/line_model.h"
#include "analysis/reference_frames.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace zyvodiag;

DecodedFrame drawn(unsigned number, unsigned width, unsigned height) {
    GeneratedPatterns patterns;
    const DecodedFrame* frame = patterns.pattern(number, PixelLayout::YCbCr10, width, height);
    return frame != nullptr ? *frame : DecodedFrame{};
}

// The captured frame for case `which`: 0 identical, 1 a stuck bit, 2 a shift, 3 a matrix
// mix-up, 4 a stale black frame, 5 random noise.
DecodedFrame captured(int which, const DecodedFrame& expected) {
    Impairment impairment;
    switch (which) {
    case 0:
        return expected;
    case 1:
        impairment.kind = ImpairmentKind::StuckBit;
        impairment.bit = 2;
        break;
    case 2:
        impairment.kind = ImpairmentKind::Shift;
        impairment.dx = 5;
        impairment.dy = -3;
        break;
    case 3:
        impairment.kind = ImpairmentKind::Matrix;
        impairment.direction = Direction::From709To601;
        break;
    case 4:
        return drawn(8, expected.width, expected.height);
    default: {
        DecodedFrame noise = expected;
        std::mt19937 random(1);
        for (Sample& s : noise.samples) {
            for (auto& c : s.c) {
                c = static_cast<uint16_t>(random() & 0x3FF);
            }
        }
        return noise;
    }
    }
    DecodedFrame found = expected;
    LineModel model(impairment, expected, nullptr);
    for (unsigned y = 0; y < expected.height; ++y) {
        model.predict(y, &found.samples[size_t(y) * expected.width]);
    }
    return found;
}

void analyse(benchmark::State& state) {
    const unsigned width = unsigned(state.range(1));
    const unsigned height = unsigned(state.range(2));
    const DecodedFrame expected = drawn(7, width, height);
    const DecodedFrame found = captured(int(state.range(0)), expected);
    for (auto _ : state) {
        const Analysis analysis = analyseFrames(expected, found);
        benchmark::DoNotOptimize(analysis.best.confidence);
    }
}

} // namespace

BENCHMARK(analyse)
    ->ArgNames({"case", "w", "h"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {1920}, {1080}})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {3840}, {2160}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
