// Raw frame files: read and decoded against the switches' frame, or pictured as a PNG.
#pragma once

#include "pictures/frame_decoder.h"
#include "pictures/frame_geometry.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zyvodiag {

// A stdio file closed exactly once by its owner, whichever way the code leaves; the library
// holds its files the same way.
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<FILE, FileCloser>;

// False, with the reason, unless `path` is a regular file this user may read. A directory would
// otherwise open and read as an empty file, and a FIFO would block.
bool isReadableFile(const std::string& path, std::string& error);

// The whole file; false with the system's reason, or without reading it when it is larger than
// any file the tool has to read.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Reads and decodes a frame file of `shape`, `frameSize` bytes. A file of another size is
// refused, its size taken from the open file before anything is read: its error names both
// sizes, so a user can see which switch is wrong.
bool loadFrame(const std::string& path, const FrameShape& shape, size_t frameSize,
               DecodedFrame& frame, std::string& error);

// Decodes the frame file and writes it as an 8-bit RGB PNG.
bool writeFramePreview(const std::string& rawPath, const FrameShape& shape, size_t frameSize,
                       const std::string& pngPath, std::string& error);

} // namespace zyvodiag
