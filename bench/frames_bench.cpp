// How fast frames move on the simulated device and through files: a frame store filled with a
// pattern (draw + one DMA transfer), a 4K frame read into a file, and two 4K frame files
// compared. Files go to a directory under $TMPDIR, kept when ZYVO_BENCH_KEEP_FILES is set so
// peers.sh can run its peers on the very same files.
#include "zyvosim/zyvosim.h"

#include <zyvodiag>

#include "ZyvoFrameBufferWidgets.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr unsigned k4KWidth = 3840;
constexpr unsigned k4KHeight = 2160;

// The simulated device and the frame files, set up by the first benchmark that runs and put
// away when the program exits.
struct Bench {
    Bench();
    ~Bench();
    ZyvoDiagDevice device;
    ZyvoDiag diag;
    std::string directory;
    bool ready = false;
};

Bench& bench() {
    static Bench b;
    return b;
}

std::string path(const char* name) {
    return bench().directory + "/" + name;
}

bool writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// Two equal 4K 10-bit RGB frames and a third differing from them in its last byte.
bool writeCompareFiles(const std::string& directory) {
    std::vector<unsigned char> frame;
    QELTestPatternGen().DrawTestPattern(QEL_TestPattern_Bars75, k4KWidth, k4KHeight,
                                        QEL_PixelFormat_RGB10, frame);
    bool written =
        writeFile(directory + "/expected.raw", frame) && writeFile(directory + "/same.raw", frame);
    frame.back() ^= 0xFF;
    return written && writeFile(directory + "/last-byte.raw", frame);
}

Bench::Bench() {
    // A card of this process alone; main has put the simulator on its virtual clock.
    setenv("ZYVO_SIM_STATE", "private", 1);
    unsetenv("ZYVO_SIM");
    ZyvoDiagUserCommands::msDebugOutput = false;
    const char* tmp = std::getenv("TMPDIR");
    directory = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zyvo-frames-bench";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !writeCompareFiles(directory)) {
        std::fprintf(stderr, "frames_bench: cannot write frame files in %s\n", directory.c_str());
        return;
    }
    // The frame files go to the disk now rather than during the timed writes: dd, the peer of
    // the frame-to-file figure, also starts with no writeback in flight.
    sync();
    if (!device.open()) {
        std::fprintf(stderr, "frames_bench: the simulated device did not open\n");
        return;
    }
    diag.mpDevice = device.mpDevice;
    ready = true;
}

Bench::~Bench() {
    device.close();
    if (std::getenv("ZYVO_BENCH_KEEP_FILES") == nullptr) {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
}

// False, with the benchmark skipped, when there is no device or no files to work on.
bool ready(benchmark::State& state) {
    if (!bench().ready) {
        state.SkipWithError("no simulated device or frame files (see standard error)");
    }
    return bench().ready;
}

void fillFrameStore(benchmark::State& state) {
    if (!ready(state)) {
        return;
    }
    auto pattern = static_cast<QELTestPatternSelect>(state.range(0));
    auto pixelFormat = static_cast<ZyvoPixelFormat>(state.range(1));
    ZyvoDiag& diag = bench().diag;
    diag.WidgetsInit(ZYVO_VideoFormat_1080i_2997, pixelFormat);
    zyvosim::clearTrace();
    for (auto _ : state) {
        int result = diag.frameBufferFillWithTestPattern(0u, pattern, ZYVO_VideoFormat_1080i_2997,
                                                         static_cast<QEL_PixelFormat>(pixelFormat));
        benchmark::DoNotOptimize(result);
        zyvosim::clearTrace();
    }
}

void dmaToFile(benchmark::State& state) {
    if (!ready(state)) {
        return;
    }
    ZyvoDiag& diag = bench().diag;
    diag.WidgetsInit(ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_RGB10);
    diag.ConfigureHDMIPlaybackFrameBuffers(ZYVO_VideoFormat_2160p_30_HDMI, ZYVO_PixelFormat_RGB10);
    ZyvoFrameBufferPlayWidget* store = diag.mpFBPlayback[0];
    diag.frameBufferFillWithTestPattern(store, QEL_TestPattern_Bars75,
                                        ZYVO_VideoFormat_2160p_30_HDMI, QEL_PixelFormat_RGB10);
    const std::string file = path("frame.raw");
    if (diag.frameBufferDmaToFile(store, 0, file.c_str()) <= 0) {
        state.SkipWithError("frameBufferDmaToFile failed");
        return;
    }
    const auto frameBytes = static_cast<int64_t>(std::filesystem::file_size(file));
    zyvosim::clearTrace();
    for (auto _ : state) {
        int result = diag.frameBufferDmaToFile(store, 0, file.c_str());
        benchmark::DoNotOptimize(result);
        zyvosim::clearTrace();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * frameBytes);
}

void compare(benchmark::State& state, const char* found) {
    if (!ready(state)) {
        return;
    }
    const std::string expectedFile = path("expected.raw");
    const std::string foundFile = path(found);
    ZyvoDiag& diag = bench().diag;
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(expectedFile));
    for (auto _ : state) {
        int result = diag.compareFiles(expectedFile.c_str(), foundFile.c_str());
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}

void compareEqual(benchmark::State& state) {
    compare(state, "same.raw");
}
void compareLastByte(benchmark::State& state) {
    compare(state, "last-byte.raw");
}

BENCHMARK(fillFrameStore)
    ->Args({QEL_TestPattern_Bars75, ZYVO_PixelFormat_YCbCr8})
    ->Args({QEL_TestPattern_Bars75, ZYVO_PixelFormat_YCbCr10})
    ->Args({QEL_TestPattern_Bars100, ZYVO_PixelFormat_RGB10})
    ->ArgNames({"pattern", "fmt"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(dmaToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(compareEqual)->Unit(benchmark::kMillisecond);
BENCHMARK(compareLastByte)->Unit(benchmark::kMillisecond);

} // namespace

// The simulated device's waits run on its virtual clock, as in the tests.
int main(int argc, char** argv) {
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
