// The library's own 10-bit RGB pictures: full colour bars and a vertical grey ramp.
#include <zyvodiag>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Rows of G, B, R (in that order), left to right.
const uint32_t cRGB10BarsFull100[8][3] = {
    {1023, 1023, 1023}, // white
    {1023, 0, 1023},    // yellow
    {1023, 1023, 0},    // cyan
    {1023, 0, 0},       // green
    {0, 1023, 1023},    // magenta
    {0, 0, 1023},       // red
    {0, 1023, 0},       // blue
    {0, 0, 0},          // black
};

// Every row white at the 8-bit full level 255 moved into 10 bits.
const uint32_t cRGB8WhiteFull100[8][3] = {
    {1020, 1020, 1020}, {1020, 1020, 1020}, {1020, 1020, 1020}, {1020, 1020, 1020},
    {1020, 1020, 1020}, {1020, 1020, 1020}, {1020, 1020, 1020}, {1020, 1020, 1020},
};

constexpr size_t kBytesPerPixel = 4;

// Writes one pixel byte by byte, so the layout is the same on hosts of either byte order.
void writePixel(unsigned char* pixel, uint32_t red, uint32_t green, uint32_t blue) {
    red &= 0x3FF;
    green &= 0x3FF;
    blue &= 0x3FF;
    pixel[0] = static_cast<unsigned char>(red & 0xFF);
    pixel[1] = static_cast<unsigned char>((red >> 8) | ((green & 0x3F) << 2));
    pixel[2] = static_cast<unsigned char>((green >> 6) | ((blue & 0x0F) << 4));
    pixel[3] = static_cast<unsigned char>(blue >> 4);
}

// Copies of a repeated block at least this long: few calls, and the source stays in the cache.
constexpr size_t kMinCopyBytes = 4096;

// Repeats the first `period` bytes at `data` over all `total` bytes: the copy doubles until it
// is long, then the same head is copied again and again.
void repeatHead(unsigned char* data, size_t period, size_t total) {
    size_t block = period;
    while (block < kMinCopyBytes && block < total) {
        size_t copied = std::min(block, total - block);
        std::memcpy(data + block, data, copied);
        block += copied;
    }
    for (size_t at = block; at < total; at += block) {
        std::memcpy(data + at, data, std::min(block, total - at));
    }
}

// Fills `bytes` (a multiple of 4) with one colour from a table row.
void fillSpan(unsigned char* span, size_t bytes, const uint32_t row[3]) {
    if (bytes == 0) {
        return;
    }
    writePixel(span, row[2], row[0], row[1]);
    repeatHead(span, kBytesPerPixel, bytes);
}

size_t greatestCommonDivisor(size_t a, size_t b) {
    while (b != 0) {
        size_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

} // namespace

// The colour changes at every pixel whose offset is a multiple of the bar length, so the
// picture is spans of lcm(4, bar length) bytes in the eight colours in turn. The first eight
// spans are drawn and then copied over the rest of the buffer.
void Create10BitRGBColorBars(unsigned int width, unsigned int /*height*/,
                             unsigned int bytesPerCadencePitch,
                             std::vector<unsigned char>& buffer) {
    if (buffer.empty()) {
        return;
    }
    // Only the 1920-wide raster gets real bars; every other width comes out white.
    const uint32_t(*table)[3] = width == 1920 ? cRGB10BarsFull100 : cRGB8WhiteFull100;
    // The bar boundaries are counted over the whole buffer, so whole lines of a width divisible
    // by 8 show the eight bars on every line.
    const size_t barLength = static_cast<size_t>(width / 8) * bytesPerCadencePitch;
    // Only whole pixels are written.
    const size_t pixelBytes = buffer.size() / kBytesPerPixel * kBytesPerPixel;
    unsigned char* data = buffer.data();
    // A picture too narrow for bars (width below 8), or bars longer than the buffer, stays in
    // the first colour.
    const size_t quotient =
        barLength == 0 ? 0 : barLength / greatestCommonDivisor(barLength, kBytesPerPixel);
    if (quotient == 0 || quotient >= pixelBytes / kBytesPerPixel) {
        fillSpan(data, pixelBytes, table[0]);
        return;
    }
    const size_t span = quotient * kBytesPerPixel;
    size_t drawn = 0;
    for (size_t row = 0; row < 8 && drawn < pixelBytes; ++row) {
        size_t bytes = std::min(span, pixelBytes - drawn);
        fillSpan(data + drawn, bytes, table[row]);
        drawn += bytes;
    }
    repeatHead(data, drawn, pixelBytes);
}

void Create10BitVerticalRamp(unsigned int width, unsigned int /*height*/,
                             unsigned int bytesPerCadencePitch,
                             std::vector<unsigned char>& buffer) {
    if (buffer.empty()) {
        return;
    }
    // One grey step every two lines, starting at 1.
    const size_t stepLength = 2 * static_cast<size_t>(width) * bytesPerCadencePitch;
    uint32_t level = 0;
    for (size_t p = 0; p + kBytesPerPixel <= buffer.size(); p += kBytesPerPixel) {
        if (stepLength != 0 && p % stepLength == 0) {
            ++level;
        }
        writePixel(&buffer[p], level, level, level);
    }
}
