// Deflate with the fixed Huffman codes, matching one pixel or one row back, in a zlib wrapper.
#include "pictures/deflate_writer.h"

#include "pictures/checksums.h"

#include <algorithm>

namespace zyvodiag {

namespace {

const size_t kMinMatch = 3;
const size_t kMaxMatch = 258;
const size_t kWindowSize = 32768;
const unsigned kEndOfBlock = 256;

// The first length and distance of each code, and the extra bits that follow it.
const unsigned kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const unsigned kLengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const unsigned kDistanceExtraBits[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// How many bytes from `here` on repeat those from `back` on, up to `limit`.
size_t matchLength(const uint8_t* here, const uint8_t* back, size_t limit) {
    size_t length = 0;
    while (length < limit && here[length] == back[length]) {
        ++length;
    }
    return length;
}

} // namespace

DeflateWriter::DeflateWriter(size_t rowSize, size_t pixelSize)
    : mRowSize(rowSize), mPixelSize(pixelSize), mPixelBack(distanceFor(unsigned(pixelSize))),
      mRowBack(distanceFor(unsigned(std::min(rowSize, kWindowSize)))),
      mRowBackReachable(rowSize <= kWindowSize), mPreviousRow(rowSize) {
    // zlib header: deflate with a 32 KiB window, the fastest level; a multiple of 31.
    mOutput.push_back(0x78);
    mOutput.push_back(0x01);
    // The only block, the last, with the fixed codes.
    putBits(1, 1);
    putBits(1, 2);
}

void DeflateWriter::addRow(const uint8_t* row) {
    mAdler = adler32(mAdler, row, mRowSize);
    const bool rowBack = mHavePreviousRow && mRowBackReachable;
    size_t i = 0;
    while (i < mRowSize) {
        const size_t limit = std::min(kMaxMatch, mRowSize - i);
        const size_t pixelRun =
            i >= mPixelSize ? matchLength(row + i, row + i - mPixelSize, limit) : 0;
        const size_t rowRun = rowBack ? matchLength(row + i, mPreviousRow.data() + i, limit) : 0;
        // One pixel back codes shorter, so it wins a tie.
        if (std::max(pixelRun, rowRun) < kMinMatch) {
            putLiteral(row[i]);
            ++i;
        } else if (pixelRun >= rowRun) {
            putMatch(pixelRun, mPixelBack);
            i += pixelRun;
        } else {
            putMatch(rowRun, mRowBack);
            i += rowRun;
        }
    }
    std::copy(row, row + mRowSize, mPreviousRow.begin());
    mHavePreviousRow = true;
}

void DeflateWriter::finish() {
    putHuffman(kEndOfBlock - 256, 7);
    if (mBitCount > 0) {
        putBits(0, 8 - mBitCount);
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        mOutput.push_back(uint8_t(mAdler >> shift));
    }
}

// Deflate packs its bits from the least significant bit of each byte on.
void DeflateWriter::putBits(uint32_t value, unsigned count) {
    mBits |= uint64_t(value) << mBitCount;
    mBitCount += count;
    while (mBitCount >= 8) {
        mOutput.push_back(uint8_t(mBits));
        mBits >>= 8;
        mBitCount -= 8;
    }
}

// Huffman codes go most significant bit first, the reverse of every other field.
void DeflateWriter::putHuffman(uint32_t code, unsigned length) {
    uint32_t reversed = 0;
    for (unsigned bit = 0; bit < length; ++bit) {
        reversed = (reversed << 1) | ((code >> bit) & 1);
    }
    putBits(reversed, length);
}

void DeflateWriter::putLiteral(uint8_t byte) {
    if (byte < 144) {
        putHuffman(0x30 + byte, 8);
    } else {
        putHuffman(0x190 + (byte - 144), 9);
    }
}

void DeflateWriter::putMatch(size_t length, const Distance& distance) {
    unsigned code = 28;
    while (kLengthBase[code] > length) {
        --code;
    }
    const unsigned symbol = 257 + code;
    if (symbol < 280) {
        putHuffman(symbol - 256, 7);
    } else {
        putHuffman(0xC0 + (symbol - 280), 8);
    }
    putBits(unsigned(length) - kLengthBase[code], kLengthExtraBits[code]);
    putHuffman(distance.code, 5);
    putBits(distance.extra, distance.extraBits);
}

DeflateWriter::Distance DeflateWriter::distanceFor(unsigned distance) {
    unsigned code = 29;
    while (kDistanceBase[code] > distance) {
        --code;
    }
    return {code, kDistanceExtraBits[code], distance - kDistanceBase[code]};
}

} // namespace zyvodiag
