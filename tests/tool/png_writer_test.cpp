// The tool's PNG writer: pictures that decode to exactly what was written, grey ones stored as
// grey, the same bytes on every host, safe from several threads, and no file left behind by a
// failed write.
#include "pictures/checksums.h"
#include "pictures/deflate_writer.h"
#include "pictures/frame_decoder.h"
#include "pictures/png_writer.h"
#include "png_reader.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tooltest::RgbPicture;
using zyvodiag::writePng;

// Eight vertical bars: long runs within a row, and every row the same.
RgbPicture bars(unsigned width, unsigned height) {
    RgbPicture picture{width, height, {}};
    for (unsigned i = 0; i < width * height; ++i) {
        const unsigned bar = i % width * 8 / width;
        picture.rgb.insert(
            picture.rgb.end(),
            {uint8_t(bar & 1 ? 0 : 255), uint8_t(bar & 2 ? 0 : 191), uint8_t(bar & 4 ? 0 : 16)});
    }
    return picture;
}

// Bytes of the generator's own output, which the standard fixes for every library and host.
RgbPicture noise(unsigned width, unsigned height) {
    std::mt19937 generator(8);
    RgbPicture picture{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (uint8_t& byte : picture.rgb) {
        byte = uint8_t(generator() >> 24);
    }
    return picture;
}

class PngWriterTest : public ::testing::Test {
protected:
    // Writes `picture` to `name` and, where the build has libpng, checks it decodes to itself.
    void writeAndRead(const std::string& name, const RgbPicture& picture) {
        std::string error;
        ASSERT_TRUE(writePng(path(name), picture.width, picture.height, picture.rgb, error))
            << error;
#ifdef ZYVO_TEST_LIBPNG
        const RgbPicture decoded = tooltest::readPng(path(name));
        EXPECT_EQ(decoded.width, picture.width);
        EXPECT_EQ(decoded.height, picture.height);
        EXPECT_TRUE(decoded.rgb == picture.rgb);
#endif
    }

    static std::string path(const std::string& name) {
        return zyvotest::scratchPath(name);
    }

    // The IHDR's colour type: 0 for grey, 2 for RGB.
    static int colourType(const std::string& name) {
        return zyvotest::fileText(path(name)).at(25);
    }
};

// A horizontal grey ramp: R = G = B everywhere.
RgbPicture greyRamp(unsigned width, unsigned height) {
    RgbPicture picture{width, height, {}};
    for (unsigned i = 0; i < width * height; ++i) {
        const auto level = uint8_t(i % width * 255 / (width - 1));
        picture.rgb.insert(picture.rgb.end(), {level, level, level});
    }
    return picture;
}

// A picture of literals both sides of 144, runs one pixel back and one row back: our own
// writer's stream (the one the PowerPC build writes) comes out the same on a big-endian 32-bit
// host. A change to its compression changes them, rightly.
TEST_F(PngWriterTest, theFixedCodeStreamIsTheSameOnEveryHost) {
    RgbPicture picture = bars(64, 4);
    const RgbPicture random = noise(64, 2);
    picture.rgb.insert(picture.rgb.end(), random.rgb.begin(), random.rgb.end());
    picture.height += 2;
    const size_t pixelBytes = size_t(picture.width) * 3;
    std::vector<uint8_t> row(1 + pixelBytes, 0), stream;
    zyvodiag::DeflateWriter writer(row.size(), 3);
    for (unsigned y = 0; y < picture.height; ++y) {
        std::copy_n(picture.rgb.begin() + y * pixelBytes, pixelBytes, row.begin() + 1);
        writer.addRow(row.data());
    }
    writer.finish();
    stream = writer.output();
    EXPECT_EQ(stream.size(), 452u);
    EXPECT_EQ(zyvodiag::crc32(0, stream.data(), stream.size()), 0xD5FF3413u);
    writeAndRead("mixed.png", picture);
}

TEST_F(PngWriterTest, picturesDecodeToExactlyTheirPixels) {
#ifndef ZYVO_TEST_LIBPNG
    GTEST_SKIP() << "no libpng in this build to decode the pictures with";
#endif
    writeAndRead("one.png", noise(1, 1));
    writeAndRead("odd.png", bars(7, 5));       // odd widths, runs across the row's end
    writeAndRead("short.png", noise(333, 3));  // runs shorter than a match
    writeAndRead("noise.png", noise(2000, 2)); // no run to find
    // Rows farther apart than deflate's 32 KiB window: no match one row back.
    writeAndRead("wide.png", bars(11000, 3));
    // Bars are what the tool writes most: a 4K preview of them must not be megabytes.
    writeAndRead("bars.png", bars(3840, 64));
    EXPECT_LT(fs::file_size(path("bars.png")), 3840u * 64 * 3 / 100);
    // Large enough to be compressed in strips on several cores: each strip's first row is
    // filtered against the last of the strip above, and the joined stream checks as one.
    writeAndRead("strips.png", noise(1001, 401));
    writeAndRead("grey-strips.png", greyRamp(1999, 601));

    // Grey pictures are stored with one sample a pixel; a single coloured pixel, even the very
    // last byte, keeps the picture RGB.
    RgbPicture tinted = greyRamp(301, 7);
    writeAndRead("grey.png", tinted);
    EXPECT_EQ(colourType("grey.png"), 0);
    tinted.rgb.back() ^= 1;
    writeAndRead("tinted.png", tinted);
    EXPECT_EQ(colourType("tinted.png"), 2);
    EXPECT_EQ(colourType("bars.png"), 2);
}

// Neutral chroma at every code of every YCbCr depth decodes to R = G = B, so that grey frames
// become grey pictures.
TEST_F(PngWriterTest, neutralChromaDecodesToExactGrey) {
    using zyvodiag::PixelLayout;
    for (PixelLayout layout : {PixelLayout::YCbCr8, PixelLayout::YCbCr10, PixelLayout::YCbCr12}) {
        const unsigned depth = zyvodiag::bitDepth(layout);
        const auto neutral = uint16_t(1u << (depth - 1));
        for (unsigned y = 0; y < 1u << depth; ++y) {
            const zyvodiag::Rgb8 c = zyvodiag::toRgb8({{uint16_t(y), neutral, neutral}}, layout);
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << depth << "-bit Y " << y;
        }
    }
}

// Pictures are compressed concurrently by the self-test's report: each thread's file decodes
// to its own picture, and no temporary file stays behind.
TEST_F(PngWriterTest, severalThreadsWriteTheirPicturesAtOnce) {
    std::vector<RgbPicture> pictures;
    std::vector<std::string> files; // named here: the scratch directory is made on first use
    for (unsigned i = 0; i < 8; ++i) {
        pictures.push_back(i % 2 == 0 ? noise(200 + i, 50) : greyRamp(200 + i, 50));
        files.push_back(path(std::to_string(i) + ".png"));
    }
    std::vector<std::string> errors(pictures.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < pictures.size(); ++i) {
        threads.emplace_back([&, i] {
            const RgbPicture& p = pictures[i];
            writePng(files[i], p.width, p.height, p.rgb, errors[i]);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(errors[i], "") << i;
#ifdef ZYVO_TEST_LIBPNG
        EXPECT_TRUE(tooltest::readPng(files[i]).rgb == pictures[i].rgb) << i;
#endif
    }
    EXPECT_EQ(zyvotest::listing().size(), pictures.size()) << "a temporary file was left";
}

TEST_F(PngWriterTest, aFailedWriteLeavesTheTargetAsItWasAndNoOtherFile) {
    const RgbPicture picture = bars(16, 2);
    std::string error;
    EXPECT_FALSE(writePng(path("missing/out.png"), 16, 2, picture.rgb, error));
    EXPECT_EQ(error, path("missing") + ": No such file or directory");

    fs::create_directory(path("directory.png"));
    EXPECT_FALSE(writePng(path("directory.png"), 16, 2, picture.rgb, error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_TRUE(fs::is_directory(path("directory.png")));

    EXPECT_FALSE(writePng(path("short.png"), 16, 3, picture.rgb, error));
    EXPECT_FALSE(writePng("/dev/full", 16, 2, picture.rgb, error));
    EXPECT_EQ(error, "No space left on device");

    // An older picture is replaced whole.
    std::ofstream(path("old.png")) << "an older picture";
    ASSERT_TRUE(writePng(path("old.png"), 16, 2, picture.rgb, error)) << error;
    EXPECT_EQ(zyvotest::fileText(path("old.png")).substr(1, 3), "PNG");
    EXPECT_EQ(zyvotest::listing(), (std::vector<std::string>{"directory.png", "old.png"}))
        << "a temporary file was left";
}

} // namespace
