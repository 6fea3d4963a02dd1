// Pictures of decoded frames, full size and as thumbnails, with the difference of each pair.
#include "selftest/report_pictures.h"

#include "analysis/sentence.h"
#include "pictures/png_writer.h"
#include "pictures/scopes.h"

#include <algorithm>
#include <filesystem>
#include <memory>

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

// The files one picture becomes: any of a PNG beside the frame, and a full-size picture with
// its thumbnail in the HTML folder.
struct PictureFiles {
    std::string beside;
    std::string full;
    std::string small;
};

std::string writeAll(const Rgb& picture, const PictureFiles& files) {
    std::string error;
    for (const std::string* path : {&files.beside, &files.full}) {
        if (!path->empty() &&
            !writePng(*path, picture.width, picture.height, picture.pixels, error)) {
            return *path + ": " + error;
        }
    }
    if (!files.small.empty()) {
        const Rgb reduced = thumbnail(picture);
        if (!writePng(files.small, reduced.width, reduced.height, reduced.pixels, error)) {
            return files.small + ": " + error;
        }
    }
    return {};
}

// The HTML folder's pair of files for `name`, with the paths relative to the folder.
PictureFiles htmlFiles(const PictureTargets& targets, const std::string& name, std::string& full,
                       std::string& small) {
    if (targets.htmlFolder.empty()) {
        return {};
    }
    full = targets.htmlPictures + "/" + targets.prefix + name + ".png";
    small = targets.htmlPictures + "/" + targets.prefix + name + "-thumbnail.png";
    return {"", targets.htmlFolder + "/" + full, targets.htmlFolder + "/" + small};
}

TestFrame* frameOf(TestOutcome& outcome, const std::string& file) {
    for (TestFrame& frame : outcome.frames) {
        if (frame.file == file) {
            return &frame;
        }
    }
    return nullptr;
}

std::string beside(const std::string& file, const std::string& suffix) {
    return std::filesystem::path(file).replace_extension().string() + suffix + ".png";
}

// One frame's pictures: converted to RGB once, written beside the frame and into the report.
void queueFrame(const std::shared_ptr<const DecodedFrame>& frame, const std::string& file,
                PictureFiles files, const PictureTargets& targets, TestOutcome& outcome,
                PictureWriter& writer) {
    TestFrame* kept = frameOf(outcome, file);
    if (targets.besideFrames && kept != nullptr) {
        files.beside = beside(file, "");
        kept->preview = files.beside;
    }
    if (files.beside.empty() && files.full.empty()) {
        return;
    }
    writer.add([frame, files] {
        return writeAll(Rgb{frame->width, frame->height, toRgb8(*frame)}, files);
    });
}

// The scopes of a captured frame that differs from what was sent, for the HTML report: the
// engineer reads a stuck bit or a clipped level off the waveform, swapped or mixed colours off
// the vectorscope.
void queueScopes(const FrameComparison& comparison, const PictureTargets& targets,
                 FramePictures& shown, PictureWriter& writer) {
    const std::string& title = comparison.pair.title;
    const PictureFiles waveform =
        htmlFiles(targets, title + "-waveform", shown.waveform, shown.waveformThumbnail);
    const PictureFiles vectorscope =
        htmlFiles(targets, title + "-vectorscope", shown.vectorscope, shown.vectorscopeThumbnail);
    if (waveform.full.empty()) {
        return;
    }
    shown.likelyCause = describeAnalysis(comparison.analysis, comparison.pair.shape.layout);
    writer.add([frame = comparison.captured, waveform, vectorscope] {
        const ScopePictures scopes = drawScopes(*frame);
        const RgbImage& wave = scopes.waveform;
        const std::string failure = writeAll(Rgb{wave.width, wave.height, wave.rgb}, waveform);
        if (!failure.empty()) {
            return failure;
        }
        const RgbImage& scope = scopes.vectorscope;
        return writeAll(Rgb{scope.width, scope.height, scope.rgb}, vectorscope);
    });
}

