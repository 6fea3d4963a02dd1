// PNG files of 8-bit RGB pictures: the chunks around a zlib stream of rows, grey pictures as
// greyscale.
#include "pictures/png_writer.h"

#include "pictures/checksums.h"
#ifdef ZYVODIAG_HAVE_ZLIB
#include "pictures/png_strips.h"
#include "pictures/zlib_row_writer.h"
#else
#include "pictures/deflate_writer.h"
#endif
#include "system/pending_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zyvodiag {

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const uint8_t kColourTypeGrey = 0;
const uint8_t kColourTypeRgb = 2;
// The row's first byte: the fixed-code writer takes rows unfiltered (it finds the runs of test
// pictures in the pixels themselves); the zlib writer puts its own filter there.
const uint8_t kFilterNone = 0;
// zlib where the host has it; our own fixed-code writer where it does not (the PowerPC cross
// build), which finds the repeats of test pictures in unfiltered rows.
#ifdef ZYVODIAG_HAVE_ZLIB
using RowCompressor = ZlibRowWriter;
#else
using RowCompressor = DeflateWriter;
#endif
// Compressed bytes gathered before they go out as an IDAT chunk.
const size_t kChunkSize = 1 << 17;

// PNG's integers are big-endian whatever the host.
void putBigEndian(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(uint8_t(value >> shift));
    }
}

// The file as it is written: under the pending name until it is whole, so that a failed or
// interrupted write never leaves a truncated picture that looks like the real one.
class PngFile {
public:
    explicit PngFile(const std::string& path) : mPath(path), mPending(path) {}
    ~PngFile() {
        if (mFile != nullptr) {
            std::fclose(mFile);
        }
    }
    PngFile(const PngFile&) = delete;
    PngFile& operator=(const PngFile&) = delete;

    bool open() {
        if (!mPending.ready()) {
            // Our callers name the file themselves.
            mError = mPending.error();
            if (mError.compare(0, mPath.size() + 2, mPath + ": ") == 0) {
                mError.erase(0, mPath.size() + 2);
            }
            return false;
        }
        errno = 0;
        mFile = std::fopen(mPending.writePath().c_str(), "wb");
        return mFile != nullptr || fail();
    }

    bool write(const uint8_t* bytes, size_t size) {
        errno = 0;
        return std::fwrite(bytes, 1, size, mFile) == size || fail();
    }

    bool finish() {
        FILE* file = mFile;
        mFile = nullptr;
        errno = 0;
        // A full disk may show only when the last buffer goes out, at the close.
        if (std::fclose(file) != 0) {
            return fail();
        }
        std::string reason;
        if (!mPending.keep(reason)) {
            // keep() names the file; our callers do that themselves.
            mError = reason.substr(reason.rfind(": ") + 2);
            return false;
        }
        return true;
    }

    // The system's reason ("No space left on device").
    const std::string& error() const { return mError; }

private:
    bool fail() {
        mError = errno != 0 ? std::strerror(errno) : "write error";
        return false;
    }

    std::string mPath;
    PendingFile mPending;
    FILE* mFile = nullptr;
    std::string mError;
};

