// Reading raw frame files and turning them into PNG previews.
#include "pictures/frame_file.h"

#include "pictures/png_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zyvodiag {

bool isReadableFile(const std::string& path, std::string& error) {
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0 || access(path.c_str(), R_OK) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(facts.st_mode)) {
        error = path + ": " + std::strerror(EISDIR);
        return false;
    }
    // A FIFO nobody writes to would keep the command waiting; a device has no end.
    if (!S_ISREG(facts.st_mode)) {
        error = path + ": not a regular file";
        return false;
    }
    return true;
}

namespace {

// More than any frame of the card holds (a 4K frame of 12-bit samples is under 40 MB), and more
// than any bench file: a larger file is refused before a byte of it is read.
constexpr uint64_t kLargestFileRead = uint64_t(64) << 20;

// Opens a regular file for reading and tells its size, from the open file itself.
OwnedFile openSized(const std::string& path, uint64_t& size, std::string& error) {
    if (!isReadableFile(path, error)) {
        return nullptr;
    }
    OwnedFile file(std::fopen(path.c_str(), "rb"));
    struct stat facts {};
    if (!file || fstat(fileno(file.get()), &facts) != 0) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    size = uint64_t(facts.st_size);
    return file;
}

bool readAll(FILE* file, const std::string& path, std::vector<uint8_t>& bytes, uint64_t size,
             std::string& error) {
    bytes.resize(size_t(size));
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    if (std::ferror(file)) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    // A file that changed size under us is read as far as it went.
    bytes.resize(got);
    return true;
}

std::string sizeMismatch(const std::string& path, uint64_t size, const FrameShape& shape,
                         size_t frameSize) {
    return path + " is " + std::to_string(size) + " bytes, but a frame of " +
           std::to_string(shape.width) + " x " + std::to_string(shape.height) +
           " pixels in this pixel format is " + std::to_string(frameSize) + " bytes";
}

} // namespace

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    uint64_t size = 0;
    OwnedFile file = openSized(path, size, error);
    if (!file) {
        return false;
    }
    if (size > kLargestFileRead) {
        error = path + " is " + std::to_string(size) +
                " bytes, more than any file the tool reads (" + std::to_string(kLargestFileRead) +
                ")";
        return false;
    }
    return readAll(file.get(), path, bytes, size, error);
}

bool loadFrame(const std::string& path, const FrameShape& shape, size_t frameSize,
               DecodedFrame& frame, std::string& error) {
    uint64_t size = 0;
    std::vector<uint8_t> bytes;
    OwnedFile file = openSized(path, size, error);
    if (!file) {
        return false;
    }
    if (size != frameSize) {
        error = sizeMismatch(path, size, shape, frameSize);
        return false;
    }
    if (!readAll(file.get(), path, bytes, size, error)) {
        return false;
    }
    if (bytes.size() != frameSize) {
        error = sizeMismatch(path, bytes.size(), shape, frameSize);
        return false;
    }
    if (!decodeFrame(bytes.data(), bytes.size(), shape, frame, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool writeFramePreview(const std::string& rawPath, const FrameShape& shape, size_t frameSize,
                       const std::string& pngPath, std::string& error) {
    DecodedFrame frame;
    if (!loadFrame(rawPath, shape, frameSize, frame, error)) {
        return false;
    }
    if (!writePng(pngPath, frame.width, frame.height, toRgb8(frame), error)) {
        error = pngPath + ": " + error;
        return false;
    }
    return true;
}

} // namespace zyvodiag
