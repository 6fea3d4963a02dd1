// Strips of a picture deflated apart and joined into one zlib stream.
#include "pictures/png_strips.h"

#include "pictures/zlib_row_writer.h"

#include <zlib.h>

#include <algorithm>
#include <thread>

namespace zyvodiag {
namespace {

// Below this a picture is compressed in a few milliseconds, less than a thread costs to start.
constexpr size_t kStripMinimum = size_t(1) << 20;
// More strips than this gain little and each starts with an empty window.
constexpr unsigned kMostStrips = 4;

struct Strip {
    unsigned first;
    unsigned end;
    std::vector<uint8_t> stream;
    uint32_t adler = 1;
    uint64_t length = 0;
};

void compressStrip(const uint8_t* pixels, size_t rowBytes, size_t pixelSize, bool last,
                   Strip& strip) {
    ZlibRowWriter writer(rowBytes + 1, pixelSize, ZlibRowWriter::kFastLevel, true);
    if (strip.first > 0) {
        writer.startBelow(pixels + size_t(strip.first - 1) * rowBytes);
    }
    for (unsigned y = strip.first; y < strip.end; ++y) {
        writer.addPixels(pixels + size_t(y) * rowBytes);
    }
    writer.finish(last);
    strip.stream = std::move(writer.output());
    strip.adler = writer.adler();
    strip.length = writer.length();
}

} // namespace

unsigned pngStripCount(size_t filteredBytes) {
    if (filteredBytes < kStripMinimum) {
        return 1;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores, kMostStrips);
}

std::vector<uint8_t> deflateInStrips(const uint8_t* pixels, size_t rowBytes, size_t pixelSize,
                                     unsigned rows, unsigned strips) {
    strips = std::max(1u, std::min(strips, rows));
    std::vector<Strip> parts;
    for (unsigned i = 0; i < strips; ++i) {
        parts.push_back(Strip{unsigned(uint64_t(rows) * i / strips),
                              unsigned(uint64_t(rows) * (i + 1) / strips),
                              {}});
    }
    std::vector<std::thread> threads;
    for (size_t i = 1; i < parts.size(); ++i) {
        threads.emplace_back(compressStrip, pixels, rowBytes, pixelSize, i + 1 == parts.size(),
                             std::ref(parts[i]));
    }
    compressStrip(pixels, rowBytes, pixelSize, parts.size() == 1, parts[0]);
    for (std::thread& thread : threads) {
        thread.join();
    }
    // A zlib header for deflate with a 32 KiB window at a fast level, its check bits making the
    // pair a multiple of 31.
    std::vector<uint8_t> stream = {0x78, 0x01};
    uLong adler = parts[0].adler;
    for (size_t i = 0; i < parts.size(); ++i) {
        stream.insert(stream.end(), parts[i].stream.begin(), parts[i].stream.end());
        if (i > 0) {
            adler = adler32_combine(adler, parts[i].adler, z_off_t(parts[i].length));
        }
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        stream.push_back(uint8_t(adler >> shift));
    }
    return stream;
}

} // namespace zyvodiag
