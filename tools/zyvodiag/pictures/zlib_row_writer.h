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

    // Rows of `rowSize` bytes, the filter byte first, of pixels of `pixelSize` bytes. A `strip`
    // writes bare deflate blocks with no zlib header or Adler-32, one strip of a picture whose
    // strips are compressed apart and joined (see png_strips.h).
    ZlibRowWriter(size_t rowSize, size_t pixelSize, int level = kFastLevel, bool strip = false);
    ~ZlibRowWriter();
    ZlibRowWriter(const ZlibRowWriter&) = delete;
    ZlibRowWriter& operator=(const ZlibRowWriter&) = delete;

    void addRow(const uint8_t* row) { addPixels(row + 1); }
    // A row given by its pixels alone.
    void addPixels(const uint8_t* pixels);
    // The pixels of the row above the first one added: a strip filters its first row against it.
    void startBelow(const uint8_t* pixels);
    // The stream is complete. A strip that is not the picture's last ends instead on a byte
    // boundary in a block that is not final, so that the next strip's blocks may follow.
    void finish(bool lastStrip = true);
    std::vector<uint8_t>& output() { return mOutput; }
    // The Adler-32 of the rows of a strip, and their length with their filter bytes.
    uint32_t adler() const { return mAdler; }
    uint64_t length() const { return mLength; }

private:
    void compress(const uint8_t* bytes, size_t size, int flush);

    size_t mRowSize;
    size_t mPixelSize;
    bool mStrip;
    uint32_t mAdler = 1;
    uint64_t mLength = 0;
    std::vector<uint8_t> mPrevious; // the last row's pixels, zeros before the first
    std::vector<uint8_t> mFiltered;
    z_stream mStream{};
    std::vector<uint8_t> mOutput;
};

} // namespace zyvodiag
