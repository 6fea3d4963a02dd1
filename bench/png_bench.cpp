// How large and how fast the PNG pictures of test patterns are: the zlib writer the tool uses
// where the host has zlib, beside our own fixed-code writer that the PowerPC build keeps.
#include "pictures/deflate_writer.h"
#include "pictures/frame_decoder.h"
#include "pictures/png_writer.h"

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

// A pattern as the SDI tests keep it: drawn in 10-bit YCbCr 4:2:2, decoded to 8-bit RGB.
const Picture& picture(int pattern, unsigned width, unsigned height) {
    static std::map<std::vector<unsigned>, Picture> pictures;
    Picture& made = pictures[{unsigned(pattern), width, height}];
    if (!made.rgb.empty()) {
        return made;
    }
    std::vector<unsigned char> frame;
    QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), width, height,
                                        QEL_PixelFormat_YCbCr10, frame);
    const zyvodiag::FrameShape shape{PixelLayout::YCbCr10, width, height,
                                     unsigned(zyvodiag::minimumPitch(PixelLayout::YCbCr10, width))};
    zyvodiag::DecodedFrame decoded;
    std::string error;
    if (zyvodiag::decodeFrame(frame.data(), frame.size(), shape, decoded, error)) {
        made = Picture{width, height, zyvodiag::toRgb8(decoded)};
    }
    return made;
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

// Today's fixed-code writer on the same rows, unfiltered as it takes them.
void fixedDeflate(benchmark::State& state) {
    const Picture& rgb =
        picture(int(state.range(0)), unsigned(state.range(1)), unsigned(state.range(2)));
    const size_t pixelBytes = size_t(rgb.width) * 3;
    std::vector<uint8_t> row(1 + pixelBytes, 0);
    size_t bytes = 0;
    for (auto _ : state) {
        zyvodiag::DeflateWriter stream(row.size(), 3);
        bytes = 0;
        for (unsigned y = 0; y < rgb.height; ++y) {
            std::copy(rgb.rgb.begin() + y * pixelBytes, rgb.rgb.begin() + (y + 1) * pixelBytes,
                      row.begin() + 1);
            stream.addRow(row.data());
            bytes += stream.output().size();
            stream.output().clear();
        }
        stream.finish();
        bytes += stream.output().size();
    }
    state.counters["bytes"] = double(bytes);
}

void patterns(benchmark::internal::Benchmark* benchmark) {
    for (int pattern = 0; pattern < 16; ++pattern) {
        benchmark->Args({pattern, 1920, 1080});
    }
    benchmark->Args({0, 3840, 2160});
    benchmark->ArgNames({"pattern", "w", "h"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(writePng)->Apply(patterns);
BENCHMARK(fixedDeflate)->Apply(patterns);

} // namespace

BENCHMARK_MAIN();
