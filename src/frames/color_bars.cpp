// The library's own 10-bit RGB pictures: full colour bars and a vertical grey ramp.
#include <zyvodiag>

#include <cstddef>
#include <cstdint>

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

} // namespace

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
    size_t row = 0;
    uint32_t green = table[0][0], blue = table[0][1], red = table[0][2];
    for (size_t p = 0; p + kBytesPerPixel <= buffer.size(); p += kBytesPerPixel) {
        // A picture too narrow for bars (width below 8) stays in the first colour.
        if (barLength != 0 && p % barLength == 0) {
            green = table[row][0];
            blue = table[row][1];
            red = table[row][2];
            row = (row + 1) % 8;
        }
        writePixel(&buffer[p], red, green, blue);
    }
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
