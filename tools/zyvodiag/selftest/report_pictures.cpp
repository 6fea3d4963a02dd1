// Frames decoded once, then written full size and as thumbnails, with their difference.
#include "selftest/report_pictures.h"

#include "pictures/frame_difference.h"
#include "pictures/frame_file.h"
#include "pictures/png_writer.h"

#include <algorithm>
#include <filesystem>

namespace zyvodiag {
namespace {

// Wide enough to tell the patterns apart, small enough for a row of three on a phone.
constexpr unsigned kThumbnailWidth = 320;

struct Rgb {
    unsigned width;
    unsigned height;
    std::vector<uint8_t> pixels;
};

// Each thumbnail pixel the mean of the box of pixels it stands for.
Rgb thumbnail(const Rgb& picture) {
    const unsigned width = std::min(kThumbnailWidth, picture.width);
    const unsigned height =
        std::max(1u, unsigned(uint64_t(picture.height) * width / picture.width));
    Rgb small{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (unsigned y = 0; y < height; ++y) {
        const unsigned top = unsigned(uint64_t(y) * picture.height / height);
        const unsigned bottom =
            std::max(top + 1, unsigned(uint64_t(y + 1) * picture.height / height));
        for (unsigned x = 0; x < width; ++x) {
            const unsigned left = unsigned(uint64_t(x) * picture.width / width);
            const unsigned right =
                std::max(left + 1, unsigned(uint64_t(x + 1) * picture.width / width));
            for (unsigned c = 0; c < 3; ++c) {
                uint64_t sum = 0;
                for (unsigned sy = top; sy < bottom; ++sy) {
                    for (unsigned sx = left; sx < right; ++sx) {
                        sum += picture.pixels[(size_t(sy) * picture.width + sx) * 3 + c];
                    }
                }
                const uint64_t count = uint64_t(bottom - top) * (right - left);
                small.pixels[(size_t(y) * width + x) * 3 + c] = uint8_t((sum + count / 2) / count);
            }
        }
    }
    return small;
}

// Writes `name`.png and `name`-thumbnail.png under folder/pictures; the paths are relative.
bool writePicture(const Rgb& picture, const std::string& folder, const std::string& name,
                  std::string& full, std::string& small, std::string& error) {
    full = "pictures/" + name + ".png";
    small = "pictures/" + name + "-thumbnail.png";
    const Rgb reduced = thumbnail(picture);
    if (!writePng(folder + "/" + full, picture.width, picture.height, picture.pixels, error) ||
        !writePng(folder + "/" + small, reduced.width, reduced.height, reduced.pixels, error)) {
        error = folder + "/" + full + ": " + error;
        return false;
    }
    return true;
}

std::string stemOf(const std::string& file) {
    return std::filesystem::path(file).stem().string();
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const TestFrame* partnerOf(const std::vector<TestFrame>& frames, const std::string& stem) {
    for (const TestFrame& frame : frames) {
        if (stemOf(frame.file) == stem) {
            return &frame;
        }
    }
    return nullptr;
}

} // namespace

bool writeReportPictures(const std::vector<TestFrame>& frames, const std::string& folder,
                         const std::string& prefix, std::vector<FramePictures>& pictures,
                         std::string& error) {
    std::error_code ignored;
    for (const TestFrame& frame : frames) {
        const std::string stem = stemOf(frame.file);
        if (endsWith(stem, "-captured") || !std::filesystem::exists(frame.file, ignored)) {
            continue; // a captured frame goes with its expected one
        }
        DecodedFrame first;
        if (!loadFrame(frame.file, frame.shape, frame.size, first, error)) {
            return false;
        }
        FramePictures shown;
        const Rgb firstRgb{first.width, first.height, toRgb8(first)};
        const bool paired = endsWith(stem, "-expected");
        const std::string base = paired ? stem.substr(0, stem.size() - 9) : stem;
        shown.title = base;
        const TestFrame* captured = paired ? partnerOf(frames, base + "-captured") : nullptr;
        if (!paired) {
            if (!writePicture(firstRgb, folder, prefix + base, shown.captured,
                              shown.capturedThumbnail, error)) {
                return false;
            }
            pictures.push_back(shown);
            continue;
        }
        if (!writePicture(firstRgb, folder, prefix + stem, shown.expected, shown.expectedThumbnail,
                          error)) {
            return false;
        }
        DecodedFrame second;
        if (captured != nullptr && std::filesystem::exists(captured->file, ignored) &&
            loadFrame(captured->file, captured->shape, captured->size, second, error)) {
            const Rgb secondRgb{second.width, second.height, toRgb8(second)};
            const Rgb difference{first.width, first.height, differencePicture(first, second)};
            if (!writePicture(secondRgb, folder, prefix + base + "-captured", shown.captured,
                              shown.capturedThumbnail, error) ||
                !writePicture(difference, folder, prefix + base + "-difference", shown.difference,
                              shown.differenceThumbnail, error)) {
                return false;
            }
        }
        error.clear();
        pictures.push_back(shown);
    }
    return true;
}

} // namespace zyvodiag
