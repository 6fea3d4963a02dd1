// view and compare --diff-png on pattern frames: colours, scopes, refusals and the marked
// pixels.
#include "png_reader.h"
#include "test_files.h"
#include "tool_process.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

namespace {

using tooltest::Rgb;
using tooltest::RgbPicture;
using tooltest::runTool;
using tooltest::ToolRun;

::testing::AssertionResult near(const Rgb& found, const Rgb& expected) {
    if (std::abs(found.r - expected.r) <= 1 && std::abs(found.g - expected.g) <= 1 &&
        std::abs(found.b - expected.b) <= 1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << found.r << ", " << found.g << ", " << found.b << ") instead of (" << expected.r
           << ", " << expected.g << ", " << expected.b << ")";
}

bool grey(const Rgb& p) {
    return p.r == p.g && p.g == p.b;
}

class PictureTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (mUndecoded) {
            GTEST_SKIP() << "the pictures were not decoded: this build has no libpng";
        }
    }

    static std::string path(const std::string& name) { return zyvotest::scratchPath(name); }

    // A frame of `pattern` as the frame stores lay it out, written to `name`.
    std::string writeFrame(const std::string& name, int pattern, unsigned width, unsigned height,
                           int pixelFormat) {
        std::vector<unsigned char> bytes;
        EXPECT_GT(QELTestPatternGen().DrawTestPattern(
                      static_cast<QELTestPatternSelect>(pattern), width, height,
                      static_cast<QEL_PixelFormat>(pixelFormat), bytes),
                  0);
        return writeFrame(name, bytes);
    }
    static std::string writeFrame(const std::string& name, const std::vector<uint8_t>& bytes) {
        return zyvotest::scratchFile(name, std::string(bytes.begin(), bytes.end()));
    }

    // Hands `check` the picture in `file`, `width` x `height`. A build without libpng only sees
    // that the file is there, and the test ends skipped once its other checks have passed.
    template <typename Check>
    void checkPicture(const std::string& file, unsigned width, unsigned height, Check check) {
#ifdef ZYVO_TEST_LIBPNG
        const RgbPicture picture = tooltest::readPng(file);
        ASSERT_EQ(picture.width, width);
        ASSERT_EQ(picture.height, height);
        check(picture);
#else
        (void)width;
        (void)height;
        (void)check;
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
        mUndecoded = true;
#endif
    }

    // compare of `frame` with itself in the raster and pixel format of `switches`, and a
    // difference picture.
    static ToolRun compareWithItself(const std::string& frame, const std::string& switches) {
        return runTool("compare " + switches + " " + frame + " " + frame + " --diff-png " +
                       path("diff.png"));
    }

    bool mUndecoded = false;
};

