// How large and how fast the PNG pictures of test patterns are: the zlib writer the tool uses
// where the host has zlib, beside zlib's level 6 on the same rows and our own fixed-code writer
// that the PowerPC build keeps; and how fast the waveform and vectorscope of a frame are drawn.
#include "pictures/deflate_writer.h"
#include "pictures/frame_decoder.h"
#include "pictures/png_writer.h"
#include "pictures/scopes.h"
#ifdef ZYVODIAG_HAVE_ZLIB
#include "pictures/zlib_row_writer.h"
#endif

#include "QELTestPatternGen.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using zyvodiag::PixelLayout;

struct Picture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<uint8_t> rgb;
};

// A pattern drawn by the common generator in `layout` and decoded, as the tool holds it.
zyvodiag::DecodedFrame decodedPattern(int pattern, unsigned width, unsigned height,
                                      PixelLayout layout) {
    std::vector<unsigned char> frame;
    QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), width, height,
                                        static_cast<QEL_PixelFormat>(layout), frame);
    const zyvodiag::FrameShape shape{layout, width, height,
                                     unsigned(zyvodiag::minimumPitch(layout, width))};
    zyvodiag::DecodedFrame decoded;
    std::string error;
    zyvodiag::decodeFrame(frame.data(), frame.size(), shape, decoded, error);
    return decoded;
}

// A pattern as the SDI tests keep it: drawn in 10-bit YCbCr 4:2:2, decoded to 8-bit RGB.
const Picture& picture(int pattern, unsigned width, unsigned height) {
    static std::map<std::vector<unsigned>, Picture> pictures;
    Picture& made = pictures[{unsigned(pattern), width, height}];
    if (made.rgb.empty()) {
        made =
            Picture{width, height,
                    zyvodiag::toRgb8(decodedPattern(pattern, width, height, PixelLayout::YCbCr10))};
    }
    return made;
}

// The waveform and the vectorscope of a 1080 frame, as view --waveform --vectorscope draws them
// before writing: the picture the self-test's report shows beside a failed test's frame.
void drawScopes(benchmark::State& state) {
    const zyvodiag::DecodedFrame frame =
        decodedPattern(int(state.range(0)), 1920, 1080, PixelLayout(state.range(1)));
    for (auto _ : state) {
        const zyvodiag::ScopePictures scopes = zyvodiag::drawScopes(frame);
        benchmark::DoNotOptimize(scopes.waveform.rgb.data());
        benchmark::DoNotOptimize(scopes.vectorscope.rgb.data());
    }
}

std::string scratchFile() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/zyvo-png-bench.png";
}

// The tool's writer, file and all.
void writePng(benchmark::State& state) {
    const Picture& rgb =
        picture(int(state.range(0)), unsigned(state.range(1)), unsigned(state.range(2)));
    const std::string file = scratchFile();
    std::string error;
    for (auto _ : state) {
        if (!zyvodiag::writePng(file, rgb.width, rgb.height, rgb.rgb, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    struct stat facts {};
    stat(file.c_str(), &facts);
    state.counters["bytes"] = double(facts.st_size);
    std::remove(file.c_str());
}

// The rows as the tool's writer gives them to its compressor: one sample a pixel when the
// picture is grey, R, G and B otherwise.
size_t samplesOfPixel(const Picture& rgb) {
    for (size_t i = 0; i < rgb.rgb.size(); i += 3) {
        if (rgb.rgb[i] != rgb.rgb[i + 1] || rgb.rgb[i] != rgb.rgb[i + 2]) {
            return 3;
        }
    }
    return 1;
}

// The bytes of the whole stream of the picture's rows through a DeflateWriter or a
// ZlibRowWriter.
template <typename Stream, typename... Settings>
size_t deflatedSize(const Picture& rgb, Settings... settings) {
    const size_t channels = samplesOfPixel(rgb);
    std::vector<uint8_t> row(1 + rgb.width * channels, 0);
    Stream stream(row.size(), channels, settings...);
    size_t bytes = 0;
    for (size_t y = 0; y < rgb.height; ++y) {
        for (size_t x = 0; x < rgb.width * channels; ++x) {
            row[1 + x] = rgb.rgb[(y * rgb.width * 3) + x * (channels == 1 ? 3 : 1)];
        }
        stream.addRow(row.data());
        bytes += stream.output().size();
        stream.output().clear();
    }
    stream.finish();
    return bytes + stream.output().size();
}

// Our fixed-code writer on the same rows, unfiltered as it takes them (the PowerPC build's
// pictures).
void fixedDeflate(benchmark::State& state) {
    const Picture& rgb =
        picture(int(state.range(0)), unsigned(state.range(1)), unsigned(state.range(2)));
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = deflatedSize<zyvodiag::DeflateWriter>(rgb);
    }
    state.counters["bytes"] = double(bytes);
}

#ifdef ZYVODIAG_HAVE_ZLIB
// zlib's default level on the rows the tool filters: the size the tool's faster level is held
// against.
void zlibLevel6(benchmark::State& state) {
    const Picture& rgb =
        picture(int(state.range(0)), unsigned(state.range(1)), unsigned(state.range(2)));
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = deflatedSize<zyvodiag::ZlibRowWriter>(rgb, 6);
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(zlibLevel6)
    ->Args({13, 1920, 1080})
    ->ArgNames({"pattern", "w", "h"})
    ->Unit(benchmark::kMillisecond);
#endif

void patterns(benchmark::internal::Benchmark* benchmark) {
    for (int pattern = 0; pattern < 16; ++pattern) {
        benchmark->Args({pattern, 1920, 1080});
    }
    benchmark->Args({0, 3840, 2160});
    benchmark->ArgNames({"pattern", "w", "h"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(writePng)->Apply(patterns);
BENCHMARK(fixedDeflate)->Apply(patterns);
// Last: the CSV's columns are those of the first benchmark, and this one counts no bytes.
BENCHMARK(drawScopes)
    ->Args({1, int(PixelLayout::YCbCr10)})
    ->Args({13, int(PixelLayout::YCbCr10)})
    ->Args({1, int(PixelLayout::RGB10)})
    ->Args({13, int(PixelLayout::YCbCr8)})
    ->ArgNames({"pattern", "fmt"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
