// CRC-32 (the reflected polynomial 0xEDB88320 of PNG, zlib and Ethernet) and Adler-32.
#include "pictures/checksums.h"

#include <array>

namespace zyvodiag {

namespace {

// The CRC of every byte value, built once: a byte at a time through the table instead of a bit
// at a time through the polynomial.
std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

} // namespace

uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t size) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(uint32_t adler, const uint8_t* bytes, size_t size) {
    const uint32_t modulus = 65521;
    // 5552 bytes is the most that can be summed before the larger sum could pass 2^32.
    const size_t blockSize = 5552;
    uint32_t a = adler & 0xFFFF;
    uint32_t b = adler >> 16;
    while (size > 0) {
        const size_t block = size < blockSize ? size : blockSize;
        for (size_t i = 0; i < block; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= modulus;
        b %= modulus;
        bytes += block;
        size -= block;
    }
    return (b << 16) | a;
}

} // namespace zyvodiag
