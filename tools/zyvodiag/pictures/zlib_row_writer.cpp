// PNG rows through the Paeth filter, deflated by zlib.
#include "pictures/zlib_row_writer.h"

#include <algorithm>
#include <cstdlib>

namespace zyvodiag {
namespace {

constexpr uint8_t kPaeth = 4;

// The neighbour nearest to left + above - aboveLeft, ties going left, then above. Written
// without branches so that the row's loop vectorises.
inline uint8_t paeth(int left, int above, int aboveLeft) {
    const int toLeft = std::abs(above - aboveLeft);
    const int toAbove = std::abs(left - aboveLeft);
    const int toAboveLeft = std::abs(left + above - 2 * aboveLeft);
    const int nearer = toAbove <= toAboveLeft ? above : aboveLeft;
    return uint8_t(toLeft <= toAbove && toLeft <= toAboveLeft ? left : nearer);
}

} // namespace

// Paeth alone rather than the filter that looks best row by row: trying all five cost more
// than zlib's fast level itself, and chose Paeth or Up (which Paeth matches on a row equal to
// the one above) on nearly every row of test pictures.
ZlibRowWriter::ZlibRowWriter(size_t rowSize, size_t pixelSize, int level, bool strip)
    : mRowSize(rowSize), mPixelSize(pixelSize), mStrip(strip), mPrevious(rowSize, 0),
      mFiltered(rowSize, 0) {
    mFiltered[0] = kPaeth;
    // Negative window bits: deflate blocks alone.
    deflateInit2(&mStream, level, Z_DEFLATED, strip ? -15 : 15, 9, Z_DEFAULT_STRATEGY);
}

void ZlibRowWriter::startBelow(const uint8_t* pixels) {
    std::copy(pixels, pixels + mRowSize - 1, mPrevious.begin() + 1);
}

ZlibRowWriter::~ZlibRowWriter() {
    deflateEnd(&mStream);
}

void ZlibRowWriter::addPixels(const uint8_t* pixels) {
    const uint8_t* above = mPrevious.data() + 1;
    uint8_t* filtered = mFiltered.data() + 1;
    const size_t width = mRowSize - 1;
    const size_t bpp = std::min(mPixelSize, width);
    // A row equal to the one above, as most rows of bars and flat pictures are, filters to
    // zeros whatever its pixels.
    if (std::equal(pixels, pixels + width, above)) {
        std::fill(filtered, filtered + width, uint8_t(0));
        compress(mFiltered.data(), mRowSize, Z_NO_FLUSH);
        return;
    }
    // Nothing to the left of the first pixel: Paeth predicts from above.
    for (size_t i = 0; i < bpp; ++i) {
        filtered[i] = uint8_t(pixels[i] - above[i]);
    }
    for (size_t i = bpp; i < width; ++i) {
        filtered[i] = uint8_t(pixels[i] - paeth(pixels[i - bpp], above[i], above[i - bpp]));
    }
    compress(mFiltered.data(), mRowSize, Z_NO_FLUSH);
    std::copy(pixels, pixels + width, mPrevious.begin() + 1);
}

void ZlibRowWriter::finish(bool lastStrip) {
    compress(nullptr, 0, lastStrip ? Z_FINISH : Z_SYNC_FLUSH);
}

void ZlibRowWriter::compress(const uint8_t* bytes, size_t size, int flush) {
    if (mStrip && size > 0) {
        mAdler = adler32(mAdler, bytes, static_cast<uInt>(size));
        mLength += size;
    }
    mStream.next_in = const_cast<Bytef*>(bytes);
    mStream.avail_in = static_cast<uInt>(size);
    uint8_t block[1 << 16];
    do {
        mStream.next_out = block;
        mStream.avail_out = sizeof block;
        deflate(&mStream, flush);
        mOutput.insert(mOutput.end(), block, block + (sizeof block - mStream.avail_out));
    } while (mStream.avail_out == 0 || (flush == Z_FINISH && mStream.avail_in > 0));
}

} // namespace zyvodiag
