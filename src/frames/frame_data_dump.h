// The verbose dump of the first words of a frame buffer that the fill and the transfer print.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace zyvodiag::frames {

// Prints the first eight 32-bit words of `bytes` in host byte order, as the data sits in host
// memory; a buffer shorter than that shows zeros for the missing words.
inline void printFrameData(const unsigned char* bytes, size_t length) {
    uint32_t words[8] = {};
    std::memcpy(words, bytes, length < sizeof words ? length : sizeof words);
    std::printf("  fb data: 0x%08x  0x%08x  0x%08x  0x%08x\n"
                "  fb data: 0x%08x  0x%08x  0x%08x  0x%08x...\n",
                static_cast<unsigned>(words[0]), static_cast<unsigned>(words[1]),
                static_cast<unsigned>(words[2]), static_cast<unsigned>(words[3]),
                static_cast<unsigned>(words[4]), static_cast<unsigned>(words[5]),
                static_cast<unsigned>(words[6]), static_cast<unsigned>(words[7]));
}

} // namespace zyvodiag::frames
