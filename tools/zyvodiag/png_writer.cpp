// PNG output through libpng's simplified interface, which returns errors instead of jumping.
#include "png_writer.h"

#include <png.h>

namespace zyvodiag {

bool writePng(const std::string& path, unsigned width, unsigned height,
              const std::vector<uint8_t>& rgb, std::string& error) {
    if (rgb.size() != size_t(width) * height * 3) {
        error = "picture of the wrong size";
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    // A 4K preview is 25 MB of pixels: trade some compression for a quick self-test.
    image.flags = PNG_IMAGE_FLAG_FAST;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        error = std::string(image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}

} // namespace zyvodiag
