// A zlib stream of picture rows, compressed by zlib itself.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyvodiag {

// The same interface as DeflateWriter, for the hosts that have zlib. Each row is given its PNG
// filter here (the one whose bytes come out smallest, the usual heuristic), so that ramps and
// zone plates turn into the small numbers deflate codes well.
class ZlibRowWriter {
public:
    // Rows of `rowSize` bytes, the filter byte first, of pixels of `pixelSize` bytes.
    ZlibRowWriter(size_t rowSize, size_t pixelSize);
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
    std::vector<uint8_t> mCandidates[5];
    z_stream mStream{};
    std::vector<uint8_t> mOutput;
};

} // namespace zyvodiag