// The eight bars of the colour bar patterns, left to right, at 100% and at 75%.
const Rgb kBars100[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                         {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
const Rgb kBars75[8] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                        {191, 0, 191},   {191, 0, 0},   {0, 0, 191},   {0, 0, 0}};

TEST_F(PictureTest, viewShowsTheColoursEachBarStandsFor) {
    const struct {
        const char* switches;
        int pixelFormat, pattern;
        unsigned width, height;
        const Rgb* bars;
    } cases[] = {
        {"-f6 -r29 -v2", 2, 0, 1920, 1080, kBars100},  // 8-bit YCbCr, narrow range
        {"-f6 -r29 -v5", 5, 0, 1920, 1080, kBars100},  // 10-bit RGB, full range
        {"-f6 -r29 -v1", 1, 1, 1920, 1080, kBars75},   // 10-bit YCbCr: the RP 219 75% bars
        {"-f5 -r59 -v1", 1, 0, 1280, 720, kBars100},   // 1280 pixels: not whole six-pixel cadences
        {"-f1 -r29 -v4", 4, 0, 720, 486, kBars100},    // 8-bit RGB
        {"-f7 -r59 -v23", 23, 1, 1920, 1080, kBars75}, // 12-bit YCbCr, the tool's own -v23
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        const std::string frame =
            writeFrame("bars.raw", c.pattern, c.width, c.height, c.pixelFormat);
        ToolRun run = runTool("view " + frame + " " + c.switches + " --png " + path("bars.png"));
        ASSERT_EQ(run.status, 0) << run.out;
        checkPicture(path("bars.png"), c.width, c.height, [&](const RgbPicture& picture) {
            for (unsigned i = 0; i < 8; ++i) {
                for (unsigned y : {0u, c.height / 2, c.height - 1}) {
                    EXPECT_TRUE(near(picture.at(c.width * (2 * i + 1) / 16, y), c.bars[i]))
                        << "bar " << i << " line " << y;
                }
            }
        });
    }
}

TEST_F(PictureTest, viewShowsEachQuadrantOfA4KFrameInItsPlace) {
    const std::string frame = writeFrame("quads.raw", 14, 3840, 2160, 1);
    ToolRun run = runTool("view " + frame + " -f19 -r29 -v1 --png " + path("quads.png"));
    ASSERT_EQ(run.status, 0) << run.out;
    checkPicture(path("quads.png"), 3840, 2160, [&](const RgbPicture& picture) {
        EXPECT_TRUE(near(picture.at(960, 540), {255, 0, 0}));
        EXPECT_TRUE(near(picture.at(2880, 540), {0, 255, 0}));
        EXPECT_TRUE(near(picture.at(960, 1620), {0, 0, 255}));
        EXPECT_TRUE(near(picture.at(2880, 1620), {255, 255, 255}));
    });
}

TEST_F(PictureTest, viewDrawsTheScopesBesideOrInsteadOfTheFrame) {
    const std::string frame = writeFrame("bars.raw", 1, 1920, 1080, 1);
    ToolRun run = runTool("view " + frame + " -f6 -r29 -v1 --vectorscope " + path("vector.png") +
                          " --waveform=" + path("wave.png"));
    EXPECT_TRUE(tooltest::endedWith(
        run, 0, {"-> waveform " + path("wave.png"), "-> vectorscope " + path("vector.png")}));
    EXPECT_FALSE(std::filesystem::exists(path("bars.png")));
    checkPicture(path("wave.png"), 3 * 640 + 2 * 8, 512, [](const RgbPicture& picture) {
        // The white bar (721) in the Y panel, two 10-bit codes a row and 0 at the bottom;
        // nothing at 800.
        EXPECT_GT(picture.at(60, 511 - 721 / 2).r, 0);
        EXPECT_EQ(picture.at(60, 511 - 800 / 2).r, 0);
    });
    checkPicture(path("vector.png"), 512, 512, [](const RgbPicture& picture) {
        // The dot of 75% yellow (Cb 176, Cr 543) inside its target.
        const Rgb dot = picture.at(176 / 2, 511 - 543 / 2);
        EXPECT_TRUE(dot.g > dot.r && dot.r > 0) << dot.r << " " << dot.g << " " << dot.b;
    });
}

TEST_F(PictureTest, viewRefusesAFileThatIsNotAFrameOfTheSwitchesFormat) {
    const std::string whole = writeFrame("whole.raw", 0, 1920, 1080, 2);
    std::filesystem::copy_file(whole, path("truncated.raw"));
    std::filesystem::resize_file(path("truncated.raw"), 1920 * 1080 * 2 - 1);
    const std::string png = " --png " + path("out.png");
    const std::pair<std::string, std::string> refusals[] = {
        {"view " + path("truncated.raw") + " -f6 -r29 -v2" + png,
         "is 4147199 bytes, but a frame of 1920 x 1080 pixels in this pixel format is 4147200"},
        {"view " + whole + " -f6 -r29 -v5" + png, "8294400 bytes"},
        {"view " + whole + " -f6 -r29 -v2", "needs --png OUT.png, --waveform OUT.png or"},
        {"view " + whole + " -f6 -r29 -v2 --waveform", "needs --waveform OUT.png"},
        {"view " + path("missing.raw") + png, "No such file"},
        // Every picture's target is checked before any is written.
        {"view " + whole + " -f6 -r29 -v2" + png + " --vectorscope " + path(""), "Is a directory"},
    };
    for (const auto& [arguments, says] : refusals) {
        EXPECT_TRUE(tooltest::endedWith(runTool(arguments), 2, {says})) << arguments;
        EXPECT_FALSE(std::filesystem::exists(path("out.png"))) << arguments;
    }
}

// Y of pixel (100, 50), the chroma of the pair (1000, 1001) on line 700, and Y of the last pixel
// of the frame: four pixels in an 8-bit 4:2:2 frame of 1920 x 1080, black (Y 16, C 128).
TEST_F(PictureTest, diffPngCountsAndMarksExactlyTheDifferingPixels) {
    const unsigned width = 1920, height = 1080, pitch = 3840;
    const std::string want = writeFrame("expected.raw", 8, width, height, 2);
    std::ifstream in(want, std::ios::binary);
    std::vector<uint8_t> found(std::istreambuf_iterator<char>(in), {});
    found[50 * pitch + 100 * 2 + 1] += 3;      // Y0 of the pair (100, 101)
    found[700 * pitch + 1000 * 2 + 0] -= 40;   // Cb of the pair (1000, 1001)
    found[1079 * pitch + 1918 * 2 + 3] += 200; // Y1 of the pair (1918, 1919)
    const std::set<std::pair<unsigned, unsigned>> marked = {
        {100, 50}, {1000, 700}, {1001, 700}, {1919, 1079}};
    const std::string got = writeFrame("found.raw", found);

    ToolRun run =
        runTool("compare -f6 -r29 -v2 " + want + " " + got + " --diff-png " + path("diff.png"));
    const std::string verdict = want + " and " + got + " differ\n";
    const std::string pixels = "differing pixels: 4 of 2073600\n";
    // Squared errors 3², 40² twice (the pair shares its Cb), 200², over three components a pixel.
    const double mse = (9.0 + 2 * 1600.0 + 40000.0) / (3.0 * width * height);
    char psnr[64];
    std::snprintf(psnr, sizeof psnr, "PSNR: %.2f dB", 10 * std::log10(255.0 * 255.0 / mse));
    EXPECT_TRUE(tooltest::endedWith(
        run, 1,
        {verdict, pixels, "largest difference: Y 200, Cb 40, Cr 0 (codes of 8 bits)", psnr}));
    EXPECT_LT(run.out.find(verdict), run.out.find(pixels)) << "the library's report comes first";

    checkPicture(path("diff.png"), width, height, [&](const RgbPicture& picture) {
        for (unsigned y = 0; y < height; ++y) {
            for (unsigned x = 0; x < width; ++x) {
                ASSERT_EQ(!grey(picture.at(x, y)), marked.count({x, y}) == 1) << x << ", " << y;
            }
        }
        // The larger difference shows warmer: full red is full scale, blue a code or two.
        EXPECT_GT(picture.at(1919, 1079).r, picture.at(100, 50).r);
        EXPECT_LT(picture.at(1919, 1079).b, picture.at(100, 50).b);
    });
}

// Identical frames give a picture all dimmed grey; frames of another format than the switches'
// are refused after the library's report, and no picture is written.
TEST_F(PictureTest, diffPngOfIdenticalFramesIsAllDimmedGreyAndOfAnotherFormatIsRefused) {
    ToolRun refused = compareWithItself(writeFrame("small.raw", 0, 1280, 720, 2), "-f6 -r29 -v2");
    EXPECT_TRUE(tooltest::endedWith(refused, 2, {"are identical", "no pixel comparison"}));
    EXPECT_FALSE(std::filesystem::exists(path("diff.png")));
    ToolRun run = compareWithItself(writeFrame("bars.raw", 0, 1920, 1080, 5), "-f6 -r29 -v5");
    EXPECT_TRUE(
        tooltest::endedWith(run, 0, {"differing pixels: 0 of 2073600\n", "PSNR: infinite"}));
    checkPicture(path("diff.png"), 1920, 1080, [&](const RgbPicture& picture) {
        for (unsigned x = 0; x < 1920; x += 7) {
            EXPECT_TRUE(grey(picture.at(x, 540)) && picture.at(x, 540).r <= 100) << x;
        }
        // Dimmed, yet the white bar still shows lighter than the black one.
        EXPECT_GT(picture.at(120, 540).r, picture.at(1800, 540).r);
    });
}

} // namespace
