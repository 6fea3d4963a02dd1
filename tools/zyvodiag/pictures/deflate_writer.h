// A zlib stream of picture rows, compressed with deflate's fixed Huffman codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyvodiag {

// Looks for repeats only where pictures have them: one pixel back and one row back. Test
// patterns, bars and flat difference pictures shrink to a few bytes a row; noise costs about
// 6% more than stored. One deflate block, so the stream can be handed out as it grows.
class DeflateWriter {
public:
    // Rows of `rowSize` bytes, of pixels of `pixelSize` bytes.
    DeflateWriter(size_t rowSize, size_t pixelSize);

    void addRow(const uint8_t* row);
    // The end of the block and the Adler-32 of every row: the stream is complete.
    void finish();

    // The compressed bytes not yet taken; the caller empties it as it writes them out.
    std::vector<uint8_t>& output() { return mOutput; }

private:
    struct Distance {
        unsigned code;
        unsigned extraBits;
        unsigned extra;
    };

    void putBits(uint32_t value, unsigned count);
    void putHuffman(uint32_t code, unsigned length);
    void putLiteral(uint8_t byte);
    void putMatch(size_t length, const Distance& distance);
    static Distance distanceFor(unsigned distance);

    size_t mRowSize;
    size_t mPixelSize;
    Distance mPixelBack;
    Distance mRowBack;
    bool mRowBackReachable; // within deflate's 32 KiB window
    std::vector<uint8_t> mPreviousRow;
    bool mHavePreviousRow = false;
    uint32_t mAdler = 1;
    uint64_t mBits = 0;
    unsigned mBitCount = 0;
    std::vector<uint8_t> mOutput;
};

} // namespace zyvodiag
