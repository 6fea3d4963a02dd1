// The frame tests' bench: device memory and the common library's pictures.
#include "frames_test.h"

#include "QELTestPatternGen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <regex>

namespace framestest {

Bytes deviceBytes(uint32_t address, uint32_t length) {
    Bytes bytes;
    EXPECT_TRUE(zyvosim::readDeviceMemory(address, length, bytes));
    return bytes;
}

uint32_t captureBase() {
    return zyvosim::cardState().captureStore[0].store.baseAddress;
}

uint32_t playoutBase() {
    return zyvosim::cardState().playoutStore[0].store.baseAddress;
}

Bytes generated(int pattern, int pixelFormat) {
    Bytes bytes;
    QELTestPatternGen().DrawTestPattern(static_cast<QELTestPatternSelect>(pattern), 1920, 1080,
                                        static_cast<QEL_PixelFormat>(pixelFormat), bytes);
    return bytes;
}

Bytes counting(uint32_t length) {
    Bytes bytes(length);
    for (uint32_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<uint8_t>(i % 251);
    }
    return bytes;
}

bool fileHolds(const std::string& path, const Bytes& bytes) {
    return fileText(path) == std::string(bytes.begin(), bytes.end());
}

std::string fbDataLines(const Bytes& first) {
    uint32_t w[8] = {};
    std::memcpy(w, first.data(), std::min(first.size(), sizeof w));
    char text[160];
    std::snprintf(text, sizeof text,
                  "  fb data: 0x%08x  0x%08x  0x%08x  0x%08x\n"
                  "  fb data: 0x%08x  0x%08x  0x%08x  0x%08x...\n",
                  w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
    return text;
}

std::string maskPointers(const std::string& text) {
    static const std::regex address("(pFrameStore:|hostbuf = |fwrite\\()(0x[0-9a-f]+|\\(nil\\))");
    return std::regex_replace(text, address, "$1PTR");
}

} // namespace framestest
