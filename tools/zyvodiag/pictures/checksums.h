// The two checksums a PNG file carries: CRC-32 over each chunk, Adler-32 over the zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zyvodiag {

// Both continue from the value of the bytes before, so a long stream is summed piece by piece;
// start a CRC from 0 and an Adler-32 from 1.
uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t size);
uint32_t adler32(uint32_t adler, const uint8_t* bytes, size_t size);

} // namespace zyvodiag
