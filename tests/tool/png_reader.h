// Pictures read back with libpng, a decoder independent of the tool's own PNG writer.
#pragma once

#include <gtest/gtest.h>
#ifdef ZYVO_TEST_LIBPNG
#include <png.h>
#endif

#include <cstdint>
#include <string>
#include <vector>

namespace tooltest {

struct Rgb {
    int r, g, b;
};

struct RgbPicture {
    unsigned width = 0, height = 0;
    std::vector<uint8_t> rgb; // width x height triples, line after line

    Rgb at(unsigned x, unsigned y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

#ifdef ZYVO_TEST_LIBPNG
// The picture in `file`; a failure of the test where libpng refuses it or finds a bad CRC or
// Adler-32, which it reports only as a warning.
inline RgbPicture readPng(const std::string& file) {
    RgbPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, file.c_str()) == 0) {
        ADD_FAILURE() << file << ": " << image.message;
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) == 0) {
        ADD_FAILURE() << file << ": " << image.message;
    }
    EXPECT_EQ(image.warning_or_error, 0) << file << ": " << image.message;
    return picture;
}
#endif

} // namespace tooltest
