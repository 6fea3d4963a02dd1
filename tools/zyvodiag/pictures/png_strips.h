// A large picture's zlib stream compressed in strips, one thread each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyvodiag {

// How many strips a picture of `filteredBytes` (its rows with their filter bytes) is best
// compressed in on this machine: 1 for a small picture, which a thread would not pay for.
unsigned pngStripCount(size_t filteredBytes);

// The zlib stream of `rows` rows of `rowBytes` bytes at `pixels`, each row Paeth-filtered
// against the one above, in `strips` strips compressed on threads of their own, as pigz does:
// each strip's deflate blocks end on a byte boundary (the last strip's with the final block), and
// the strips' Adler-32s are combined into the stream's.
std::vector<uint8_t> deflateInStrips(const uint8_t* pixels, size_t rowBytes, size_t pixelSize,
                                     unsigned rows, unsigned strips);

} // namespace zyvodiag
