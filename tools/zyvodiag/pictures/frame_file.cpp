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

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    if (!isReadableFile(path, error)) {
        return false;
    }
    OwnedFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
        bytes.insert(bytes.end(), block, block + got);
    }
    if (std::ferror(file.get())) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool loadFrame(const std::string& path, const FrameShape& shape, size_t frameSize,
               DecodedFrame& frame, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes, error)) {
        return false;
    }
    if (bytes.size() != frameSize) {
        error = path + " is " + std::to_string(bytes.size()) + " bytes, but a frame of " +
                std::to_string(shape.width) + " x " + std::to_string(shape.height) +
                " pixels in this pixel format is " + std::to_string(frameSize) + " bytes";
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