// A pair whose captured bytes equal the expected ones: one picture stands for both frames, in
// the HTML folder and beside the kept frames alike, and no difference picture is drawn (it would
// be the expected frame dimmed, marking nothing). The frame is decoded here, off the test's path.
void queueIdenticalPair(const FrameComparison& comparison, const PictureTargets& targets,
                        FramePictures& shown, TestOutcome& outcome, PictureWriter& writer) {
    const FramePair& pair = comparison.pair;
    PictureFiles files = htmlFiles(targets, pair.title, shown.expected, shown.expectedThumbnail);
    shown.captured = shown.expected;
    shown.capturedThumbnail = shown.expectedThumbnail;
    TestFrame* expected = frameOf(outcome, pair.expected);
    TestFrame* captured = frameOf(outcome, pair.captured);
    if (targets.besideFrames && expected != nullptr) {
        files.beside =
            (std::filesystem::path(pair.expected).parent_path() / (pair.title + ".png")).string();
        expected->preview = files.beside;
        if (captured != nullptr) {
            captured->preview = files.beside;
        }
    }
    if (files.beside.empty() && files.full.empty()) {
        return;
    }
    writer.add([bytes = comparison.sameBytes, shape = pair.shape, file = pair.expected, files] {
        DecodedFrame frame;
        std::string error;
        if (!decodeFrame(bytes->data(), bytes->size(), shape, frame, error)) {
            return file + ": " + error;
        }
        return writeAll(Rgb{frame.width, frame.height, toRgb8(frame)}, files);
    });
}

// Each frame of a pair that differs (or could not be compared) pictured on its own, with the
// difference of the two when both decoded.
void queueDifferingPair(const FrameComparison& comparison, const PictureTargets& targets,
                        FramePictures& shown, TestOutcome& outcome, PictureWriter& writer) {
    const FramePair& pair = comparison.pair;
    const bool paired = !pair.expected.empty();
    if (comparison.expected) {
        queueFrame(
            comparison.expected, pair.expected,
            htmlFiles(targets, pair.title + "-expected", shown.expected, shown.expectedThumbnail),
            targets, outcome, writer);
    }
    if (comparison.captured) {
        queueFrame(comparison.captured, pair.captured,
                   htmlFiles(targets, paired ? pair.title + "-captured" : pair.title,
                             shown.captured, shown.capturedThumbnail),
                   targets, outcome, writer);
    }
    if (!comparison.hasBoth()) {
        return;
    }
    PictureFiles files =
        htmlFiles(targets, pair.title + "-difference", shown.difference, shown.differenceThumbnail);
    TestFrame* captured = frameOf(outcome, pair.captured);
    if (targets.besideFrames && captured != nullptr) {
        files.beside = beside(pair.captured, "-difference");
        captured->difference = files.beside;
    }
    if (!files.beside.empty() || !files.full.empty()) {
        writer.add([expected = comparison.expected, found = comparison.captured, files] {
            return writeAll(
                Rgb{expected->width, expected->height, differencePicture(*expected, *found)},
                files);
        });
    }
}

} // namespace

void queueTestPictures(std::vector<FrameComparison> comparisons, const PictureTargets& targets,
                       TestOutcome& outcome, PictureWriter& writer) {
    for (const FrameComparison& comparison : comparisons) {
        FramePictures shown;
        shown.title = comparison.pair.title;
        if (comparison.sameBytes) {
            queueIdenticalPair(comparison, targets, shown, outcome, writer);
        } else {
            queueDifferingPair(comparison, targets, shown, outcome, writer);
        }
        if (comparison.analysed) {
            queueScopes(comparison, targets, shown, writer);
        }
        if (!targets.htmlFolder.empty() &&
            (comparison.expected || comparison.captured || comparison.sameBytes)) {
            outcome.pictures.push_back(shown);
        }
    }
}

} // namespace zyvodiag
