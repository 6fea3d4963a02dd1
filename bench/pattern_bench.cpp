// How fast frames are drawn in host memory: every test pattern in the pixel formats the frame
// stores use most, beside a memset of the same buffer (the memory bandwidth bound).
#include <zyvodiag>

#include "QELTestPatternGen.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kPatternCount = 16;
const int kPixelFormats[] = {1, 2, 5};
const int kSizes[][2] = {{1920, 1080}, {3840, 2160}};

// One buffer for every frame, as a fill loop keeps it: after the first frame, no allocation.
std::vector<unsigned char>& frameBuffer() {
    static std::vector<unsigned char> buffer;
    return buffer;
}

void drawPattern(benchmark::State& state) {
    auto pattern = static_cast<QELTestPatternSelect>(state.range(0));
    auto pixelFormat = static_cast<QEL_PixelFormat>(state.range(1));
    auto width = static_cast<unsigned>(state.range(2));
    auto height = static_cast<unsigned>(state.range(3));
    QELTestPatternGen generator;
    auto& buffer = frameBuffer();
    if (generator.DrawTestPattern(pattern, width, height, pixelFormat, buffer) <= 0) {
        state.SkipWithError("DrawTestPattern failed");
        return;
    }
    for (auto _ : state) {
        generator.DrawTestPattern(pattern, width, height, pixelFormat, buffer);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(buffer.size()));
}

// The same buffer, sized by the generator for the format, set to one value.
void memsetFrame(benchmark::State& state) {
    auto pixelFormat = static_cast<QEL_PixelFormat>(state.range(0));
    auto width = static_cast<unsigned>(state.range(1));
    auto height = static_cast<unsigned>(state.range(2));
    auto& buffer = frameBuffer();
    QELTestPatternGen().DrawTestPattern(QEL_TestPattern_Black, width, height, pixelFormat, buffer);
    for (auto _ : state) {
        std::memset(buffer.data(), 0x40, buffer.size());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(buffer.size()));
}

void colorBars(benchmark::State& state) {
    const unsigned width = 1920, height = 1080, bytesPerPixel = 4;
    auto& buffer = frameBuffer();
    buffer.resize(static_cast<size_t>(width) * height * bytesPerPixel);
    for (auto _ : state) {
        Create10BitRGBColorBars(width, height, bytesPerPixel, buffer);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(buffer.size()));
}

const bool s_registered = [] {
    for (const auto& size : kSizes) {
        for (int pixelFormat : kPixelFormats) {
            benchmark::RegisterBenchmark("memset", memsetFrame)
                ->Args({pixelFormat, size[0], size[1]})
                ->ArgNames({"fmt", "w", "h"})
                ->Unit(benchmark::kMillisecond);
            for (int pattern = 0; pattern < kPatternCount; ++pattern) {
                benchmark::RegisterBenchmark("DrawTestPattern", drawPattern)
                    ->Args({pattern, pixelFormat, size[0], size[1]})
                    ->ArgNames({"pattern", "fmt", "w", "h"})
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::RegisterBenchmark("Create10BitRGBColorBars", colorBars)
        ->Args({1920, 1080})
        ->ArgNames({"w", "h"})
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
