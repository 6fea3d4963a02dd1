// A zlib stream of picture rows, compressed by zlib itself.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyvodiag {

// The same interface as DeflateWriter, for the hosts that have zlib. Every row goes through
// PNG's Paeth filter, which turns ramps, zone plates and repeated rows into the small numbers
// and runs deflate codes well.
class ZlibRowWriter {
public:
    // zlib's fastest level: on filtered test pictures its stream is within a tenth of level 6's,
    // in a fifth of the time (png_bench measures both).
    static constexpr int kFastLevel = 1;

    // Rows of `rowSize` bytes, the filter byte first, of pixels of `pixelSize` bytes.
    ZlibRowWriter(size_t rowSize, size_t pixelSize, int level = kFastLevel);
    ~ZlibRowWriter();
    ZlibRowWriter(const ZlibRowWriter&) = delete;
    ZlibRowWriter& operator=(const ZlibRowWriter&) = delete;

    void addRow(const uint8_t* row);
    void finish();
    std::vector<uint8_t>& output() { return mOutput; }

private:
    void compress(const uint8_t* bytes, size_t size, int flush);

    size_t mRowSize;
    size_t mPixelSize;
    std::vector<uint8_t> mPrevious; // the last row's pixels, zeros before the first
    std::vector<uint8_t> mFiltered;
    z_stream mStream{};
    std::vector<uint8_t> mOutput;
};

} // namespace zyvodiag