bool writeChunk(PngFile& file, const char* type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes;
    bytes.reserve(data.size() + 12);
    putBigEndian(bytes, uint32_t(data.size()));
    bytes.insert(bytes.end(), type, type + 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    // The CRC covers the type and the data, not the length.
    putBigEndian(bytes, crc32(0, bytes.data() + 4, bytes.size() - 4));
    return file.write(bytes.data(), bytes.size());
}

// Zone plates, ramps, black and white are grey: written as one sample a pixel instead of
// three, their files are about a third as large and take a third of the time to deflate, and
// every decoder gives back the same RGB.
bool isGrey(const std::vector<uint8_t>& rgb) {
    for (size_t i = 0; i < rgb.size(); i += 3) {
        if (rgb[i] != rgb[i + 1] || rgb[i] != rgb[i + 2]) {
            return false;
        }
    }
    return true;
}

std::vector<uint8_t> header(unsigned width, unsigned height, uint8_t colourType) {
    std::vector<uint8_t> data;
    putBigEndian(data, width);
    putBigEndian(data, height);
    // 8 bits a sample, deflate, PNG's only filter method, no interlace.
    data.insert(data.end(), {8, colourType, 0, 0, 0});
    return data;
}

#ifdef ZYVODIAG_HAVE_ZLIB
// A large picture in strips on the machine's cores; its stream goes out in chunks as a stream
// written row by row would.
bool writeInStrips(PngFile& file, unsigned width, unsigned height, const std::vector<uint8_t>& rgb,
                   size_t channels, unsigned strips) {
    std::vector<uint8_t> grey;
    if (channels == 1) {
        grey.resize(size_t(width) * height);
        for (size_t i = 0; i < grey.size(); ++i) {
            grey[i] = rgb[3 * i];
        }
    }
    const std::vector<uint8_t>& pixels = channels == 1 ? grey : rgb;
    const std::vector<uint8_t> stream =
        deflateInStrips(pixels.data(), size_t(width) * channels, channels, height, strips);
    for (size_t at = 0; at < stream.size(); at += kChunkSize) {
        const size_t end = std::min(stream.size(), at + kChunkSize);
        if (!writeChunk(file, "IDAT",
                        std::vector<uint8_t>(stream.begin() + at, stream.begin() + end))) {
            return false;
        }
    }
    return true;
}
#endif

bool writeImage(PngFile& file, unsigned width, unsigned height, const std::vector<uint8_t>& rgb,
                size_t channels) {
#ifdef ZYVODIAG_HAVE_ZLIB
    const unsigned strips = pngStripCount((size_t(width) * channels + 1) * height);
    if (strips > 1) {
        return writeInStrips(file, width, height, rgb, channels, strips);
    }
#endif
    const size_t pixelBytes = size_t(width) * 3;
    std::vector<uint8_t> row(1 + size_t(width) * channels);
    row[0] = kFilterNone;
    RowCompressor stream(row.size(), channels);
    for (unsigned y = 0; y < height; ++y) {
        const uint8_t* pixels = rgb.data() + y * pixelBytes;
        if (channels == 3) {
            std::copy(pixels, pixels + pixelBytes, row.begin() + 1);
        } else {
            for (size_t i = 0; i < width; ++i) {
                row[1 + i] = pixels[3 * i];
            }
        }
        stream.addRow(row.data());
        if (stream.output().size() >= kChunkSize) {
            if (!writeChunk(file, "IDAT", stream.output())) {
                return false;
            }
            stream.output().clear();
        }
    }
    stream.finish();
    return writeChunk(file, "IDAT", stream.output());
}

} // namespace

bool writePng(const std::string& path, unsigned width, unsigned height,
              const std::vector<uint8_t>& rgb, std::string& error) {
    // PNG's limit on a side; the whole picture must also fit this host's sizes.
    const unsigned largest = 0x7FFFFFFF;
    if (width == 0 || height == 0 || width > largest || height > largest ||
        width > std::numeric_limits<size_t>::max() / 3 / height) {
        error = "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels cannot be written as PNG";
        return false;
    }
    if (rgb.size() != size_t(width) * height * 3) {
        error = "picture of the wrong size";
        return false;
    }
    const bool grey = isGrey(rgb);
    PngFile file(path);
    if (!file.open() || !file.write(kSignature, sizeof kSignature) ||
        !writeChunk(file, "IHDR", header(width, height, grey ? kColourTypeGrey : kColourTypeRgb)) ||
        !writeImage(file, width, height, rgb, grey ? 1 : 3) || !writeChunk(file, "IEND", {}) ||
        !file.finish()) {
        error = file.error();
        return false;
    }
    return true;
}

} // namespace zyvodiag
